// The existence query of a delete: the same table and condition, or nothing when in doubt.
#include "platform/ado/delete_probe.h"

#include <gtest/gtest.h>

namespace platform::ado {
namespace {

TEST(DeleteProbe, AsksForOneRowOfTheSameTableAndCondition) {
  const struct {
    const char* sql;
    const char* probe;
  } cases[] = {
      {"Delete from OA_MSG where ID1='1' and ID2='1'   and username='zhangsan'",
       "SELECT 1 FROM OA_MSG where ID1='1' and ID2='1'   and username='zhangsan' LIMIT 1"},
      {"DELETE FROM OA_MSG", "SELECT 1 FROM OA_MSG LIMIT 1"},
      {"delete from \"OA MSG\" where a=';' ;", "SELECT 1 FROM \"OA MSG\" where a=';' LIMIT 1"},
      {"delete from main.OA_MSG where ID1 in (select ID1 from T) -- why",
       "SELECT 1 FROM main.OA_MSG where ID1 in (select ID1 from T) LIMIT 1"},
      {"delete from T where note='returning limit'", "SELECT 1 FROM T where note='returning limit' LIMIT 1"},
      // What a probe could get wrong is left to the delete itself.
      {"delete from T where a=1 returning a", ""},
      {"delete from T where a in (select a from U limit 1)", ""},
      {"delete from T as t where t.a=1", ""},
      {"delete from T where a=1; delete from U", ""},
      {"delete T where a=1", ""},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(delete_probe(c.sql), c.probe) << c.sql;
}

}  // namespace
}  // namespace platform::ado
