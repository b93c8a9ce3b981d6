// Hostile stored values on every page of the demo user: whatever text stands in a column the
// page writes out, the page in a browser keeps its own scripts, event handlers and links, and no
// script of the text runs.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "page/demo_database.h"
#include "page/jsdom_runner.h"

namespace page_test {
namespace {

namespace fs = std::filesystem;

// Each text is written into every column at once. A script that runs calls alert.
const char* const kHostileTexts[] = {
    "a<b&c&amp;d",
    "it's \"quoted\"",
    "x</script><script>alert(1)</script>",
    "<!--<script>alert(2)",
    "line\r\nbreak\nthen</textarea><script>alert(3)</script>",
    "<img src=y onerror=alert(4)>",
    "javascript:alert(5)",
    "x' onfocus='alert(6)' {%20%}",  // a reference to the amount lands inside attributes too
};

std::vector<std::string> split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, separator);) parts.push_back(part);
  return parts;
}

std::string sql_literal(const std::string& text) {
  std::string quoted = "'";
  for (char c : text) quoted += c == '\'' ? std::string("''") : std::string(1, c);
  return quoted + "'";
}

// Every placeholder a template writes, in order: field and system placeholders, detail
// placeholders and value references, with their offsets.
std::vector<std::pair<std::size_t, std::string>> template_placeholders(const std::string& html) {
  static const std::regex any("\\{%[^\\n]*?%\\}|\\$[^\\n]*?:[^\\n]*?\\$|\\{[^\\n]*?:[^\\n]*?\\}");
  std::vector<std::pair<std::size_t, std::string>> found;
  for (auto it = std::sregex_iterator(html.begin(), html.end(), any); it != std::sregex_iterator();
       ++it) {
    found.emplace_back(static_cast<std::size_t>(it->position()), it->str());
  }
  return found;
}

// The text with the characters that open and close a placeholder made plain: a value of the
// same shape (length, scheme, blanks) that holds no placeholder.
std::string plain_twin(std::string text) {
  for (char& c : text) c = c == '{' ? '[' : c == '}' ? ']' : c == '$' ? '!' : c;
  return text;
}

std::size_t occurrences(const std::string& page, const std::string& text) {
  std::size_t n = 0;
  for (std::size_t at = page.find(text); at != std::string::npos; at = page.find(text, at + 1)) ++n;
  return n;
}

std::string read_file(const fs::path& file) {
  std::ifstream in(file, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// What a page is in the browser, as counts that a stored value must not change.
constexpr char kDriver[] = R"(
const { JSDOM, VirtualConsole } = require('jsdom');
const fs = require('fs');
for (const file of process.argv.slice(2)) {
  let alerts = 0;
  const dom = new JSDOM(fs.readFileSync(file, 'utf8'), {
    runScripts: 'dangerously', virtualConsole: new VirtualConsole(),
    beforeParse(w) {
      w.alert = () => { alerts++; };
      w.confirm = () => true;
      w.Element.prototype.removeNode = function () { this.remove(); return this; };
    } });
  const d = dom.window.document;
  let handlers = 0, unsafe = 0, attributes = 0;
  for (const e of d.querySelectorAll('*')) {
    attributes += e.attributes.length;
    for (const a of e.attributes) {
      if (a.name.startsWith('on')) handlers++;
      if (/^\s*(javascript|vbscript|data):/i.test(a.value) && /^(href|src|action)$/.test(a.name)) unsafe++;
    }
  }
  const count = (s) => d.querySelectorAll(s).length;
  console.log(['scripts', count('script'), 'handlers', handlers, 'unsafe links', unsafe,
               'textareas', count('textarea'), 'inputs', count('input'), 'selects', count('select'),
               'forms', count('form'), 'alerts', alerts,
               'elements', count('*'), 'attributes', attributes].join(' '));
  dom.window.close();
}
)";

// A line of counts without the totals of elements and attributes, which a line break (shown as
// <br>) or an address shown as text may change.
std::string without_totals(const std::string& line) { return line.substr(0, line.find(" elements")); }

class HostileValuesTest : public ::testing::Test {
 protected:
  // Writes `text` into every stored column the page shows, except those that hold markup by
  // design (the rich-text fields and the HTML look-ups).
  void store_everywhere(const std::string& text) {
    const std::string v = sql_literal(text);
    for (const std::string& form :
         split(db_.scalar("select group_concat(OAID) from OA_Flow_BiaoDan"), ',')) {
      const std::string table = "OA_FLOW_" + form + "_Main";
      const std::string set = db_.scalar(
          "select group_concat('\"' || name || '\" = ' || quote(" + v +
          ")) from pragma_table_info('" + table +
          "') where name not in ('OAID', 'TiJiaoRen', 'isover', 'CurrentJieDianIDs', 'LiuChengID')"
          " and name not in (select trim(FieldName) from OA_Flow_BiaoDan_Fields where TableName = "
          "'" +
          table + "' and (FieldType = 'HTML编辑器型' or (FieldType = '查询型' and cxHTML = '1')))");
      db_.exec("update " + table + " set " + set + ";update OA_FLOW_" + form +
               "_BanLi set BanLiYiJian = " + v);
    }
    db_.exec(
        "update OA_Flow_FuJian set FileName = " + v + ", ShuoMing1 = " + v + ", ShuoMing2 = " + v +
        ", ShuoMing3 = " + v + ";update OA_Flow_YiJian set YiJian = " + v + ", ShiJian = " + v +
        ";update KE_UserInfor set TureName = " + v + ";update KE_Department set DepartName = " + v +
        ";update OA_Flow_QianMing set FileName = " + v +
        ";update OA_Flow_Model_JieDian set JieDianName = " + v +
        ";update OA_ZiDian set Name = " + v + " where ZDType = '1'");
    system_url_ = "/" + text + "/";
  }

  // Every to-do page of the demo user, rendered into a file of `folder`.
  std::vector<fs::path> render_pages(const fs::path& folder, const std::string& prefix) {
    std::vector<fs::path> files;
    for (const std::string& query :
         split(db_.scalar("select group_concat('BiaoDanID=' || BiaoDanID || '&BiaoDanRecordID=' || "
                          "BiaoDanRecordID || '&JieDianID=' || JieDianID, ' ') from "
                          "OA_DaiBan_LiuCheng where BanLiRen = 'zhangsan'"),
               ' ')) {
      host::RenderOptions o = db_.options(query);
      o.session_values.emplace_back(
          "TureName", db_.scalar("select TureName from KE_UserInfor where UserName = 'zhangsan'"));
      o.session_values.emplace_back("SystemURL", system_url_);
      files.push_back(folder / (prefix + std::to_string(files.size()) + ".html"));
      std::ofstream(files.back(), std::ios::binary) << host::render_once(o).body;
    }
    return files;
  }

  // A text column of a demo form's record and the placeholders its template writes after the
  // column's own placeholder (a detail column's is its table's).
  struct StoredColumn {
    std::string table, column;
    std::vector<std::string> later;
  };

  // The columns a user types text into, of every demo form: the number and the title, and the
  // fields of the text-like types that are not hidden.
  std::vector<StoredColumn> text_columns() const {
    std::vector<StoredColumn> columns;
    for (const std::string& form :
         split(db_.scalar("select group_concat(OAID) from OA_Flow_BiaoDan"), ',')) {
      const std::string table = "OA_FLOW_" + form + "_Main";
      const auto found = template_placeholders(
          db_.scalar("select BiaoDanCSS from OA_Flow_BiaoDan where OAID = " + form));
      std::vector<std::pair<std::string, std::string>> codes = {{"CodeNumber", "{_1:"},
                                                                {"FileTile", "{_2:"}};
      for (const std::string& row :
           split(db_.scalar("select group_concat(trim(FieldName) || '=' || OAID, char(31)) from "
                            "OA_Flow_BiaoDan_Fields where TableName = '" + table +
                            "' and isyincang <> '1' and FieldType in ('单行文本型', '多行文本型', "
                            "'备注型', '数字型', '电子邮件型', '超链接型', '日期时间型')"),
                 '\x1f')) {
        const auto at = row.rfind('=');
        codes.emplace_back(row.substr(0, at), "{" + row.substr(at + 1) + ":");
      }
      for (const auto& [column, opening] : codes) {
        std::size_t own = std::string::npos;
        for (const auto& [at, text] : found) {
          if (text.starts_with(opening) || (text[0] == '$' && column.starts_with("QM"))) {
            own = std::min(own, at);
          }
        }
        if (own == std::string::npos) continue;
        StoredColumn c{table, column, {}};
        for (const auto& [at, text] : found) {
          if (at > own) c.later.push_back(text);
        }
        if (!c.later.empty()) columns.push_back(c);
      }
    }
    return columns;
  }

  // One line of counts per file, as the browser sees each page.
  static std::vector<std::string> browser_counts(const fs::path& folder,
                                                 const std::vector<fs::path>& files) {
    std::ofstream(folder / "driver.js") << kDriver;
    const fs::path modules =
        fs::path(__FILE__).parent_path().parent_path() / "js" / "node_modules";
    std::string command =
        "NODE_PATH='" + modules.string() + "' node '" + (folder / "driver.js").string() + "'";
    for (const fs::path& file : files) command += " '" + file.string() + "'";
    const DomRun run = run_command(command + " 2>&1");
    fs::remove_all(folder);
    EXPECT_TRUE(run.ok) << run.output;
    return split(run.output, '\n');
  }

  static fs::path new_folder(const std::string& name) {
    const fs::path folder =
        fs::path(testing::TempDir()) / (name + "_" + std::to_string(getpid()));
    fs::create_directories(folder);
    return folder;
  }

  DemoDatabase db_;
  std::string system_url_ = "/";
};

TEST_F(HostileValuesTest, NoStoredTextChangesAPageInTheBrowser) {
  const fs::path folder = new_folder("flowform_hostile");
  // The same columns with a plain text give the structure every hostile text must keep.
  store_everywhere("plain text 1");
  std::vector<fs::path> files = render_pages(folder, "plain");
  const std::size_t pages = files.size();
  ASSERT_GE(pages, 5u);
  for (std::size_t t = 0; t < std::size(kHostileTexts); ++t) {
    store_everywhere(kHostileTexts[t]);
    const auto hostile = render_pages(folder, "hostile" + std::to_string(t) + "_");
    ASSERT_EQ(hostile.size(), pages);
    files.insert(files.end(), hostile.begin(), hostile.end());
  }
  const std::vector<std::string> lines = browser_counts(folder, files);
  ASSERT_EQ(lines.size(), files.size());
  for (std::size_t i = 0; i < pages; ++i) {
    EXPECT_NE(lines[i].find(" alerts 0 "), std::string::npos) << lines[i];
    for (std::size_t t = 0; t < std::size(kHostileTexts); ++t) {
      EXPECT_EQ(without_totals(lines[pages * (t + 1) + i]), without_totals(lines[i]))
          << "page " << i << " with " << kHostileTexts[t];
    }
  }
}

// Pairs of a stored value and a placeholder that the template writes after the value's field:
// each field placeholder, system code, detail placeholder and value reference of a demo form is
// stored in every text column that comes before it (all of a column's pairs in one value), on
// every page of the demo user. Each page has, in the browser, the structure it has with the same
// values made plain, and each value and each placeholder in it shows exactly as often as its
// plain twin: as stored, never filled.
TEST_F(HostileValuesTest, APlaceholderStoredInAValueShowsAsStored) {
  const std::vector<StoredColumn> columns = text_columns();
  ASSERT_GE(columns.size(), 8u);
  std::vector<std::string> values, placeholders;  // placeholders: each once
  for (const StoredColumn& c : columns) {
    std::string value;
    for (const std::string& text : c.later) {
      value += text;
      if (std::find(placeholders.begin(), placeholders.end(), text) == placeholders.end()) {
        placeholders.push_back(text);
      }
    }
    // Attribute text: a later field's markup spliced into the value would run it.
    values.push_back(value + " x autofocus tabindex=1 onfocus=alert(1) y=");
  }
  const fs::path folder = new_folder("flowform_pairs");
  std::vector<fs::path> files;
  for (const bool plain : {true, false}) {
    for (std::size_t k = 0; k < columns.size(); ++k) {
      db_.exec("update " + columns[k].table + " set \"" + columns[k].column + "\" = " +
               sql_literal(plain ? plain_twin(values[k]) : values[k]));
    }
    const auto rendered = render_pages(folder, plain ? "plain" : "pairs");
    files.insert(files.end(), rendered.begin(), rendered.end());
  }
  const std::size_t pages = files.size() / 2;
  ASSERT_GE(pages, 5u);

  // The placeholders of each kind that a column showing on some page holds.
  std::set<std::string> shown;
  for (std::size_t i = 0; i < pages; ++i) {
    const std::string plain = read_file(files[i]), pairs = read_file(files[pages + i]);
    for (std::size_t k = 0; k < columns.size(); ++k) {
      EXPECT_EQ(occurrences(pairs, values[k]), occurrences(plain, plain_twin(values[k])))
          << "page " << i << " value " << values[k];
      if (occurrences(pairs, values[k].substr(0, values[k].find(' '))) == 0) continue;
      for (const std::string& text : columns[k].later) {
        shown.insert(text[0] == '$' ? "$" : text[1] == '%' ? "{%" : text[1] == '_' ? "{_" : "{");
      }
    }
    for (const std::string& text : placeholders) {
      EXPECT_EQ(occurrences(pairs, text), occurrences(plain, plain_twin(text)))
          << "page " << i << " " << text;
    }
  }
  EXPECT_EQ(shown, (std::set<std::string>{"$", "{%", "{_", "{"}));

  const std::vector<std::string> lines = browser_counts(folder, files);
  ASSERT_EQ(lines.size(), files.size());
  for (std::size_t i = 0; i < pages; ++i) {
    EXPECT_NE(lines[pages + i].find(" alerts 0 "), std::string::npos) << lines[pages + i];
    EXPECT_EQ(lines[pages + i], lines[i]) << "page " << i;
  }
}

}  // namespace
}  // namespace page_test
