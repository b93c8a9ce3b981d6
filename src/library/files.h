// File-system functions for pages that keep uploaded or generated files on the server: delete,
// copy and create files and folders, and list a folder's files.
#pragma once

#include "library/page_context.h"
#include "vb/variant.h"

namespace library {

// Paths are file-system paths inside the site's folder (ctx.Server->MapPath("/")): an absolute
// path must lie in it, a relative one is taken from it, "\" separates like "/". A path that
// leaves the folder ("..", an absolute path elsewhere, a symbolic link out of it) is refused
// with 70 "Permission denied" before anything is touched. Each function tests existence first,
// so deleting or copying what is not there, or creating what is, does nothing. Failures (a
// missing parent folder, no rights) run under the error convention under the function's name.

// Deletes the file when it exists.
void deletefile(PageContext& ctx, const vb::Variant& path);
// Copies the file source to target when source exists, replacing a file at target; a target
// ending in a separator is the folder to copy into.
void copyfile(PageContext& ctx, const vb::Variant& source, const vb::Variant& target);
// Deletes the folder with everything in it, read-only content too, when it exists.
void deletefolder(PageContext& ctx, const vb::Variant& path);
// Creates the folder (one level) when it does not exist.
void createfolder(PageContext& ctx, const vb::Variant& path);
// True when the folder exists.
vb::Variant folderisexist(PageContext& ctx, const vb::Variant& path);
// The number of files directly in the folder; 0 when it does not exist.
vb::Variant getfolderfilescount(PageContext& ctx, const vb::Variant& path);
// The names of the files directly in the folder, by name, joined by "*"; "" when it does not
// exist or holds no file.
vb::Variant getfolderfileslist(PageContext& ctx, const vb::Variant& path);

}  // namespace library
