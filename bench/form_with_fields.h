// A scratch database whose form 7 has a given number of text fields, for the benchmarks that
// render a stored record of it (see stored_record_request.h).
#pragma once

#include <sqlite3.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <vector>

#include "schema/database.h"
#include "schema/form_tables.h"

namespace bench_forms {

inline void exec(const std::string& path, const std::string& sql) {
  sqlite3* db = nullptr;
  sqlite3_open(path.c_str(), &db);
  sqlite3_exec(db, sql.c_str(), nullptr, nullptr, nullptr);
  sqlite3_close(db);
}

// A scratch database whose form 7 has `fields` text fields, every one placed once in the
// template and stored in record 3, which waits at node 2 for the user "zhang"; node 1 has
// handled it and could edit every field, and node 2 lets the user edit every other one. Each
// call makes a file of its own: a pooled session of a file made before at the same path would
// read the replaced file until it noticed, and then prepare its statements again.
inline std::string database_with(int fields) {
  static int made = 0;
  const std::string path = "/tmp/page_fields_bench_" + std::to_string(getpid()) + "_" +
                           std::to_string(fields) + "_" + std::to_string(++made) + ".db";
  for (const char* suffix : {"", "-wal", "-shm"}) std::remove((path + suffix).c_str());
  schema::create_database(path, false);
  std::vector<std::string> columns;
  std::string html = "<TABLE>", all = "-2,", every_other = "-2,", names, values;
  for (int i = 1; i <= fields; ++i) {
    const std::string key = std::to_string(i), column = "F" + key;
    columns.push_back(column);
    html += "<TR><TD>字段" + key + "</TD><TD>{" + key + ":字段" + key + "}</TD></TR>\r\n";
    all += key + ",";
    if (i % 2 == 0) every_other += key + ",";
    names += ", " + column;
    values += ", '值" + key + "'";
    exec(path, "insert into OA_Flow_BiaoDan_Fields (OAID, TableName, FieldName, FieldType, "
               "FieldNameDis, DefaultValueType, DefaultValue) values (" + key +
               ", 'OA_FLOW_7_Main', '" + column + "', '单行文本型', '字段" + key + "', '0', 'd')");
  }
  schema::create_form_tables(path, 7, columns);
  exec(path,
       "insert into OA_Flow_BiaoDan (OAID, Name, BiaoDanCSS, isJiaZai, ZhengWenType) values "
       "(7, '表单', '" + html + "</TABLE>', '0', '3');"
       "insert into OA_Flow_Model_Header (OAID, Name, BiaoDanID, isSystem, IsOn) values "
       "(5, '流程', 7, '1', '1');"
       "insert into OA_Flow_Model_JieDian (OAID, MOAID, JieDianName, isFirst, BanLiType, "
       "EditFields) values (1, 5, '开始', '1', '2', '" + all + "'), (2, 5, '审核', '0', '2', '" +
       every_other + "');"
       "insert into OA_FLOW_7_Main (OAID, FileTile, TiJiaoRen, isover, LiuChengID" + names +
       ") values (3, '标题', 'li', '0', 5" + values + ");"
       "insert into OA_FLOW_7_BanLi (BiaoDanRecordID, JieDianID, BanLiRen) values ('3', 1, 'li');"
       "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen, "
       "BanLiType) values ('7', '3', '2', 'zhang', '0');"
       "insert into KE_UserInfor (UserName, TureName, DepartMentID) values ('zhang', '张三', 1), "
       "('li', '李四', 1);");
  return path;
}

}  // namespace bench_forms
