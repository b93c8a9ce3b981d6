// A statement run with its literals lifted out as parameters gives what SQLite gives for the
// text as written: the same column names, value types, rows in the same order, or the same error.
#include <gtest/gtest.h>
#include <sqlite3.h>

#include <string>
#include <vector>

#include "platform/ado/ado_fixture.h"
#include "platform/ado/driver.h"
#include "platform/ado/sqlite_driver.h"
#include "platform/ado/sqlite_values.h"
#include "platform/ado/tsql_dialect.h"

namespace platform::ado {
namespace {

using namespace std::string_literals;

// Rows are stored so that their key order differs from every index's order: a plan that reads
// another index (or none) gives another order where a query has no order by.
constexpr const char* kSchema = R"sql(
CREATE TABLE KE_UserInfor(UserID INTEGER PRIMARY KEY, UserName TEXT COLLATE NOCASE, TureName TEXT,
  n INTEGER, r REAL, code TEXT, note TEXT DEFAULT 'none', d DATETIME DEFAULT '2011-09-02');
CREATE INDEX UserNameIndex ON KE_UserInfor(UserName);
INSERT INTO KE_UserInfor(UserID, UserName, TureName, n, r, code, note) VALUES
  (1, 'u4', '丙', 12, 2.5, '12', 'it''s'), (2, 'U2', '甲', 3, 12, 'c07', 'a?b'),
  (3, 'u3', '乙', 25, NULL, '007', '-- x'), (4, 'u1', '丁', NULL, -1, 'c1', '/* y'),
  (5, 'v1', '<&"</script', 7, 0, 'x', '50%'), (6, 'u_2', '戊', 2, 2, '2', '''');
CREATE TABLE Item(id INTEGER PRIMARY KEY, flag TEXT, code TEXT, name TEXT);
CREATE UNIQUE INDEX ItemFlagged ON Item(name) WHERE flag = '1';
CREATE INDEX ItemCode ON Item(substr(code, 1, 2), name);
INSERT INTO Item VALUES (1, '1', 'c0a', 'd'), (2, '0', 'c0b', 'a'), (3, '1', 'c1c', 'b'),
  (4, '1', 'c0d', 'c'), (5, NULL, 'c0e', 'b');
CREATE VIEW ItemView AS SELECT * FROM Item;
CREATE TABLE Flagged(id INTEGER PRIMARY KEY, flag TEXT, name TEXT);
CREATE INDEX FlaggedName ON Flagged(name) WHERE flag = '1';
INSERT INTO Flagged SELECT id, flag, name FROM Item;
CREATE TABLE Pair(id INTEGER PRIMARY KEY, f INTEGER, k TEXT);
CREATE INDEX PairKey ON Pair(k);
INSERT INTO Pair VALUES (1, 1, 'x'), (2, 1, 'y'), (3, 2, 'y'), (4, 2, 'x');
CREATE TABLE Ranked(id INTEGER PRIMARY KEY, g INTEGER, h INTEGER);
CREATE INDEX RankedG ON Ranked(g);
CREATE INDEX RankedH ON Ranked(h);
INSERT INTO Ranked VALUES (1, 5, 1), (2, 4, 1), (3, 3, 1), (4, 2, 2), (5, 6, 3);
)sql";

// Column names, then each row's values as type:text, or the error's message.
std::string rendered(const ResultSet& rows) {
  std::string out;
  for (const std::string& name : *rows.columns()) out += name + "|";
  for (std::size_t r = 0; r < rows.row_count(); ++r) {
    out += "\n";
    for (std::size_t c = 0; c < rows.column_count(); ++c) {
      const vb::Variant v = rows.value(r, c);
      out += vb::TypeName(v) + ":" + (v.is_null() ? "" : vb::CStr(v)) + "|";
    }
  }
  return out;
}

// Through the driver, in a transaction rolled back after.
std::string lifted(DriverConnection& session, const std::string& sql) {
  session.begin(vb::Here{});
  std::string out = "no rows";
  try {
    ResultSet rows;
    if (session.execute(sql, rows, 0, vb::Here{})) out = rendered(rows);
  } catch (const vb::VbError& e) {
    out = "error: " + e.description();
  }
  session.rollback(vb::Here{});
  return out;
}

// The translated text as it stands, through SQLite's own interface, rolled back after.
std::string as_written(sqlite3* db, const std::string& sql) {
  sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
  const std::string text = translate_tsql(sql);
  sqlite3_stmt* s = nullptr;
  std::string out = "no rows";
  if (sqlite3_prepare_v2(db, text.c_str(), -1, &s, nullptr) != SQLITE_OK) {
    out = std::string("error: ") + sqlite3_errmsg(db);
  } else {
    auto columns = std::make_shared<ColumnNames>();
    for (int i = 0; i < sqlite3_column_count(s); ++i) {
      columns->emplace_back(sqlite3_column_name(s, i));
    }
    ResultSet rows;
    if (!columns->empty()) rows.start(columns);
    int rc = SQLITE_ROW;
    while ((rc = sqlite3_step(s)) == SQLITE_ROW) {
      for (int i = 0; i < sqlite3_column_count(s); ++i) add_column(rows, s, i);
    }
    if (rc != SQLITE_DONE) {
      out = std::string("error: ") + sqlite3_errmsg(db);
    } else if (!columns->empty()) {
      out = rendered(rows);
    }
  }
  sqlite3_finalize(s);
  sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
  return out;
}

TEST(LiftedStatementsTest, GiveWhatTheTextAsWrittenGives) {
  const testing::ScratchDatabase db(kSchema);
  const std::vector<std::string> cases = {
      // affinities
      "select UserID from KE_UserInfor where n = '12'",
      "select UserID, typeof(n) from KE_UserInfor where n > '5'",
      "select UserID from KE_UserInfor where code = 7 or code = 12",
      "select UserID from KE_UserInfor where r = '12' or r = 2",
      "select UserID from KE_UserInfor where UserID = '3'",
      // number forms, and a word glued to a number
      "select UserID from KE_UserInfor where n = 007 or n = 12.0 or n = 2.5e1",
      "select UserID from KE_UserInfor where n = -12 or r = -1 or n = 2147483648",
      "select UserID from KE_UserInfor where n = 0x0C",
      "select UserID from KE_UserInfor where n=12or n=3",
      "select UserID from KE_UserInfor where n=1or n=2",
      // N'' text, doubled quotes, strings holding a mark, a comment or a quote
      "select UserID from KE_UserInfor where TureName = N'丙' or TureName = n'乙'",
      "select UserID from KE_UserInfor where note = 'it''s' or note = ''''",
      "select UserID from KE_UserInfor where note = 'a?b' or note = '-- x' or note = '/* y'",
      "select UserID, note from KE_UserInfor where note <> '?' and TureName <> '<&\"</script'",
      // IN, BETWEEN, CASE, COLLATE
      "select UserID from KE_UserInfor where UserID in (4, 2, 3)",
      "select UserID from KE_UserInfor where UserName in ('U1', 'u3', 'V1')",
      "select UserID from KE_UserInfor where n between 5 and 20 or UserName between 'U2' and 'u3'",
      "select UserID from KE_UserInfor where case when n > 10 then 'big' else 'small' end = 'big'",
      "select case n when 12 then 'x' else 'y' end, UserID from KE_UserInfor where UserID > 2",
      "select UserID from KE_UserInfor where TureName = '丙' collate nocase or UserName = 'U3' collate binary",
      // LIKE and GLOB: an index on a NOCASE column serves a pattern with a fixed prefix
      "select TureName from KE_UserInfor where UserName like 'u%'",
      "select TureName from KE_UserInfor where UserName like 'U!_%' escape '!'",
      "select TureName from KE_UserInfor where note like '50!%' escape '!' or UserName like ('u%')",
      "select TureName from KE_UserInfor where UserName glob 'u[12]*' or UserName not like 'u%'",
      "select TureName from KE_UserInfor where UserName like '%1' or UserName glob '*2' or note like ''",
      "select TureName from KE_UserInfor where UserName like '_1%' or UserName glob '[u]*'",
      "select TureName from KE_UserInfor where UserName like '*u%' or UserName like 'u' || '%'",
      // subqueries with literals in their select lists
      "select UserID, (select 'x' || count(*) from Ranked where g > 2) from KE_UserInfor where UserID = 3",
      "select * from (select UserID, 'k' as kind, 7 from KE_UserInfor where n > 3) where UserID > 2",
      "select TureName from KE_UserInfor where UserID in (select id from Ranked where h = 3 or g = 4)",
      // order by, group by, compound selects, windows
      "select code, count(*) from KE_UserInfor where n > 2 group by 1 order by 2 desc, 1",
      "select n % 5, count(*) from KE_UserInfor where n > 2 group by n % 5 having count(*) >= 2",
      "select UserID from KE_UserInfor where n > 10 union all select 5 from KE_UserInfor where UserID = 2",
      "select 'a', 12 union select 'b', 22 order by 2 desc",
      "select UserID, row_number() over (order by n desc) from KE_UserInfor where n > 3",
      "select UserID, sum(n) over (order by UserID rows between 2 preceding and current row) "
      "from KE_UserInfor where UserID < 6",
      // a literal count steers the plan: here an index for the filter, else one for the order
      "select id from Ranked where g > 2 order by h limit 2",
      "select id from Ranked where g > 2 order by h limit 2 offset 1",
      "select id from Ranked where g > 2 order by h limit 1, 2",
      "select top 2 id from Ranked where g > 2 order by h",
      // a comparison with 0 or 1 reads as a flag test and changes the order of a join
      "select p.id, q.id from Pair p, Pair q where p.k = q.k and p.f = 1 and q.f = 2",
      "select p.id, q.id from Pair p, Pair q where p.k = q.k and p.f = 2 and q.f = 1",
      // a partial index, an index on an expression, a view over them
      "select name from Item where flag = '1' and name > ''",
      "select name from Item where substr(code, 1, 2) = 'c0'",
      "select name from ItemView where flag = '1' and name > ''",
      "select name from Flagged where flag = '1' and name > ''",
      "select name from Flagged where flag = N'1' and name > 'a'",
      // the T-SQL forms
      "select UserID, getdate() > '2000' from KE_UserInfor where UserID = 2",
      "select UserID from KE_UserInfor where isnull(note, 'none') = 'none' or isnull(n, 5) = 5",
      "select UserID from KE_UserInfor where len(TureName) = 1 and len(code + '  ') = 3",
      "select [UserID] from dbo.KE_UserInfor where [n] = 12 or UserName = N'U2'",
      // inserts with defaults, upserts, updates and deletes; a returning list names its columns
      "insert KE_UserInfor(UserName, n) values ('u9', 44) returning UserID, note, d, 'new', n + 2",
      "insert into KE_UserInfor default values returning UserID, note",
      "insert into KE_UserInfor(UserID, UserName) values (2, 'x') on conflict(UserID) do update "
      "set TureName = 'up' where n > 2 returning UserID, TureName, 7",
      "insert into Item(id, flag, name) values (9, '1', 'd') on conflict(name) where flag = '1' "
      "do update set code = 'zz' returning id, code",
      "update KE_UserInfor set n = n + 5 where UserID = 3 returning n + 5, 'x'",
      "delete from KE_UserInfor where UserID = 3 returning 'gone', UserID",
      // literals SQLite takes only as written, and errors
      "select UserID from KE_UserInfor 'x' where n = 12",
      "select UserID from KE_UserInfor ? where n = ?",  // the text of the shape just failed
      // SQLite reads no further than a NUL, and a number glued to a literal is no parameter's
      "select UserID from KE_UserInfor where note = 'a\0' or 1=1 --'"s,
      "select UserID from KE_UserInfor where note = 'it''s\0x' or n = 12"s,
      "select UserID from KE_UserInfor where UserName = 'u4'1",
      "select UserID from KE_UserInfor where UserName = N'u4'1 or n = 12",
      "select UserID from KE_UserInfor where likelihood(n = 12, 0.5) or likelihood(n = 3, 1)",
      "select UserID from KE_UserInfor where n = 12 12",
      "select nothing from KE_UserInfor where n = 5",
  };
  const auto session = connect(db.connect_string(), vb::Here{});
  sqlite3* own = nullptr;
  ASSERT_EQ(sqlite3_open(db.path().c_str(), &own), SQLITE_OK);
  for (int round = 0; round < 2; ++round) {
    for (const std::string& sql : cases) {
      const long prepares = sqlite_prepares();
      const std::string got = lifted(*session, sql);
      EXPECT_EQ(got, as_written(own, sql)) << sql;
      // Met again, a statement that runs is neither prepared again nor planned again by SQLite.
      if (round == 1 && got.rfind("error", 0) != 0) {
        EXPECT_EQ(sqlite_prepares() - prepares, 0) << sql;
      }
    }
  }
  sqlite3_close(own);
}

// An index made by another session after this one opened steers this one's statements too.
TEST(LiftedStatementsTest, FollowAnIndexMadeSinceTheSessionOpened) {
  const testing::ScratchDatabase db(kSchema);
  const auto session = connect(db.connect_string(), vb::Here{});
  sqlite3* own = nullptr;
  ASSERT_EQ(sqlite3_open(db.path().c_str(), &own), SQLITE_OK);
  const std::string sql = "select TureName from KE_UserInfor where substr(code, 2, 1) = '0'";
  EXPECT_EQ(lifted(*session, sql), as_written(own, sql));
  sqlite3_exec(own, "CREATE INDEX UserCode ON KE_UserInfor(substr(code, 2, 1), TureName)", nullptr,
               nullptr, nullptr);
  EXPECT_EQ(lifted(*session, sql), as_written(own, sql));
  sqlite3_close(own);
}

}  // namespace
}  // namespace platform::ado
