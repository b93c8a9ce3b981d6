// Request set-up shared by every page of the office system, and the library's other top-level
// routines.
#include "library/request_setup.h"

#include <memory>

#include "platform/ado/connection.h"
#include "platform/ado/recordset.h"
#include "platform/config/config.h"
#include "vb/builtins.h"

namespace library {
namespace {

// Releases the application lock however the store between Lock and UnLock ends.
class ApplicationLock {
 public:
  explicit ApplicationLock(platform::asp::Application& application) : application_(application) {
    application_.Lock();
  }
  ~ApplicationLock() { application_.UnLock(); }
  ApplicationLock(const ApplicationLock&) = delete;
  ApplicationLock& operator=(const ApplicationLock&) = delete;

 private:
  platform::asp::Application& application_;
};

void open_connection(PageContext& ctx) {
  auto conn = std::make_shared<platform::ado::Connection>();
  ctx.conn = vb::ObjectRef(conn);
  conn->CommandTimeout = 999;

  const vb::Variant cached = ctx.Application->get("KELDBConnectString");
  if (cached != "") {
    conn->Open(cached);
    return;
  }
  auto connobj = std::make_shared<platform::config::ConfigComponent>();
  ctx.connobj = vb::ObjectRef(connobj);
  conn->Open(vb::Variant(connobj->ConnectString()));
  {
    ApplicationLock lock(*ctx.Application);
    ctx.Application->set("KELDBConnectString", vb::Variant(connobj->ConnectString()));
  }
  ctx.connobj = vb::ObjectRef();
}

void read_session_timeout(PageContext& ctx) {
  ctx.TimeOut = 45;
  auto rsAnQuan = std::make_shared<platform::ado::Recordset>();
  ctx.rsAnQuan = vb::ObjectRef(rsAnQuan);
  ctx.sql = "select * from OA_AnQuan";
  rsAnQuan->Open(ctx.sql, ctx.conn, 1, 3);
  if (rsAnQuan->RecordCount() > 0) ctx.TimeOut = (*rsAnQuan)("TimeOut").Value();
  if (vb::IsNull(ctx.TimeOut)) ctx.TimeOut = 45;
  if (!vb::IsNumeric(ctx.TimeOut)) ctx.TimeOut = 45;
  rsAnQuan->Close();
  ctx.rsAnQuan = vb::ObjectRef();
  ctx.Session->TimeOut = vb::CLng(ctx.TimeOut);
}

// Sends the browser's top window to the login page; the page stops after the set-up.
void write_login_redirect(PageContext& ctx) {
  platform::asp::Response& out = *ctx.Response;
  out.write(" <script language=javascript>\r\n");
  out.write("\t\ttop.location.href = \"");
  out.write(ctx.Application->get("SendrixOAURL"));
  out.write("login.asp\";\r\n");
  out.write("\t</script>\r\n\t");
}

}  // namespace

void qmdb_connI_init(PageContext& ctx) {
  ctx.top_routine("qmdb_connI_init", [&] {
    ctx.Server->ScriptTimeout = 99999;
    ctx.Response->Expires = 0;
    ctx.Session->CodePage = 936;

    open_connection(ctx);
    read_session_timeout(ctx);

    if (anonymous_request(ctx)) write_login_redirect(ctx);
  });
}

bool anonymous_request(const PageContext& ctx) {
  return !ctx.Session || anonymous_session(*ctx.Session);
}

bool anonymous_session(const platform::asp::Session& session) {
  return session.get("UserName") == "";
}

void closedb(PageContext& ctx) {
  ctx.routine("closedb", [&] {
    if (!ctx.conn.is_object() || ctx.conn.is_nothing()) return;
    ctx.conn.as<platform::ado::Connection>().Close();
    ctx.conn = vb::ObjectRef();
  });
}

void qmqmfunctionI_init(PageContext& ctx) {
  ctx.top_routine("qmqmfunctionI_init", [&] {
    ctx.departmentchildlists = "";
    ctx.parentlists = "";
    ctx.folderparentlists = "";
    ctx.reqtypechildlists = "";
    for (int i = 0; i < 3; ++i) ctx.Response->write("");
  });
}

void qmincfunctionzidiI_init(PageContext& ctx) {
  ctx.top_routine("qmincfunctionzidiI_init", [&] { ctx.Response->write(""); });
}

void qmincfunctiondbI_init(PageContext& ctx) {
  ctx.top_routine("qmincfunctiondbI_init", [&] { ctx.Response->write(""); });
}

}  // namespace library
