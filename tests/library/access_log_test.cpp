// The login policy's verdicts and log rows, and the login, logout and operation rows.
#include "library/access_log.h"

#include <gtest/gtest.h>

#include <string>

#include "library_fixture.h"

namespace library_test {
namespace {

class AccessLogTest : public DatabaseTest {
 protected:
  // The settings row: every check off, both logs on, every day allowed, 8:30 to 17:30; then
  // `changes` ("column=value, ...") applied.
  void settings(const std::string& changes = "") {
    db_.exec(
        "delete from OA_AnQuan; insert into OA_AnQuan (NotValid, LoginLog, ISIP, "
        " IPList, isYunXu, isWeek, SM1, SM2, SM3, SM4, SM5, SM6, SM7, ISTime, SHour, "
        "SMinute, EHour, EMinute) values ('1', '1', '0', '', '1', '0', '1','1','1','1','1','1',"
        "'1', '0', 8, 30, 17, 30)");
    if (!changes.empty()) db_.exec("update OA_AnQuan set " + changes);
  }
  std::string rows() {
    return db_.scalar(
        "select group_concat(LogType||'|'||IPAddress||'|'||UserName||'|'||Remark||"
        "'|'||IsDengLu, ' / ') from (select * from OA_Log order by OAID)");
  }
  // The verdict at `now` (2011-09-02 is a Friday, 2011-09-04 a Sunday).
  std::string allowed_at(const char* now, const char* user = "zhang",
                         const char* address = "10.0.0.15") {
    reset(now);
    (*ctx().Session)["_LogUserName"] = user;
    (*ctx().Session)["_LogUserIPAddress"] = address;
    return typed(library::isallowlogin(ctx()));
  }
};

TEST_F(AccessLogTest, VerdictsAndTheRefusalsLogged) {
  struct Case {
    const char *changes, *now, *verdict, *remarks;
  } cases[] = {
      {"ISTime='1'", "2011-09-02 08:29:59", "False", "非法时间"},
      {"ISTime='1'", "2011-09-02 08:30:00", "True", ""},  // first and last minute are in
      {"ISTime='1'", "2011-09-02 17:30:59", "True", ""},
      {"ISTime='1'", "2011-09-02 17:31:00", "False", "非法时间"},
      {"ISIP='1', isYunXu='0'", "2011-09-02 09:00:00", "False", "非法IP地址"},  // none allowed
      {"ISIP='1'", "2011-09-02 09:00:00", "True", ""},                          // nothing forbidden
      // Entries are prefixes; empty entries match nothing.
      {"ISIP='1', IPList='10.0.0.1'", "2011-09-02 09:00:00", "False", "非法IP地址"},
      {"ISIP='1', IPList='192.168.,10.0.', isYunXu='0'", "2011-09-02 09:00:00", "True", ""},
      {"ISIP='1', IPList=',,192.168.', isYunXu='0'", "2011-09-02 09:00:00", "False", "非法IP地址"},
      {"NotValid='0', ISIP='1', IPList='10.'", "2011-09-02 09:00:00", "False", ""},
      {"ISIP='1', IPList='10.', isWeek='1', SM7='0'", "2011-09-04 09:00:00", "False",
       "非法IP地址/非法时间"},
      {"isWeek='1', SM7='0'", "2011-09-02 09:00:00", "True", ""},
      {"ISTime='1', SHour='x'", "2011-09-02 03:00:00", "True", ""},  // a start that is no time
      // Null switches take their defaults: no check runs.
      {"ISIP=null, isWeek=null, ISTime=null, IPList='10.', SM7='0'", "2011-09-04 03:00:00", "True",
       ""},
      {"isWeek='1', SM7=null", "2011-09-04 03:00:00", "True", ""},
      {"NotValid='0', ISIP='1', IPList='10.', isYunXu=null", "2011-09-04 03:00:00", "False", ""},
      {"NotValid=null, ISIP='1', IPList='10.'", "2011-09-04 03:00:00", "False", ""},
  };
  for (const Case& c : cases) {
    db_.exec("delete from OA_Log");
    settings(c.changes);
    EXPECT_EQ(allowed_at(c.now), std::string("Boolean:") + c.verdict) << c.changes;
    EXPECT_EQ(db_.scalar("select group_concat(Remark, '/') from OA_Log"), c.remarks) << c.changes;
    expect_quiet();
  }
  // Sa, an empty table: everybody is let in.
  settings("ISIP='1', isYunXu='0', isWeek='1', SM6='0', ISTime='1', SHour=23, EHour=23");
  EXPECT_EQ(allowed_at("2011-09-02 09:00:00", "Sa"), "Boolean:True");
  db_.exec("delete from OA_AnQuan");
  EXPECT_EQ(allowed_at("2011-09-04 03:00:00"), "Boolean:True");
  EXPECT_EQ(rows(), "");
  expect_quiet();
}

TEST_F(AccessLogTest, AWindowEndThatIsNoTimeIsReportedButRefusalsStand) {
  const struct {
    const char *changes, *now, *address, *verdict;
  } cases[] = {
      {"ISIP='1', IPList='10.'", "2011-09-02 09:00:00", "10.0.0.15", "Boolean:False"},
      {"ISIP='1', IPList='10.'", "2011-09-02 09:00:00", "192.168.0.1", "Boolean:True"},
      {"isWeek='1', SM7='0'", "2011-09-04 09:00:00", "10.0.0.15", "Boolean:False"},  // Sunday
      {"isWeek='1', SM7='0'", "2011-09-02 09:00:00", "10.0.0.15", "Boolean:True"},
  };
  for (const auto& c : cases) {
    settings(std::string(c.changes) + ", ISTime='1', SHour=1, EHour='x'");
    EXPECT_EQ(allowed_at(c.now, "zhang", c.address), c.verdict) << c.changes;
    expect_reported(13, "Type mismatch", "isallowlogin");
  }
}

TEST_F(AccessLogTest, SavelogAndOplogWriteTheirRowsQuotedOnlyWithTheirSwitches) {
  settings();
  (*ctx().Session)["_LogUserName"] = "o'neil";
  (*ctx().Session)["_LogUserIPAddress"] = "10.0.0.15";
  library::savelog(ctx(), "1", "1");
  library::savelog(ctx(), "1", "0");
  library::savelog(ctx(), "2", "1");
  library::oplog(ctx(), "删除'文件' <a&b>\"</script><!--<script\r\n");
  expect_quiet();
  EXPECT_EQ(rows(),
            "应用日志|10.0.0.15|o'neil|系统登陆|1 / 应用日志|10.0.0.15|o'neil|系统退出|0 / "
            "安全日志|10.0.0.15|o'neil|非法用户|1 / "
            "应用日志|10.0.0.15|o'neil|删除'文件' <a&b>\"</script><!--<script\r\n|1");
  db_.exec("delete from OA_Log");
  for (const char* off : {"NotValid='0', LoginLog='0'", "NotValid=null, LoginLog=null"}) {
    settings(off);
    library::savelog(ctx(), "1", "1");
    library::savelog(ctx(), "2", "1");
  }
  db_.exec("delete from OA_AnQuan");
  library::savelog(ctx(), "2", "1");
  EXPECT_EQ(rows(), "");
  db_.exec("drop table OA_Log");  // failures are skipped
  library::oplog(ctx(), "x");
  settings();
  library::savelog(ctx(), "1", "1");
  expect_quiet();
}

}  // namespace
}  // namespace library_test
