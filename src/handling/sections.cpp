// The header and body rows of the handling panel's blocks.
#include "handling/sections.h"

#include <string>

namespace handling {
namespace {

constexpr char kTableOpen[] =
    "<table width=\"100%\" border=0 cellspacing=0 cellpadding=2 class=PanelSection>\r\n";

}  // namespace

void open_section(platform::asp::Response& out, std::string_view number,
                  std::string_view caption) {
  const std::string n(number);
  out.write(kTableOpen);
  out.write("\t<tr>\r\n\t\t<td class=SectionHead style=\"cursor:hand\" onclick=\"ChangeDis('" + n +
            "')\"><img id=img" + n + " name=img" + n +
            " src=\"../images/up.gif\" border=0 align=absmiddle>&nbsp;" + std::string(caption) +
            "</td>\r\n\t</tr>\r\n");
  out.write("\t<tr id=Status" + n + " name=Status" + n + ">\r\n\t\t<td>\r\n");
}

void open_plain_section(platform::asp::Response& out, std::string_view caption) {
  out.write(kTableOpen);
  out.write("\t<tr>\r\n\t\t<td class=SectionHead>" + std::string(caption) +
            "</td>\r\n\t</tr>\r\n");
  out.write("\t<tr>\r\n\t\t<td>\r\n");
}

void close_section(platform::asp::Response& out) {
  out.write("\t\t</td>\r\n\t</tr>\r\n</table>\r\n");
}

}  // namespace handling
