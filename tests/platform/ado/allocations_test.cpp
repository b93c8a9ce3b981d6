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

// A row of 120 text columns, each too long to be kept inside a string object.
std::string wide_table() {
  std::string columns, values;
  for (int i = 0; i < 120; ++i) {
    columns += ", c" + std::to_string(i) + " TEXT";
    values += ", 'a text longer than a short string " + std::to_string(i) + "'";
  }
  return "CREATE TABLE Wide(OAID INTEGER PRIMARY KEY" + columns + "); INSERT INTO Wide VALUES(1" +
         values + ");";
}

class AllocationsTest : public ::testing::Test {
 protected:
  AllocationsTest() { conn.Open(db.connect_string()); }

  testing::ScratchDatabase db{wide_table()};
  Connection conn;
};

TEST_F(AllocationsTest, RowsCostNothingPerColumnAndAReopeningNothingAtAll) {
  const vb::Variant sql = "select * from Wide where OAID=1";
  Recordset warm;  // the statement prepared once
  warm.Open(sql, conn);
  warm.Close();

  Recordset rs;
  long before = allocations;
  rs.Open(sql, conn);
  EXPECT_EQ(vb::CStr(rs("c7")), "a text longer than a short string 7");
  rs.Close();
  const long first = allocations - before;
  EXPECT_LE(first, 8) << "a first open costs a few buffers, not one per column";

  before = allocations;
  rs.Open(sql, conn);
  const vb::Variant id = rs("OAID").Value();
  rs.Close();
  EXPECT_EQ(allocations - before, 0);
  EXPECT_EQ(id, 1);
}

}  // namespace
}  // namespace platform::ado
