// The T-SQL rewrites, and that quoted text, names and comments are never rewritten.
#include "platform/ado/tsql_dialect.h"

#include <gtest/gtest.h>

#include "platform/ado/sql_tokens.h"

namespace platform::ado {
namespace {

struct Case {
  const char* tsql;
  const char* sqlite;
};

class TranslateTest : public ::testing::TestWithParam<Case> {};

TEST_P(TranslateTest, Rewrites) { EXPECT_EQ(translate_tsql(GetParam().tsql), GetParam().sqlite); }

INSTANTIATE_TEST_SUITE_P(
    TopN, TranslateTest,
    ::testing::Values(
        Case{"select top 1 * from OA_AnQuan", "select * from OA_AnQuan limit 1"},
        Case{"SELECT TOP 5 Name FROM T ORDER BY OrderNumber",
             "SELECT Name FROM T ORDER BY OrderNumber limit 5"},
        Case{"select distinct top 3 JieDianID from X", "select distinct JieDianID from X limit 3"},
        Case{"select top (2) * from T", "select * from T limit 2"},
        Case{"select top 1 * from T;", "select * from T limit 1;"},
        Case{"select top 1 * from T   ", "select * from T limit 1   "},
        Case{"select top 1 * from T -- top 2", "select * from T limit 1 -- top 2"},
        Case{"select * from A where id in (select top 1 id from B order by id desc) and x=1",
             "select * from A where id in (select id from B order by id desc limit 1) and x=1"},
        Case{"select top 2 a from (select top 9 a from B) s",
             "select a from (select a from B limit 9) s limit 2"},
        Case{"select top 10 percent * from T", "select top 10 percent * from T"},
        Case{"select top @n * from T", "select top @n * from T"}));

INSTANTIATE_TEST_SUITE_P(
    DeleteInsert, TranslateTest,
    ::testing::Values(
        Case{"Delete OA_MSG where ID1='1' and ID2=''   and username='zhangsan'",
             "Delete from OA_MSG where ID1='1' and ID2=''   and username='zhangsan'"},
        Case{"delete from KE_Catalog where KEID=3", "delete from KE_Catalog where KEID=3"},
        Case{"Insert OA_DaiBan_Mail(BiaoTi,EOAID)  values('a',1) ",
             "Insert into OA_DaiBan_Mail(BiaoTi,EOAID)  values('a',1) "},
        Case{"insert into T values(1)", "insert into T values(1)"},
        Case{"delete T where a=1; Insert T(a) values(1)",
             "delete from T where a=1; Insert into T(a) values(1)"},
        Case{"select delete_flag from T", "select delete_flag from T"}));

INSTANTIATE_TEST_SUITE_P(
    Functions, TranslateTest,
    ::testing::Values(
        Case{"select getdate()", "select datetime('now','localtime')"},
        Case{"update T set d=GETDATE ( ) where a=1",
             "update T set d=datetime('now','localtime') where a=1"},
        Case{"select isnull(a,'') from T", "select ifnull(a,'') from T"},
        Case{"select a from T where b isnull", "select a from T where b isnull"},
        Case{"select len(Name) from T", "select length(rtrim(Name)) from T"},
        Case{"select LEN ( isnull(a,'') ) from T where len(b)>2",
             "select length(rtrim( ifnull(a,'') )) from T where length(rtrim(b))>2"},
        Case{"select top 1 len(a) from T", "select length(rtrim(a)) from T limit 1"}));

INSTANTIATE_TEST_SUITE_P(
    Names, TranslateTest,
    ::testing::Values(
        Case{"insert into [OA_Log](LogType) values('x')",
             "insert into \"OA_Log\"(LogType) values('x')"},
        Case{"select [a]]b], [say \"hi\"] from [T]", "select \"a]b\", \"say \"\"hi\"\"\" from \"T\""},
        Case{"select * from dbo.T", "select * from T"},
        Case{"select * from [dbo].[OA_Log]", "select * from \"OA_Log\""},
        Case{"select N'中文', n'x' from T", "select '中文', 'x' from T"},
        Case{"select 选择型 from OA_FLOW_1_Main", "select 选择型 from OA_FLOW_1_Main"}));

// Text between quotes, quoted names and comments come out exactly as they went in.
INSTANTIATE_TEST_SUITE_P(
    QuotedTextUntouched, TranslateTest,
    ::testing::Values(
        Case{"select 'select top 1 isnull(len(getdate())) [x]' from T",
             "select 'select top 1 isnull(len(getdate())) [x]' from T"},
        Case{"select * from T where a='Delete T where b=''top 1'''",
             "select * from T where a='Delete T where b=''top 1'''"},
        Case{"select \"isnull(\" from T", "select \"isnull(\" from T"},
        Case{"select a /* getdate() top 1 [b] */ from T", "select a /* getdate() top 1 [b] */ from T"},
        Case{"select 'unclosed len(", "select 'unclosed len("}));

TEST(UpdatableTableTest, NamesTheOneTableOfTheQuery) {
  EXPECT_EQ(updatable_table("select * from OA_MSG where OAID=0"), "OA_MSG");
  EXPECT_EQ(updatable_table("Select  *  From [OA_Log] Where oaid =0 "), "OA_Log");
  EXPECT_EQ(updatable_table("select * from dbo.KE_Email where KEID=0"), "KE_Email");
  EXPECT_EQ(updatable_table("select * from \"A \"\"b\"\"\" where 1=0"), "A \"b\"");
  EXPECT_EQ(updatable_table("select (select max(x) from U) m from T where a=1"), "T");
  EXPECT_EQ(updatable_table("select * from T t where t.a=1"), "T");
}

TEST(UpdatableTableTest, NoneForJoinsSubqueriesAndTableFreeQueries) {
  EXPECT_EQ(updatable_table("select 1"), "");
  EXPECT_EQ(updatable_table("select * from a, b"), "");
  EXPECT_EQ(updatable_table("select * from a inner join b on a.x=b.x"), "");
  EXPECT_EQ(updatable_table("select * from a x, b y where x.i=y.i"), "");
  EXPECT_EQ(updatable_table("select * from a x left outer join b y on x.i=y.i"), "");
  EXPECT_EQ(updatable_table("select * from (select * from T) s"), "");
  EXPECT_EQ(updatable_table("select 'from T'"), "");
}

TEST(SqlTokensTest, TokensRebuildTheText) {
  for (const char* sql : {"select [a]]b], 'it''s', \"q\"\"\" -- c\nfrom T /* x */ where n=1.5e3",
                          "'open", "[open", "/* open", "a--b"}) {
    std::string rebuilt;
    for (const Token& t : tokenize_sql(sql)) rebuilt += t.text;
    EXPECT_EQ(rebuilt, sql);
  }
}

}  // namespace
}  // namespace platform::ado
