// The text controls: the rich-text editor, the opinion and sign-off fields, the remark and the
// serial number.
#include <string>

#include "library/escape.h"
#include "page/controls/controls.h"
#include "page/controls/field_controls.h"
#include "platform/asp/session.h"
#include "vb/builtins.h"

namespace page {
namespace {

constexpr char kHistoryOpening[] =
    "<TABLE WIDTH=99% BORDER=0 CELLSPACING=0 CELLPADDING=0><TR><TD width=100% NOWRAP>";

// The earlier opinions or sign-offs: a table of markup the history step built.
std::string history(const PageState& p) { return vb::CStr(p.zdValue & ""); }

}  // namespace

void html_editor_control(PageState& p) {
  const std::string key = control_key(p);
  p.strHTML = "<TEXTAREA  class='ckeditor'   id='zd" + key + "' NAME='zd" + key + "' >" +
              library::textarea_text(p.zdValue) + "</TEXTAREA>\r <script language=javascript>" +
              "CKEDITOR.replace('zd" + key + "',{toolbar: 'myBasic'});</script>";
}

void opinion_control(PageState& p) {
  const std::string key = control_key(p);
  p.strHTML = kHistoryOpening + history(p) +
              "</TD></TR><TR><TD><br>办理意见：<br><TEXTAREA style='width:100%;height:50' id=zd" +
              key + " name=zd" + key + "></TEXTAREA></TD></TR></TABLE>";
}

void sign_off_control(PageState& p) {
  const std::string key = control_key(p);
  p.strHTML = kHistoryOpening + history(p) + "</TD></TR><input type=hidden  id=zd" + key +
              " name=zd" + key + " value='" +
              library::html_attribute(p.ctx.Session->get("UserName")) + "'></TR></TABLE>";
}

void remark_control(PageState& p) {
  const std::string key = control_key(p);
  p.strHTML = "<textarea style='WIDTH: 99%; HEIGHT: 100%' id='zd" + key + "' name='zd" + key +
              text_control_attributes(p) + "' >" + library::textarea_text(p.zdValue) +
              "</textarea>";
}

void serial_number_control(PageState& p) {
  p.strHTML = typed_text_input(p, "<input style='width:99%'  type=text readonly id='zd");
}

}  // namespace page
