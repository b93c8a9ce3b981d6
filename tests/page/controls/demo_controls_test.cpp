// The demo's control workflow: on a new and on a stored record of the demo form, every field
// type shows its editable control and the detail table is editable.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <string>

#include "host/request_runner.h"
#include "schema/database.h"
#include "support/page_fixture.h"

namespace page_test {
namespace {

class DemoControlsTest : public ::testing::Test {
 protected:
  // A file left by a killed run under a reused process id is replaced.
  DemoControlsTest() { schema::create_database(path_, true, true); }
  ~DemoControlsTest() override {
    for (const char* suffix : {"", "-wal", "-shm"}) std::filesystem::remove(path_ + suffix);
  }

  std::string render(const std::string& query) const {
    host::RenderOptions o;
    o.connect = "Provider=SQLite;Data Source=" + path_;
    o.query = query;
    o.now = vb::CDate(vb::Variant("2011-09-06 09:00:00"));
    o.session_values = {{"UserName", "zhangsan"},
                        {"TureName", "张三"},
                        {"DepartMentID", "4"},
                        {"SystemURL", kSystemUrl}};
    const host::Rendered page = host::render_once(o);
    EXPECT_TRUE(page.event_log.empty()) << page.event_log.front();
    return page.body;
  }

  std::string path_ =
      testing::TempDir() + "flowform_demo_controls_" + std::to_string(getpid()) + ".db";
};

// One piece of each type's control in the demo form (field keys 1 to 19) and of its detail table.
constexpr const char* kControls[] = {
    "<TEXTAREA  class='ckeditor'   id='zd1'",
    "<INPUT type='checkbox' id='zd2'",
    "<select  style='width:99%' id=zd3 name=zd3 FieldType='下拉列表型'",
    "<INPUT type='radio' id=zd4 name=zd4",
    "showCalendarFormID('webform','zd5','%Y-%m-%d', '24')",
    "javascript:openZiDian('zd6', '紧急程度','1','0')",
    "<br>办理意见：<br><TEXTAREA style='width:100%;height:50' id=zd7 name=zd7></TEXTAREA>",
    "<input type=hidden  id=zd8 name=zd8 value='zhangsan'>",
    "javascript:mySlectBuMen('zd9')",
    "onclick='javascript:myChaXun(10,1);'",
    "vbscript:mySlectUser('zd11')",
    "<input id=zd12 name=zd12 type='file' style='width:99%'>",
    "<INPUT type='button' value='添加附件' id=btnFuJian13 name=btnFuJian13 onclick=AddRow13()>",
    "<input id=zd14 name=zd14 type='file' style='width:99%'>",
    "<select style='width:99%' id=zd15 name=zd15 onchange='toLoadImage(15)'>",
    "<textarea style='WIDTH: 99%; HEIGHT: 100%' id='zd16'",
    "type=text readonly id='zd17' name='zd17' FieldType='流水号型'",
    "type=text id='zd18' name='zd18' FieldType='超链接型'",
    "type=text id='zd19' name='zd19' FieldType='电子邮件型'",
    "onclick='vbscript:AddRowMX1()'",
    "function AddRowMX1(){",
};

TEST_F(DemoControlsTest, ANewRecordShowsEveryControl) {
  const std::string page = render("LiuChengID=4");
  for (const char* control : kControls) EXPECT_NE(page.find(control), std::string::npos) << control;
  EXPECT_NE(page.find("var idCount13=0;"), std::string::npos);
}

TEST_F(DemoControlsTest, AStoredRecordShowsEveryControlWithItsValue) {
  const std::string page = render("BiaoDanID=1&BiaoDanRecordID=2&JieDianID=11");
  for (const char* control : kControls) EXPECT_NE(page.find(control), std::string::npos) << control;
  for (const char* value : {
           "<OPTION value='办公设备' selected >",
           "<INPUT type='radio' id=zd4 name=zd4 value='否'  checked>",
           "<INPUT type='checkbox' id='zd2' NAME='zd2'  checked  >",
           "<INPUT type='checkbox' id=DELetezd12 name=DELetezd12 >",
           "var idCount13=3;",
           "<input type=text id='zd21' name='zd21' value='墨盒,黑色' style='width:99%'>",
       }) {
    EXPECT_NE(page.find(value), std::string::npos) << value;
  }
}

}  // namespace
}  // namespace page_test
