// The message box, written piece by piece around the caller's message.
#include "library/messagebox.h"

#include <string_view>

namespace library {
namespace {

// The pieces before and after the message, each as the box has always written it.
constexpr std::string_view kBefore[] = {
    " <p align=\"center\">\r\n",
    " <TABLE cellSpacing=0 cellPadding=0 width=230>\r\n",
    " <TR>\r\n",
    " <TD align=middle>\r\n",
    " <TABLE cellSpacing=0 cellPadding=0 width=308 bgColor=#4867AE>\r\n",
    " <TBODY>\r\n",
    " <TR>\r\n",
    " <TD height=2 width=\"89\">\r\n",
    " <p align=\"center\">\u3000</TD>\r\n",
    " <TD height=20 width=\"215\">\r\n",
    " <DIV align=left><font color=#ffffff>系统提示</font></DIV></TD></TR></TBODY></TABLE>\r\n",
    " <div align=\"center\">\r\n",
    " <center>\r\n",
    " <TABLE cellSpacing=1 cellPadding=4 width=306 bgColor=#4867AE height=\"100\">\r\n",
    " <TBODY>\r\n",
    " <TR vAlign=top bgColor=#EFF7FF>\r\n",
    " <TD class=main1 width=\"292\" height=\"53\">\r\n",
    " <p align=\"center\"><br>",
};

constexpr std::string_view kAfter[] = {
    "</p>",
    " </p>",
    " </TD></TR>\r\n",
    " </TBODY></TABLE>\r\n",
    " </center>\r\n",
    " </div>\r\n",
    " <TABLE cellSpacing=0 cellPadding=0 width=307 bgColor=#6d8e4d>\r\n",
    " <TBODY>\r\n",
    " <TR>\r\n",
    " <TD width=119 height=2></TD>\r\n",
    " <TD width=206 height=2>\r\n",
    " <DIV align=right></DIV></TD></TR></TBODY></TABLE></TD></TR></TABLE></p>",
};

}  // namespace

void messagebox(PageContext& ctx, const vb::Variant& message) {
  ctx.routine("messagebox", [&] {
    for (std::string_view piece : kBefore) ctx.Response->write(piece);
    ctx.Response->write(message);
    for (std::string_view piece : kAfter) ctx.Response->write(piece);
  });
}

}  // namespace library
