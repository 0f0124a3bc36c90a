#include "vxxml/Whitespace.h"

#include <gtest/gtest.h>

#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using WS = CWhitespaceUtils;

TEST(Whitespace, Rules) {
  struct Case {
    WS::WhitespaceRule rule;
    const char* in;
    const char* out;
  } cases[] = {
      {WS::WhitespaceRule_None, " a\r\n\tb ", " a\r\n\tb "},
      {WS::WhitespaceRule_Preserve, "a\rb", "a\nb"},
      {WS::WhitespaceRule_Preserve, "a\r\nb\r\r\n", "a\nb\n\n"},
      {WS::WhitespaceRule_Preserve, "\t x \t", "\t x \t"},
      {WS::WhitespaceRule_Replace, "a\r\nb", "a b"},
      {WS::WhitespaceRule_Replace, "\ta\nb\rc\r", " a b c "},
      {WS::WhitespaceRule_Replace, "plain  text", "plain  text"},
      {WS::WhitespaceRule_Collapse, "  a \t b  ", "a b"},
      {WS::WhitespaceRule_Collapse, "\r\n", ""},
      {WS::WhitespaceRule_Collapse, "", ""},
      {WS::WhitespaceRule_Collapse, "a\r\n\r\nb c", "a b c"},
      {WS::WhitespaceRule_Collapse, "a b c", "a b c"},
      {WS::WhitespaceRule_Collapse, "a  b", "a b"},
      {WS::WhitespaceRule_Collapse, "a ", "a"},
      {WS::WhitespaceRule_Collapse, " a", "a"},
      {WS::WhitespaceRule_Collapse, "a\tb", "a b"},
      {WS::WhitespaceRule_Preserve, "plain text", "plain text"},
      {WS::WhitespaceRule_Preserve, "ab\r", "ab\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(WS::ApplyRule(c.rule, c.in), c.out) << c.in;
  EXPECT_EQ(WS::Preserve("a\rbcd", 3), "a\nb");
  EXPECT_EQ(WS::Preserve(nullptr, 4), "");
}

TEST(Whitespace, UnknownRule) {
  vxtest::ExpectFailure<CVxException>(
      [] { WS::ApplyRule(static_cast<WS::WhitespaceRule>(4), "x"); }, "Unknown WhitespaceRule");
}

TEST(TextHelpers, FindReplace) {
  std::string s = "a\r\nb\r\n\r\nc";
  FindReplace(s, "\r\n", "\n");
  EXPECT_EQ(s, "a\nb\n\nc");
  std::string joined = "aaab";
  FindReplace(joined, "ab", "b");  // every pass restarts: aaab -> aab -> ab -> b
  EXPECT_EQ(joined, "b");
  std::wstring w = L"x--y--";
  FindReplace(w, L"--", L"-");
  EXPECT_EQ(w, L"x-y-");
  std::string none = "abc";
  FindReplace(none, "", "z");
  EXPECT_EQ(none, "abc");
}
