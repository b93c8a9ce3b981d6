// The registry of sibling pages.
#include "host/sibling_pages.h"

namespace host {

std::shared_ptr<const platform::asp::SiblingPages> sibling_pages() {
  static const auto pages =
      std::make_shared<const platform::asp::SiblingPages>(platform::asp::SiblingPages{
          // The office system's script evaluator is not part of this system: the request goes
          // through, ReturnString untouched.
          {"ExecuteFlow.asp", [](platform::asp::ObjectContext&) {}},
      });
  return pages;
}

}  // namespace host
