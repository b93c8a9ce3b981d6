// FileSystemObject: existence tests, delete, copy and create of files and folders, and a
// folder's file list, kept inside one folder that the object is given to work in.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "vb/variant.h"

namespace platform::fso {

// Numbers and descriptions of the failures, as the scripting runtime reports them.
inline constexpr long kFileNotFound = 53;         // "File not found"
inline constexpr long kFileAlreadyExists = 58;    // "File already exists"
inline constexpr long kPermissionDenied = 70;     // "Permission denied"
inline constexpr long kPathFileAccessError = 75;  // "Path/File access error"
inline constexpr long kPathNotFound = 76;         // "Path not found"

// The files lying directly in a folder, by name in byte order (the order is fixed so that the
// same folder always lists alike).
class FileCollection {
 public:
  explicit FileCollection(std::vector<std::string> names) : names_(std::move(names)) {}
  long Count() const { return static_cast<long>(names_.size()); }
  const std::vector<std::string>& names() const { return names_; }

 private:
  std::vector<std::string> names_;
};

class Folder {
 public:
  explicit Folder(FileCollection files) : files_(std::move(files)) {}
  const FileCollection& Files() const { return files_; }

 private:
  FileCollection files_;
};

// Every path is a file-system path text: relative paths are taken from the root folder, "\"
// counts as "/", and an absolute path must name a place inside the root. A path that leaves
// the root (through "..", an absolute path elsewhere, or a symbolic link that points out of it or
// nowhere), and a path holding a NUL byte, raise 70 "Permission denied" before anything is touched. Other failures raise 76 "Path
// not found" (a missing folder on the way), 58 "File already exists", 70 "Permission denied" (no
// rights, or a folder where a file is meant) or 75 "Path/File access error"; all at the
// caller's line. Creates nothing at construction; used by one thread at a time.
class FileSystemObject final : public vb::Object {
 public:
  // root: the folder to work in; it must exist when a path is resolved (else 76).
  explicit FileSystemObject(std::filesystem::path root);

  std::string type_name() const override { return "FileSystemObject"; }

  // True when path names a file (a folder is not a file).
  bool FileExists(const vb::Variant& path, vb::Here where = vb::Here::current()) const;
  // True when path names a folder.
  bool FolderExists(const vb::Variant& path, vb::Here where = vb::Here::current()) const;

  // Deletes the file; 53 when there is no file.
  void DeleteFile(const vb::Variant& path, vb::Here where = vb::Here::current());
  // Copies the file source to destination, replacing a file there. A destination ending in a
  // separator names the folder to copy into under the source's name. 53 when there is no source
  // file, 76 when the destination's folder is missing, 70 when the destination is a folder.
  void CopyFile(const vb::Variant& source, const vb::Variant& destination,
                vb::Here where = vb::Here::current());
  // Deletes the folder with everything in it, read-only content included; 76 when missing, 70
  // for the root itself.
  void DeleteFolder(const vb::Variant& path, vb::Here where = vb::Here::current());
  // Creates one folder; 76 when its parent is missing, 58 when something exists there.
  void CreateFolder(const vb::Variant& path, vb::Here where = vb::Here::current());
  // The folder with its files; 76 when it is missing.
  Folder GetFolder(const vb::Variant& path, vb::Here where = vb::Here::current()) const;

 private:
  // The place path names, made absolute, with "." and ".." resolved and the symbolic links of
  // its existing part followed; 70 when that place is not inside the root.
  std::filesystem::path resolve(const vb::Variant& path, vb::Here where) const;

  std::filesystem::path root_;
};

}  // namespace platform::fso
