// The login policy's verdicts and log rows, and the login, logout and operation rows.
#include "library/access_log.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"

namespace library_test {
namespace {

class AccessLogTest : public DatabaseTest {
 protected:
  AccessLogTest() {
    (*ctx().Session)["_LogUserName"] = "zhang";
    (*ctx().Session)["_LogUserIPAddress"] = "10.0.0.15";
  }
  // The settings row: every check off, both logs on, every day allowed, 8:30 to 17:30; then
  // `changes` ("column=value, ...") applied.
  void settings(const std::string& changes = "") {
    db_.exec(
        "delete from OA_AnQuan; insert into OA_AnQuan (NotValid, LoginLog, ISIP, IPList, "
        "isYunXu, isWeek, SM1, SM2, SM3, SM4, SM5, SM6, SM7, ISTime, SHour, SMinute, EHour, "
        "EMinute) values ('1', '1', '0', '', '1', '0', '1','1','1','1','1','1','1', '0', 8, 30, "
        "17, 30)");
    if (!changes.empty()) db_.exec("update OA_AnQuan set " + changes);
  }
  std::string rows() {
    return db_.scalar(
        "select group_concat(LogType||'|'||IPAddress||'|'||UserName||'|'||Remark||"
        "'|'||IsDengLu, ' / ') from (select * from OA_Log order by OAID)");
  }
  // The verdict at `now` (2011-09-02 is a Friday, 2011-09-04 a Sunday).
  std::string allowed_at(const char* now) {
    reset(now);
    (*ctx().Session)["_LogUserName"] = user_;
    (*ctx().Session)["_LogUserIPAddress"] = address_;
    return typed(library::isallowlogin(ctx()));
  }
  std::string user_ = "zhang", address_ = "10.0.0.15";
};

TEST_F(AccessLogTest, TheTimeWindowHoldsItsFirstAndLastMinute) {
  settings("ISTime='1'");
  EXPECT_EQ(allowed_at("2011-09-02 08:29:59"), "Boolean:False");
  EXPECT_EQ(allowed_at("2011-09-02 08:30:00"), "Boolean:True");
  EXPECT_EQ(allowed_at("2011-09-02 17:30:59"), "Boolean:True");
  EXPECT_EQ(allowed_at("2011-09-02 17:31:00"), "Boolean:False");
  EXPECT_EQ(rows(), "安全日志|10.0.0.15|zhang|非法时间|1 / 安全日志|10.0.0.15|zhang|非法时间|1");
}

TEST_F(AccessLogTest, AddressListsAllowOrForbidByPrefix) {
  struct Case {
    const char* list;
    const char* isYunXu;
    const char* address;
    const char* verdict;
  } cases[] = {
      {"", "0", "10.0.0.15", "Boolean:False"},          // nothing allowed
      {"", "1", "10.0.0.15", "Boolean:True"},           // nothing forbidden
      {"10.0.0.1", "1", "10.0.0.15", "Boolean:False"},  // a prefix, not an address
      {"192.168.,10.0.", "0", "10.0.0.15", "Boolean:True"},
      {",,192.168.", "0", "10.0.0.15", "Boolean:False"},  // empty entries match nothing
  };
  for (const Case& c : cases) {
    settings(std::string("NotValid='0', LoginLog='0', ISIP='1', IPList='") + c.list +
             "', isYunXu='" + c.isYunXu + "'");
    address_ = c.address;
    EXPECT_EQ(allowed_at("2011-09-02 09:00:00"), c.verdict) << c.list << " " << c.isYunXu;
  }
  EXPECT_EQ(rows(), "");  // NotValid "0": refusals are not logged
}

TEST_F(AccessLogTest, ARefusedSundayAndAddressAreLoggedInOrder) {
  settings("LoginLog='0', ISIP='1', IPList='10.', isWeek='1', SM7='0'");
  EXPECT_EQ(allowed_at("2011-09-02 09:00:00"), "Boolean:False");  // Friday, address refused
  EXPECT_EQ(allowed_at("2011-09-04 09:00:00"), "Boolean:False");  // Sunday too
  EXPECT_EQ(rows(),
            "安全日志|10.0.0.15|zhang|非法IP地址|1 / 安全日志|10.0.0.15|zhang|非法IP地址|1 / "
            "安全日志|10.0.0.15|zhang|非法时间|1");
}

TEST_F(AccessLogTest, SaAnEmptyTableAndNullSettingsLetEverybodyInButBrokenOnesAreReported) {
  settings("ISIP='1', isYunXu='0', isWeek='1', SM6='0', ISTime='1', SHour=23, EHour=23");
  user_ = "Sa";
  EXPECT_EQ(allowed_at("2011-09-02 09:00:00"), "Boolean:True");
  db_.exec("delete from OA_AnQuan");
  user_ = "zhang";
  EXPECT_EQ(allowed_at("2011-09-04 03:00:00"), "Boolean:True");
  EXPECT_EQ(rows(), "");
  expect_quiet();
  // Null switches take their defaults: no check runs.
  db_.exec("insert into OA_AnQuan (TimeOut) values (45)");
  EXPECT_EQ(allowed_at("2011-09-04 03:00:00"), "Boolean:True");
  // A start that is no time turns the window off.
  settings("ISTime='1', SHour='x'");
  EXPECT_EQ(allowed_at("2011-09-02 03:00:00"), "Boolean:True");
  expect_quiet();
  // An end that is no time is reported; the login goes on, but a refused address stays refused.
  settings("ISIP='1', IPList='10.', ISTime='1', EHour='x'");
  EXPECT_EQ(allowed_at("2011-09-02 09:00:00"), "Boolean:False");
  expect_reported(13, "Type mismatch", "isallowlogin");
  address_ = "192.168.0.1";
  EXPECT_EQ(allowed_at("2011-09-02 09:00:00"), "Boolean:True");
}

// Each switch left Null takes the value it has when missing: "0", but "1" for isYunXu and the
// day flags. Every other setting would refuse or log at the time the case runs.
TEST_F(AccessLogTest, ANullSwitchTakesItsDefault) {
  struct Case {
    const char* column;
    const char* settings;
    const char* verdict;  // isallowlogin's; "" for savelog's case
    const char* kind;     // savelog's
  } cases[] = {
      {"LoginLog", "", "", "1"},
      {"NotValid", "", "", "2"},
      {"NotValid", "ISIP='1', IPList='10.'", "Boolean:False", ""},
      {"ISIP", "ISIP='1', IPList='10.'", "Boolean:True", ""},
      {"isYunXu", "NotValid='0', ISIP='1', IPList='10.', isYunXu='0'", "Boolean:False", ""},
      {"isWeek", "isWeek='1', SM7='0'", "Boolean:True", ""},
      {"SM7", "isWeek='1', SM7='0'", "Boolean:True", ""},
      {"ISTime", "ISTime='1'", "Boolean:True", ""},
  };
  for (const Case& c : cases) {
    db_.exec("delete from OA_Log");
    settings(c.settings);
    db_.exec(std::string("update OA_AnQuan set ") + c.column + " = null");
    if (*c.verdict != '\0') {
      EXPECT_EQ(allowed_at("2011-09-04 03:00:00"), c.verdict) << c.column;  // a Sunday night
    } else {
      library::savelog(ctx(), c.kind, "1");
    }
    EXPECT_EQ(rows(), "") << c.column;
    expect_quiet();
  }
}

TEST_F(AccessLogTest, ARefusedDayStaysRefusedWhenTheWindowEndIsNoTime) {
  settings("isWeek='1', SM7='0', ISTime='1', SHour=1, SMinute=0, EHour='x'");
  EXPECT_EQ(allowed_at("2011-09-04 09:00:00"), "Boolean:False");  // Sunday
  expect_reported(13, "Type mismatch", "isallowlogin");
  EXPECT_EQ(allowed_at("2011-09-02 09:00:00"), "Boolean:True");  // Friday
}

TEST_F(AccessLogTest, SavelogAndOplogWriteTheirRowsQuoted) {
  settings();
  (*ctx().Session)["_LogUserName"] = "o'neil";
  library::savelog(ctx(), "1", "1");
  library::savelog(ctx(), "1", "0");
  library::savelog(ctx(), "2", "1");
  library::oplog(ctx(), "删除'文件'");
  expect_quiet();
  EXPECT_EQ(rows(),
            "应用日志|10.0.0.15|o'neil|系统登陆|1 / 应用日志|10.0.0.15|o'neil|系统退出|0 / "
            "安全日志|10.0.0.15|o'neil|非法用户|1 / 应用日志|10.0.0.15|o'neil|删除'文件'|1");
}

TEST_F(AccessLogTest, SavelogWritesNothingWithoutItsSwitchesAndSkipsFailures) {
  settings("NotValid='0', LoginLog='0'");
  library::savelog(ctx(), "1", "1");
  library::savelog(ctx(), "2", "1");
  db_.exec("delete from OA_AnQuan");
  library::savelog(ctx(), "2", "1");
  EXPECT_EQ(rows(), "");
  db_.exec("drop table OA_Log");
  library::oplog(ctx(), "x");
  settings();
  library::savelog(ctx(), "1", "1");
  expect_quiet();
}

}  // namespace
}  // namespace library_test
