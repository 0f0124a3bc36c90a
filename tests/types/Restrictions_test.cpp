#include "vxxml/Restrictions.h"
#include "vxxml/XmlObjectHelper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <thread>
#include <vector>

#include "TestUtil.h"
#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"
#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "vxxml/Variant.h"

using namespace VxXmlLib10;
using H = CXmlObjectHelper;
using C = CConversions;

namespace {

const auto None = CWhitespaceUtils::WhitespaceRule_None;

// What vxtest::Failure gives for each class.
std::string Vx(const std::string& m) { return vxtest::Named<CVxException>(m); }
std::string Value(const std::string& m) { return vxtest::Named<CVxInvalidValueException>(m); }
std::string Param(const std::string& m) { return vxtest::Named<CVxInvalidParamException>(m); }

CPrimitiveRestrictions Bounds(std::string minInc, std::string maxInc, std::string minExc,
                              std::string maxExc) {
  return CPrimitiveRestrictions("", -1, -1, minInc, maxInc, minExc, maxExc, -1);
}
CPrimitiveRestrictions MinInc(std::string b) { return Bounds(b, "", "", ""); }
CPrimitiveRestrictions MaxInc(std::string b) { return Bounds("", b, "", ""); }
CPrimitiveRestrictions MinExc(std::string b) { return Bounds("", "", b, ""); }
CPrimitiveRestrictions MaxExc(std::string b) { return Bounds("", "", "", b); }
CPrimitiveRestrictions Lengths(int minLength, int maxLength, int length) {
  return CPrimitiveRestrictions("", minLength, maxLength, "", "", "", "", length);
}
CPrimitiveRestrictions Pattern(std::string p) {
  return CPrimitiveRestrictions(p, -1, -1, "", "", "", "", -1);
}

struct Case {
  const char* what;
  std::function<void()> check;
  std::string expected;  // "" when the value passes
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(vxtest::Failure(c.check), c.expected) << c.what;
}

CDateTime Dt(const char* text) { return C::datetimeFromString(text, None); }
CDateTimeSpan Span(const char* text) { return C::durationFromString(text, None); }

}  // namespace

// How each bound is read and compared. Every kind's own check is reached
// through the dispatcher below.
TEST(Restrictions, Bounds) {
  using R = CPrimitiveRestrictions;
  // A check of `value` against `r` by the kind's own function.
  const auto Of = [](auto check, auto value, R r) { return [=] { check("n", value, r); }; };
  const auto I4 = [&](long v, R r) { return Of(H::CheckRestrictionFori4, v, r); };
  const auto R8 = [&](double v, R r) { return Of(H::CheckRestrictionForr8, v, r); };
  const auto R4 = [&](float v, R r) { return Of(H::CheckRestrictionForr4, v, r); };
  const auto When = [&](auto v, R r) { return Of(H::CheckRestrictionFordatetime, Dt(v), r); };
  const auto Lasts = [&](auto v, R r) { return Of(H::CheckRestrictionForduration, Span(v), r); };
  const CDateTime leapDay = C::dateFromString("2024-02-29", None);
  const double nan = std::nan(""), inf = std::numeric_limits<double>::infinity();
  const R none;
  const std::string i4 = "] can not be converted to a i4";
  const auto Bad = [](const std::string& v) { return Vx("Invalid Value for n [" + v + "]"); };
  RunCases({
      {"nothing restricted", I4(LONG_MIN, none), ""},
      {"nothing restricted, NaN", R8(nan, none), ""},
      {"i4 = minInclusive", I4(5, MinInc("5")), ""},
      {"i4 = minExclusive", I4(5, MinExc("5")), Bad("5")},
      {"i4 < minInclusive", I4(-7, MinInc("-6")), Bad("-7")},
      {"i4 > maxInclusive, collapsed", I4(5, MaxInc(" \t4\n")), Bad("5")},
      {"i4 inside all four", I4(3, Bounds("3", "3", "2", "4")), ""},
      {"i2 = minExclusive", Of(H::CheckRestrictionFori2, -32768, MinExc("-32768")), Bad("-32768")},
      {"i8 lowest", Of(H::CheckRestrictionFori8, LLONG_MIN, MinExc("-9223372036854775808")),
       Bad("-9223372036854775808")},
      {"i4 syntax", I4(1, MinInc("abc")), Value("The value [abc" + i4)},
      {"i1 range", Of(H::CheckRestrictionFori1, 1, MaxInc("200")),
       Value("The value [200] is to large to fit in a i1")},
      {"ui2 range", Of(H::CheckRestrictionForui2, 1, MaxInc("70000")),
       Value("The value [70000] is to large to fit in a ui2")},
      {"ui4 range", Of(H::CheckRestrictionForui4, 1, MaxInc("4294967296")),
       Value("The value [4294967296] is to large to fit in a ui4")},
      {"i4 range", I4(1, MaxInc("2147483648")),
       Value("The value [2147483648] is to large to fit in a i4")},
      {"r8 syntax", R8(1, MinInc("1,5")), Value("The value [1,5] can not be converted to a r8")},
      // Bounds are tested in facet order and the first violation ends the
      // check: a bad bound after it is never read, a bad bound before it is.
      {"violation before bad bound", I4(1, Bounds("2", "zz", "", "")), Bad("1")},
      {"bad bound before violation", I4(1, Bounds("zz", "0", "", "")), Value("The value [zz" + i4)},
      {"bad maxExclusive last", I4(1, Bounds("0", "2", "0", "x")), Value("The value [x" + i4)},
      {"r8 = minInclusive", R8(1.5, MinInc("1.5")), ""},
      {"r8 = minExclusive", R8(1.5, MinExc("1.5")), Bad("1.500000")},
      // NaN violates the inclusive bounds only.
      {"NaN minInclusive", R8(nan, MinInc("0")), Bad("nan")},
      {"NaN maxInclusive", R8(nan, MaxInc("0")), Bad("nan")},
      {"NaN exclusive", R8(nan, Bounds("", "", "0", "0")), ""},
      {"NaN bound", R8(1, MaxInc("NaN")), Bad("1.000000")},
      {"INF bound", R8(1e308, MaxExc("INF")), ""},
      {"INF value", R8(inf, MaxExc("INF")), Bad("inf")},
      // The bound is parsed as r4, so 0.1 equals the float 0.1.
      {"r4 bound as float", R4(0.1f, MaxInc("0.1")), ""},
      {"r4 = maxExclusive", R4(0.1f, MaxExc("0.1")), Bad("0.100000")},
      // Zoned against zone-less within fourteen hours: indeterminate, never a
      // violation, whichever bound.
      {"indeterminate", [&] {
         for (R r : {MaxInc("2024-01-01T05:00:00"), MinInc("2023-12-31T20:00:00"),
                     MinExc("2024-01-01T00:00:00"), MaxExc("2024-01-01T00:00:00")})
           When("2024-01-01T00:00:00Z", r)();
       }, ""},
      {"beyond fourteen hours", When("2024-01-02T00:00:00Z", MaxInc("2024-01-01T00:00:00")),
       Bad("2024-01-02T00:00:00Z")},
      {"same instant, other zone", When("2024-01-01T12:00:00+02:00", MaxExc("2024-01-01T10:00:00Z")),
       Bad("2024-01-01T12:00:00+02:00")},
      {"date = minExclusive", Of(H::CheckRestrictionFordate, leapDay, MinExc("2024-02-29")),
       Bad("2024-02-29")},
      {"date bound that does not parse", Of(H::CheckRestrictionFordate, leapDay, MinInc("2024-13")),
       Value("Invalid Month [13] (1 <= month <= 12)")},
      {"monthYear", Of(H::CheckRestrictionFormonthYear, C::yearMonthFromString("2024-05", None),
                       MaxExc("2024-05")), Bad("2024-05")},
      // P1M is neither shorter nor longer than P30D.
      {"duration indeterminate", Lasts("P1M", Bounds("P30D", "P30D", "P30D", "P30D")), ""},
      {"duration = minExclusive", Lasts("PT1H", MinExc("PT60M")), Bad("PT1H")},
      {"duration bad bound", Lasts("PT1H", MinExc("1H")),
       Value("Invalid XSD Duration [1H] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]")},
      {"decimal = maxExclusive", Of(H::CheckRestrictionFordecimal, CDecimal("1.5"), MaxExc("1.50")),
       Bad("1.5")},
      {"decimal bad bound", Of(H::CheckRestrictionFordecimal, CDecimal(1), MinInc("1.2.3")),
       Value("The string representing a Decimal, contained an invalid char at position 3 [1.2.3]")},
      {"integer above", Of(H::CheckRestrictionForinteger,
                           CBigInteger("123456789012345678901234567890"),
                           MaxInc("123456789012345678901234567889")),
       Bad("123456789012345678901234567890")},
  });
}

// Lengths count bytes, then the pattern is matched against the whole value.
TEST(Restrictions, LengthsAndPattern) {
  using R = CPrimitiveRestrictions;
  const auto S = [](std::string v, R r) { return [=] { H::CheckRestrictionForstring("s", v, r); }; };
  const auto Refused = [](const std::string& v) { return Vx("Invalid Value for s [" + v + "]"); };
  const std::string umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC";  // three characters, six bytes
  unsigned char bytes[] = {0x00, 0xAB, 0xFF};
  const CBinaryData bin(bytes, 3, false);
  RunCases({
      {"minLength", S("abc", Lengths(4, -1, -1)), Refused("abc")},
      {"maxLength", S("abc", Lengths(-1, 2, -1)), Refused("abc")},
      {"empty length 0", S("", Lengths(0, 0, 0)), ""},
      {"length differs", S("", Lengths(-1, -1, 1)), Refused("")},
      {"bytes max", S(umlauts, Lengths(-1, 5, 6)), Refused(umlauts)},
      {"not characters", S(umlauts, Lengths(6, 6, 3)), Refused(umlauts)},
      {"hex", [&] { H::CheckRestrictionForhexBinary("b", bin, Lengths(3, 3, 2)); },
       Vx("Invalid Value for b [00ABFF]")},
      {"empty binary", [] {
         H::CheckRestrictionForbase64Binary("b", CBinaryData(), Lengths(1, -1, -1));
       }, Vx("Invalid Value for b []")},
      // Bounds mean nothing to a length kind.
      {"string ignores bounds", S("b", Bounds("c", "a", "zz", "zz")), ""},
      {"match", S("123", Pattern("\\d{3}")), ""},
      {"anchored", S("1234", Pattern("\\d{3}")), Refused("1234")},
      {"non-ASCII", S("gr\xC3\xBC\xC3\x9F", Pattern("gr(\xC3\xBC|ue)\xC3\x9F")), ""},
      // The pattern failure and the value are one message, not a chain.
      {"bad pattern", S("x", Pattern("(")),
       Vx("Invalid Regular Expression: ( Error: 'missing closing parenthesis' at character 2\n"
          "Invalid Value for s [x]")},
      {"length before pattern", S("x", R("(", -1, 0, "", "", "", "", -1)), Refused("x")},
  });
}

// The rules and examples of the XML Schema regular expression appendix.
TEST(RegEx, AcceptsAndRefusesAsXmlSchemaSays) {
  struct Row {
    const char* pattern;
    std::string value;
    bool accepted;
  };
  const Row rows[] = {
      // The whole value, no anchors: ^ and $ are characters.
      {"\\d{3}", "123\n", false}, {"^a$", "^a$", true}, {"^a$", "a", false}, {"a|ab", "ab", true},
      {"()", "", true}, {"x{2,}", "xxx", true}, {"x{2,}", "x", false}, {"x{0}y", "y", true},
      // The dot, and the single-character escapes.
      {".", "\n", false}, {".", "\r", false}, {".", "\xC3\xA9", true}, {"..", "\xC3\xA9", false},
      {"\\n\\r\\t", "\n\r\t", true}, {"\\\\d", "\\d", true}, {"\\-\\[\\]\\{\\}\\^", "-[]{}^", true},
      // \s \i \c \d \w and their complements, over all of Unicode.
      {"\\s", "\xC2\xA0", false}, {"\\S", "\xC2\xA0", true}, {"\\i\\c*", "_a.b-c:d", true},
      {"\\i\\c*", "\xC3\xA9t\xC3\xA9\xC2\xB7\xE4\xB8\xAD", true}, {"\\i", "1", false},
      {"\\i", "\xC2\xB7", false}, {"\\i", "\xCC\x81", false}, {"\\c", "\xCC\x81", true},
      {"\\c", "\xC3\x97", false}, {"\\I", ":", false}, {"\\C", " ", true},
      {"\\d", "\xD9\xA3", true}, {"\\d", "\xC2\xB2", false}, {"\\D", "\xD9\xA3", false},
      {"\\w", "$", true}, {"\\w", "\xC3\xA4", true}, {"\\w", "-", false},
      {"\\w", "\xE2\x80\x8B", false}, {"\\W", " ", true},
      // Categories; blocks, by today's names and by those of XML Schema 1.0.
      {"Espa\\p{Ll}ol", "Espa\xC3\xB1ol", true}, {"\\p{Lu}", "a", false}, {"\\P{Lu}", "a", true},
      {"\\p{Sc}", "\xE2\x82\xAC", true}, {"\\p{Zs}", "\xC2\xA0", true}, {"\\P{C}", "\x01", false},
      {"\\p{Co}", "\xEE\x80\x80", true}, {"\\p{IsBasicLatin}+", "a~\x7F", true},
      {"\\p{IsGreek}", "\xCE\xB1", true}, {"\\p{IsGreekandCoptic}", "\xCE\xB1", true},
      {"\\p{IsCombiningMarksforSymbols}", "\xE2\x83\x90", true},
      {"\\p{IsPrivateUse}", "\xEE\x80\x80", true}, {"\\p{IsPrivateUse}", "\xF3\xB0\x80\x80", true},
      {"\\p{IsPrivateUse}", "\xF4\x8F\xBF\xBF", true}, {"\\p{IsPrivateUse}", "\xEF\xA4\x80", false},
      {"\\p{IsHighSurrogates}?", "", true}, {"\\P{IsLowSurrogates}", "a", true},
      // Character classes: '-' and '^', escapes, subtraction at any depth.
      {"[^a]", "a", false}, {"[a^]", "^", true}, {"[.]", "a", false}, {"[-a]", "-", true},
      {"[a-]", "-", true}, {"[\\n-\\r]", "\x0B", true}, {"[\\S\\s]", " ", true},
      {"[\\P{IsBasicLatin}a]", "\xC3\xA9", true}, {"[\\P{IsBasicLatin}a]", "b", false},
      {"[\\p{IsHighSurrogates}a]", "a", true}, {"[^\\p{IsHighSurrogates}]", "a", true},
      {"[a-z-[aeiou]]", "b", true}, {"[a-z-[aeiou]]", "e", false}, {"[^a-z-[0-4]]", "5", true},
      {"[^a-z-[0-4]]", "3", false}, {"[a-z-[b-y-[c]]]+", "acz", true}, {"[\\i-[:]]", ":", false},
      {"[a-z-[b-y-[c]]]", "d", false}, {"[\\p{L}-[\\p{Lu}]]{2}", "ab", true},
      {"[\\p{L}-[\\p{Lu}]]", "A", false},
      // Values: UTF-8 characters; a byte that is not UTF-8 in the local
      // text reaches the match as '?'; NUL bytes stay.
      {"\xF0\x9F\x98\x80+", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80", true}, {"a\\?b", "a\xFF" "b", true},
      {"a.b", std::string("a\0b", 3), true}, {"\\d{2}", std::string("12\0", 3), false},
  };
  for (const Row& r : rows)
    EXPECT_EQ(TestRegEx(r.pattern, r.value), r.accepted) << r.pattern << " on " << r.value;
}

// A value met again, under more patterns than a thread keeps at hand: each
// answer is still its own pattern's.
TEST(RegEx, SameValueUnderManyPatterns) {
  for (int round = 0; round < 3; ++round)
    for (int n = 1; n <= 12; ++n)
      EXPECT_EQ(TestRegEx("a{" + std::to_string(n) + "}", "aaa"), n == 3) << n;
}

// Every block of the Unicode data file holds its first and last character
// and not the one after it.
TEST(RegEx, EveryUnicodeBlock) {
  std::ifstream in(VXXML_UNICODE_BLOCKS);
  std::string line;
  int blocks = 0;
  const auto Utf8 = [](unsigned cp) {
    if (cp == 0) return std::string(1, '\0');
    const wchar_t text[2] = {static_cast<wchar_t>(cp), 0};
    const CBinaryData b = CEncoder::UnicodeToUtf8Binary(text);
    return std::string(reinterpret_cast<const char*>(b.GetData()), b.GetLength());
  };
  while (std::getline(in, line)) {
    unsigned first, last;
    char name[128];
    if (std::sscanf(line.c_str(), "%x..%x; %127[^\n]", &first, &last, name) != 3) continue;
    std::string block = name;
    block.erase(std::remove(block.begin(), block.end(), ' '), block.end());
    if (first >= 0xD800 && last <= 0xDFFF) continue;  // surrogates: never in UTF-8
    const std::string in = "\\p{Is" + block + "}", out = "\\P{Is" + block + "}";
    EXPECT_TRUE(TestRegEx(in, Utf8(first)) && TestRegEx(in, Utf8(last))) << block;
    EXPECT_FALSE(TestRegEx(out, Utf8(first))) << block;
    if (last < 0x10FFFF) {
      EXPECT_FALSE(TestRegEx(in, Utf8(last + 1))) << block;
    }
    ++blocks;
  }
  EXPECT_GT(blocks, 300);
}

TEST(RegEx, InvalidPatterns) {
  const std::string kClass = "missing terminating ] for character class' at character ";
  const std::string kDash = "- must be first or last in a character class, or escaped' at character ";
  const std::string kRange = "range must end in a single character' at character ";
  const std::string kRepeat = "quantifier does not follow a repeatable item' at character ";
  const std::string kUnknown = "unknown category or block ";
  const struct Row {
    std::string pattern, error;
  } rows[] = {
      {"(", "missing closing parenthesis' at character 2"},
      {"a)", "unmatched closing parenthesis' at character 2"},
      {"[a-", kClass + "4"}, {"[^]", "empty character class' at character 3"},
      {"[z-a]", "range out of order in character class' at character 4"},
      {"[a-c-e]", kDash + "5"}, {"[\\d-z]", kDash + "4"},
      {"[a-\\d]", kRange + "4"}, {"[a--]", kRange + "4"},
      {"[a-[b]c]", "subtraction must end the character class' at character 7"},
      {"[a[b]]", "unescaped [' at character 3"}, {"a]", "unescaped ]' at character 2"},
      {"a}", "unescaped }' at character 2"},
      {"*a", kRepeat + "1"}, {"a*?", kRepeat + "3"}, {"(?:a)", kRepeat + "2"},
      {"a{2,1}", "numbers out of order in {} quantifier' at character 5"},
      {"a{,2}", "invalid quantifier' at character 3"}, {"a{1", "invalid quantifier' at character 4"},
      {"a{65536}", "number too big in {} quantifier' at character 3"},
      {"\\b", "unknown escape \\b' at character 1"}, {"a\\1", "unknown escape \\1' at character 2"},
      {"\\x41", "unknown escape \\x' at character 1"},
      {"a\\", "\\ at end of pattern' at character 2"},
      {"\\pL", "missing { after \\p' at character 3"},
      {"\\P{Lu", "missing } after category or block name' at character 6"},
      {"\\p{IsKlingon}", kUnknown + "IsKlingon' at character 4"},
      {"\\p{Is}", kUnknown + "Is' at character 4"},
      {"\xC3\xA9\xC3", "ill-formed UTF-8' at character 2"},
      {std::string(101, '('), "groups or subtractions too deeply nested' at character 101"},
      {"(\\i{9}){9999}", "regular expression is too large'"},
  };
  for (const Row& r : rows) {
    // A bad pattern is reported the same way on every call.
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(vxtest::Failure([&] { TestRegEx(r.pattern, "a"); }),
                Vx("Invalid Regular Expression: " + r.pattern + " Error: '" + r.error));
  }
}

TEST(RegEx, CacheKeepsResultsUnderThreadsAndEviction) {
  // More distinct patterns than the cache keeps, then the first ones again.
  for (int i = 0; i < 1100; ++i) {
    const std::string p = "a{" + std::to_string(i % 50) + "}b" + std::to_string(i);
    ASSERT_TRUE(TestRegEx(p, std::string(i % 50, 'a') + "b" + std::to_string(i))) << p;
  }
  EXPECT_TRUE(TestRegEx("a{0}b0", "b0"));
  EXPECT_FALSE(TestRegEx("a{1}b1", "b1"));
  std::vector<std::thread> threads;
  std::vector<int> wrong(4, 0);
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([t, &wrong] {
      for (int i = 0; i < 300; ++i) {
        const int n = 1 + (i + t) % 5;
        const std::string p = "\\d{" + std::to_string(n) + "}";
        if (!TestRegEx(p, std::string(n, '7')) || TestRegEx(p, std::string(n + 1, '7')) ||
            vxtest::Failure([] { TestRegEx("(", ""); }).empty())
          ++wrong[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

// Every kind read into a variant from text, printed canonically and named,
// then checked through the dispatcher with its own text as maxExclusive: the
// kind's own check refuses it, showing the value as that check prints it.
TEST(Restrictions, DispatcherPicksTheKindsCheck) {
  const struct {
    ItemType type;
    const char* text;
    const char* canonical;  // nullptr: the text
    const char* shown;      // nullptr: the canonical text
  } kinds[] = {
      {ItemType_i1, "-12", nullptr, nullptr},       {ItemType_i2, "+300", "300", nullptr},
      {ItemType_i4, " 12 ", "12", nullptr},         {ItemType_ui1, "255", nullptr, nullptr},
      {ItemType_i8, "-9223372036854775808", nullptr, nullptr},
      {ItemType_ui2, "65535", nullptr, nullptr},    {ItemType_ui4, "4294967295", nullptr, nullptr},
      {ItemType_ui8, "18446744073709551615", nullptr, nullptr},
      {ItemType_r4, "0.5", nullptr, "0.500000"},
      {ItemType_r8, "1e21", "1e+21", "1000000000000000000000.000000"},
      {ItemType_duration, "P1Y2M3DT4H5M6.5S", nullptr, nullptr},
      {ItemType_yearMonth, "2001-05", nullptr, nullptr}, {ItemType_year, "2001", nullptr, nullptr},
      {ItemType_monthDay, "--05-06", nullptr, nullptr},  {ItemType_month, "--03", nullptr, "3"},
      {ItemType_day, " ---07 ", "---07", "7"},      {ItemType_date, "2001-05-06", nullptr, nullptr},
      {ItemType_datetime, "2001-05-06T07:08:09+01:00", nullptr, nullptr},
      {ItemType_time, "07:08:09.25", nullptr, nullptr}, 
      {ItemType_decimal, "001.500", "1.5", nullptr},
      {ItemType_integer, "-000123456789012345678901234567890", "-123456789012345678901234567890",
       nullptr},
      {ItemType_boolean, "TRUE", "true", ""},  // never refused
      {ItemType_char, "c", nullptr, nullptr},       {ItemType_string, " a  b ", "a b", nullptr},
      {ItemType_hexBinary, "00abff", "00ABFF", nullptr},
      {ItemType_base64Binary, "TWFu", nullptr, "4D616E"},
  };
  for (const auto& k : kinds) {
    VxVariant v;
    v.FromString(k.text, k.type, CWhitespaceUtils::WhitespaceRule_Collapse);
    EXPECT_EQ(v.GetItemType(), k.type) << k.text;
    VxVariant copy;
    copy = v;
    const std::string canonical = k.canonical ? k.canonical : k.text;
    EXPECT_EQ(copy.ToString(nullptr), canonical) << v.GetType();
    // The binary kinds and strings have no bounds: they are checked by length
    // and pattern; char has no check at all.
    const CPrimitiveRestrictions r =
        k.type == ItemType_string ? Pattern("[ab ]{2}")
        : k.type == ItemType_hexBinary || k.type == ItemType_base64Binary ? Lengths(4, -1, -1)
                                                                            : MaxExc(canonical);
    const std::string expected =
        k.type == ItemType_char ? Value("unknown type [char]")
        : k.shown && !*k.shown  ? ""
                                : Vx("Invalid Value for e [" + (k.shown ? k.shown : canonical) +
                                     "]");
    EXPECT_EQ(vxtest::Failure([&] { H::CheckRestriction("e", v, k.type, r); }), expected)
        << v.GetType();
  }
}

TEST(Restrictions, DispatcherRefusesWhatItCannotCheck) {
  const std::string mismatch = "Invalid Value for e: a value of type ";
  unsigned char bytes[] = {0x0F, 0xF0};
  const CBinaryData bin(bytes, 2, false);
  VxVariant hex, dateTime, i4, text, boolean, none, nil;
  hex.SetHexBinary(bin);
  dateTime.SetDateTime(Dt("1999-12-31T23:59:59"));
  i4.SetI4(5);
  text.SetString("5");
  boolean.SetBoolean(true);
  nil.SetString("abc");
  nil.SetNil();
  const struct {
    const VxVariant& v;
    ItemType type;
    CPrimitiveRestrictions r;
    std::string expected;
  } rows[] = {
      // Kinds held alike may be read as each other.
      {hex, ItemType_base64Binary, Lengths(-1, -1, 1), Vx("Invalid Value for e [0FF0]")},
      {dateTime, ItemType_date, MinInc("2000-01-01"),
       Vx("Invalid Value for e [1999-12-31T23:59:59]")},
      // Unknown kinds name the variant's own kind.
      {i4, ItemType_none, MaxExc("1"), Value("unknown type [i4]")},
      {text, ItemType_xmlObject, MaxExc("1"), Value("unknown type [string]")},
      {boolean, static_cast<ItemType>(31), MaxExc("1"), Value("unknown type [boolean]")},
      {none, ItemType_none, MaxExc("1"), Vx("Invalid Type 0")},
      // A value held another way is refused, never reinterpreted.
      {text, ItemType_i4, MaxExc("1"), Param(mismatch + "[string] cannot be checked as [i4]")},
      {i4, ItemType_string, Pattern("5"), Param(mismatch + "[i4] cannot be checked as [string]")},
      {none, ItemType_date, MaxExc("2"), Param(mismatch + "[none] cannot be checked as [date]")},
      // A nil value holds nothing to check.
      {nil, ItemType_string, Lengths(9, -1, -1), ""},
  };
  for (const auto& row : rows)
    EXPECT_EQ(vxtest::Failure([&] { H::CheckRestriction("e", row.v, row.type, row.r); }),
              row.expected) << row.type;
}
