// Value references wherever the designer wrote them, in a real browser: a stored text that
// tries to leave its place runs nothing, adds no handler or link, and reads back as stored.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "page/fields/field_fixture.h"
#include "page/jsdom_runner.h"

namespace page_test {
namespace {

namespace fs = std::filesystem;

// Blanks and "=", a trailing backslash, a script string's end, a script address, a query.
const std::string kB = "x onerror=mark(2) y=";
const std::string kC = "C:\\dir\\";
const std::string kD = "';mark(4);//\"</script><script>mark(40)</script>";
const std::string kE = "javascript:mark(5)";
const std::string kF = "1&admin=1# 中文";

std::string json(const std::vector<std::string>& texts) {
  std::string out = "[";
  for (const std::string& text : texts) {
    out += out.size() > 1 ? ",\"" : "\"";
    for (char c : text) {
      if (c == '"' || c == '\\') out += '\\';
      out += c;
    }
    out += '"';
  }
  return out + "]";
}

class ValueReferencesTest : public FieldTest {
 protected:
  // What the page probe prints for the page's body: the marks run, then each expression.
  static std::vector<std::string> probe(const std::string& body,
                                        const std::vector<std::string>& expressions) {
    const fs::path folder =
        fs::path(testing::TempDir()) / ("flowform_references_" + std::to_string(getpid()));
    fs::create_directories(folder);
    std::ofstream(folder / "page.html", std::ios::binary) << body;
    std::ofstream lines(folder / "expressions");
    for (const std::string& e : expressions) lines << e << '\n';
    lines.close();
    const DomRun run = run_command(std::string("node ") + FLOWFORM_JS_TESTS_DIR +
                                   "/browser/page_probe.js '" + (folder / "page.html").string() +
                                   "' '" + (folder / "expressions").string() + "' 2>&1");
    fs::remove_all(folder);
    EXPECT_TRUE(run.ok) << run.output;
    std::vector<std::string> printed;
    std::size_t from = 0;
    for (std::size_t end; (end = run.output.find('\n', from)) != std::string::npos;
         from = end + 1) {
      printed.push_back(run.output.substr(from, end - from));
    }
    return printed;
  }
};

TEST_F(ValueReferencesTest, AStoredTextWhereverTheDesignerReferredToItRunsNothingInTheBrowser) {
  form(
      "<script>var shown=[];function show(v){shown.push(v);}\r\n"
      "var s3='{%3%}', s4='{%4%}', t4=\"{%4%}\";</script>\r\n"
      "<img id=u src=none.gif title={%2%}><img id=q src=none.gif title='{%2%}'>\r\n"
      "<b id=h onclick=\"show('{%4%}')\">h</b><b id=h2 onclick=show(&quot;{%3%}&quot;)>h</b>\r\n"
      "<a id=l href='{%5%}'>l</a><a id=a href=\"x.asp?id={%6%}&k=2\">a</a>\r\n"
      "$1:明细$",
      {"B", "C", "D", "E", "F", "QM名称"}, "-2,", "-2,");
  for (int k = 2; k <= 6; ++k) {
    field(k, std::string(1, static_cast<char>('A' + k - 1)), "'单行文本型'");
  }
  field(7, "QM名称", "'单行文本型'");
  db_.exec(
      "insert into OA_Flow_BiaoDan_FieldGuanLian (OAID, DisPlayItemS) values "
      "(1, '名称,<img id=c src=none.gif title={%2%}>')");
  record(", B, C, D, E, F", ", '" + quoted(kB) + "', '" + quoted(kC) + "', '" + quoted(kD) +
                                "', '" + quoted(kE) + "', '" + quoted(kF) + "'");
  handled_at(1);

  const std::vector<std::string> printed = probe(
      render_todo().body,
      {// The handlers a value holding the marker made: only the designer's two hold it, as text.
       "[...document.querySelectorAll('*')].flatMap((e) => [...e.attributes].filter((a) => "
       "/^on/i.test(a.name) && a.value.includes('mark(')).map((a) => e.id + ' ' + a.name))",
       "['u', 'q', 'c'].map((id) => document.getElementById(id).title).concat([s3, s4, t4])",
       "document.getElementById('h').click(); document.getElementById('h2').click(); "
       "shown.concat(marks)",
       "[document.getElementById('l').getAttribute('href')]",
       // Each query value's bytes decoded as the page's code page.
       "document.getElementById('a').search.slice(1).split('&').map((p) => { const [k, v] = "
       "p.split('='); const bytes = v.match(/%[0-9A-F]{2}|[^%]/g).map((b) => b.length > 1 ? "
       "parseInt(b.slice(1), 16) : b.charCodeAt(0)); return k + '=' + new "
       "TextDecoder('gbk').decode(new Uint8Array(bytes)); })"});
  ASSERT_EQ(printed.size(), 6u);
  EXPECT_EQ(printed[0], "[]");  // nothing ran on load
  EXPECT_EQ(printed[1], json({"h onclick"}));
  EXPECT_EQ(printed[2], json({kB, kB, kB, kC, kD, kD}));
  EXPECT_EQ(printed[3], json({kD, kC}));
  EXPECT_EQ(printed[4], json({""}));
  EXPECT_EQ(printed[5], json({"id=" + kF, "k=2"}));
}

}  // namespace
}  // namespace page_test
