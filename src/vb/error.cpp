// Descriptions of the runtime error numbers and the raise helper.
#include "vb/error.h"

namespace vb {

std::string error_description(long number) {
  switch (number) {
    case kInvalidProcedureCall:
      return "Invalid procedure call or argument";
    case kOverflow:
      return "Overflow";
    case 7:
      return "Out of memory";
    case kSubscriptOutOfRange:
      return "Subscript out of range";
    case 10:
      return "This array is fixed or temporarily locked";
    case kDivisionByZero:
      return "Division by zero";
    case kTypeMismatch:
      return "Type mismatch";
    case 28:
      return "Out of stack space";
    case 53:
      return "File not found";
    case kObjectNotSet:
      return "Object variable or With block variable not set";
    case 92:
      return "For loop not initialized";
    case kInvalidUseOfNull:
      return "Invalid use of Null";
    case kObjectRequired:
      return "Object required";
    case kCannotCreateObject:
      return "ActiveX component can't create object";
    case kNoSuchMember:
      return "Object doesn't support this property or method";
    case 450:
      return "Wrong number of arguments or invalid property assignment";
    default:
      return "Application-defined or object-defined error";
  }
}

void raise(long number, Here where) { throw VbError(number, error_description(number), where); }

}  // namespace vb
