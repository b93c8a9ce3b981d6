// The file-system functions over the file-system object, confined to the site's folder.
#include "library/files.h"

#include <string>

#include "platform/fso/file_system_object.h"
#include "vb/builtins.h"

namespace library {
namespace {

using platform::fso::FileSystemObject;

// The object for one call, working in the site's folder.
FileSystemObject file_system(PageContext& ctx, vb::Here where = vb::Here::current()) {
  if (!ctx.Server) vb::raise(vb::kObjectNotSet, where);
  return FileSystemObject(ctx.Server->MapPath("/", where));
}

}  // namespace

void deletefile(PageContext& ctx, const vb::Variant& path) {
  ctx.routine("deletefile", [&] {
    FileSystemObject fso = file_system(ctx);
    if (fso.FileExists(path)) fso.DeleteFile(path);
  });
}

void copyfile(PageContext& ctx, const vb::Variant& source, const vb::Variant& target) {
  ctx.routine("copyfile", [&] {
    FileSystemObject fso = file_system(ctx);
    if (fso.FileExists(source)) fso.CopyFile(source, target);
  });
}

void deletefolder(PageContext& ctx, const vb::Variant& path) {
  ctx.routine("deletefolder", [&] {
    FileSystemObject fso = file_system(ctx);
    if (fso.FolderExists(path)) fso.DeleteFolder(path);
  });
}

void createfolder(PageContext& ctx, const vb::Variant& path) {
  ctx.routine("createfolder", [&] {
    FileSystemObject fso = file_system(ctx);
    if (!fso.FolderExists(path)) fso.CreateFolder(path);
  });
}

vb::Variant folderisexist(PageContext& ctx, const vb::Variant& path) {
  vb::Variant result;
  ctx.routine("folderisexist", [&] { result = file_system(ctx).FolderExists(path); });
  return result;
}

vb::Variant getfolderfilescount(PageContext& ctx, const vb::Variant& path) {
  vb::Variant result;
  ctx.routine("getfolderfilescount", [&] {
    FileSystemObject fso = file_system(ctx);
    result =
        fso.FolderExists(path) ? vb::Variant(fso.GetFolder(path).Files().Count()) : vb::Variant(0);
  });
  return result;
}

vb::Variant getfolderfileslist(PageContext& ctx, const vb::Variant& path) {
  vb::Variant result;
  ctx.routine("getfolderfileslist", [&] {
    FileSystemObject fso = file_system(ctx);
    if (!fso.FolderExists(path)) {
      result = "";
      return;
    }
    const platform::fso::Folder folder = fso.GetFolder(path);
    std::string list = "*";
    for (const std::string& name : folder.Files().names()) list += name + "*";
    list.erase(0, 1);
    if (!list.empty()) list.pop_back();
    result = list;
  });
  return result;
}

}  // namespace library
