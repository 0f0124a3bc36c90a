#include "vxxml/Restrictions.h"
#include "vxxml/XmlObjectHelper.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cmath>
#include <fstream>
#include <functional>
#include <limits>
#include <string>
#include <thread>
#include <vector>

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

// "ok", or the exception's class and its whole message.
std::string Outcome(const std::function<void()>& f) {
  try {
    f();
  } catch (const CVxInvalidValueException& e) {
    return "InvalidValue: " + e.GetFullMessage();
  } catch (const CVxInvalidNamespaceException& e) {
    return "InvalidNamespace: " + e.GetFullMessage();
  } catch (const CVxValidationException& e) {
    return "Validation: " + e.GetFullMessage();
  } catch (const CVxInvalidParamException& e) {
    return "InvalidParam: " + e.GetFullMessage();
  } catch (const CVxInvalidStateException& e) {
    return "InvalidState: " + e.GetFullMessage();
  } catch (const CVxOverFlowException& e) {
    return "OverFlow: " + e.GetFullMessage();
  } catch (const CVxException& e) {
    return "Vx: " + e.GetFullMessage();
  }
  return "ok";
}

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
  const char* expected;
};

void RunCases(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Outcome(c.check), c.expected) << c.what;
}

CDateTime Dt(const char* text) { return C::datetimeFromString(text, None); }
CDateTimeSpan Span(const char* text) { return C::durationFromString(text, None); }

}  // namespace

TEST(Restrictions, DefaultSetRestrictsNothing) {
  const CPrimitiveRestrictions r;
  RunCases({
      {"i4", [&] { H::CheckRestrictionFori4("n", LONG_MIN, r); }, "ok"},
      {"r8 NaN", [&] { H::CheckRestrictionForr8("n", std::nan(""), r); }, "ok"},
      {"string", [&] { H::CheckRestrictionForstring("n", "", r); }, "ok"},
      {"binary", [&] { H::CheckRestrictionForhexBinary("n", CBinaryData(), r); }, "ok"},
  });
}

TEST(Restrictions, IntegerKinds) {
  RunCases({
      {"i4 = minInclusive", [] { H::CheckRestrictionFori4("n", 5, MinInc("5")); }, "ok"},
      {"i4 = minExclusive", [] { H::CheckRestrictionFori4("n", 5, MinExc("5")); },
       "Vx: Invalid Value for n [5]"},
      {"i4 < minInclusive", [] { H::CheckRestrictionFori4("n", -7, MinInc("-6")); },
       "Vx: Invalid Value for n [-7]"},
      {"i4 > maxInclusive, collapsed bound",
       [] { H::CheckRestrictionFori4("n", 5, MaxInc(" \t4\n")); }, "Vx: Invalid Value for n [5]"},
      {"i4 = maxExclusive", [] { H::CheckRestrictionFori4("n", 4, MaxExc("4")); },
       "Vx: Invalid Value for n [4]"},
      {"i4 inside all four", [] { H::CheckRestrictionFori4("n", 3, Bounds("3", "3", "2", "4")); },
       "ok"},
      {"i4 lowest", [] { H::CheckRestrictionFori4("n", -2147483647L - 1, MinInc("-2147483648")); },
       "ok"},
      {"i1 = maxExclusive", [] { H::CheckRestrictionFori1("n", -127, MaxExc("-127")); },
       "Vx: Invalid Value for n [-127]"},
      {"i2", [] { H::CheckRestrictionFori2("n", -32768, MinExc("-32768")); },
       "Vx: Invalid Value for n [-32768]"},
      {"i8 lowest", [] {
         H::CheckRestrictionFori8("n", std::numeric_limits<long long>::min(),
                                  MinExc("-9223372036854775808"));
       }, "Vx: Invalid Value for n [-9223372036854775808]"},
      {"ui4", [] { H::CheckRestrictionForui4("n", 4294967295UL, MaxExc("4294967295")); },
       "Vx: Invalid Value for n [4294967295]"},
      {"ui8", [] {
         H::CheckRestrictionForui8("n", 18446744073709551615ULL, MaxInc("18446744073709551614"));
       }, "Vx: Invalid Value for n [18446744073709551615]"},
      {"day", [] { H::CheckRestrictionForday("n", 7, MinExc("---07")); },
       "Vx: Invalid Value for n [7]"},
      {"i4 syntax", [] { H::CheckRestrictionFori4("n", 1, MinInc("abc")); },
       "InvalidValue: The value [abc] can not be converted to a i4"},
      {"i4 collapsed inner space", [] { H::CheckRestrictionFori4("n", 1, MaxInc(" 1  2 ")); },
       "InvalidValue: The value [1 2] can not be converted to a i4"},
      {"i1 range", [] { H::CheckRestrictionFori1("n", 1, MaxInc("200")); },
       "InvalidValue: The value [200] is to large to fit in a i1"},
      {"ui2 range", [] { H::CheckRestrictionForui2("n", 1, MaxInc("70000")); },
       "InvalidValue: The value [70000] is to large to fit in a ui2"},
      {"i8 range", [] { H::CheckRestrictionFori8("n", 1, MinExc("9223372036854775808")); },
       "InvalidValue: The value [9223372036854775808] is to large to fit in a i8"},
      {"r8 syntax", [] { H::CheckRestrictionForr8("n", 1, MinInc("1,5")); },
       "InvalidValue: The value [1,5] can not be converted to a r8"},
      // Bounds are tested in facet order and the first violation ends the
      // check: a bad bound after it is never read, a bad bound before it is.
      {"violation before bad bound", [] {
         H::CheckRestrictionFori4("n", 1, Bounds("2", "zz", "", ""));
       }, "Vx: Invalid Value for n [1]"},
      {"bad bound before violation", [] {
         H::CheckRestrictionFori4("n", 1, Bounds("zz", "0", "", ""));
       }, "InvalidValue: The value [zz] can not be converted to a i4"},
      {"bad maxExclusive after good ones", [] {
         H::CheckRestrictionFori4("n", 1, Bounds("0", "2", "0", "x"));
       }, "InvalidValue: The value [x] can not be converted to a i4"},
  });
}

TEST(Restrictions, FloatingKinds) {
  const double nan = std::nan("");
  RunCases({
      {"r8 = minInclusive", [] { H::CheckRestrictionForr8("x", 1.5, MinInc("1.5")); }, "ok"},
      {"r8 = minExclusive", [] { H::CheckRestrictionForr8("x", 1.5, MinExc("1.5")); },
       "Vx: Invalid Value for x [1.500000]"},
      {"r8 > maxInclusive", [] { H::CheckRestrictionForr8("x", 2.25, MaxInc("2.2")); },
       "Vx: Invalid Value for x [2.250000]"},
      {"r8 exponent bound", [] { H::CheckRestrictionForr8("x", 1e3, MaxExc("1E3")); },
       "Vx: Invalid Value for x [1000.000000]"},
      // NaN violates the inclusive bounds only.
      {"NaN minInclusive", [=] { H::CheckRestrictionForr8("x", nan, MinInc("0")); },
       "Vx: Invalid Value for x [nan]"},
      {"NaN maxInclusive", [=] { H::CheckRestrictionForr8("x", nan, MaxInc("0")); },
       "Vx: Invalid Value for x [nan]"},
      {"NaN exclusive", [=] { H::CheckRestrictionForr8("x", nan, Bounds("", "", "0", "0")); },
       "ok"},
      {"NaN bound", [] { H::CheckRestrictionForr8("x", 1, MaxInc("NaN")); },
       "Vx: Invalid Value for x [1.000000]"},
      {"INF bound", [] { H::CheckRestrictionForr8("x", 1e308, MaxExc("INF")); }, "ok"},
      {"INF value", [] {
         H::CheckRestrictionForr8("x", std::numeric_limits<double>::infinity(), MaxExc("INF"));
       }, "Vx: Invalid Value for x [inf]"},
      // The bound is parsed as r4, so 0.1 equals the float 0.1.
      {"r4 bound as float", [] { H::CheckRestrictionForr4("x", 0.1f, MaxInc("0.1")); }, "ok"},
      {"r4 = maxExclusive", [] { H::CheckRestrictionForr4("x", 0.1f, MaxExc("0.1")); },
       "Vx: Invalid Value for x [0.100000]"},
      {"r4 NaN", [=] { H::CheckRestrictionForr4("x", std::nanf(""), MinInc("-INF")); },
       "Vx: Invalid Value for x [nan]"},
  });
}

TEST(Restrictions, DatesAndDurations) {
  RunCases({
      // Zoned against zone-less within fourteen hours: indeterminate, never a
      // violation, whichever bound.
      {"indeterminate", [] {
         const CDateTime v = Dt("2024-01-01T00:00:00Z");
         H::CheckRestrictionFordatetime("d", v, MaxInc("2024-01-01T05:00:00"));
         H::CheckRestrictionFordatetime("d", v, MinInc("2023-12-31T20:00:00"));
         H::CheckRestrictionFordatetime("d", v, MinExc("2024-01-01T00:00:00"));
         H::CheckRestrictionFordatetime("d", v, MaxExc("2024-01-01T00:00:00"));
       }, "ok"},
      {"beyond fourteen hours", [] {
         H::CheckRestrictionFordatetime("d", Dt("2024-01-02T00:00:00Z"),
                                        MaxInc("2024-01-01T00:00:00"));
       }, "Vx: Invalid Value for d [2024-01-02T00:00:00Z]"},
      {"same instant, other zone", [] {
         H::CheckRestrictionFordatetime("d", Dt("2024-01-01T12:00:00+02:00"),
                                        MaxExc("2024-01-01T10:00:00Z"));
       }, "Vx: Invalid Value for d [2024-01-01T12:00:00+02:00]"},
      {"date = minExclusive", [] {
         H::CheckRestrictionFordate("d", C::dateFromString("2024-02-29", None),
                                    MinExc("2024-02-29"));
       }, "Vx: Invalid Value for d [2024-02-29]"},
      {"date = maxInclusive", [] {
         H::CheckRestrictionFordate("d", C::dateFromString("2024-02-29", None),
                                    MaxInc(" 2024-02-29 "));
       }, "ok"},
      {"time = maxExclusive", [] {
         H::CheckRestrictionFortime("d", C::timeFromString("12:00:00", None), MaxExc("12:00:00"));
       }, "Vx: Invalid Value for d [12:00:00]"},
      {"yearMonth", [] {
         H::CheckRestrictionForyearMonth("d", C::yearMonthFromString("2024-05", None),
                                         MinInc("2024-06"));
       }, "Vx: Invalid Value for d [2024-05]"},
      {"monthYear", [] {
         H::CheckRestrictionFormonthYear("d", C::yearMonthFromString("2024-05", None),
                                         MaxExc("2024-05"));
       }, "Vx: Invalid Value for d [2024-05]"},
      {"monthDay", [] {
         H::CheckRestrictionFormonthDay("d", C::monthDayFromString("--05-01", None),
                                        MaxInc("--04-30"));
       }, "Vx: Invalid Value for d [--05-01]"},
      {"date bound that does not parse", [] {
         H::CheckRestrictionFordate("d", C::dateFromString("2024-02-29", None), MinInc("2024-13"));
       }, "InvalidValue: Invalid Month [13] (1 <= month <= 12)"},
      // P1M is neither shorter nor longer than P30D.
      {"duration indeterminate", [] {
         H::CheckRestrictionForduration("p", Span("P1M"), Bounds("P30D", "P30D", "P30D", "P30D"));
       }, "ok"},
      {"duration greater", [] { H::CheckRestrictionForduration("p", Span("P2M"), MaxInc("P30D")); },
       "Vx: Invalid Value for p [P2M]"},
      {"duration equal", [] { H::CheckRestrictionForduration("p", Span("PT1H"), MinInc("PT60M")); },
       "ok"},
      {"duration = minExclusive", [] {
         H::CheckRestrictionForduration("p", Span("PT1H"), MinExc("PT60M"));
       }, "Vx: Invalid Value for p [PT1H]"},
      {"duration bad bound", [] { H::CheckRestrictionForduration("p", Span("PT1H"), MinExc("1H")); },
       "InvalidValue: Invalid XSD Duration [1H] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]"},
  });
}

TEST(Restrictions, ExactNumbers) {
  RunCases({
      {"decimal = maxExclusive", [] {
         H::CheckRestrictionFordecimal("m", CDecimal("1.5"), MaxExc("1.50"));
       }, "Vx: Invalid Value for m [1.5]"},
      {"decimal inside", [] {
         H::CheckRestrictionFordecimal("m", CDecimal("-0.001"), Bounds("-0.001", "0", "-1", "1"));
       }, "ok"},
      {"decimal below", [] {
         H::CheckRestrictionFordecimal("m", CDecimal("-12345678901234567890.5"),
                                       MinInc("-12345678901234567890.4"));
       }, "Vx: Invalid Value for m [-12345678901234567890.5]"},
      {"decimal bad bound", [] { H::CheckRestrictionFordecimal("m", CDecimal(1), MinInc("1.2.3")); },
       "InvalidValue: The string representing a Decimal, contained an invalid char at position 3 "
       "[1.2.3]"},
      {"integer above", [] {
         H::CheckRestrictionForinteger("k", CBigInteger("123456789012345678901234567890"),
                                       MaxInc("123456789012345678901234567889"));
       }, "Vx: Invalid Value for k [123456789012345678901234567890]"},
      {"integer equal", [] {
         H::CheckRestrictionForinteger("k", CBigInteger("-5"), Bounds("-5", "-5", "-6", "-4"));
       }, "ok"},
  });
}

TEST(Restrictions, LengthsCountBytes) {
  const std::string umlauts = "\xC3\xA4\xC3\xB6\xC3\xBC";  // three characters, six bytes
  unsigned char bytes[] = {0x00, 0xAB, 0xFF};
  const CBinaryData bin(bytes, 3, false);
  RunCases({
      {"minLength", [] { H::CheckRestrictionForstring("s", "abc", Lengths(4, -1, -1)); },
       "Vx: Invalid Value for s [abc]"},
      {"maxLength", [] { H::CheckRestrictionForstring("s", "abc", Lengths(-1, 2, -1)); },
       "Vx: Invalid Value for s [abc]"},
      {"length", [] { H::CheckRestrictionForstring("s", "abc", Lengths(3, 3, 3)); }, "ok"},
      {"empty length 0", [] { H::CheckRestrictionForstring("s", "", Lengths(0, 0, 0)); }, "ok"},
      {"length differs", [] { H::CheckRestrictionForstring("s", "", Lengths(-1, -1, 1)); },
       "Vx: Invalid Value for s []"},
      {"bytes min", [&] { H::CheckRestrictionForstring("s", umlauts, Lengths(6, 6, 6)); }, "ok"},
      {"bytes max", [&] { H::CheckRestrictionForstring("s", umlauts, Lengths(-1, 5, -1)); },
       "Vx: Invalid Value for s [\xC3\xA4\xC3\xB6\xC3\xBC]"},
      {"not characters", [&] { H::CheckRestrictionForstring("s", umlauts, Lengths(-1, -1, 3)); },
       "Vx: Invalid Value for s [\xC3\xA4\xC3\xB6\xC3\xBC]"},
      {"hex", [&] { H::CheckRestrictionForhexBinary("b", bin, Lengths(-1, -1, 2)); },
       "Vx: Invalid Value for b [00ABFF]"},
      {"hex inside", [&] { H::CheckRestrictionForhexBinary("b", bin, Lengths(3, 3, 3)); }, "ok"},
      {"base64 shows hex", [&] { H::CheckRestrictionForbase64Binary("b", bin, Lengths(4, -1, -1)); },
       "Vx: Invalid Value for b [00ABFF]"},
      {"empty binary", [] {
         H::CheckRestrictionForbase64Binary("b", CBinaryData(), Lengths(1, -1, -1));
       }, "Vx: Invalid Value for b []"},
      // Bounds mean nothing to a length kind.
      {"string ignores bounds", [] {
         H::CheckRestrictionForstring("s", "b", Bounds("c", "a", "zz", "zz"));
       }, "ok"},
      {"boolean never fails", [] {
         H::CheckRestrictionForboolean("b", true, CPrimitiveRestrictions("(", 9, 0, "x", "y", "z",
                                                                         "w", 7));
       }, "ok"},
  });
}

TEST(Restrictions, StringPattern) {
  RunCases({
      {"match", [] { H::CheckRestrictionForstring("s", "123", Pattern("\\d{3}")); }, "ok"},
      {"anchored", [] { H::CheckRestrictionForstring("s", "1234", Pattern("\\d{3}")); },
       "Vx: Invalid Value for s [1234]"},
      {"non-ASCII pattern and value", [] {
         H::CheckRestrictionForstring("s", "gr\xC3\xBC\xC3\x9F", Pattern("gr(\xC3\xBC|ue)\xC3\x9F"));
       }, "ok"},
      {"bad pattern", [] { H::CheckRestrictionForstring("s", "x", Pattern("(")); },
       "Vx: Invalid Regular Expression: ( Error: 'missing closing parenthesis' at character 2\n"
       "Invalid Value for s [x]"},
      // Lengths are tested first.
      {"length before pattern", [] {
         H::CheckRestrictionForstring("s", "x", CPrimitiveRestrictions("(", -1, 0, "", "", "", "",
                                                                       -1));
       }, "Vx: Invalid Value for s [x]"},
  });
  // The pattern failure and the value are one message, not a chain.
  try {
    H::CheckRestrictionForstring("s", "x", Pattern("a{2,1}"));
    ADD_FAILURE() << "no exception";
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetInnerException(), nullptr);
    EXPECT_EQ(e.GetMessage(),
              "Invalid Regular Expression: a{2,1} Error: 'numbers out of order in {} "
              "quantifier' at character 5\nInvalid Value for s [x]");
  }
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
      {"\\d{3}", "1234", false},
      {"\\d{3}", "123\n", false},
      {"^a$", "^a$", true},
      {"^a$", "a", false},
      {"a|ab", "ab", true},
      {"()", "", true},
      {"Chapter\\s\\d", "Chapter 7", true},
      {"x{2,}", "xxx", true},
      {"x{2,}", "x", false},
      {"x{1,2}", "xxx", false},
      {"x{0}y", "y", true},
      // The dot, and the single-character escapes.
      {".", "\n", false},
      {".", "\r", false},
      {".", "\xC3\xA9", true},
      {"..", "\xC3\xA9", false},
      {"\\n\\r\\t", "\n\r\t", true},
      {"\\\\d", "\\d", true},
      {"\\\\d", "5", false},
      {"\\-\\[\\]\\{\\}\\^", "-[]{}^", true},
      // \s \i \c \d \w and their complements, over all of Unicode.
      {"\\s", "\xC2\xA0", false},
      {"\\S", "\xC2\xA0", true},
      {"\\i\\c*", "_a.b-c:d", true},
      {"\\i\\c*", "\xC3\xA9t\xC3\xA9\xC2\xB7\xE4\xB8\xAD", true},
      {"\\i", "1", false},
      {"\\i", "\xC2\xB7", false},
      {"\\i", "\xCC\x81", false},
      {"\\c", "\xCC\x81", true},
      {"\\c", "\xC3\x97", false},
      {"\\I", ":", false},
      {"\\C", " ", true},
      {"\\d", "\xD9\xA3", true},
      {"\\d", "\xC2\xB2", false},
      {"\\D", "\xD9\xA3", false},
      {"\\w", "$", true},
      {"\\w", "\xC3\xA4", true},
      {"\\w", "-", false},
      {"\\w", "\xE2\x80\x8B", false},
      {"\\W", " ", true},
      // Categories.
      {"Espa\\p{Ll}ol", "Espa\xC3\xB1ol", true},
      {"\\p{Lu}\\w*", "Ab", true},
      {"\\p{Lu}", "a", false},
      {"\\P{Lu}", "a", true},
      {"\\p{Sc}", "\xE2\x82\xAC", true},
      {"\\p{Zs}", "\xC2\xA0", true},
      {"\\p{Co}", "\xEE\x80\x80", true},
      {"\\P{C}", "\x01", false},
      // Blocks, by today's names and by those of XML Schema 1.0.
      {"\\p{IsBasicLatin}+", "a~\x7F", true},
      {"\\p{IsGreek}", "\xCE\xB1", true},
      {"\\p{IsGreekandCoptic}", "\xCE\xB1", true},
      {"\\P{IsGreek}", "a", true},
      {"\\p{IsCombiningMarksforSymbols}", "\xE2\x83\x90", true},
      {"\\p{IsPrivateUse}", "\xEE\x80\x80", true},
      {"\\p{IsPrivateUse}", "\xF3\xB0\x80\x80", true},
      {"\\p{IsPrivateUse}", "\xF4\x8F\xBF\xBF", true},
      {"\\p{IsPrivateUse}", "\xEF\xA4\x80", false},
      {"\\p{IsHighSurrogates}?", "", true},
      {"\\P{IsLowSurrogates}", "a", true},
      // Character classes: '-' and '^', escapes, subtraction at any depth.
      {"[^a]", "a", false},
      {"[a^]", "^", true},
      {"[.]", "a", false},
      {"[-a]", "-", true},
      {"[a-]", "-", true},
      {"[\\n-\\r]", "\x0B", true},
      {"[\\S\\s]", " ", true},
      {"[\\P{IsBasicLatin}a]", "\xC3\xA9", true},
      {"[\\P{IsBasicLatin}a]", "b", false},
      {"[\\p{IsHighSurrogates}a]", "a", true},
      {"[^\\p{IsHighSurrogates}]", "a", true},
      {"[a-z-[aeiou]]", "b", true},
      {"[a-z-[aeiou]]", "e", false},
      {"[^a-z-[0-4]]", "5", true},
      {"[^a-z-[0-4]]", "3", false},
      {"[a-z-[b-y-[c]]]+", "acz", true},
      {"[a-z-[b-y-[c]]]", "d", false},
      {"[\\p{L}-[\\p{Lu}]]{2}", "ab", true},
      {"[\\p{L}-[\\p{Lu}]]", "A", false},
      {"[\\i-[:]]", ":", false},
      // Values: UTF-8 characters; a byte that is not UTF-8 in the local
      // text reaches the match as '?'; NUL bytes stay.
      {"\xF0\x9F\x98\x80+", "\xF0\x9F\x98\x80\xF0\x9F\x98\x80", true},
      {"a\\?b", "a\xFF" "b", true},
      {"a.b", std::string("a\0b", 3), true},
      {"\\d{2}", std::string("12\0", 3), false},
  };
  for (const Row& r : rows)
    EXPECT_EQ(TestRegEx(r.pattern, r.value), r.accepted) << r.pattern << " on " << r.value;
}

// Every block of the Unicode data file holds its first and last character
// and not the one after it.
TEST(RegEx, EveryUnicodeBlock) {
  std::ifstream in(VXXML_UNICODE_BLOCKS);
  std::string line;
  int blocks = 0;
  while (std::getline(in, line)) {
    unsigned first, last;
    char name[128];
    if (std::sscanf(line.c_str(), "%x..%x; %127[^\n]", &first, &last, name) != 3) continue;
    std::string block = name;
    block.erase(std::remove(block.begin(), block.end(), ' '), block.end());
    if (first >= 0xD800 && last <= 0xDFFF) continue;  // surrogates: never in UTF-8
    const auto Utf8 = [](unsigned cp) {
      if (cp == 0) return std::string(1, '\0');
      const wchar_t text[2] = {static_cast<wchar_t>(cp), 0};
      const CBinaryData b = CEncoder::UnicodeToUtf8Binary(text);
      return std::string(reinterpret_cast<const char*>(b.GetData()), b.GetLength());
    };
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
  struct Row {
    std::string pattern;
    const char* error;
  };
  const Row rows[] = {
      {"(", "missing closing parenthesis' at character 2"},
      {"a)", "unmatched closing parenthesis' at character 2"},
      {"[ab", "missing terminating ] for character class' at character 4"},
      {"[a-", "missing terminating ] for character class' at character 4"},
      {"[]", "empty character class' at character 2"},
      {"[^]", "empty character class' at character 3"},
      {"[z-a]", "range out of order in character class' at character 4"},
      {"[a-c-e]", "- must be first or last in a character class, or escaped' at character 5"},
      {"[\\d-z]", "- must be first or last in a character class, or escaped' at character 4"},
      {"[a-\\d]", "range must end in a single character' at character 4"},
      {"[a--]", "range must end in a single character' at character 4"},
      {"[a-[b]c]", "subtraction must end the character class' at character 7"},
      {"[a[b]]", "unescaped [' at character 3"},
      {"a]", "unescaped ]' at character 2"},
      {"a}", "unescaped }' at character 2"},
      {"*a", "quantifier does not follow a repeatable item' at character 1"},
      {"a*?", "quantifier does not follow a repeatable item' at character 3"},
      {"a{2}{3}", "quantifier does not follow a repeatable item' at character 5"},
      {"(?:a)", "quantifier does not follow a repeatable item' at character 2"},
      {"a{2,1}", "numbers out of order in {} quantifier' at character 5"},
      {"a{,2}", "invalid quantifier' at character 3"},
      {"a{1", "invalid quantifier' at character 4"},
      {"a{65536}", "number too big in {} quantifier' at character 3"},
      {"\\b", "unknown escape \\b' at character 1"},
      {"\\$", "unknown escape \\$' at character 1"},
      {"a\\1", "unknown escape \\1' at character 2"},
      {"\\x41", "unknown escape \\x' at character 1"},
      {"a\\", "\\ at end of pattern' at character 2"},
      {"\\pL", "missing { after \\p' at character 3"},
      {"\\P{Lu", "missing } after category or block name' at character 6"},
      {"\\p{IsKlingon}", "unknown category or block IsKlingon' at character 4"},
      {"\\p{L&}", "unknown category or block L&' at character 4"},
      {"\\p{Is}", "unknown category or block Is' at character 4"},
      {"\xC3\xA9\xC3", "ill-formed UTF-8' at character 2"},
      {std::string(101, '('), "groups or subtractions too deeply nested' at character 101"},
      {"(\\i{9}){9999}", "regular expression is too large'"},
  };
  for (const Row& r : rows) {
    const std::string expected =
        "Vx: Invalid Regular Expression: " + r.pattern + " Error: '" + r.error;
    // A bad pattern is reported the same way on every call.
    for (int i = 0; i < 2; ++i)
      EXPECT_EQ(Outcome([&] { TestRegEx(r.pattern, "a"); }), expected) << r.pattern;
  }
}

TEST(RegEx, EveryCutOfAPatternAnswersOrThrows) {
  const std::string full =
      "(\\p{IsGreek}|\\i)\\c{0,3}\\\\[a-z\\-]{2,}(x|\\d+)?[\\w-[\\d]]*";
  const std::string value = "\xCE\xB1" "ab.\\q-7~";
  ASSERT_TRUE(TestRegEx(full, value));
  for (size_t n = 0; n <= full.size(); ++n) {
    const std::string cut = full.substr(0, n);
    const std::string outcome = Outcome([&] { TestRegEx(cut, value); });
    const std::string refused = "Vx: Invalid Regular Expression: " + cut + " Error: '";
    EXPECT_TRUE(outcome == "ok" || (outcome.rfind(refused, 0) == 0 &&
                                    outcome.find("' at character ") != std::string::npos))
        << n << ": " << outcome;
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
        const std::string p = "\\d{" + std::to_string(1 + (i + t) % 5) + "}";
        const bool good = TestRegEx(p, std::string(1 + (i + t) % 5, '7'));
        const bool bad = TestRegEx(p, std::string(2 + (i + t) % 5, '7'));
        const std::string err = Outcome([] { TestRegEx("(", ""); });
        if (!good || bad ||
            err != "Vx: Invalid Regular Expression: ( Error: 'missing closing parenthesis' at "
                   "character 2")
          ++wrong[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(wrong, std::vector<int>(4, 0));
}

TEST(Restrictions, DispatcherPicksTheKindsCheck) {
  const auto Fail = [](const char* text) { return MaxExc(text); };
  struct Row {
    const char* what;
    std::function<void(VxVariant&)> set;
    ItemType type;
    CPrimitiveRestrictions r;
    const char* expected;
  };
  unsigned char bytes[] = {0x0F, 0xF0};
  const CBinaryData bin(bytes, 2, false);
  const std::vector<Row> rows = {
      {"hexBinary", [&](VxVariant& v) { v.SetHexBinary(bin); }, ItemType_hexBinary,
       Lengths(3, -1, -1), "Vx: Invalid Value for e [0FF0]"},
      {"base64Binary", [&](VxVariant& v) { v.SetBase64Binary(bin); }, ItemType_base64Binary,
       Lengths(-1, 1, -1), "Vx: Invalid Value for e [0FF0]"},
      {"i1", [](VxVariant& v) { v.SetI1(-3); }, ItemType_i1, Fail("-3"),
       "Vx: Invalid Value for e [-3]"},
      {"i2", [](VxVariant& v) { v.SetI2(300); }, ItemType_i2, Fail("300"),
       "Vx: Invalid Value for e [300]"},
      {"i4", [](VxVariant& v) { v.SetI4(70000); }, ItemType_i4, Fail("70000"),
       "Vx: Invalid Value for e [70000]"},
      {"i8", [](VxVariant& v) { v.SetI8(5000000000LL); }, ItemType_i8, Fail("5000000000"),
       "Vx: Invalid Value for e [5000000000]"},
      {"ui1", [](VxVariant& v) { v.SetUI1(200); }, ItemType_ui1, Fail("200"),
       "Vx: Invalid Value for e [200]"},
      {"ui2", [](VxVariant& v) { v.SetUI2(60000); }, ItemType_ui2, Fail("60000"),
       "Vx: Invalid Value for e [60000]"},
      {"ui4", [](VxVariant& v) { v.SetUI4(3000000000UL); }, ItemType_ui4, Fail("3000000000"),
       "Vx: Invalid Value for e [3000000000]"},
      {"ui8", [](VxVariant& v) { v.SetUI8(10000000000ULL); }, ItemType_ui8, Fail("10000000000"),
       "Vx: Invalid Value for e [10000000000]"},
      {"r4", [](VxVariant& v) { v.SetR4(0.5f); }, ItemType_r4, Fail("0.5"),
       "Vx: Invalid Value for e [0.500000]"},
      {"r8", [](VxVariant& v) { v.SetR8(-0.25); }, ItemType_r8, Fail("-0.25"),
       "Vx: Invalid Value for e [-0.250000]"},
      {"duration", [](VxVariant& v) { v.SetDuration(Span("P1D")); }, ItemType_duration,
       Fail("PT24H"), "Vx: Invalid Value for e [P1D]"},
      {"yearMonth", [](VxVariant& v) { v.SetYearMonth(C::yearMonthFromString("1999-12", None)); },
       ItemType_yearMonth, Fail("1999-12"), "Vx: Invalid Value for e [1999-12]"},
      {"monthDay", [](VxVariant& v) { v.SetMonthDay(C::monthDayFromString("--12-31", None)); },
       ItemType_monthDay, Fail("--12-31"), "Vx: Invalid Value for e [--12-31]"},
      {"year", [](VxVariant& v) { v.SetYear(1999); }, ItemType_year, Fail("1999"),
       "Vx: Invalid Value for e [1999]"},
      {"month", [](VxVariant& v) { v.SetMonth(12); }, ItemType_month, Fail("--12"),
       "Vx: Invalid Value for e [12]"},
      {"day", [](VxVariant& v) { v.SetDay(31); }, ItemType_day, Fail("---31"),
       "Vx: Invalid Value for e [31]"},
      {"date", [](VxVariant& v) { v.SetDate(C::dateFromString("1999-12-31", None)); },
       ItemType_date, Fail("1999-12-31"), "Vx: Invalid Value for e [1999-12-31]"},
      {"datetime", [](VxVariant& v) { v.SetDateTime(Dt("1999-12-31T23:59:59")); },
       ItemType_datetime, Fail("1999-12-31T23:59:59"),
       "Vx: Invalid Value for e [1999-12-31T23:59:59]"},
      {"time", [](VxVariant& v) { v.SetTime(C::timeFromString("23:59:59", None)); },
       ItemType_time, Fail("23:59:59"), "Vx: Invalid Value for e [23:59:59]"},
      {"string", [](VxVariant& v) { v.SetString("abc"); }, ItemType_string, Pattern("[a-c]{2}"),
       "Vx: Invalid Value for e [abc]"},
      {"boolean", [](VxVariant& v) { v.SetBoolean(false); }, ItemType_boolean, Fail("zz"), "ok"},
      {"decimal", [](VxVariant& v) { v.SetDecimal(CDecimal("2.5")); }, ItemType_decimal,
       Fail("2.5"), "Vx: Invalid Value for e [2.5]"},
      {"integer", [](VxVariant& v) { v.SetInteger(CBigInteger("-99")); }, ItemType_integer,
       Fail("-99"), "Vx: Invalid Value for e [-99]"},
      // Kinds held alike may be read as each other.
      {"hex as base64", [&](VxVariant& v) { v.SetHexBinary(bin); }, ItemType_base64Binary,
       Lengths(-1, -1, 1), "Vx: Invalid Value for e [0FF0]"},
      {"datetime as date", [](VxVariant& v) { v.SetDateTime(Dt("1999-12-31T23:59:59")); },
       ItemType_date, MinInc("2000-01-01"), "Vx: Invalid Value for e [1999-12-31T23:59:59]"},
      // Unknown kinds name the variant's own kind.
      {"char", [](VxVariant& v) { v.SetChar('a'); }, ItemType_char, Fail("b"),
       "InvalidValue: unknown type [char]"},
      {"zero", [](VxVariant& v) { v.SetI4(1); }, ItemType_none, Fail("1"),
       "InvalidValue: unknown type [i4]"},
      {"object", [](VxVariant& v) { v.SetString("s"); }, ItemType_xmlObject, Fail("1"),
       "InvalidValue: unknown type [string]"},
      {"out of range", [](VxVariant& v) { v.SetBoolean(true); }, static_cast<ItemType>(31),
       Fail("1"), "InvalidValue: unknown type [boolean]"},
      {"empty variant", [](VxVariant&) {}, ItemType_none, Fail("1"), "Vx: Invalid Type 0"},
      // A value held another way is refused, never reinterpreted.
      {"string as i4", [](VxVariant& v) { v.SetString("5"); }, ItemType_i4, Fail("1"),
       "InvalidParam: Invalid Value for e: a value of type [string] cannot be checked as [i4]"},
      {"i4 as string", [](VxVariant& v) { v.SetI4(5); }, ItemType_string, Pattern("5"),
       "InvalidParam: Invalid Value for e: a value of type [i4] cannot be checked as [string]"},
      {"empty as date", [](VxVariant&) {}, ItemType_date, Fail("2000-01-01"),
       "InvalidParam: Invalid Value for e: a value of type [none] cannot be checked as [date]"},
      // A nil value holds nothing to check.
      {"nil", [](VxVariant& v) { v.SetString("abc"); v.SetNil(); }, ItemType_string,
       Lengths(9, -1, -1), "ok"},
  };
  for (const Row& row : rows) {
    VxVariant v;
    row.set(v);
    EXPECT_EQ(Outcome([&] { H::CheckRestriction("e", v, row.type, row.r); }), row.expected)
        << row.what;
  }
}
