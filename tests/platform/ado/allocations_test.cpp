// What holding rows costs in allocations: nothing per column the page does not read, and
// nothing at all when a recordset is reopened on the statement it ran before.
#include <gtest/gtest.h>

#include <cstdlib>
#include <new>
#include <string>

#include "platform/ado/ado_fixture.h"
#include "support/allocation_counter.h"

namespace platform::ado {
namespace {

using test_support::allocations;

// A table of one row with `width` text columns, each too long to be kept inside a string object.
std::string table(const std::string& name, int width) {
  std::string columns, values;
  for (int i = 0; i < width; ++i) {
    columns += ", c" + std::to_string(i) + " TEXT";
    values += ", 'a text longer than a short string " + std::to_string(i) + "'";
  }
  return "CREATE TABLE " + name + "(OAID INTEGER PRIMARY KEY" + columns + "); INSERT INTO " +
         name + " VALUES(1" + values + ");";
}

class AllocationsTest : public ::testing::Test {
 protected:
  AllocationsTest() { conn.Open(db.connect_string()); }

  // What a recordset's first open on a prepared statement costs, reading one column.
  long first_open(const vb::Variant& sql) {
    Recordset warm;  // the statement prepared once
    warm.Open(sql, conn);
    warm.Close();
    Recordset rs;
    const long before = allocations;
    rs.Open(sql, conn);
    EXPECT_EQ(vb::CStr(rs("c7")), "a text longer than a short string 7");
    rs.Close();
    return allocations - before;
  }

  testing::ScratchDatabase db{table("Wide", 120) + table("Narrow", 8)};
  Connection conn;
};

// The counts themselves depend on the standard library and the build type (8 and 9 for the wide
// row in Debug and Release); what 112 more columns add does not: the buffers that double as
// they grow take 3 more allocations in both, where one per column would take 112.
TEST_F(AllocationsTest, RowsCostNothingPerColumnAndAReopeningNothingAtAll) {
  const long narrow = first_open("select * from Narrow where OAID=1");
  const vb::Variant sql = "select * from Wide where OAID=1";
  EXPECT_LE(first_open(sql) - narrow, 4) << "a first open costs a few buffers, not one per column";

  Recordset rs;
  rs.Open(sql, conn);
  rs.Close();
  const long before = allocations;
  rs.Open(sql, conn);
  const vb::Variant id = rs("OAID").Value();
  rs.Close();
  EXPECT_EQ(allocations - before, 0);
  EXPECT_EQ(id, 1);
}

}  // namespace
}  // namespace platform::ado
