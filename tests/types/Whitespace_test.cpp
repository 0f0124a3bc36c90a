#include "vxxml/Whitespace.h"

#include <gtest/gtest.h>

#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using WS = CWhitespaceUtils;

TEST(Whitespace, Rules) {
  const auto None = WS::WhitespaceRule_None, Preserve = WS::WhitespaceRule_Preserve,
             Replace = WS::WhitespaceRule_Replace, Collapse = WS::WhitespaceRule_Collapse;
  struct Case {
    WS::WhitespaceRule rule;
    const char* in;
    const char* out;
  } cases[] = {
      {None, " a\r\n\tb ", " a\r\n\tb "},     {Preserve, "a\r\nb\r\r\n", "a\nb\n\n"},
      {Preserve, "ab\r", "ab\n"},             {Preserve, "\t x \t", "\t x \t"},
      {Replace, "a\r\nb", "a b"},            {Replace, "\ta\nb\rc\r", " a b c "},
      {Replace, "plain  text", "plain  text"},
      {Collapse, "  a \t b  ", "a b"},        {Collapse, "\r\n", ""},
      {Collapse, "", ""},                     {Collapse, "a\r\n\r\nb c", "a b c"},
      {Collapse, "a b c", "a b c"},           {Collapse, "a  b", "a b"},
      {Collapse, "a ", "a"},                  {Collapse, " a", "a"},
      {Collapse, "a\tb", "a b"},
  };
  for (const Case& c : cases) EXPECT_EQ(WS::ApplyRule(c.rule, c.in), c.out) << c.in;
  EXPECT_EQ(WS::Preserve("a\rbcd", 3), "a\nb");
  EXPECT_EQ(WS::Preserve(nullptr, 4), "");
  vxtest::ExpectFailure<CVxException>(
      [] { WS::ApplyRule(static_cast<WS::WhitespaceRule>(4), "x"); }, "Unknown WhitespaceRule");
}

TEST(TextHelpers, FindReplace) {
  std::string s = "a\r\nb\r\n\r\nc", joined = "aaab", none = "abc";
  FindReplace(s, "\r\n", "\n");
  FindReplace(joined, "ab", "b");  // every pass restarts: aaab -> aab -> ab -> b
  FindReplace(none, "", "z");
  EXPECT_EQ(s + "|" + joined + "|" + none, "a\nb\n\nc|b|abc");
  std::wstring w = L"x--y--";
  FindReplace(w, L"--", L"-");
  EXPECT_EQ(w, L"x-y-");
}
