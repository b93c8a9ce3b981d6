// Readable names for parameterised tests: the case's number and what its first value says, in
// letters, digits and underscores ("1_isStart_True"), the same in every build.
//   INSTANTIATE_TEST_SUITE_P(IsStart, OpenerCanCloseTest, ::testing::Values(...),
//                            test_names::FirstValue());
#pragma once

#include <cctype>
#include <cstddef>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

namespace test_names {
namespace detail {

// Converts to any type: counts the members of an aggregate by how many of these it takes.
struct AnyValue {
  template <class T>
  operator T() const;
};

template <class T, class... Taken>
constexpr std::size_t member_count() {
  if constexpr (requires { T{Taken{}..., AnyValue{}}; }) {
    return member_count<T, Taken..., AnyValue>();
  } else {
    return sizeof...(Taken);
  }
}

template <class T>
std::string text_of(const T& value);

template <class T>
std::string first_member_text(const T& value) {
  constexpr std::size_t count = member_count<T>();
  static_assert(count >= 1 && count <= 4, "a case of one to four members");
  if constexpr (count == 1) {
    const auto& [a] = value;
    return text_of(a);
  } else if constexpr (count == 2) {
    const auto& [a, b] = value;
    return text_of(a);
  } else if constexpr (count == 3) {
    const auto& [a, b, c] = value;
    return text_of(a);
  } else {
    const auto& [a, b, c, d] = value;
    return text_of(a);
  }
}

template <class T>
std::string text_of(const T& value) {
  if constexpr (std::is_same_v<T, bool>) {
    return value ? "true" : "false";
  } else if constexpr (std::is_arithmetic_v<T>) {
    return std::to_string(value);
  } else if constexpr (std::is_pointer_v<T>) {
    return value == nullptr ? "" : std::string(value);
  } else if constexpr (std::is_convertible_v<const T&, std::string_view>) {
    return std::string(std::string_view(value));
  } else if constexpr (requires {
                         value.first;
                         value.second;
                       }) {
    return text_of(value.first);
  } else if constexpr (requires {
                         value.begin();
                         value.end();
                       }) {
    std::string text;
    for (const auto& item : value) text += text_of(item) + " ";
    return text;
  } else {
    return first_member_text(value);
  }
}

// Letters and digits as they are; every run of anything else one underscore, none at the
// ends; at most 60 characters.
inline std::string name_part(const std::string& text) {
  std::string part;
  for (unsigned char c : text) {
    if (std::isalnum(c) && c < 0x80) {
      part += static_cast<char>(c);
    } else if (!part.empty() && part.back() != '_') {
      part += '_';
    }
  }
  while (!part.empty() && part.back() == '_') part.pop_back();
  return part.substr(0, 60);
}

}  // namespace detail

struct FirstValue {
  template <class ParamInfo>
  std::string operator()(const ParamInfo& info) const {
    std::string part = detail::name_part(detail::text_of(info.param));
    return std::to_string(info.index) + (part.empty() ? "" : "_" + part);
  }
};

}  // namespace test_names
