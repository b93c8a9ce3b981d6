// The tables each form has: OA_FLOW_<form key>_Main (its records) and OA_FLOW_<form key>_BanLi
// (the handling steps of those records).
#pragma once

#include <string>
#include <vector>

namespace schema {

// The SQL that creates both tables of form `form_key`.
//   record table: OAID (key), CodeNumber, FileTile, TiJiaoRen, TiJiaoDate, isover,
//                 CurrentJieDianIDs, RecordID, LiuChengID, ContentHTML, then one column per
//                 name in `field_columns` (each field's FieldName and its companions
//                 FieldName + "Title", "Content" and "value"; detail columns "QM" + caption)
//   step table:   OAID (key), BiaoDanRecordID, JieDianID, BanLiRen, BanLiShiJian, BanLiJieGuo,
//                 BanLiYiJian, ContentHTML, FileID
std::string form_tables_sql(long form_key, const std::vector<std::string>& field_columns);

// Creates both tables in the database file `path`. -2147467259 with SQLite's message when the
// file cannot be opened or the tables exist.
void create_form_tables(const std::string& path, long form_key,
                        const std::vector<std::string>& field_columns);

}  // namespace schema
