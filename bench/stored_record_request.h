// The request the page benchmarks render: record 3 of form 7 at node 2, for the user "zhang".
#pragma once

#include <string>

#include "host/request_runner.h"
#include "vb/builtins.h"

inline host::RenderOptions stored_record_request(const std::string& database_path) {
  host::RenderOptions o;
  o.connect = "Provider=SQLite;Data Source=" + database_path;
  o.query = "BiaoDanID=7&BiaoDanRecordID=3&JieDianID=2";
  o.now = vb::CDate(vb::Variant("2011-09-02 14:07:00"));
  o.session_values = {{"UserName", "zhang"}, {"TureName", "张三"}, {"DepartMentID", "1"}};
  return o;
}
