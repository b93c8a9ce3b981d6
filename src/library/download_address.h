// The address the download page is opened at for an attachment of a workflow record (a row of
// OA_Flow_FuJian), as the file controls, the stored file lists and the handling panel link it.
#pragma once

#include <string>

#include "library/escape.h"
#include "vb/variant.h"

namespace library {

// "../Public/OA_Download.asp?..." for the attachment whose key is `oaid`, URL-encoded.
inline std::string attachment_download_address(const vb::Variant& oaid) {
  return "../Public/OA_Download.asp?FieldName=FileName&FileContentField=FileContent&"
         "Table=OA_Flow_FuJian&OAID=OAID&Value=" +
         url_value(oaid);
}

}  // namespace library
