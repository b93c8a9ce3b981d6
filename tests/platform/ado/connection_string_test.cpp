// Connection strings: keys in any case, blanks, quoted values.
#include "platform/ado/connection_string.h"

#include <gtest/gtest.h>

namespace platform::ado {
namespace {

TEST(ConnectionStringTest, ReadsKeysInAnyCaseAndQuotedValues) {
  struct Case {
    const char* text;
    const char* provider;
    const char* data_source;
  };
  for (const Case& c : {
           Case{"Provider=SQLite;Data Source=/srv/oa/office.db", "SQLite", "/srv/oa/office.db"},
           Case{"provider = sqlite ; DATA SOURCE =  /srv/oa/office.db ;", "sqlite", "/srv/oa/office.db"},
           Case{"Provider=SQLite;Data Source=\"/srv/a;b.db\";Mode=Share", "SQLite", "/srv/a;b.db"},
           Case{"Data Source='it''s.db';Provider=SQLite", "SQLite", "it's.db"},
           Case{"Provider=A;Provider=SQLite;junk;;Data Source=x", "SQLite", "x"},
           Case{"", "", ""},
       }) {
    const ConnectionString settings(c.text);
    EXPECT_EQ(settings.get("Provider"), c.provider) << c.text;
    EXPECT_EQ(settings.get("data source"), c.data_source) << c.text;
  }
}

TEST(MaskedConnectionString, HidesEveryPasswordLikeValueAndKeepsTheRest) {
  const std::pair<const char*, const char*> cases[] = {
      {"Provider=SQLOLEDB;Data Source=h;User ID=sa;Password=secret123",
       "Provider=SQLOLEDB;Data Source=h;User ID=sa;Password=***"},
      {"password = 'a;b''c<\">' ; uid=u", "password = *** ; uid=u"},
      {"Driver=FreeTDS;PWD={p;w}}d};Server=h", "Driver=FreeTDS;PWD=***;Server=h"},
      {"Jet OLEDB:Database Password=\"x;y\";Data Source=a.mdb",
       "Jet OLEDB:Database Password=***;Data Source=a.mdb"},
      {"PWD=;Provider=SQLite", "PWD=***;Provider=SQLite"},
      {"Provider=SQLite;Data Source=/srv/oa.db", "Provider=SQLite;Data Source=/srv/oa.db"},
      {"/srv/oa/office.db", "/srv/oa/office.db"},
  };
  for (const auto& [text, masked] : cases) EXPECT_EQ(masked_connection_string(text), masked);
}

// FreeTDS reads a braced value up to the first "};" or the end of the string, where the ODBC
// rule ends it at the first "}" that is not doubled: whichever reads further, none of the
// password shows.
TEST(MaskedConnectionString, HidesABracedPasswordWholeHoweverADriverReadsIt) {
  const std::pair<const char*, const char*> cases[] = {
      {"PWD={se}cr}et}", "PWD=***"},
      {"Driver=FreeTDS;PWD={se}cr}et};Server=h", "Driver=FreeTDS;PWD=***;Server=h"},
      {"Password={s}e;c}", "Password=***"},
      {"PWD={a}};b};UID=u", "PWD=***;UID=u"},
      {"UID={u}x};PWD={p}w};Database=OA", "UID={u}x};PWD=***;Database=OA"},
      {"PWD={<&'\"></script>\r\n};Database={o}a}", "PWD=***;Database={o}a}"},
      {"PWD={};UID=u", "PWD=***;UID=u"},
      {"PWD={never closed;UID=u", "PWD=***"},
  };
  for (const auto& [text, masked] : cases) EXPECT_EQ(masked_connection_string(text), masked) << text;
}

}  // namespace
}  // namespace platform::ado
