// The standard texts of the data-access errors.
#include "platform/ado/ado_error.h"

namespace platform::ado {
namespace {

std::string standard_text(long number) {
  switch (number) {
    case kNoCurrentRecord:
      return "Either BOF or EOF is True, or the current record has been deleted. Requested "
             "operation requires a current record.";
    case kNotUpdatable:
      return "Current Recordset does not support updating. This may be a limitation of the "
             "provider, or of the selected locktype.";
    case kItemNotFound:
      return "Item cannot be found in the collection corresponding to the requested name or "
             "ordinal.";
    case kObjectClosed:
      return "Operation is not allowed when the object is closed.";
    case kObjectOpen:
      return "Operation is not allowed when the object is open.";
    case kConnectionUnusable:
      return "The connection cannot be used to perform this operation. It is either closed or "
             "invalid in this context.";
    case kCommandTimeout:
      return "Query timeout expired";
    default:
      return vb::error_description(number);
  }
}

}  // namespace

void raise_ado(long number, vb::Here where) { raise_ado(number, standard_text(number), where); }

void raise_ado(long number, std::string description, vb::Here where) {
  throw vb::VbError(number, std::move(description), where);
}

}  // namespace platform::ado
