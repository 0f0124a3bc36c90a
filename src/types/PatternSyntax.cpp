// XML Schema regular expressions translated into PCRE2 syntax.
//
// The pattern is parsed by the XML Schema grammar (branches, pieces,
// quantifiers, atoms, character classes with subtraction) and written out in
// a small PCRE2 subset that reads the same under any PCRE2 option: every
// character but an ASCII letter or digit is written as \x{..}, groups do not
// capture, and every character class, escape or wildcard becomes one PCRE2
// class of code point ranges and Unicode general categories. PCRE2 has no
// class subtraction; [A-[B]] becomes the look-ahead (?:(?!B)A), which is the
// same set because A and B each match exactly one character.
#include "types/PatternSyntax.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <vector>

#include "base/Utf8.h"
#include "types/Messages.h"

namespace VxXmlLib10 {
namespace detail {

namespace {

struct Range {
  uint32_t first;
  uint32_t last;
};

struct Block {
  const char* name;  // the Unicode name without spaces
  uint32_t first;
  uint32_t last;
};

// Today's Unicode blocks, written at build time from the Unicode data file.
const Block kBlocks[] = {
#include "UnicodeBlocks.inc"
};

// XML Schema 1.0 takes its block names from Unicode 3.1; these have been
// renamed since. Private Use was then the name of the area in the BMP and of
// both supplementary private-use planes.
const char* const kBlockRenames[][2] = {
    {"Greek", "GreekandCoptic"},
    {"CombiningMarksforSymbols", "CombiningDiacriticalMarksforSymbols"},
    {"PrivateUse", "PrivateUseArea"},
    {"PrivateUse", "SupplementaryPrivateUseArea-A"},
    {"PrivateUse", "SupplementaryPrivateUseArea-B"},
};

const char* const kCategories[] = {
    "L", "Lu", "Ll", "Lt", "Lm", "Lo", "M",  "Mn", "Mc", "Me", "N",  "Nd",
    "Nl", "No", "P", "Pc", "Pd", "Ps", "Pe", "Pi", "Pf", "Po", "Z",  "Zs",
    "Zl", "Zp", "S", "Sm", "Sc", "Sk", "So", "C",  "Cc", "Cf", "Co", "Cn"};

const Range kSpaces[] = {{0x9, 0xA}, {0xD, 0xD}, {0x20, 0x20}};

// XML 1.0 (fifth edition) NameStartChar and NameChar; the names they allow
// include every name of the earlier editions' tables.
const Range kNameStart[] = {
    {':', ':'},         {'A', 'Z'},         {'_', '_'},         {'a', 'z'},
    {0xC0, 0xD6},       {0xD8, 0xF6},       {0xF8, 0x2FF},      {0x370, 0x37D},
    {0x37F, 0x1FFF},    {0x200C, 0x200D},   {0x2070, 0x218F},   {0x2C00, 0x2FEF},
    {0x3001, 0xD7FF},   {0xF900, 0xFDCF},   {0xFDF0, 0xFFFD},   {0x10000, 0xEFFFF}};
const Range kNameChar[] = {
    {'-', '.'},         {'0', ':'},         {'A', 'Z'},         {'_', '_'},
    {'a', 'z'},         {0xB7, 0xB7},       {0xC0, 0xD6},       {0xD8, 0xF6},
    {0xF8, 0x37D},      {0x37F, 0x1FFF},    {0x200C, 0x200D},   {0x203F, 0x2040},
    {0x2070, 0x218F},   {0x2C00, 0x2FEF},   {0x3001, 0xD7FF},   {0xF900, 0xFDCF},
    {0xFDF0, 0xFFFD},   {0x10000, 0xEFFFF}};

constexpr uint32_t kLastCodePoint = 0x10FFFF;
constexpr uint32_t kFirstSurrogate = 0xD800;
constexpr uint32_t kLastSurrogate = 0xDFFF;
// Groups and subtractions nested deeper are refused: the parser recurses
// once per level, and PCRE2 accepts 250 levels of its own parentheses, of
// which a subtraction takes two.
constexpr int kMaxDepth = 100;
// PCRE2's largest quantifier bound.
constexpr long kMaxRepeat = 65535;

void AppendCodePoint(std::string& out, uint32_t cp) {
  if ((cp >= '0' && cp <= '9') || (cp >= 'A' && cp <= 'Z') || (cp >= 'a' && cp <= 'z')) {
    out += static_cast<char>(cp);
    return;
  }
  char text[16];
  std::snprintf(text, sizeof text, "\\x{%X}", static_cast<unsigned>(cp));
  out += text;
}

// Appends a range to a class body, without the surrogates: UTF-8 text never
// holds them and PCRE2 refuses them in UTF mode.
void AppendRange(std::string& body, uint32_t first, uint32_t last) {
  if (first < kFirstSurrogate && last > kLastSurrogate) {
    AppendRange(body, first, kFirstSurrogate - 1);
    AppendRange(body, kLastSurrogate + 1, last);
    return;
  }
  if (first >= kFirstSurrogate && first <= kLastSurrogate) first = kLastSurrogate + 1;
  if (last >= kFirstSurrogate && last <= kLastSurrogate) last = kFirstSurrogate - 1;
  if (first > last) return;
  AppendCodePoint(body, first);
  if (last == first) return;
  body += '-';
  AppendCodePoint(body, last);
}

// Appends a set of ranges, or everything outside them.
void AppendRanges(std::string& body, std::vector<Range> ranges, bool complement) {
  std::sort(ranges.begin(), ranges.end(),
            [](const Range& a, const Range& b) { return a.first < b.first; });
  uint32_t next = 0;  // the first code point not yet covered or passed
  for (const Range& r : ranges) {
    if (complement && r.first > next) AppendRange(body, next, r.first - 1);
    if (!complement) AppendRange(body, r.first, r.last);
    next = std::max(next, r.last + 1);
  }
  if (complement && next <= kLastCodePoint) AppendRange(body, next, kLastCodePoint);
}

// One PCRE2 class from a class body. An empty body (a surrogate block) is a
// class that matches nothing, or any character when negated.
std::string ClassAtom(const std::string& body, bool negated) {
  if (body.empty()) return negated ? "[\\x{0}-\\x{10FFFF}]" : "[^\\x{0}-\\x{10FFFF}]";
  return (negated ? "[^" : "[") + body + "]";
}

std::vector<Range> BlockRanges(const std::string& name) {
  std::vector<Range> ranges;
  const auto add = [&ranges](const char* unicodeName) {
    for (const Block& b : kBlocks)
      if (std::strcmp(b.name, unicodeName) == 0) ranges.push_back({b.first, b.last});
  };
  add(name.c_str());
  for (const auto& rename : kBlockRenames)
    if (name == rename[0]) add(rename[1]);
  return ranges;
}

class Translator {
 public:
  explicit Translator(const std::string& pattern) : m_pattern(pattern) {}

  std::string Run() {
    Decode();
    RegExp(0);
    // Only a ')' ends the outermost expression before the end.
    if (!AtEnd()) Fail(PatternFault::kUnmatchedParenthesis);
    return std::move(m_out);
  }

 private:
  // What an escape stands for: one character, or a set as a class body.
  struct Escape {
    bool single;
    uint32_t cp;
    std::string body;
  };

  void Decode() {
    const auto* const begin = reinterpret_cast<const unsigned char*>(m_pattern.data());
    const auto* const end = begin + m_pattern.size();
    for (const unsigned char* p = begin; p < end;) {
      uint32_t cp;
      const int n = DecodeUtf8(p, end, &cp);
      if (n == 0) FailAt(m_chars.size(), PatternFault::kBadUtf8);
      m_offsets.push_back(static_cast<size_t>(p - begin));
      m_chars.push_back(cp);
      p += n;
    }
    m_offsets.push_back(m_pattern.size());
  }

  bool AtEnd() const { return m_pos >= m_chars.size(); }
  uint32_t Cur() const { return m_chars[m_pos]; }
  bool NextIs(uint32_t c) const { return m_pos + 1 < m_chars.size() && m_chars[m_pos + 1] == c; }

  // The pattern's own text of the characters [from, to).
  std::string Text(size_t from, size_t to) const {
    return m_pattern.substr(m_offsets[from], m_offsets[to] - m_offsets[from]);
  }

  [[noreturn]] void FailAt(size_t pos, PatternFault fault, const std::string& detail = {}) const {
    ThrowInvalidPattern(m_pattern, fault, pos + 1, detail);
  }
  [[noreturn]] void Fail(PatternFault fault, const std::string& detail = {}) const {
    FailAt(m_pos, fault, detail);
  }

  // regExp ::= branch ('|' branch)*, up to the end or a ')'.
  void RegExp(int depth) {
    for (;;) {
      while (!AtEnd() && Cur() != '|' && Cur() != ')') {
        Atom(depth);
        Quantifier();
      }
      if (AtEnd() || Cur() != '|') return;
      m_out += '|';
      ++m_pos;
    }
  }

  void Atom(int depth) {
    const uint32_t c = Cur();
    switch (c) {
      case '(':
        if (depth >= kMaxDepth) Fail(PatternFault::kTooDeep);
        ++m_pos;
        m_out += "(?:";
        RegExp(depth + 1);
        if (AtEnd()) Fail(PatternFault::kMissingParenthesis);
        ++m_pos;
        m_out += ')';
        return;
      case '[':
        m_out += ClassExpr(depth);
        return;
      case '\\': {
        const Escape e = ParseEscape();
        if (e.single) AppendCodePoint(m_out, e.cp);
        else m_out += ClassAtom(e.body, false);
        return;
      }
      case '.':
        m_out += "[^\\x{A}\\x{D}]";
        ++m_pos;
        return;
      case '?':
      case '*':
      case '+':
      case '{':
        Fail(PatternFault::kQuantifierWithoutAtom);
      case '}':
      case ']':
        Fail(PatternFault::kMustBeEscaped, std::string(1, static_cast<char>(c)));
      default:  // '^' and '$' among them: ordinary characters
        AppendCodePoint(m_out, c);
        ++m_pos;
    }
  }

  // quantifier ::= [?*+] | '{' n (',' m?)? '}'
  void Quantifier() {
    if (AtEnd()) return;
    const uint32_t c = Cur();
    if (c == '?' || c == '*' || c == '+') {
      m_out += static_cast<char>(c);
      ++m_pos;
      return;
    }
    if (c != '{') return;
    ++m_pos;
    const long min = Number();
    if (min < 0) Fail(PatternFault::kBadQuantifier);
    std::string q = "{" + std::to_string(min);
    if (!AtEnd() && Cur() == ',') {
      ++m_pos;
      q += ',';
      const size_t at = m_pos;
      const long max = Number();
      if (max >= 0 && max < min) FailAt(at, PatternFault::kQuantifierOutOfOrder);
      if (max >= 0) q += std::to_string(max);
    }
    if (AtEnd() || Cur() != '}') Fail(PatternFault::kBadQuantifier);
    ++m_pos;
    m_out += q + '}';
  }

  // The digits at the cursor as a number; -1 when there are none.
  long Number() {
    const size_t start = m_pos;
    long n = 0;
    for (; !AtEnd() && Cur() >= '0' && Cur() <= '9'; ++m_pos)
      if (n <= kMaxRepeat) n = n * 10 + static_cast<long>(Cur() - '0');
    if (m_pos == start) return -1;
    if (n > kMaxRepeat) FailAt(start, PatternFault::kQuantifierTooLarge);
    return n;
  }

  static Escape Single(uint32_t cp) { return {true, cp, {}}; }
  static Escape Set(std::string body) { return {false, 0, std::move(body)}; }
  static Escape Set(std::vector<Range> ranges, bool complement) {
    std::string body;
    AppendRanges(body, std::move(ranges), complement);
    return Set(std::move(body));
  }
  template <size_t N>
  static Escape Set(const Range (&ranges)[N], bool complement) {
    return Set(std::vector<Range>(ranges, ranges + N), complement);
  }

  // An escape at the cursor (a backslash).
  Escape ParseEscape() {
    const size_t start = m_pos++;
    if (AtEnd()) FailAt(start, PatternFault::kIncompleteEscape);
    const uint32_t c = m_chars[m_pos++];
    switch (c) {
      case 'n': return Single('\n');
      case 'r': return Single('\r');
      case 't': return Single('\t');
      case '\\': case '|': case '.': case '?': case '*': case '+': case '(': case ')':
      case '{': case '}': case '-': case '[': case ']': case '^':
        return Single(c);
      case 's': case 'S': return Set(kSpaces, c == 'S');
      case 'i': case 'I': return Set(kNameStart, c == 'I');
      case 'c': case 'C': return Set(kNameChar, c == 'C');
      case 'd': return Set("\\p{Nd}");
      case 'D': return Set("\\P{Nd}");
      // Every character but punctuation, separators and others (C): the
      // general categories partition the code points.
      case 'w': return Set("\\p{L}\\p{M}\\p{N}\\p{S}");
      case 'W': return Set("\\p{P}\\p{Z}\\p{C}");
      case 'p': case 'P': return Property(c == 'P');
      default: FailAt(start, PatternFault::kUnknownEscape, Text(start + 1, start + 2));
    }
  }

  // \p{name} or \P{name}, after the letter.
  Escape Property(bool complement) {
    if (AtEnd() || Cur() != '{') Fail(PatternFault::kMissingPropertyOpen, complement ? "P" : "p");
    const size_t nameStart = ++m_pos;
    while (!AtEnd() && Cur() != '}') ++m_pos;
    if (AtEnd()) Fail(PatternFault::kMissingPropertyClose);
    const std::string name = Text(nameStart, m_pos++);
    for (const char* category : kCategories)
      if (name == category) return Set((complement ? "\\P{" : "\\p{") + name + "}");
    if (name.size() > 2 && name.compare(0, 2, "Is") == 0) {
      std::vector<Range> ranges = BlockRanges(name.substr(2));
      if (!ranges.empty()) return Set(std::move(ranges), complement);
    }
    FailAt(nameStart, PatternFault::kUnknownProperty, name);
  }

  // charClassExpr ::= '[' ('^')? group ('-' charClassExpr)? ']', at the '['.
  std::string ClassExpr(int depth) {
    if (depth >= kMaxDepth) Fail(PatternFault::kTooDeep);
    ++m_pos;
    bool negated = false;
    if (!AtEnd() && Cur() == '^') {
      negated = true;
      ++m_pos;
    }
    std::string body;
    std::string subtracted;
    bool empty = true;
    for (;;) {
      if (AtEnd()) Fail(PatternFault::kMissingBracket);
      const uint32_t c = Cur();
      if (c == ']') {
        if (empty) Fail(PatternFault::kEmptyGroup);
        ++m_pos;
        break;
      }
      if (c == '-') {
        if (NextIs('[')) {
          if (empty) Fail(PatternFault::kEmptyGroup);
          ++m_pos;
          subtracted = ClassExpr(depth + 1);
          if (AtEnd()) Fail(PatternFault::kMissingBracket);
          if (Cur() != ']') Fail(PatternFault::kSubtractionNotLast);
          ++m_pos;
          break;
        }
        if (m_pos + 1 == m_chars.size()) FailAt(m_pos + 1, PatternFault::kMissingBracket);
        // A '-' is a character of its own only first or last.
        if (!empty && !NextIs(']')) Fail(PatternFault::kMisplacedHyphen);
        AppendCodePoint(body, '-');
        empty = false;
        ++m_pos;
        continue;
      }
      if (c == '[') Fail(PatternFault::kMustBeEscaped, "[");
      uint32_t first;
      if (c == '\\') {
        Escape e = ParseEscape();
        if (!e.single) {
          body += e.body;
          empty = false;
          continue;
        }
        first = e.cp;
      } else {
        first = c;
        ++m_pos;
      }
      empty = false;
      if (AtEnd() || Cur() != '-' || m_pos + 1 == m_chars.size() || NextIs(']') || NextIs('[')) {
        AppendCodePoint(body, first);
        continue;
      }
      ++m_pos;  // a range first-last
      const size_t at = m_pos;
      uint32_t last;
      if (Cur() == '\\') {
        const Escape e = ParseEscape();
        if (!e.single) FailAt(at, PatternFault::kBadRangeEnd);
        last = e.cp;
      } else {
        if (Cur() == '-') Fail(PatternFault::kBadRangeEnd);
        last = Cur();
        ++m_pos;
      }
      if (last < first) FailAt(at, PatternFault::kRangeOutOfOrder);
      AppendRange(body, first, last);
    }
    std::string atom = ClassAtom(body, negated);
    if (subtracted.empty()) return atom;
    return "(?:(?!" + subtracted + ")" + atom + ")";
  }

  const std::string& m_pattern;
  std::vector<uint32_t> m_chars;
  std::vector<size_t> m_offsets;  // byte offset of each character, and of the end
  size_t m_pos = 0;
  std::string m_out;
};

}  // namespace

std::string TranslatePattern(const std::string& pattern) { return Translator(pattern).Run(); }

}  // namespace detail
}  // namespace VxXmlLib10
