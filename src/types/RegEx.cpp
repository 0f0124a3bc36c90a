// XML Schema patterns matched with PCRE2 (8-bit library, UTF mode).
//
// A pattern is translated into PCRE2 syntax (PatternSyntax.cpp), compiled
// anchored at both ends once and kept in a process-wide cache keyed by the
// pattern as given; each thread keeps the patterns it used last and one
// match block. PCRE2 compiled code is read-only during a match, so one
// compiled pattern serves every thread.
#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>

#include <cstring>
#include <memory>
#include <new>
#include <mutex>
#include <shared_mutex>
#include <unordered_map>
#include <utility>

#include "base/LocalText.h"
#include "base/Messages.h"
#include "base/Utf8.h"
#include "types/Messages.h"
#include "types/PatternSyntax.h"
#include "types/RegEx.h"
#include "vxxml/Restrictions.h"

namespace VxXmlLib10 {

namespace detail {

const std::string& LocalToUtf8(const std::string& text, std::string& scratch) {
  // With ASCII_ONLY the bytes are the UTF-8 text; ASCII is the same text in
  // every local code page the library reads; in a UTF-8 locale the
  // conversion is the identity on well-formed text.
  const unsigned char* const bytes = reinterpret_cast<const unsigned char*>(text.data());
  if (ASCII_ONLY || IsAscii(bytes, text.size())) return text;
  const bool utf8Locale = IsUtf8Locale();
  if (utf8Locale && IsWellFormedUtf8(bytes, text.size())) return text;
  // Local text ends at a NUL: convert between the NULs and keep them.
  scratch.clear();
  size_t start = 0;
  for (;;) {
    const size_t nul = text.find('\0', start);
    const size_t length = (nul == std::string::npos ? text.size() : nul) - start;
    const size_t used = scratch.size();
    scratch.resize(used + (utf8Locale ? length : 4 * length));
    const size_t written = LocalToUtf8(text.data() + start, length, utf8Locale,
                                       reinterpret_cast<unsigned char*>(&scratch[used]));
    scratch.resize(used + written);
    if (nul == std::string::npos) break;
    scratch += '\0';
    start = nul + 1;
  }
  return scratch;
}

}  // namespace detail

namespace {

struct CodeDeleter {
  void operator()(pcre2_code* code) const { pcre2_code_free(code); }
};
using CodePtr = std::shared_ptr<pcre2_code>;

// Compiles the XML Schema pattern: its translation, anchored at both ends.
// Throws the pattern's fault, or PCRE2's refusal of a translation past its
// limits.
CodePtr Compile(const std::string& pattern) {
  const std::string expression = detail::TranslatePattern(pattern);
  int error = 0;
  PCRE2_SIZE offset = 0;
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(expression.data()),
                                   expression.size(),
                                   PCRE2_UTF | PCRE2_ANCHORED | PCRE2_ENDANCHORED, &error,
                                   &offset, nullptr);
  if (!code) {
    PCRE2_UCHAR text[256];
    if (pcre2_get_error_message(error, text, sizeof text) < 0) text[0] = 0;
    detail::ThrowInvalidRegularExpression(pattern, reinterpret_cast<const char*>(text));
  }
  // Machine code where PCRE2 has a JIT for this processor: matching then
  // costs a fraction of interpreting. Without it the interpreter serves.
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  return CodePtr(code, CodeDeleter());
}

// Compiled patterns by XML Schema pattern. Patterns come from generated
// facet sets, so there are few; the bound only keeps a stream of distinct
// patterns from growing memory without end. Failures are not kept: a bad
// pattern is compiled (and reported) again on each call.
class PatternCache {
 public:
  CodePtr Get(const std::string& pattern) {
    {
      std::shared_lock<std::shared_mutex> lock(m_mutex);
      const auto it = m_codes.find(pattern);
      if (it != m_codes.end()) return it->second;
    }
    CodePtr code = Compile(pattern);
    std::unique_lock<std::shared_mutex> lock(m_mutex);
    if (m_codes.size() >= kMaxPatterns) m_codes.clear();
    return m_codes.emplace(pattern, std::move(code)).first->second;
  }

 private:
  static constexpr size_t kMaxPatterns = 1024;
  std::shared_mutex m_mutex;
  std::unordered_map<std::string, CodePtr> m_codes;
};

PatternCache& Cache() {
  static PatternCache cache;
  return cache;
}

struct MatchDataDeleter {
  void operator()(pcre2_match_data* data) const { pcre2_match_data_free(data); }
};

// A compiled pattern a thread used lately.
struct Recent {
  std::string pattern;  // as given to Compile (UTF-8)
  CodePtr code;
  bool jit = false;    // compiled to machine code
  bool ascii = false;  // the pattern is ASCII: the same text in every local code page
  // The last ASCII value that matched: documents repeat codes, units and
  // currencies, which then match without running the pattern. ASCII text
  // reads the same in every local code page, so the answer cannot change.
  std::string lastMatch;
  bool haveMatch = false;
};

// What a thread keeps between matches, in one block so that a match looks up
// the thread's storage once: the patterns it used last, so that checking the
// same few facets again and again takes no lock and no hash, and its match
// block. Only the whole match's offsets are read, so a single pair suffices
// (a smaller vector than the captures still reports the match, with result
// 0); the block also keeps PCRE2's backtracking memory between matches.
struct ThreadPatterns {
  Recent slots[8];
  unsigned next = 0;
  std::unique_ptr<pcre2_match_data, MatchDataDeleter> data{pcre2_match_data_create(1, nullptr)};

  Recent* Find(const std::string& pattern) {
    for (Recent& r : slots)
      if (r.code && r.pattern == pattern) return &r;
    return nullptr;
  }

  // The compiled form of a UTF-8 pattern; throws its fault.
  Recent& Get(const std::string& pattern) {
    if (Recent* found = Find(pattern)) return *found;
    CodePtr code = Cache().Get(pattern);
    std::string key = pattern;
    // Nothing below throws: a slot never pairs a pattern with another's code.
    Recent& slot = slots[next++ % 8];
    slot.pattern.swap(key);
    slot.code = std::move(code);
    slot.haveMatch = false;
    size_t jitSize = 0;
    slot.jit = pcre2_pattern_info(slot.code.get(), PCRE2_INFO_JITSIZE, &jitSize) == 0 &&
               jitSize > 0;
    slot.ascii = detail::IsAscii(pattern.data(), pattern.size());
    return slot;
  }
};

// The calling thread's block. The block is built on first use and destroyed
// with the thread, which a thread-local object with a constructor needs a
// guard for on every access; the plain pointer beside it is one look-up.
ThreadPatterns& OwnThreadPatterns() {
  thread_local ThreadPatterns patterns;
  return patterns;
}

ThreadPatterns& ThisThread() {
  thread_local ThreadPatterns* patterns = nullptr;
  if (!patterns) patterns = &OwnThreadPatterns();
  return *patterns;
}

// True when the whole value (local code page) matches the compiled pattern.
bool Match(ThreadPatterns& thread, Recent& pattern, const std::string& value) {
  if (pattern.haveMatch && value == pattern.lastMatch) return true;
  pcre2_match_data* data = thread.data.get();
  if (!data) detail::ThrowNoMemory();
  // ASCII is its own UTF-8 in every local code page; other text is
  // converted, and then checked, as pcre2_match would check it first.
  std::string scratch;
  const std::string* subject = &value;
  bool wellFormed = detail::IsAscii(value.data(), value.size());
  if (!wellFormed) {
    subject = &detail::LocalToUtf8(value, scratch);
    wellFormed = detail::IsWellFormedUtf8(reinterpret_cast<const unsigned char*>(subject->data()),
                                          subject->size());
  }
  // Anchored at both ends when compiled, so a shorter alternative that would
  // stop early ("a" of "a|ab" on "ab") is passed over for one that covers
  // the value. Machine code is entered directly when the subject is known
  // to be well-formed UTF-8; any other subject goes through pcre2_match,
  // which refuses it.
  const PCRE2_SPTR bytes = reinterpret_cast<PCRE2_SPTR>(subject->data());
  const int rc =
      pattern.jit && wellFormed
          ? pcre2_jit_match(pattern.code.get(), bytes, subject->size(), 0, 0, data, nullptr)
          : pcre2_match(pattern.code.get(), bytes, subject->size(), 0, 0, data, nullptr);
  if (rc < 0) return false;
  const PCRE2_SIZE* ovector = pcre2_get_ovector_pointer(data);
  if (ovector[0] != 0 || ovector[1] != subject->size()) return false;
  // Kept when ASCII (the subject is the value itself) and short: long texts
  // seldom repeat, and copying each would cost more than it saves.
  constexpr std::size_t kLongestKept = 64;
  if (subject == &value && value.size() <= kLongestKept) {
    pattern.lastMatch.assign(value);
    pattern.haveMatch = true;
  }
  return true;
}

}  // namespace

namespace detail {

bool MatchPattern(const std::string& pattern, const std::string& value) {
  ThreadPatterns& thread = ThisThread();
  return Match(thread, thread.Get(pattern), value);
}

bool MatchLocalPattern(const std::string& pattern, const std::string& value) {
  ThreadPatterns& thread = ThisThread();
  // A pattern met before as ASCII needs no conversion: it is its own UTF-8.
  Recent* found = thread.Find(pattern);
  if (!found || !found->ascii) {
    std::string scratch;
    found = &thread.Get(LocalToUtf8(pattern, scratch));
  }
  return Match(thread, *found, value);
}

}  // namespace detail

bool TestRegEx(std::string pattern, std::string value) {
  return detail::MatchPattern(pattern, value);
}

}  // namespace VxXmlLib10
