// A fresh demo database in a temporary file, and the demo user's request on it as the demo logs
// the user in: the set-up of the page tests that walk the demo pages.
#pragma once

#include <string>

#include "host/request_runner.h"
#include "schema/database.h"
#include "support/temp_database.h"
#include "vb/builtins.h"

namespace page_test {

class DemoDatabase : public test_support::TempDatabase {
 public:
  DemoDatabase() { schema::create_database(path(), true, true); }

  // The demo user's request for `query` at 2011-09-02 09:05:07; later session values a caller
  // appends replace these.
  host::RenderOptions options(const std::string& query) const {
    host::RenderOptions o;
    o.connect = connect();
    o.query = query;
    o.now = vb::CDate(vb::Variant("2011-09-02 09:05:07"));
    o.session_values = {{"UserName", schema::demo::kUserName},
                        {"TureName", schema::demo::kTureName},
                        {"DepartMentID", vb::Variant(schema::demo::kDepartmentID)},
                        {"_DeptName", schema::demo::kDeptName},
                        {"SystemURL", "/"}};
    return o;
  }
};

}  // namespace page_test
