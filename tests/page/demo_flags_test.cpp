// Every flag or switch column the page reads, on the demo pages: a Null column gives the page of
// an empty one (not set), and "1" gives another page, so each flag is seen to matter.
#include <gtest/gtest.h>

#include <iterator>
#include <string>
#include <vector>

#include "page/demo_database.h"

namespace page_test {
namespace {

constexpr char kNewRecord[] = "LiuChengID=4";
constexpr char kStoredRecord[] = "BiaoDanID=1&BiaoDanRecordID=2&JieDianID=11";
constexpr char kNoSetUp[] = "";
// The office-document body, whose control receives the node's document switches.
constexpr char kOfficeDocument[] = "update OA_Flow_BiaoDan set ZhengWenType = '1'";

struct FlagCase {
  const char* query;   // the demo page
  const char* set_up;  // SQL that lets the flag show on that page
  const char* table;
  const char* column;
  const char* row;  // the condition naming the row
};

constexpr FlagCase kFlags[] = {
    // A query default runs unless the column marks the query as the options of a drop-down.
    {kNewRecord,
     "update OA_Flow_BiaoDan_Fields set DefaultValueType = '2', DefaultValue = 'select ''99''' "
     "where OAID = 20",
     "OA_Flow_BiaoDan_Fields", "ZiDianCode", "OAID = 20"},
    {kStoredRecord, kNoSetUp, "OA_Flow_BiaoDan_Fields", "FieldHasDate", "OAID = 5"},
    {kStoredRecord, kNoSetUp, "OA_Flow_BiaoDan_Fields", "FieldHasTime", "OAID = 5"},
    {kStoredRecord, kNoSetUp, "OA_Flow_BiaoDan_Fields", "cxHTML", "OAID = 10"},
    {kStoredRecord, kNoSetUp, "OA_Flow_BiaoDan_Fields", "isFJ1", "OAID = 13"},
    {kStoredRecord, kNoSetUp, "OA_Flow_BiaoDan_Fields", "isFJ2", "OAID = 13"},
    {kStoredRecord, kNoSetUp, "OA_Flow_BiaoDan_Fields", "isFJ3", "OAID = 13"},
    {kNewRecord, kNoSetUp, "OA_Flow_BiaoDan_Fields", "isyincang", "OAID = 24"},
    {kStoredRecord, kNoSetUp, "OA_FLOW_1_Main", "JiaJi", "OAID = 2"},  // a check box's value
    {kNewRecord, kOfficeDocument, "OA_Flow_BiaoDan", "isJiaZai", "OAID = 1"},
    // A start node grants its trusted users nothing.
    {kStoredRecord,
     "update OA_Flow_Model_JieDian set TQUserList = ';zhangsan;', EditFields = '' "
     "where OAID = 11",
     "OA_Flow_Model_JieDian", "isFirst", "OAID = 11"},
};

// The node's handling switches, and the document switches its office-document control receives.
constexpr const char* kNodeSwitches[] = {"iszhuanban", "isgoutong", "isFenFa", "isFeiQi",
                                         "isBoHui"};
constexpr const char* kDocumentSwitches[] = {"isTaoHong",   "isImportWord",       "isQianMing",
                                             "isYinZhang",  "isChaKanHenJi",      "isXiuDingJiLu",
                                             "IsRecMark",   "isYanZhengQianMing", "IsPrint",
                                             "isLocalSave", "isWordProtect"};

// The page `flag.query` for the demo user on a fresh demo database after the case's set-up, with
// the flag's column set to `value` (an SQL literal). Each page has a database file of its own,
// as the connection pool keeps the files it has opened.
std::string page(const FlagCase& flag, const std::string& value) {
  const DemoDatabase db;
  db.exec(flag.set_up);
  db.exec(std::string("update ") + flag.table + " set " + flag.column + " = " + value + " where " +
          flag.row);
  const host::Rendered rendered = host::render_once(db.options(flag.query));
  EXPECT_TRUE(rendered.event_log.empty()) << flag.column << ": " << rendered.event_log.front();
  return rendered.body;
}

TEST(DemoFlags, ANullFlagReadsAsNotSet) {
  std::vector<FlagCase> flags(std::begin(kFlags), std::end(kFlags));
  for (const char* column : kNodeSwitches) {
    flags.push_back({kStoredRecord, kNoSetUp, "OA_Flow_Model_JieDian", column, "OAID = 11"});
  }
  for (const char* column : kDocumentSwitches) {
    flags.push_back({kStoredRecord, kOfficeDocument, "OA_Flow_Model_JieDian", column, "OAID = 11"});
  }
  for (const FlagCase& flag : flags) {
    const std::string empty = page(flag, "''");
    EXPECT_TRUE(page(flag, "NULL") == empty) << flag.table << "." << flag.column;
    EXPECT_FALSE(page(flag, "'1'") == empty) << flag.table << "." << flag.column;
  }
}

}  // namespace
}  // namespace page_test
