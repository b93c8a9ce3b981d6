// The file-system object over std::filesystem, confined to its root folder.
#include "platform/fso/file_system_object.h"

#include <algorithm>
#include <system_error>

#include "vb/builtins.h"

namespace platform::fso {
namespace {

namespace fs = std::filesystem;

[[noreturn]] void fail(long number, vb::Here where) {
  const char* description = "Path/File access error";
  switch (number) {
    case kFileNotFound:
      description = "File not found";
      break;
    case kFileAlreadyExists:
      description = "File already exists";
      break;
    case kPermissionDenied:
      description = "Permission denied";
      break;
    case kPathNotFound:
      description = "Path not found";
      break;
    default:
      break;
  }
  throw vb::VbError(number, description, where);
}

// What the scripting runtime reports for a failure the system gave.
[[noreturn]] void fail(const std::error_code& ec, vb::Here where) {
  if (ec == std::errc::no_such_file_or_directory || ec == std::errc::not_a_directory) {
    fail(kPathNotFound, where);
  }
  if (ec == std::errc::file_exists) fail(kFileAlreadyExists, where);
  if (ec == std::errc::permission_denied || ec == std::errc::operation_not_permitted ||
      ec == std::errc::read_only_file_system || ec == std::errc::is_a_directory) {
    fail(kPermissionDenied, where);
  }
  fail(kPathFileAccessError, where);
}

bool is_inside(const fs::path& place, const fs::path& root) {
  return std::mismatch(root.begin(), root.end(), place.begin(), place.end()).first == root.end();
}

bool ends_with_separator(const std::string& text) {
  return !text.empty() && (text.back() == '/' || text.back() == '\\');
}

std::string path_text(const vb::Variant& path, vb::Here where) {
  std::string text = vb::CStr(path, where);
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

// Lets the owner into every folder below `folder`, so that read-only content can go.
void open_up(const fs::path& folder) {
  std::error_code ec;
  fs::permissions(folder, fs::perms::owner_all, fs::perm_options::add, ec);
  for (auto it = fs::recursive_directory_iterator(folder, ec);
       !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
    if (it->is_directory(ec) && !it->is_symlink(ec)) {
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    }
  }
}

}  // namespace

FileSystemObject::FileSystemObject(std::filesystem::path root) : root_(std::move(root)) {}

fs::path FileSystemObject::resolve(const vb::Variant& path, vb::Here where) const {
  std::error_code ec;
  const fs::path root = fs::canonical(root_, ec);
  if (ec) fail(kPathNotFound, where);
  const std::string text = path_text(path, where);
  // The system would end the path at a NUL byte, so that "\0x" names the root itself.
  if (text.find('\0') != std::string::npos) fail(kPermissionDenied, where);
  fs::path place(text);
  if (place.is_relative()) place = root / place;
  place = fs::weakly_canonical(place, ec);
  if (ec) fail(ec, where);
  // A link still standing at the end leads nowhere; what it would create could lie outside.
  if (fs::is_symlink(fs::symlink_status(place, ec)) || !is_inside(place, root)) {
    fail(kPermissionDenied, where);
  }
  return place;
}

bool FileSystemObject::FileExists(const vb::Variant& path, vb::Here where) const {
  std::error_code ec;
  return fs::is_regular_file(resolve(path, where), ec);
}

bool FileSystemObject::FolderExists(const vb::Variant& path, vb::Here where) const {
  std::error_code ec;
  return fs::is_directory(resolve(path, where), ec);
}

void FileSystemObject::DeleteFile(const vb::Variant& path, vb::Here where) {
  const fs::path place = resolve(path, where);
  std::error_code ec;
  if (!fs::is_regular_file(place, ec)) fail(kFileNotFound, where);
  if (!fs::remove(place, ec) && ec) fail(ec, where);
}

void FileSystemObject::CopyFile(const vb::Variant& source, const vb::Variant& destination,
                                vb::Here where) {
  const fs::path from = resolve(source, where);
  std::error_code ec;
  if (!fs::is_regular_file(from, ec)) fail(kFileNotFound, where);
  fs::path to = resolve(destination, where);
  if (ends_with_separator(path_text(destination, where))) {
    if (!fs::is_directory(to, ec)) fail(kPathNotFound, where);
    to /= from.filename();
  }
  if (fs::is_directory(to, ec) || fs::equivalent(from, to, ec)) fail(kPermissionDenied, where);
  if (!fs::is_directory(to.parent_path(), ec)) fail(kPathNotFound, where);
  fs::copy_file(from, to, fs::copy_options::overwrite_existing, ec);
  if (ec) fail(ec, where);
}

void FileSystemObject::DeleteFolder(const vb::Variant& path, vb::Here where) {
  const fs::path place = resolve(path, where);
  std::error_code ec;
  if (place == fs::canonical(root_, ec)) fail(kPermissionDenied, where);
  if (!fs::is_directory(place, ec)) fail(kPathNotFound, where);
  open_up(place);
  fs::remove_all(place, ec);
  if (ec) fail(ec, where);
}

void FileSystemObject::CreateFolder(const vb::Variant& path, vb::Here where) {
  const fs::path place = resolve(path, where);
  std::error_code ec;
  if (fs::exists(place, ec)) fail(kFileAlreadyExists, where);
  fs::create_directory(place, ec);
  if (ec) fail(ec, where);
}

Folder FileSystemObject::GetFolder(const vb::Variant& path, vb::Here where) const {
  const fs::path place = resolve(path, where);
  std::error_code ec;
  if (!fs::is_directory(place, ec)) fail(kPathNotFound, where);
  std::vector<std::string> names;
  for (auto it = fs::directory_iterator(place, ec); !ec && it != fs::directory_iterator();
       it.increment(ec)) {
    std::error_code entry_ec;
    if (it->is_regular_file(entry_ec)) names.push_back(it->path().filename().string());
  }
  if (ec) fail(ec, where);
  std::sort(names.begin(), names.end());
  return Folder(FileCollection(std::move(names)));
}

}  // namespace platform::fso
