// Hostile stored values on every page of the demo user: whatever text stands in a column the
// page writes out, the page in a browser keeps its own scripts, event handlers and links, and no
// script of the text runs.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "page/demo_database.h"
#include "page/jsdom_runner.h"

namespace page_test {
namespace {

namespace fs = std::filesystem;

// Each text is written into every column at once. A script that runs calls alert.
const char* const kHostileTexts[] = {
    "a<b&c&amp;d",
    "it's \"quoted\"",
    "x</script><script>alert(1)</script>",
    "<!--<script>alert(2)",
    "line\r\nbreak\nthen</textarea><script>alert(3)</script>",
    "<img src=y onerror=alert(4)>",
    "javascript:alert(5)",
    "x' onfocus='alert(6)' {%20%}",  // a reference to the amount lands inside attributes too
};

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

std::string sql_literal(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

// What a page is in the browser, as counts that a stored value must not change.
constexpr char kDriver[] = R"(
const { JSDOM, VirtualConsole } = require('jsdom');
const fs = require('fs');
for (const file of process.argv.slice(2)) {
  let alerts = 0;
  const dom = new JSDOM(fs.readFileSync(file, 'utf8'), {
    runScripts: 'dangerously', virtualConsole: new VirtualConsole(),
    beforeParse(w) {
      w.alert = () => { alerts++; };
      w.confirm = () => true;
      w.Element.prototype.removeNode = function () { this.remove(); return this; };
    } });
  const d = dom.window.document;
  let handlers = 0, unsafe = 0;
  for (const e of d.querySelectorAll('*')) {
    for (const a of e.attributes) {
      if (a.name.startsWith('on')) handlers++;
      if (/^\s*(javascript|vbscript|data):/i.test(a.value) && /^(href|src|action)$/.test(a.name)) unsafe++;
    }
  }
  const count = (s) => d.querySelectorAll(s).length;
  console.log(['scripts', count('script'), 'handlers', handlers, 'unsafe links', unsafe,
               'textareas', count('textarea'), 'inputs', count('input'), 'selects', count('select'),
               'forms', count('form'), 'alerts', alerts].join(' '));
  dom.window.close();
}
)";

class HostileValuesTest : public ::testing::Test {
 protected:
  // Writes `text` into every stored column the page shows, except those that hold markup by
  // design (the rich-text fields and the HTML look-ups).
  void store_everywhere(const std::string& text) {
    const std::string v = sql_literal(text);
    for (const std::string& form :
         split(db_.scalar("select group_concat(OAID) from OA_Flow_BiaoDan"), ',')) {
      const std::string table = "OA_FLOW_" + form + "_Main";
      const std::string set = db_.scalar(
          "select group_concat('\"' || name || '\" = ' || quote(" + v +
          ")) from pragma_table_info('" + table +
          "') where name not in ('OAID', 'TiJiaoRen', 'isover', 'CurrentJieDianIDs', 'LiuChengID')"
          " and name not in (select trim(FieldName) from OA_Flow_BiaoDan_Fields where TableName = "
          "'" +
          table + "' and (FieldType = 'HTML编辑器型' or (FieldType = '查询型' and cxHTML = '1')))");
      db_.exec("update " + table + " set " + set + ";update OA_FLOW_" + form +
               "_BanLi set BanLiYiJian = " + v);
    }
    db_.exec(
        "update OA_Flow_FuJian set FileName = " + v + ", ShuoMing1 = " + v + ", ShuoMing2 = " + v +
        ", ShuoMing3 = " + v + ";update OA_Flow_YiJian set YiJian = " + v + ", ShiJian = " + v +
        ";update KE_UserInfor set TureName = " + v + ";update KE_Department set DepartName = " + v +
        ";update OA_Flow_QianMing set FileName = " + v +
        ";update OA_Flow_Model_JieDian set JieDianName = " + v +
        ";update OA_ZiDian set Name = " + v + " where ZDType = '1'");
    system_url_ = "/" + text + "/";
  }

  // Every to-do page of the demo user, rendered into a file of `folder`.
  std::vector<fs::path> render_pages(const fs::path& folder, const std::string& prefix) {
    std::vector<fs::path> files;
    for (const std::string& query :
         split(db_.scalar("select group_concat('BiaoDanID=' || BiaoDanID || '&BiaoDanRecordID=' || "
                          "BiaoDanRecordID || '&JieDianID=' || JieDianID, ' ') from "
                          "OA_DaiBan_LiuCheng where BanLiRen = 'zhangsan'"),
               ' ')) {
      host::RenderOptions o = db_.options(query);
      o.session_values.emplace_back(
          "TureName", db_.scalar("select TureName from KE_UserInfor where UserName = 'zhangsan'"));
      o.session_values.emplace_back("SystemURL", system_url_);
      files.push_back(folder / (prefix + std::to_string(files.size()) + ".html"));
      std::ofstream(files.back(), std::ios::binary) << host::render_once(o).body;
    }
    return files;
  }

  DemoDatabase db_;
  std::string system_url_ = "/";
};

TEST_F(HostileValuesTest, NoStoredTextChangesAPageInTheBrowser) {
  const fs::path folder =
      fs::path(testing::TempDir()) / ("flowform_hostile_" + std::to_string(getpid()));
  fs::create_directories(folder);
  // The same columns with a plain text give the structure every hostile text must keep.
  store_everywhere("plain text 1");
  std::vector<fs::path> files = render_pages(folder, "plain");
  const std::size_t pages = files.size();
  ASSERT_GE(pages, 5u);
  for (std::size_t t = 0; t < std::size(kHostileTexts); ++t) {
    store_everywhere(kHostileTexts[t]);
    const auto hostile = render_pages(folder, "hostile" + std::to_string(t) + "_");
    ASSERT_EQ(hostile.size(), pages);
    files.insert(files.end(), hostile.begin(), hostile.end());
  }
  std::ofstream(folder / "driver.js") << kDriver;
  const fs::path modules = fs::path(__FILE__).parent_path().parent_path() / "js" / "node_modules";
  std::string command =
      "NODE_PATH='" + modules.string() + "' node '" + (folder / "driver.js").string() + "'";
  for (const fs::path& file : files) command += " '" + file.string() + "'";
  const DomRun run = run_command(command + " 2>&1");
  fs::remove_all(folder);
  ASSERT_TRUE(run.ok) << run.output;

  const std::vector<std::string> lines = split(run.output, '\n');
  ASSERT_EQ(lines.size(), files.size()) << run.output;
  for (std::size_t i = 0; i < pages; ++i) {
    EXPECT_NE(lines[i].find(" alerts 0"), std::string::npos) << lines[i];
    for (std::size_t t = 0; t < std::size(kHostileTexts); ++t) {
      EXPECT_EQ(lines[pages * (t + 1) + i], lines[i])
          << "page " << i << " with " << kHostileTexts[t];
    }
  }
}

}  // namespace
}  // namespace page_test
