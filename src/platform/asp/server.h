// Server utilities of one request: script time-out, running a sibling page, mapping site paths
// to files, and HTML encoding.
#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <string_view>

#include "platform/asp/keys.h"
#include "vb/variant.h"

namespace platform::asp {

class ObjectContext;

// A sibling page of the site that the host provides (such as "ExecuteFlow.asp"). It runs with
// the calling request's objects, so it shares that request's session and response.
using SiblingPage = std::function<void(ObjectContext&)>;
// Sibling pages by path as the page names them (ASCII case ignored). Built once by the host.
using SiblingPages = std::map<std::string, SiblingPage, KeyLess>;

// One request, one thread.
class Server final : public vb::Object {
 public:
  // site_folder: the folder that the site's "/" maps to; page_folder: the virtual folder of the
  // running page ("/flow"), against which relative paths resolve.
  Server(std::string site_folder, std::string page_folder,
         std::shared_ptr<const SiblingPages> pages);

  // Seconds the page may run; the host reads it.
  long ScriptTimeout = 90;

  // Runs the sibling page registered under path with this request's objects, within the
  // request. An unknown path, or a server not yet handed to an ObjectContext, raises
  // -2147467259 "The call to Server.Execute failed while loading the page."; failures of the
  // sibling page pass through unchanged.
  void Execute(std::string_view path, vb::Here where = vb::Here::current());

  // The file path of a site path: "/a/b" under the site folder, "b" under the page's folder;
  // "\" counts as "/", "." and ".." segments are resolved. A path that climbs above the site
  // folder raises -2147467259 "The '..' characters are not allowed in the Path parameter for
  // the MapPath method."
  std::string MapPath(std::string_view path, vb::Here where = vb::Here::current()) const;

  // The value as text with &, <, > and " replaced by &amp; &lt; &gt; &quot;; nothing else is
  // changed. Null and Empty give "".
  static std::string HTMLEncode(const vb::Variant& value, vb::Here where = vb::Here::current());

  std::string type_name() const override { return "Server"; }

 private:
  friend class ObjectContext;
  std::string site_folder_;
  std::string page_folder_;
  std::shared_ptr<const SiblingPages> pages_;
  ObjectContext* context_ = nullptr;  // set by the ObjectContext that hands this server out
};

}  // namespace platform::asp
