// The detail tables in a browser's DOM: AddRowMX adds a row of inputs, delMX and the delete
// links of stored rows remove one row, each after the user confirms.
#include <gtest/gtest.h>

#include <string>

#include "page/controls/detail_fixture.h"
#include "page/jsdom_runner.h"
#include "page/scripts/head.h"
#include "platform/asp/response.h"

namespace page_test {
namespace {

constexpr char kDriver[] = R"(
const table = document.getElementById('myNowTable1');
const values = () => Array.from(table.rows).slice(1).map(row =>
    Array.from(row.querySelectorAll('input')).map(i => i.name + '=' + i.value).join(',')).join('|');
const lastRow = () => table.rows[table.rows.length - 1];
print('stored', table.rows.length, values());
window.AddRowMX1();
window.AddRowMX1();
const added = lastRow();
print('added', table.rows.length, added.cells.length,
      Array.from(added.cells).map(c => c.align + '/' + c.className).join(' '));
print('inputs', Array.from(added.querySelectorAll('input'))
      .map(i => i.id + '/' + i.name + '/' + i.getAttribute('mingxi')).join(' '));
window.confirmAnswer = false;
added.querySelector('a').click();
print('declined', table.rows.length);
window.confirmAnswer = true;
added.querySelector('a').click();
print('confirmed', table.rows.length, lastRow() === added);
table.rows[1].querySelector('a').click();
print('stored row', table.rows.length, values());
)";

TEST_F(DetailTableTest, RowsAreAddedAndDeletedInTheBrowser) {
  store("'笔记本,显示器'", "'2,3'");
  run_phases();
  page::head(p);
  page::build_detail_tables(p);
  const std::string html = response_->take_body() + "</HEAD><BODY><form name=webform>" +
                           vb::CStr(p.BiaoDanHTML) + "</form></BODY></HTML>";

  const DomRun run = run_in_dom(html, kDriver);
  ASSERT_TRUE(run.ok) << run.output;
  EXPECT_EQ(run.output,
            "stored 3 zd21=笔记本,zd22=2|zd21=显示器,zd22=3\n"
            "added 5 3 left/View_item2 left/View_item2 center/View_item2\n"
            "inputs zd21/zd21/ismingxi zd22/zd22/ismingxi\n"
            "declined 5\n"
            "confirmed 4 false\n"
            "stored row 3 zd21=显示器,zd22=3|zd21=,zd22=\n");
}

}  // namespace
}  // namespace page_test
