// DDL of the per-form record and step tables.
#include "schema/form_tables.h"

#include "platform/ado/tsql_dialect.h"
#include "schema/sqlite_script.h"

namespace schema {

std::string form_tables_sql(long form_key, const std::vector<std::string>& field_columns) {
  const std::string prefix = "OA_FLOW_" + std::to_string(form_key);
  std::string sql = "CREATE TABLE " + prefix +
                    "_Main (\n"
                    "  OAID INTEGER PRIMARY KEY AUTOINCREMENT,\n"
                    "  CodeNumber TEXT COLLATE NOCASE,\n"
                    "  FileTile TEXT COLLATE NOCASE,\n"
                    "  TiJiaoRen TEXT COLLATE NOCASE,\n"
                    "  TiJiaoDate TEXT,\n"
                    "  isover TEXT COLLATE NOCASE,\n"
                    "  CurrentJieDianIDs TEXT COLLATE NOCASE,\n"
                    "  RecordID TEXT COLLATE NOCASE,\n"
                    "  LiuChengID INTEGER,\n"
                    "  ContentHTML TEXT";
  for (const std::string& column : field_columns) {
    sql += ",\n  " + platform::ado::quoted_name(column) + " TEXT COLLATE NOCASE";
  }
  sql += "\n);\nCREATE TABLE " + prefix +
         "_BanLi (\n"
         "  OAID INTEGER PRIMARY KEY AUTOINCREMENT,\n"
         "  BiaoDanRecordID TEXT COLLATE NOCASE,\n"
         "  JieDianID INTEGER,\n"
         "  BanLiRen TEXT COLLATE NOCASE,\n"
         "  BanLiShiJian TEXT,\n"
         "  BanLiJieGuo TEXT COLLATE NOCASE,\n"
         "  BanLiYiJian TEXT COLLATE NOCASE,\n"
         "  ContentHTML TEXT,\n"
         "  FileID TEXT COLLATE NOCASE\n"
         ");\n";
  return sql;
}

void create_form_tables(const std::string& path, long form_key,
                        const std::vector<std::string>& field_columns) {
  SqliteScript(path, false).run(form_tables_sql(form_key, field_columns));
}

}  // namespace schema
