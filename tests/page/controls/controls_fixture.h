// Builds the editable control of one field on a PageState over a test database, as the field
// loop does for an editable placeholder once the value to show is known.
#pragma once

#include <string>

#include "page/controls/field_controls.h"
#include "page/entry/phase_fixture.h"
#include "page/work_recordset.h"
#include "platform/ado/recordset.h"

namespace page_test {

// The attribute list of a field row as add_field leaves it, for a field of type `type`; the
// quote that closes the last value follows it in the control.
inline std::string attributes(const std::string& type) {
  return "' FieldType='" + type +
         "'   FieldHasTime='0'   FieldHasDate='0'   FieldLength='0'   "
         "FieldXianDingChangDu='0'   FieldCanEdit='1'   RiQiGeShi=''   ShiJianGeShi=''   "
         "FieldCantNull='1'  FieldIsDuoXuan='0' FieldNameDis='名称";
}

class ControlTest : public PhaseTest {
 protected:
  ControlTest() {
    p.rsField = page::new_recordset();
    p.rs = page::new_recordset();
    p.BiaoDanID = "7";
    p.BiaoDanRecordID = "";
  }

  // A field row of form 7: `key`, `type`, then `assignments` ("col = value, ...") over the
  // defaults the attribute list above shows.
  void add_field(long key, const std::string& type, const std::string& assignments = "") {
    db_.exec(
        "insert into OA_Flow_BiaoDan_Fields (OAID, TableName, FieldName, FieldType, "
        "FieldNameDis, FieldHasTime, FieldHasDate, FieldLength, FieldXianDingChangDu, "
        "FieldCanEdit, RiQiGeShi, ShiJianGeShi, FieldCantNull, FieldIsDuoXuan) values (" +
        std::to_string(key) + ", 'OA_FLOW_7_Main', 'ZiDuan" + std::to_string(key) + "', '" + type +
        "', '名称', '0', '0', 0, '0', '1', '', '', '1', '0')");
    if (!assignments.empty()) {
      db_.exec("update OA_Flow_BiaoDan_Fields set " + assignments +
               " where OAID = " + std::to_string(key));
    }
  }

  // The control of field `key` showing `value`, as build_field_control leaves it in strHTML;
  // the field loop's closing of rsField follows.
  std::string control(long key, const vb::Variant& value) {
    p.zdID = std::to_string(key);
    p.zdValue = value;
    p.FieldType = db_.scalar("select FieldType from OA_Flow_BiaoDan_Fields where OAID = " +
                             std::to_string(key));
    p.strHTML = vb::Variant();
    EXPECT_TRUE(page::build_field_control(p));
    p.rsField.as<platform::ado::Recordset>().Close();
    return vb::CStr(p.strHTML);
  }
};

}  // namespace page_test
