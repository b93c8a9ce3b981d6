// The T-SQL rewrites, and that quoted text, names and comments are never rewritten; the forms
// SQLite would read otherwise, run on it.
#include "platform/ado/tsql_dialect.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "platform/ado/ado_fixture.h"
#include "platform/ado/sql_tokens.h"

namespace platform::ado {
namespace {

using testing::rows_of;
using TsqlOnSqlite = testing::AdoTest;

TEST(TranslateTsql, RewritesEachFormAndLeavesQuotedTextAlone) {
  const std::pair<const char*, const char*> cases[] = {
      // top N becomes a limit at the end of its own select
      {"select top 1 * from OA_AnQuan", "select * from OA_AnQuan limit 1"},
      {"select distinct top 3 JieDianID from X", "select distinct JieDianID from X limit 3"},
      {"select top (2) * from T", "select * from T limit 2"},
      {"select top 1 * from T;", "select * from T limit 1;"},
      {"select top 1 * from T -- top 2", "select * from T limit 1 -- top 2"},
      {"select * from A where id in (select top 1 id from B order by id desc) and x=1",
       "select * from A where id in (select id from B order by id desc limit 1) and x=1"},
      {"select top 2 a from (select top 9 a from B) s",
       "select a from (select a from B limit 9) s limit 2"},
      {"select top 10 percent * from T", "select top 10 percent * from T"},
      // delete and insert without from / into
      {"Delete OA_MSG where ID1='1' and ID2=''   and username='zhangsan'",
       "Delete from OA_MSG where ID1='1' and ID2=''   and username='zhangsan'"},
      {"Insert OA_DaiBan_Mail(BiaoTi,EOAID)  values('a',1) ",
       "Insert into OA_DaiBan_Mail(BiaoTi,EOAID)  values('a',1) "},
      {"insert into T values(1)", "insert into T values(1)"},
      {"delete T where a=1; Insert T(a) values(1)",
       "delete from T where a=1; Insert into T(a) values(1)"},
      {"select delete_flag from T", "select delete_flag from T"},
      {"insert or replace into T(a) values(1)", "insert or replace into T(a) values(1)"},
      {"INSERT OR IGNORE INTO T values(1)", "INSERT OR IGNORE INTO T values(1)"},
      {"insert or ignore T(a) values('or')", "insert or ignore into T(a) values('or')"},
      {"insert /* or */ or replace [T](a) select 1",
       "insert /* or */ or replace into \"T\"(a) select 1"},
      // a sum with a quoted text and no number joins texts
      {"select '<a href=\"' + url + '\">' + [name] + '</a>' from T",
       "select '<a href=\"' || url || '\">' || \"name\" || '</a>' from T"},
      {"select t.a+N'&'+isnull(t.b,'')+(c) from T t",
       "select t.a||'&'||ifnull(t.b,'')||(c) from T t"},
      {"select a from T where b = 'x' + (select max(c) from U) and d='</script'+e",
       "select a from T where b = 'x' || (select max(c) from U) and d='</script'||e"},
      {"select a + b, 1 + 2, a + 1, '5' + 1, 'a' + b + 2 from T",
       "select a + b, 1 + 2, a + 1, '5' + 1, 'a' + b + 2 from T"},
      {"select +'a', 'b' + +c, '1e+5', 1e+5 from T where a like +'x'",
       "select +'a', 'b' + +c, '1e+5', 1e+5 from T where a like +'x'"},
      {"select case when a=1 then 'x' else b end + 'y' from T",
       "select case when a=1 then 'x' else b end || 'y' from T"},
      // functions
      {"select getdate()", "select datetime('now','localtime')"},
      {"update T set d=GETDATE ( ) where a=1",
       "update T set d=datetime('now','localtime') where a=1"},
      {"select isnull(a,'') from T", "select ifnull(a,'') from T"},
      {"select a from T where b isnull", "select a from T where b isnull"},
      {"select LEN ( isnull(a,'') ) from T where len(b)>2",
       "select length(rtrim( ifnull(a,'') )) from T where length(rtrim(b))>2"},
      // savepoints
      {"SAVE TRANSACTION part", "savepoint part"},
      {"save tran [my part]", "savepoint \"my part\""},
      {"ROLLBACK TRANSACTION part", "rollback to part"},
      {"rollback transaction", "rollback transaction"},
      {"select save, rollback from T", "select save, rollback from T"},
      // names
      {"insert into [OA_Log](LogType) values('x')", "insert into \"OA_Log\"(LogType) values('x')"},
      {"select [a]]b], [say \"hi\"] from [T]", "select \"a]b\", \"say \"\"hi\"\"\" from \"T\""},
      {"select * from dbo.T", "select * from T"},
      {"select * from [dbo].[OA_Log]", "select * from \"OA_Log\""},
      {"select N'中文', n'x' from T", "select '中文', 'x' from T"},
      {"select 选择型 from OA_FLOW_1_Main", "select 选择型 from OA_FLOW_1_Main"},
      // quoted text and comments come out exactly as they went in
      {"select 'select top 1 isnull(len(getdate())) [x]' from T",
       "select 'select top 1 isnull(len(getdate())) [x]' from T"},
      {"select * from T where a='Delete T where b=''top 1'''",
       "select * from T where a='Delete T where b=''top 1'''"},
      {"select \"isnull(\" from T", "select \"isnull(\" from T"},
      {"select a /* getdate() top 1 [b] */ from T", "select a /* getdate() top 1 [b] */ from T"},
      {"select 'unclosed len(", "select 'unclosed len("},
      // a dropped token never joins its neighbours into one token
      {"select 'a'N'b'", "select 'a' 'b'"},
      {"select ''[dbo].''", "select '' ''"},
      {"select [a][dbo].[b]", "select \"a\" \"b\""},
      {"select 1-[dbo].-1", "select 1- -1"},
      {"select 2/dbo.*x", "select 2/ *x"},
      {"select x dbo.y, 1dbo..5", "select x y, 1 .5"},
      {"select top 5'a'", "select 'a' limit 5"},
      {"select top (5)'a' from T", "select 'a' from T limit 5"},
      // forms that a first pass brings together are translated too, so translating the
      // result again changes nothing
      {"select N[dbo].'a', x from [dbo][dbo]..[U]", "select 'a', x from \"U\""},
      {"select top 5  top 6 x", "select x limit 5 limit 6"},
      {"select top 5 top 6 percent x", "select top 6 percent x limit 5"},
      {"select len(getdate(", "select length(rtrim(datetime('now','localtime')"},
  };
  for (const auto& [tsql, sqlite] : cases) {
    EXPECT_EQ(translate_tsql(tsql), sqlite) << tsql;
    EXPECT_EQ(translate_tsql(sqlite), sqlite) << sqlite;
  }
}

// The forms SQLite reads otherwise, run on the embedded database: a sum of texts joins them
// (in a condition too, where its literals could have been bound), a sum of numbers adds them,
// and an insert or replace or ignore writes or keeps its row.
TEST_F(TsqlOnSqlite, JoinsTextsAndInsertsOrReplaces) {
  conn.Execute(
      "insert into OA_Log(LogType, Remark) values('a', '<&\"''</script'), ('b', 'x\r\ny')");
  EXPECT_EQ(rows_of(conn, "select '[' + Remark + ']' from OA_Log where LogType='a'"),
            "[<&\"'</script]");
  for (const auto& [sql, rows] : std::vector<std::pair<std::string, std::string>>{
           {"select OAID from OA_Log where Remark = '<&\"''' + '</script'", "1"},
           {"select OAID from OA_Log where Remark = 'x' + N'\r\n' + 'y'", "2"},
           {"select OAID from OA_Log where Remark = 'x' + '\r\n'", ""},
           {"select OAID + 2, '5' + 1 from OA_Log where OAID = 0 + 2", "4|6"},
           {"select OAID + 3 from OA_Log where OAID = 5 + 7 - 11", "4"},
       }) {
    EXPECT_EQ(rows_of(conn, sql), rows) << sql;
  }
  conn.Execute(
      "insert or replace into OA_Log(OAID, LogType, Remark) values(1, 'c', '<!--<script')");
  conn.Execute("INSERT OR IGNORE OA_Log(OAID, Remark) values(2, 'kept?')");
  EXPECT_EQ(rows_of(conn, "select OAID, LogType, Remark from OA_Log order by OAID"),
            "1|c|<!--<script;2|b|x\r\ny");
}

TEST(UpdatableTable, NamesTheOneTableOfTheQueryOrNone) {
  const std::pair<const char*, const char*> cases[] = {
      {"select * from OA_MSG where OAID=0", "OA_MSG"},
      {"Select  *  From [OA_Log] Where oaid =0 ", "OA_Log"},
      {"select * from dbo.KE_Email where KEID=0", "KE_Email"},
      {"select * from \"A \"\"b\"\"\" where 1=0", "A \"b\""},
      {"select (select max(x) from U) m from T where a=1", "T"},
      {"select * from T t where t.a=1", "T"},
      {"select 1", ""},
      {"select * from a, b", ""},
      {"select * from a inner join b on a.x=b.x", ""},
      {"select * from (select * from T) s", ""},
      {"select 'from T'", ""},
  };
  for (const auto& [sql, table] : cases) EXPECT_EQ(updatable_table(sql), table) << sql;
}

TEST(SqlTokens, TokensRebuildTheText) {
  for (const char* sql : {"select [a]]b], 'it''s', \"q\"\"\" -- c\nfrom T /* x */ where n=1.5e3",
                          "'open", "[open", "/* open", "a--b"}) {
    std::string rebuilt;
    for (const Token& t : tokenize_sql(sql)) rebuilt += t.text;
    EXPECT_EQ(rebuilt, sql);
  }
}

}  // namespace
}  // namespace platform::ado
