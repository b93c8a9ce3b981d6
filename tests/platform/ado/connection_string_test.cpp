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

}  // namespace
}  // namespace platform::ado
