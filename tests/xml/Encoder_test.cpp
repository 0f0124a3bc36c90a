#include "vxxml/Encoder.h"

#include <gtest/gtest.h>

#include <climits>
#include <clocale>
#include <cstring>
#include <cwchar>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "TestUtil.h"

using namespace VxXmlLib10;
using vxtest::Bytes;

namespace {

// The conversions as the runtime defines them, one character at a time: local
// text to characters ('?' for what is none) and characters to local text.
std::wstring ReferenceLocalToWide(const std::string& text) {
  std::wstring wide;
  std::mbstate_t state{};
  for (size_t i = 0; i < text.size();) {
    wchar_t wc;
    const size_t r = std::mbrtowc(&wc, text.data() + i, text.size() - i, &state);
    if (r == static_cast<size_t>(-1) || r == static_cast<size_t>(-2) || r == 0) {
      wide += L'?';
      state = std::mbstate_t{};
      ++i;
    } else {
      wide += wc;
      i += r;
    }
  }
  return wide;
}

std::string ReferenceWideToLocal(const std::wstring& wide) {
  std::string out;
  for (wchar_t wc : wide) {
    char buf[MB_LEN_MAX];
    std::mbstate_t state{};
    const size_t r = std::wcrtomb(buf, wc, &state);
    if (r == static_cast<size_t>(-1))
      out += '?';
    else
      out.append(buf, r);
  }
  return out;
}

std::string Utf8(const std::wstring& wide) {
  std::vector<unsigned char> out(wide.size() * 4 + 1);
  return std::string(reinterpret_cast<const char*>(out.data()),
                     ConvertUTF32toUTF8(wide.data(), wide.data() + wide.size(), out.data(),
                                        out.data() + out.size()));
}

std::string Utf16LE(const std::wstring& wide) {
  std::vector<unsigned short> units(wide.size() * 2 + 1);
  const int n = UnicodeToUTF16(wide.data(), static_cast<int>(wide.size()), units.data(),
                               static_cast<int>(units.size()));
  std::string out;
  for (int i = 0; i < n; ++i)
    out += {static_cast<char>(units[i] & 0xFF), static_cast<char>(units[i] >> 8)};
  return out;
}

}  // namespace

// The legality checks and the other directions share the decoders that these reach.
TEST(Utf, IllFormedUtf8GivesZero) {
  const char* const bad[] = {"\x80",         "\xc0\x80",         "\xc1\xbf",         "\xe0\x80\x80",
                             "\xed\xa0\x80", "\xf4\x90\x80\x80", "\xf5\x80\x80\x80", "\xe2\x82",
                             "a\xff",        "\xf0\x9f\x98"};
  wchar_t wide[8];
  unsigned short units[8];
  for (const char* s : bad) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(s);
    const int n = static_cast<int>(std::strlen(s));
    EXPECT_EQ(UTF8ToUnicode(p, n, wide, 8), 0) << s;
    EXPECT_EQ(ConvertUTF8toUTF16(p, p + n, units, units + 8), 0ul) << s;
  }
}

TEST(Utf, Utf16RoundTripsAndRefusesUnpairedSurrogates) {
  const wchar_t text[] = {L'a', 0xE9, 0xFFFF, 0x10000, 0x10FFFF};
  unsigned short units[8];
  ASSERT_EQ(UnicodeToUTF16(text, 5, units, 8), 7);
  EXPECT_EQ(std::vector<unsigned short>(units + 3, units + 7),
            (std::vector<unsigned short>{0xD800, 0xDC00, 0xDBFF, 0xDFFF}));
  EXPECT_EQ(UnicodeToUTF16(text, 5, units, 4), 3);  // the pair does not fit
  wchar_t back[8];
  ASSERT_EQ(UTF16ToUnicode(units, 7, back, 8), 5);
  EXPECT_EQ(std::wstring(back, 5), std::wstring(text, 5));
  unsigned char utf8[16];
  EXPECT_EQ(ConvertUTF16toUTF8(units, units + 7, utf8, utf8 + 16), 1ul + 2 + 3 + 4 + 4);
  const unsigned short lone[] = {L'a', 0xDC00}, cut[] = {L'a', 0xD800};
  EXPECT_EQ(UTF16ToUnicode(lone, 2, back, 8), 0);
  EXPECT_EQ(ConvertUTF16toUTF8(cut, cut + 2, utf8, utf8 + 16), 0ul);
}

// Random bytes, biased towards UTF-8 lead and continuation bytes, and random
// characters, converted as the runtime does it one character at a time, in a
// UTF-8 locale and in the C locale (ASCII only: '?' for the rest).
TEST(Encoder, FastPathsMatchTheRuntimeInEveryLocale) {
  const unsigned char alphabet[] = {'a', '<', 0x7F, 0x80, 0x8F, 0x90, 0xA0, 0xBF, 0xC0, 0xC2,
                                    0xDF, 0xE0, 0xED, 0xEF, 0xF0, 0xF4, 0xF5, 0xF8, 0xFC, 0xFF};
  const wchar_t values[] = {L'a', 0x7F, 0x80, 0x7FF, 0x800, 0xD7FF, 0xD800, 0xDFFF, 0xE000,
                            0xFFFF, 0x10000, 0x10FFFF, 0x110000, 0x7FFFFFFF};
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  for (const char* locale : {"C.UTF-8", "C"}) {
    ASSERT_NE(std::setlocale(LC_ALL, locale), nullptr) << locale;
    std::mt19937 rng(12345);
    for (int round = 0; round < 3000 && !HasFailure(); ++round) {
      std::string text;
      for (int i = rng() % 12; i > 0; --i)
        text += static_cast<char>(alphabet[rng() % sizeof alphabet]);
      const std::wstring wide = ReferenceLocalToWide(text);
      EXPECT_EQ(Bytes(CEncoder::LocalCodePageToUtf8Binary(text.c_str())), Utf8(wide)) << round;
      EXPECT_EQ(Bytes(CEncoder::LocalCodePageToUnicodeBinary(text.c_str())), Utf16LE(wide))
          << round;
      // Read as UTF-8: ill-formed text gives nothing.
      const unsigned char* p = reinterpret_cast<const unsigned char*>(text.data());
      std::vector<wchar_t> chars(text.size() + 1);
      const unsigned long n =
          ConvertUTF8toUTF32(p, p + text.size(), chars.data(), chars.data() + chars.size());
      EXPECT_EQ(CEncoder::Utf8ToLocalCodePage(text.c_str()),
                n > 0 || text.empty() ? ReferenceWideToLocal(std::wstring(chars.data(), n)) : "")
          << round;
    }
    for (int round = 0; round < 500; ++round) {
      std::wstring wide;
      for (int i = rng() % 6; i > 0; --i) wide += values[rng() % (sizeof values / sizeof *values)];
      EXPECT_EQ(UnicodeToMultiByte(wide.c_str()), ReferenceWideToLocal(wide));
    }
  }
  std::setlocale(LC_ALL, saved.c_str());
}

TEST(Encoder, EdgesAndCallerBuffers) {
  EXPECT_EQ(CEncoder::LocalCodePageToUtf8Binary(nullptr).GetLength(), 0ul);
  EXPECT_EQ(Bytes(CEncoder::UnicodeToUtf8Binary(L"a\u00e9")), "a\xc3\xa9");
  EXPECT_EQ(CEncoder::UnicodeToUtf8Binary(L"").GetLength(), 0ul);
  const wchar_t surrogate[] = {L'a', 0xD800, 0};
  EXPECT_EQ(CEncoder::UnicodeToUtf8Binary(surrogate).GetLength(), 0ul);
  EXPECT_EQ(CEncoder::Utf8ToLocalCodePage(static_cast<const char*>(nullptr)), "");
  unsigned char withNul[] = {'a', 0, 'b'};
  EXPECT_EQ(CEncoder::Utf8ToLocalCodePage(withNul, 3), std::string("a\0b", 3));
  EXPECT_EQ(CEncoder::Utf8ToLocalCodePage(withNul, -1), "");
  wchar_t wide[4];
  char out[4];
  EXPECT_EQ(CEncoder::Utf8ToLocalCodePage("\xc3\xa9\xc3\xa9", wide, 4, out, 4), "\xc3\xa9\xc3\xa9");
  unsigned char lone[] = {0xD8, 0x00, 0, 'x', 0xDC, 0x00};
  EXPECT_EQ(CEncoder::Utf16ToLocalCodePage(lone, 6), "?x?");
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  wchar_t wide16[16];
  char out64[64];
  const std::string ascii = CEncoder::Utf8ToLocalCodePage("h\xc3\xa9", wide16, 16, out64, 64);
  unsigned char be[] = {0, 'h', 0, 0xE9};
  const std::string fromUtf16 = CEncoder::Utf16ToLocalCodePage(be, 4);
  std::setlocale(LC_ALL, saved.c_str());
  EXPECT_EQ(ascii, "h?");
  EXPECT_EQ(fromUtf16, "h?");
}

TEST(Encoder, AsciiOnlyPassesHighBytes) {
  ASCIIOnly(true);
  std::string high, utf16;
  for (int b = 0x80; b <= 0xFF; ++b) {
    high += static_cast<char>(b);
    utf16 += {static_cast<char>(b), '\0'};
  }
  const std::string toUtf8 = Bytes(CEncoder::LocalCodePageToUtf8Binary(high.c_str()));
  const std::string fromUtf8 = CEncoder::Utf8ToLocalCodePage(high.c_str());
  const std::string toUtf16 = Bytes(CEncoder::LocalCodePageToUnicodeBinary(high.c_str()));
  unsigned char be[] = {0, 0xE9, 0x4E, 0x2D};
  const std::string fromUtf16 = CEncoder::Utf16ToLocalCodePage(be, 4);
  ASCIIOnly(false);
  EXPECT_EQ(toUtf8, high);
  EXPECT_EQ(fromUtf8, high);
  EXPECT_EQ(toUtf16, utf16);
  EXPECT_EQ(fromUtf16, "\xe9?");
}

TEST(Encoder, EveryCutOfValidInputIsExact) {
  // UTF-8 cut inside a character is ill-formed: empty; cut between
  // characters: the prefix itself.
  const std::string utf8 = "a\xc3\xa9\xe4\xb8\xad\xf0\x9f\x98\x80z";
  const std::set<size_t> boundaries = {0, 1, 3, 6, 10, 11};
  for (size_t n = 0; n <= utf8.size(); ++n) {
    const std::string cut = utf8.substr(0, n);
    EXPECT_EQ(CEncoder::Utf8ToLocalCodePage(cut.c_str()), boundaries.count(n) ? cut : "") << n;
  }
  // UTF-16BE cut anywhere: whole characters, then '?' for a dangling byte or
  // an unpaired high surrogate.
  unsigned char be[] = {0, 'a', 0xD8, 0x3D, 0xDE, 0x00, 0, 'z'};
  const char* const expected[] = {"", "?", "a", "a?", "a?", "a??", "a\xf0\x9f\x98\x80",
                                  "a\xf0\x9f\x98\x80?", "a\xf0\x9f\x98\x80z"};
  for (int n = 0; n <= 8; ++n) EXPECT_EQ(CEncoder::Utf16ToLocalCodePage(be, n), expected[n]) << n;
}
