// The T-SQL that the office pages and the stored field queries use, rewritten for SQLite.
#pragma once

#include <string>
#include <string_view>

namespace platform::ado {

// Rewrites, outside quoted text and comments (names in any letter case):
//   select [distinct] top N ...    ->  select [distinct] ... limit N   (also inside sub-queries)
//   Delete T where ...              ->  Delete from T where ...
//   Insert T(...) values(...)       ->  Insert into T(...) values(...)
//   insert or replace T(...) ...    ->  insert or replace into T(...) ...   (or ignore, ...)
//   'a' + b + N'c'                  ->  'a' || b || 'c'   (a sum with a quoted text among its
//                                       terms and no number joins texts; 1 + '2' stays a sum)
//   getdate()                       ->  datetime('now','localtime')   ("yyyy-mm-dd hh:nn:ss")
//   isnull(a, b)                    ->  ifnull(a, b)
//   len(x)                          ->  length(rtrim(x))   (T-SQL's LEN ignores trailing blanks)
//   [name]                          ->  "name"
//   N'text'                         ->  'text'
//   dbo.T                           ->  T
//   save tran[saction] name         ->  savepoint name
//   rollback tran[saction] name     ->  rollback to name
// Everything else, blanks and letter case included, is kept as written; where a dropped token
// leaves two neighbours that would read as one token ("'a'N'b'"), a blank keeps them apart. A
// translated statement translates to itself.
std::string translate_tsql(std::string_view sql);

// The one table that a query reads ("select * from T where OAID=0" gives "T"), without quotes,
// brackets or owner; "" when the query reads no table or joins several.
std::string updatable_table(std::string_view select_sql);

// The name as a double-quoted SQL identifier, every '"' in it doubled: a"b gives "a""b".
std::string quoted_name(std::string_view name);

}  // namespace platform::ado
