// RegExp over PCRE2: compiling with the script engine's options, the match loop, and the
// Execute and Replace results.
#include "platform/regexp/regexp.h"

#include <map>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <tuple>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include "platform/regexp/script_syntax.h"
#include "vb/builtins.h"
#include "vb/utf8.h"

namespace platform::regexp {
namespace {

constexpr long kSyntaxError = 5017;
constexpr long kOutOfStackSpace = 28;
constexpr uint32_t kHeapLimitKiB = 512 * 1024;

// Per-thread match context with a JIT stack that can grow, so a repeat over a long text does
// not run out of the small default stack. Shared by every RegExp the thread uses.
class MatchContext {
 public:
  MatchContext()
      : stack_(pcre2_jit_stack_create(32 * 1024, 16 * 1024 * 1024, nullptr)),
        context_(pcre2_match_context_create(nullptr)) {
    pcre2_jit_stack_assign(context_, nullptr, stack_);
    pcre2_set_heap_limit(context_, kHeapLimitKiB);
  }
  ~MatchContext() {
    pcre2_match_context_free(context_);
    pcre2_jit_stack_free(stack_);
  }
  MatchContext(const MatchContext&) = delete;
  MatchContext& operator=(const MatchContext&) = delete;

  static pcre2_match_context* for_this_thread() {
    thread_local MatchContext context;
    return context.context_;
  }

 private:
  pcre2_jit_stack* stack_;
  pcre2_match_context* context_;
};

std::string argument_text(const vb::Variant& v, vb::Here where) {
  vb::Variant holder;
  const vb::Variant& value = v.value_ref(holder, where);
  if (value.is_null()) vb::raise(vb::kTypeMismatch, where);
  return vb::CStr(value, where);
}

// Byte offset of the character after the one at pos (one past the end at the end).
std::size_t next_character(std::string_view s, std::size_t pos) {
  if (pos >= s.size()) return s.size() + 1;
  vb::decode_utf8(s, pos);
  return pos;
}

// Appends replacement with its $ tokens filled in from the match at ov in subject.
void expand_replacement(std::string_view replacement, std::string_view subject,
                        const PCRE2_SIZE* ov, uint32_t capture_count, std::string& out) {
  const auto part = [&](PCRE2_SIZE from, PCRE2_SIZE to) {
    out.append(subject.substr(from, to - from));
  };
  for (std::size_t i = 0; i < replacement.size(); ++i) {
    const char c = replacement[i];
    const char next = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
    const uint32_t group = (next >= '1' && next <= '9') ? static_cast<uint32_t>(next - '0') : 0;
    if (c != '$') {
      out += c;
      continue;
    }
    ++i;  // a token takes two characters; the fallback below steps back
    if (next == '$') {
      out += '$';
    } else if (next == '&') {
      part(ov[0], ov[1]);
    } else if (next == '`') {
      part(0, ov[0]);
    } else if (next == '\'') {
      part(ov[1], subject.size());
    } else if (group != 0 && group <= capture_count) {
      if (ov[2 * group] != PCRE2_UNSET) part(ov[2 * group], ov[2 * group + 1]);
    } else {
      out += '$';
      --i;
    }
  }
}

// A pattern compiled (and JIT-compiled) once per process for its text and options; the code
// is never changed after compiling, so any number of threads may match with it at once.
struct SharedCode {
  pcre2_code* code = nullptr;
  uint32_t capture_count = 0;
  explicit SharedCode(pcre2_code* c) : code(c) {
    pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);  // without JIT the interpreter serves
    pcre2_pattern_info(code, PCRE2_INFO_CAPTURECOUNT, &capture_count);
  }
  ~SharedCode() { pcre2_code_free(code); }
  SharedCode(const SharedCode&) = delete;
  SharedCode& operator=(const SharedCode&) = delete;
};

// The compiled patterns of the process by source and options. Patterns come from the page's
// code, so the set is small; past kMaxSharedPatterns a pattern is compiled for its object only.
constexpr std::size_t kMaxSharedPatterns = 512;

std::shared_ptr<const SharedCode> shared_code(const std::string& pattern, bool ignore_case,
                                              bool multi_line, vb::Here where) {
  static std::shared_mutex mutex;
  static std::map<std::tuple<std::string, bool, bool>, std::shared_ptr<const SharedCode>> codes;
  auto key = std::make_tuple(pattern, ignore_case, multi_line);
  {
    const std::shared_lock lock(mutex);
    if (const auto it = codes.find(key); it != codes.end()) return it->second;
  }
  const std::optional<std::string> source = to_pcre2(pattern, multi_line);
  const auto syntax_error = [&] {
    throw vb::VbError(kSyntaxError, "Syntax error in regular expression", where);
  };
  if (!source) syntax_error();
  pcre2_compile_context* context = pcre2_compile_context_create(nullptr);
  pcre2_set_newline(context, PCRE2_NEWLINE_LF);
  uint32_t options = PCRE2_UTF | PCRE2_MATCH_INVALID_UTF | PCRE2_ALT_BSUX |
                     PCRE2_ALLOW_EMPTY_CLASS | PCRE2_MATCH_UNSET_BACKREF;
  if (ignore_case) options |= PCRE2_CASELESS;
  int error_code = 0;
  PCRE2_SIZE error_offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(source->data()), source->size(),
                                   options, &error_code, &error_offset, context);
  pcre2_compile_context_free(context);
  if (code == nullptr) syntax_error();
  auto compiled = std::make_shared<const SharedCode>(code);
  const std::unique_lock lock(mutex);
  if (codes.size() >= kMaxSharedPatterns) return compiled;
  return codes.try_emplace(std::move(key), std::move(compiled)).first->second;
}

}  // namespace

// The shared code of the object's pattern and the object's own match state.
struct RegExp::Compiled {
  std::string pattern;
  bool ignore_case = false;
  bool multi_line = false;
  std::shared_ptr<const SharedCode> shared;
  pcre2_match_data* match_data = nullptr;

  ~Compiled() { pcre2_match_data_free(match_data); }

  // Matches at or after byte start; false when there is no match.
  bool match(std::string_view subject, std::size_t start, vb::Here where) {
    const auto* text = reinterpret_cast<PCRE2_SPTR>(subject.data());
    pcre2_match_context* context = MatchContext::for_this_thread();
    int rc = pcre2_match(shared->code, text, subject.size(), start, 0, match_data, context);
    if (rc == PCRE2_ERROR_JIT_STACKLIMIT) {
      rc =
          pcre2_match(shared->code, text, subject.size(), start, PCRE2_NO_JIT, match_data, context);
    }
    if (rc == PCRE2_ERROR_NOMATCH) return false;
    if (rc < 0) vb::raise(kOutOfStackSpace, where);  // what is left are the matcher's limits
    return true;
  }

  // Calls on_match(ovector) for each match, left to right: all of them or, unless global, the
  // first. The ovector holds the byte offsets of the match and its groups.
  template <class OnMatch>
  void for_each_match(std::string_view subject, bool global, vb::Here where, OnMatch on_match) {
    std::size_t start = 0;
    while (start <= subject.size() && match(subject, start, where)) {
      const PCRE2_SIZE* ov = pcre2_get_ovector_pointer(match_data);
      on_match(ov);
      if (!global) return;
      start = ov[1] > ov[0] ? ov[1] : next_character(subject, ov[1]);
    }
  }
};

vb::Variant Match::SubMatches(long i, vb::Here where) const {
  if (i < 0 || i >= static_cast<long>(sub_matches_.size())) {
    vb::raise(vb::kInvalidProcedureCall, where);
  }
  return sub_matches_[static_cast<std::size_t>(i)];
}

vb::Variant Match::default_value(vb::Here) const { return Value; }

std::shared_ptr<Match> Matches::Item(long i, vb::Here where) const {
  if (i < 0 || i >= Count()) vb::raise(vb::kInvalidProcedureCall, where);
  return items_[static_cast<std::size_t>(i)];
}

RegExp::RegExp() = default;
RegExp::~RegExp() = default;
RegExp::RegExp(RegExp&&) noexcept = default;
RegExp& RegExp::operator=(RegExp&&) noexcept = default;

RegExp::Compiled& RegExp::compiled(vb::Here where) {
  if (compiled_ && compiled_->pattern == Pattern && compiled_->ignore_case == IgnoreCase &&
      compiled_->multi_line == MultiLine) {
    return *compiled_;
  }
  compiled_.reset();
  auto compiled = std::make_unique<Compiled>();
  compiled->shared = shared_code(Pattern, IgnoreCase, MultiLine, where);
  compiled->pattern = Pattern;
  compiled->ignore_case = IgnoreCase;
  compiled->multi_line = MultiLine;
  compiled->match_data = pcre2_match_data_create_from_pattern(compiled->shared->code, nullptr);
  compiled_ = std::move(compiled);
  return *compiled_;
}

bool RegExp::Test(const vb::Variant& text, vb::Here where) {
  const std::string subject = argument_text(text, where);
  bool found = false;
  compiled(where).for_each_match(subject, false, where, [&](const PCRE2_SIZE*) { found = true; });
  return found;
}

std::shared_ptr<Matches> RegExp::Execute(const vb::Variant& text, vb::Here where) {
  const std::string subject = argument_text(text, where);
  Compiled& c = compiled(where);
  std::vector<std::shared_ptr<Match>> items;
  std::size_t counted_bytes = 0;  // FirstIndex is counted on from the previous match
  long counted_chars = 0;
  c.for_each_match(subject, Global, where, [&](const PCRE2_SIZE* ov) {
    const std::string_view view(subject);
    counted_chars += vb::char_count(view.substr(counted_bytes, ov[0] - counted_bytes));
    counted_bytes = ov[0];
    std::vector<vb::Variant> groups;
    groups.reserve(c.shared->capture_count);
    for (uint32_t g = 1; g <= c.shared->capture_count; ++g) {
      if (ov[2 * g] == PCRE2_UNSET) {
        groups.emplace_back();
      } else {
        groups.emplace_back(view.substr(ov[2 * g], ov[2 * g + 1] - ov[2 * g]));
      }
    }
    std::string value(view.substr(ov[0], ov[1] - ov[0]));
    const long length = vb::char_count(value);
    items.push_back(
        std::make_shared<Match>(std::move(value), counted_chars, length, std::move(groups)));
  });
  return std::make_shared<Matches>(std::move(items));
}

std::string RegExp::Replace(const vb::Variant& text, const vb::Variant& replacement,
                            vb::Here where) {
  const std::string subject = argument_text(text, where);
  const std::string with = argument_text(replacement, where);
  Compiled& c = compiled(where);
  const std::string_view view(subject);
  std::string out;
  std::size_t copied = 0;
  c.for_each_match(subject, Global, where, [&](const PCRE2_SIZE* ov) {
    out.append(view.substr(copied, ov[0] - copied));
    copied = ov[1];
    expand_replacement(with, view, ov, c.shared->capture_count, out);
  });
  out.append(view.substr(copied));
  return out;
}

}  // namespace platform::regexp
