// The steps of one placeholder on a page state with a fixed clock: default values, the
// editability rule with its session keys, stored values by type, and the read-only display.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "page/fields/default_values.h"
#include "page/fields/editability.h"
#include "page/fields/field_fixture.h"
#include "page/fields/read_only_display.h"
#include "page/fields/stored_values.h"

namespace page_test {
namespace {

using test_support::typed;

class FieldStepTest : public FieldTest {
 protected:
  FieldStepTest() { form("", {"A", "QMTitle1", "Title1"}); }

  std::string default_of(const std::string& type, const std::string& code, const std::string& value,
                         const std::string& RiQiGeShi = "NULL",
                         const std::string& ShiJianGeShi = "NULL",
                         const std::string& ZiDianCode = "'0'") {
    db_.exec("delete from OA_Flow_BiaoDan_Fields where OAID = 1");
    field(1, "A", type, ", DefaultValueType, DefaultValue, RiQiGeShi, ShiJianGeShi, ZiDianCode",
          ", " + code + ", " + value + ", " + RiQiGeShi + ", " + ShiJianGeShi + ", " + ZiDianCode);
    p.zdID = "1";
    p.zdValue = "before";
    page::set_default_value(p);
    return typed(p.zdValue);
  }
};

TEST_F(FieldStepTest, DefaultsByCodeOnTheSecondOfSeptember2011At1407) {
  db_.exec(
      "insert into OA_ZiDian (OAID, Name, ParentID, ZDType) values (1, '甲方', 0, '0'), "
      "(2, NULL, 0, '0')");
  struct Case {
    std::string type, code, value, date_format, time_format, expected;
  } cases[] = {
      {"'单行文本型'", "'0'", "'as stored '", "NULL", "NULL", "String:as stored "},
      {"'单行文本型'", "'0'", "NULL", "NULL", "NULL", "String:"},  // Null shows as ""
      {"'单行文本型'", "NULL", "'x'", "NULL", "NULL", "String:x"},
      {"'单行文本型'", "'A'", "'x'", "NULL", "NULL", "String:x"},  // "A" is not "a"
      {"'单行文本型'", "'4'", "'x'", "NULL", "NULL", "String:张三"},
      {"'单行文本型'", "'5'", "'x'", "NULL", "NULL", "String:zhang"},
      {"'单行文本型'", "'6'", "'x'", "NULL", "NULL", "String:技术部"},
      {"'单行文本型'", "'7'", "'x'", "'%Y-%m-%d'", "NULL", "String:2011-9-2"},
      {"'单行文本型'", "'7'", "'x'", "''", "NULL", "String:2011-09-02"},
      {"'单行文本型'", "'7'", "'x'", "'%D/%M %y%Y'", "NULL", "String:2/9 20112011"},
      {"'单行文本型'", "'8'", "'x'", "NULL", "' %H:%M'", "String: 14:7"},
      {"'单行文本型'", "'9'", "'x'", "''", "''", "String:2011-09-02 14:07"},
      {"'单行文本型'", "'9'", "'x'", "'%Y-%m-%d'", "' %H:%M'", "String:2011-9-2  14:7"},
      {"'单行文本型'", "'2'", "'select Name from OA_ZiDian where OAID=1'", "NULL", "NULL",
       "String:甲方"},
      {"'单行文本型'", "'2'", "'select Name from OA_ZiDian where OAID=9'", "NULL", "NULL",
       "Empty:"},
      {"'单行文本型'", "'2'", "'select Name from OA_ZiDian where OAID=2'", "NULL", "NULL", "Null:"},
      {"'单行文本型'", "'2'", "'   '", "NULL", "NULL", "Empty:"},
      {"'真假型'", "'0'", "'是*否'", "NULL", "NULL", "String:"},
      {"'意见型'", "'4'", "'x'", "NULL", "NULL", "String:"},
      {"'流水号型'", "'2'", "'select Name from OA_ZiDian where OAID=1'", "NULL", "NULL", "String:"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(default_of(c.type, c.code, c.value, c.date_format, c.time_format), c.expected)
        << c.type << " " << c.code << " " << c.value;
  }
  // An options query is never run as a default.
  EXPECT_EQ(default_of("'下拉列表型'", "'2'", "'not a query'", "NULL", "NULL", "'1'"), "Empty:");
  EXPECT_EQ(typed(p.FieldType), "String:下拉列表型");
}

// Field 2 of record 3 holds hostile text. Only the designer's texts (the default as stored,
// the date and time formats) have their references filled, with the raw value the control then
// encodes; a query's result and the session's values show a reference as they hold it.
TEST_F(FieldStepTest, OnlyTheDesignersTextsInADefaultHaveTheirReferencesFilled) {
  const std::string hostile = "x<&\"'</script <!--<script\r\n";
  p.BiaoDanRecordID = "3";
  field(2, "Title1", "'单行文本型'");
  record(", Title1", ", '" + quoted(hostile) + "'");
  for (const char* key : {"TureName", "UserName", "_DeptName"}) (*session_)[key] = "{%2%}";
  const struct {
    const char *code, *value, *date_format, *time_format;
    std::string expected;
  } cases[] = {
      {"'0'", "'a{%2%}'", "NULL", "NULL", "a" + hostile},
      {"'7'", "'x'", "'%Y-%m-%d r{%2%}'", "NULL", "2011-9-2 r" + hostile},
      {"'8'", "'x'", "NULL", "'{%2%}%H:%M'", hostile + "14:7"},
      {"'9'", "'x'", "'%Y{%2%}'", "' %H'", "2011" + hostile + "  14"},
      {"'2'", "'select ''{%2%}'''", "NULL", "NULL", "{%2%}"},
      {"'4'", "'{%2%}'", "NULL", "NULL", "{%2%}"},
      {"'5'", "'{%2%}'", "NULL", "NULL", "{%2%}"},
      {"'6'", "'{%2%}'", "NULL", "NULL", "{%2%}"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(default_of("'单行文本型'", c.code, c.value, c.date_format, c.time_format),
              "String:" + c.expected)
        << c.code;
  }
}

TEST_F(FieldStepTest, AKeyWithoutDefinitionKeepsTheValueAndTypeBefore) {
  for (const char* code : {"9", "5a"}) {
    p.zdID = code;
    p.zdValue = "before";
    p.FieldType = "";
    page::set_default_value(p);
    EXPECT_EQ(typed(p.zdValue), "String:before") << code;
    EXPECT_EQ(typed(p.FieldType), "String:") << code;
  }
}

TEST_F(FieldStepTest, TheEditabilityRule) {
  struct Case {
    const char *EditFields, *isFirst, *TQUserList;
    bool isTeQuanDaiBan;
    const char *DaiBanBanLiType, *zdID;
    bool editable;
  } cases[] = {
      {"-2,5", "0", "", false, "0", "_2", true},
      {"-2,5", "0", "", false, "0", "5", true},
      {"-2,5", "0", "", false, "0", "-1", false},
      {"-1,-2", "0", "", false, "0", "_1", false},  // of the system codes only the title
      {"15,25", "0", "", false, "0", "5", false},
      {"-2,5", "0", ";li;zhang;", false, "0", "7", true},
      {"-2,5", "1", ";li;zhang;", false, "0", "7", false},  // a start node grants nothing
      {"-2,5", "0", ";ZHANG;", false, "0", "7", false},
      {"", "0", "", true, "0", "_2", true},
      {"", "0", "", true, "0", "_3", false},
      {"-2,5", "0", "", false, "1", "5", false},  // a consultation answer edits nothing
      {"-2,5", "0", ";zhang;", false, "1", "5", true},
  };
  for (const Case& c : cases) {
    p.EditFields = c.EditFields;
    p.isFirst = c.isFirst;
    p.TQUserList = c.TQUserList;
    p.isTeQuanDaiBan = c.isTeQuanDaiBan;
    p.DaiBanBanLiType = c.DaiBanBanLiType;
    p.zdID = c.zdID;
    p.zdValue = "v";
    page::decide_editability(p);
    EXPECT_EQ(typed(p.isEdit), c.editable ? "Boolean:True" : "Boolean:False")
        << c.EditFields << " " << c.zdID;
    EXPECT_EQ(typed(p.zdValue), c.editable ? "String:v" : "String:") << c.zdID;
    if (vb::Variant(c.DaiBanBanLiType) == "1") {
      EXPECT_EQ(typed(p.EditFields), "String:");
    }
  }
}

TEST_F(FieldStepTest, TheRuleWritesTheSessionKeysOfTheSiblingPages) {
  p.isRen = "1";
  p.BiaoDanRecordID = "3";
  p.JieDianID = "2";
  p.zdID = "_1";
  page::decide_editability(p);
  EXPECT_EQ(typed(session_->get("TQIsRen")), "String:1");
  for (const std::string prefix : {"TQ", "OA"}) {
    EXPECT_EQ(typed(session_->get(prefix + "BiaoDanRecordID")), "String:3") << prefix;
    EXPECT_EQ(typed(session_->get(prefix + "BiaoDanID")), "String:7") << prefix;
    EXPECT_EQ(typed(session_->get(prefix + "JieDianID")), "String:2") << prefix;
  }
}

class StoredValueTest : public FieldStepTest {
 protected:
  StoredValueTest() { p.BiaoDanRecordID = "3"; }
  std::string stored(const std::string& zdID, const std::string& FieldType = "") {
    p.zdID = zdID;
    p.FieldType = FieldType;
    p.zdValue = "default";
    page::RecordRow row;  // read afresh, as each case changes the record
    page::read_stored_value(p, row);
    return vb::CStr(p.zdValue);
  }
  void todo_of(const std::string& user) {
    db_.exec(
        "insert into OA_DaiBan_LiuCheng (BiaoDanID, BiaoDanRecordID, JieDianID, BanLiRen) "
        "values ('7', '3', '2', '" +
        user + "')");
  }
};

TEST_F(StoredValueTest, TheStatusNamesTheNodeAndAtMostFourHandlers) {
  record();
  for (const char* user : {"li", "wang", "zhao", "sun"}) todo_of(user);
  EXPECT_EQ(stored("_6"), "流程状态：审批中&nbsp;{&nbsp;节点2：张三,李四,王五,赵六...&nbsp;}");
  // The node's and the handlers' names are text in the line's markup.
  db_.exec("update OA_Flow_Model_JieDian set JieDianName = '<b>节点</b>'");
  db_.exec("update KE_UserInfor set TureName = 'a&b<i>' where UserName = 'li'");
  EXPECT_EQ(
      stored("_6"),
      "流程状态：审批中&nbsp;{&nbsp;&lt;b&gt;节点&lt;/b&gt;：张三,a&amp;b&lt;i&gt;,王五,赵六..."
      "&nbsp;}");
  db_.exec("update OA_FLOW_7_Main set isover='1'");
  EXPECT_EQ(stored("_6"), "流程状态：审批结束");
  db_.exec("update OA_FLOW_7_Main set isover='2'");
  EXPECT_EQ(stored("_6"), "default");
  const long last = vb::UBound(p.BookMarkNames);
  EXPECT_EQ(typed(p.BookMarkNames[last]), "String:状态");
  EXPECT_EQ(typed(p.BookMarkValues[last]), "String:default");
}

TEST_F(StoredValueTest, FieldValuesByTypeWithTheirBookmarkNames) {
  db_.exec("alter table OA_FLOW_7_Main add column Avalue TEXT");
  db_.exec("alter table OA_FLOW_7_Main add column \"Q'Title\" TEXT");
  record(", A, Avalue, QMTitle1, Title1, \"Q'Title\"",
         ", 'a b' || char(13) || char(10) || 'c', 'h', 'q1', 't1', 'q.doc'");
  struct Case {
    long key;
    const char *FieldName, *type, *value, *bookmark, *bookmark_value = nullptr;
  } cases[] = {
      {1, "QMTitle1", "单行文本型", "q1", "Title1"},
      {2, "Title1", "单行文本型", "t1", "Title1"},
      // The textarea holds the remark as stored; the document gets it with its line breaks.
      {3, " A ", "备注型", "a b\r\nc", "A", "a&nbsp;b<br>\nc"},
      {5, "A", "查询型", "a b\r\nc", "A"},
      {7, "QMTitle1", "签名文件型",
       "<img src='../showPhoto.asp?FName=FileContent&TName=OA_Flow_QianMing&OAID=q1'>", "Title1"},
      {8, "Title1", "多附件型", "", "Title1"},
      // The column's name is a value of the download address inside the attribute's script.
      {9, "Q'", "附件型",
       "<a href='#' oncontextmenu='javascript:return(false);'  onclick=\"DownLoadFile('../Public/"
       "OA_Download.asp?FieldName=Q%27Title&FileContentField=Q%27Content&Table="
       "OA_FLOW_7_Main&OAID=OAID&Value=3')\">※.q.doc</a>",
       "Q'"},
  };
  for (const Case& c : cases) {
    field(c.key, quoted(c.FieldName), std::string("'") + c.type + "'");
    EXPECT_EQ(stored(std::to_string(c.key), c.type), c.value) << c.type;
    const long entry = vb::UBound(p.BookMarkNames);
    EXPECT_EQ(typed(p.BookMarkNames[entry]), std::string("String:") + c.bookmark) << c.type;
    EXPECT_EQ(vb::CStr(p.BookMarkValues[entry]), c.bookmark_value ? c.bookmark_value : c.value)
        << c.type;
  }
}

// The request's form key ("7%0A" passes as the whole number 7) and a stored signature key are
// values of the addresses the file link and the pictures name: URL-encoded, they add no
// parameter and end neither the script string nor the attribute.
TEST_F(StoredValueTest, RequestAndStoredKeysStayInsideTheAddresses) {
  p.BiaoDanID = "7\n";
  db_.exec("alter table OA_FLOW_7_Main add column FileTitle TEXT");
  record(", QMTitle1, Title1, FileTitle",
         ", '5&TName=x'' onload=alert(1) x=''\"</script>', 't1', 'q.doc'");
  struct Case {
    long key;
    const char *FieldName, *type, *value;
  } cases[] = {
      {1, "File", "附件型",
       "<a href='#' oncontextmenu='javascript:return(false);'  onclick=\"DownLoadFile('../Public/"
       "OA_Download.asp?FieldName=FileTitle&FileContentField=FileContent&Table=OA_FLOW_7%0A_Main&"
       "OAID=OAID&Value=3')\">※.q.doc</a>"},
      {2, "Title1", "图片型",
       "<img src='../showPhoto.asp?FName=Title1&TName=OA_FLOW_7%0A_Main&OAID=3'>"},
      {3, "QMTitle1", "签名文件型",
       "<img src='../showPhoto.asp?FName=FileContent&TName=OA_Flow_QianMing&OAID=5%26TName%3Dx%27%"
       "20onload%3Dalert%281%29%20x%3D%27%22%3C%2Fscript%3E'>"},
  };
  for (const Case& c : cases) {
    field(c.key, c.FieldName, std::string("'") + c.type + "'");
    EXPECT_EQ(stored(std::to_string(c.key), c.type), c.value) << c.type;
  }
}

TEST_F(StoredValueTest, ARecordWithoutRowKeepsTheDefaultAndAddsNoBookmark) {
  EXPECT_EQ(stored("_1"), "default");
  EXPECT_EQ(vb::UBound(p.BookMarkNames), 0);
}

TEST_F(StoredValueTest, AFieldKeyWithoutDefinitionIsAnError) {
  record();
  p.zdID = "9";
  page::RecordRow row;
  EXPECT_VB_ERROR(3021, page::read_stored_value(p, row));
}

TEST_F(FieldStepTest, ReadOnlyDisplayByType) {
  field(1, "A", "'超链接型'", ", lianjiename", ", '产品<页>'");
  field(2, "A", "'超链接型'");
  field(6, "A", "'查询型'", ", cxHTML", ", '1'");
  field(7, "A", "'查询型'", ", cxHTML", ", NULL");
  struct Case {
    const char* key;
    const char* type;
    vb::Variant value;
    const char* shown;
    bool built = false;  // the value is markup the stored-value step built
  } cases[] = {
      {"1", "超链接型", "http://a/?x='1'",
       "<a href='http://a/?x=&#39;1&#39;' target='_new'>产品&lt;页&gt;</a>"},
      {"2", "超链接型", "../a&b.asp", "<a href='../a&amp;b.asp' target='_new'>../a&amp;b.asp</a>"},
      // An address that would run script when clicked is shown, not linked.
      {"1", "超链接型", " JavaScript:alert('x')", " JavaScript:alert(&#39;x&#39;)"},
      {"3", "电子邮件型", "<i>@b", "<a href='mailto:&lt;i&gt;@b' >&lt;i&gt;@b</a>"},
      {"4", "复选框", "on", "<img src='../images/disselect.gif'>"},
      {"5", "单行文本型", vb::Null, "&nbsp;"},
      {"5", "备注型", "a <b>\r\n&amp;", "a&nbsp;&lt;b&gt;<br>\n&amp;amp;"},
      {"5", "HTML编辑器型", "<b>kept</b>", "<b>kept</b>"},
      {"6", "查询型", "<b>kept</b>", "<b>kept</b>"},
      {"7", "查询型", "<b>text</b>", "&lt;b&gt;text&lt;/b&gt;"},
      // A file field without a stored file shows its default, which is text.
      {"5", "附件型", "<b>&'", "&lt;b&gt;&amp;&#39;"},
      {"5", "签名文件型", "<img src='p'>", "<img src='p'>", true},
  };
  for (const Case& c : cases) {
    p.zdID = c.key;
    p.FieldType = c.type;
    p.zdValue = c.value;
    p.value_is_markup = c.built;
    EXPECT_EQ(page::read_only_display(p), c.shown) << c.type << " " << vb::CStr(c.value & "");
  }
}

}  // namespace
}  // namespace page_test
