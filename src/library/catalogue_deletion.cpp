// Deleting a document catalogue with its subtree and taking it out of the duties' permission
// lists, all of it or nothing.
#include <memory>
#include <string>
#include <vector>

#include "library/rows.h"
#include "library/sql_guard.h"
#include "library/transactions.h"
#include "library/walks.h"
#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::ado::Connection;
using platform::ado::Recordset;

void delete_row(PageContext& ctx, Connection& conn, const std::string& key) {
  ctx.sql = "delete from KE_Catalog where KEID=" + key;
  conn.Execute(ctx.sql);
}

// "*" & list & "*" without the entry key, then without one "*" at either end. The cleaning runs
// three times, as it always has, so up to three adjacent repeats of the entry go.
vb::Variant without_entry(const vb::Variant& list, const std::string& key) {
  std::string wrapped = "*" + text_of(list) + "*";
  for (int pass = 0; pass < 3; ++pass) wrapped = vb::Replace(wrapped, "*" + key + "*", "*");
  if (!wrapped.empty() && wrapped.front() == '*') wrapped.erase(0, 1);
  if (!wrapped.empty() && wrapped.back() == '*') wrapped.pop_back();
  return wrapped;
}

// One catalogue: its own row, its entry in every duty's list, then the rows of its children.
std::shared_ptr<Recordset> delete_catalogue(PageContext& ctx, Connection& conn,
                                            const std::string& key) {
  delete_row(ctx, conn, key);

  ctx.sql = "select * from KE_DutyPower";
  auto duties = open_rows(ctx, ctx.sql);
  for (ctx.ii = 1; !duties->EOF_(); ctx.ii = ctx.ii + vb::Variant(1)) {
    (*duties)("FunList") = without_entry((*duties)("FunList"), key);
    duties->Update();
    duties->MoveNext();
  }
  duties->Close();

  ctx.sql = "select * from KE_Catalog where ParentID=" + key;
  return open_rows(ctx, ctx.sql);
}

}  // namespace

void deletedocumentfolder(PageContext& ctx, const vb::Variant& id) {
  ctx.routine("deletedocumentfolder", [&] {
    const std::string key = sql_int(id);
    auto& conn = ctx.conn.as<Connection>();
    all_or_nothing(ctx, [&] {
      // Each catalogue's row is gone before its children are read, so a loop in ParentID ends
      // by itself: the catalogue it leads back to is no longer there to be found.
      std::vector<std::shared_ptr<Recordset>> children{delete_catalogue(ctx, conn, key)};
      while (!children.empty()) {
        Recordset& rows = *children.back();
        if (rows.EOF_()) {
          rows.Close();
          children.pop_back();
          continue;
        }
        const std::string child = sql_int(rows("KEID"));
        rows.MoveNext();
        delete_row(ctx, conn, child);
        children.push_back(delete_catalogue(ctx, conn, child));
      }
    });
  });
}

}  // namespace library
