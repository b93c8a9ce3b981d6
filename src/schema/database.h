// Creating the office database from the schema compiled into the program, and the demo's keys.
#pragma once

#include <string>

namespace schema {

// Creates the database file `path` with every table and, with `with_demo_rows`, the demo
// company. Files of schema/ named below "50_" hold the tables, those from "50_" on the demo
// rows. The file is built under a temporary name in one transaction and then renamed into
// place, so nobody sees a half-built database. Raises vb::VbError 58 when `path` exists and
// `replace_existing` is false, -2147467259 with SQLite's message when it cannot be built.
void create_database(const std::string& path, bool with_demo_rows, bool replace_existing = false);

// The keys of the demo rows (schema/50_demo.sql).
namespace demo {
inline constexpr long kFormKey = 1;             // form "采购申请单", tables OA_FLOW_1_Main/_BanLi
inline constexpr long kRecordKey = 1;           // the record waiting in the demo user's to-do list
inline constexpr long kNodeKey = 2;             // the node it waits at, "部门审核"
inline constexpr const char* kUserName = "zhangsan";
inline constexpr const char* kTureName = "张三";
inline constexpr long kDepartmentID = 4;
inline constexpr const char* kDeptName = "技术部";
}  // namespace demo

}  // namespace schema
