// Notice rows and internal mail: myfunsendxinxi, sendneibuyoujian and getemailstatus.
#include <memory>
#include <string>

#include "library/formatting.h"
#include "library/lookups.h"
#include "library/mail.h"
#include "library/sql_guard.h"
#include "library/transactions.h"
#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::ado::Connection;
using platform::ado::Recordset;

vb::Variant minute_now(PageContext& ctx) {
  return lwformatdatetime(ctx, ctx.Now(), "yyyy-mm-dd hh:nn");
}

// The body of myfunsendxinxi, without a handler of its own, so that sendneibuyoujian can run it
// as a part of its all-or-nothing work.
void write_notices(PageContext& ctx, vb::Variant& users, const vb::Variant& outType,
                   const vb::Variant& msg, const vb::Variant& LinkText, const vb::Variant& url,
                   const vb::Variant& target, const vb::Variant& ID1, const vb::Variant& ID2) {
  users = vb::Replace(users, ";", "*");
  users = vb::Replace(users, ",", "*");
  const vb::Variant names = vb::Split("*" & users & "*", "*");
  for (long i = 0; i <= vb::UBound(names); ++i) {
    const vb::Variant& name = names[i];
    if (name == "") continue;
    const vb::Variant shijian = minute_now(ctx);
    auto rs = std::make_shared<Recordset>();
    rs->Open("select * from OA_MSG where OAID=0", ctx.conn, 1, 3);
    rs->AddNew();
    (*rs)("outType") = outType;
    (*rs)("userName") = name;
    (*rs)("msg") = msg;
    (*rs)("shijian") = shijian;
    (*rs)("url") = url;
    (*rs)("target") = target;
    (*rs)("LinkText") = LinkText;
    (*rs)("isDisplay") = "0";
    (*rs)("isView") = "0";
    (*rs)("ID1") = ID1;
    (*rs)("ID2") = ID2;
    rs->Update();
    rs->Close();
  }
}

}  // namespace

void myfunsendxinxi(PageContext& ctx, vb::Variant& users, const vb::Variant& outType,
                    const vb::Variant& msg, const vb::Variant& LinkText, const vb::Variant& url,
                    const vb::Variant& target, const vb::Variant& ID1, const vb::Variant& ID2) {
  ctx.routine("myfunsendxinxi",
              [&] { write_notices(ctx, users, outType, msg, LinkText, url, target, ID1, ID2); });
}

void sendneibuyoujian(PageContext& ctx, const vb::Variant& sender, vb::Variant& recipients,
                      const vb::Variant& subject, const vb::Variant& content) {
  ctx.routine("sendneibuyoujian", [&] {
    const vb::Variant entries = vb::Split(recipients, ";");
    vb::Variant EmailTo = "*";
    for (long i = 0; i <= vb::UBound(entries); ++i) EmailTo = EmailTo & entries[i] & "-0-0-0*";

    auto& conn = ctx.conn.as<Connection>();
    all_or_nothing(ctx, [&] {
      ctx.sql = "select * from KE_Email where KEID=0";
      auto rs = std::make_shared<Recordset>();
      rs->Open(ctx.sql, ctx.conn, 1, 3);
      rs->AddNew();
      (*rs)("EmailSubject") = subject;
      (*rs)("EmailContent") = content;
      (*rs)("EmailFrom") = sender;
      (*rs)("ImpDegree") = "C";
      (*rs)("EmailStatus") = "1";
      (*rs)("EmailDate") = ctx.Now();
      (*rs)("EmailTo") = EmailTo;
      rs->Update();
      const vb::Variant key = (*rs)("KEID").Value();
      rs->Close();

      for (long i = 0; i <= vb::UBound(entries); ++i) {
        if (entries[i] == "") continue;
        ctx.sql =
            "Insert OA_DaiBan_Mail(BiaoTi,EOAID,ShiJian,FaJianRen,NeiWai,ShouJianRen)  values('" +
            sql_text(subject) + "'," + sql_int(key) + ",'" + sql_text(minute_now(ctx)) + "','" +
            sql_text(sender) + "','1','" + sql_text(entries[i]) + "') ";
        conn.Execute(ctx.sql);
      }

      write_notices(ctx, recipients, "0",
                    "来自：" & showusername(ctx, sender) & "&nbsp;主题：" & subject, "点击查看详情",
                    "MessageInfoDis.asp?KEID=" & key, "detail", key, "");
    });
  });
}

vb::Variant getemailstatus(PageContext& ctx, const vb::Variant& key, const vb::Variant& U,
                           const vb::Variant& index) {
  vb::Variant result;
  ctx.routine("getemailstatus", [&] {
    result = "";
    auto rs = std::make_shared<Recordset>();
    rs->Open("select * from KE_Email where KEID=" + sql_int(key), ctx.conn, 1, 3);
    if (!(rs->RecordCount() > 0)) {
      rs->Close();
      return;
    }
    vb::Variant list = (*rs)("EmailTo").Value();
    rs->Close();
    if (vb::Left(list, 1) == "*") list = vb::Mid(list, 2);
    if (vb::Right(list, 1) == "*") list = vb::Left(list, vb::Len(list) - vb::Variant(1));
    const vb::Variant entries = vb::Split(list, "*");
    const vb::Variant wanted = vb::LCase(U);
    for (long i = 0; i <= vb::UBound(entries); ++i) {
      const vb::Variant parts = vb::Split(entries[i], "-");
      const vb::Variant name = vb::UBound(parts) >= 0 ? parts[0] : vb::Variant("");
      if (vb::LCase(name) == wanted) {
        result = parts.at(vb::CLng(index));
        return;
      }
    }
  });
  return result;
}

}  // namespace library
