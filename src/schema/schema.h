// The office system's table definitions and the demo data, compiled in from schema/*.sql.
#pragma once

#include <string_view>
#include <vector>

namespace schema {

struct SqlFile {
  std::string_view name;  // file name, e.g. "10_tables.sql"
  std::string_view text;  // the SQL script as written
};

// Every schema/*.sql file, in file-name order.
const std::vector<SqlFile>& files();

}  // namespace schema
