// The T-SQL rewrites, and that quoted text, names and comments are never rewritten.
#include "platform/ado/tsql_dialect.h"

#include <gtest/gtest.h>

#include "platform/ado/sql_tokens.h"

namespace platform::ado {
namespace {

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
