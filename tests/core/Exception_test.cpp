#include "vxxml/Exception.h"

#include <gtest/gtest.h>

#include <typeinfo>

using namespace VxXmlLib10;

TEST(Exception, MessageAloneHasNoInner) {
  CVxInvalidStateException e("TimeZone is not been used");
  EXPECT_EQ(e.GetMessage(), "TimeZone is not been used");
  EXPECT_EQ(e.GetInnerException(), nullptr);
  EXPECT_EQ(e.GetFullMessage(), "TimeZone is not been used");
  EXPECT_EQ(CVxException().GetFullMessage(), "");
}

TEST(Exception, ChainPrintsOutermostFirst) {
  CVxInvalidValueException inner("The value [x] can not be converted to a r8");
  CVxValidationException middle("Failed to process the element [b]", inner);
  CVxValidationException outer("Failed to process the element [a]", middle);
  EXPECT_EQ(outer.GetFullMessage(),
            "Failed to process the element [a]\n"
            "Failed to process the element [b]\n"
            "The value [x] can not be converted to a r8");
  ASSERT_NE(outer.GetInnerException(), nullptr);
  EXPECT_EQ(typeid(*outer.GetInnerException()->GetInnerException()),
            typeid(CVxInvalidValueException));
}

TEST(Exception, AssignmentReplacesChain) {
  CVxException a("a", CVxOverFlowException("a-inner"));
  CVxException b("b");
  a = b;
  EXPECT_EQ(a.GetFullMessage(), "b");
  EXPECT_EQ(a.GetInnerException(), nullptr);
  b = CVxException("c", CVxInvalidNamespaceException("d"));
  a = b;
  EXPECT_EQ(a.GetFullMessage(), "c\nd");
  EXPECT_EQ(typeid(*a.GetInnerException()), typeid(CVxInvalidNamespaceException));
  a = a;  // self-assignment keeps everything
  EXPECT_EQ(a.GetFullMessage(), "c\nd");
}

TEST(FormatString, MatchesPrintf) {
  EXPECT_EQ(FormatString("Index %d is out of range, use 0 - %d", 7, 3),
            "Index 7 is out of range, use 0 - 3");
  EXPECT_EQ(FormatString("%s", ""), "");
  EXPECT_EQ(FormatString("100%%"), "100%");
  EXPECT_EQ(FormatString("[%c]", 'G'), "[G]");
  EXPECT_EQ(FormatString("%5s|%-5s|%.2s", "ab", "cd", "efgh"), "   ab|cd   |ef");
  EXPECT_EQ(FormatString("%lld %llu", -9223372036854775807LL - 1, 18446744073709551615ULL),
            "-9223372036854775808 18446744073709551615");
  EXPECT_EQ(FormatString("%ld %hd %x %X %o %#x", -5L, (short)7, 255, 255, 8, 255),
            "-5 7 ff FF 10 0xff");
  EXPECT_EQ(FormatString("%*d|%-*d|%.*s", 6, 42, 4, 1, 3, "abcdef"), "    42|1   |abc");
  EXPECT_EQ(FormatString("%f %.2f %e %g", 1.5, 2.345, 1e300, 0.1),
            "1.500000 2.35 1.000000e+300 0.1");
  EXPECT_EQ(FormatString("%f", 1e308), std::string(FormatString("%.0f", 1e308) + ".000000"));
  EXPECT_EQ(FormatString("%ls", L"wide"), "wide");
}

TEST(FormatString, LongStringsAreNotCut) {
  std::string big(100000, 'x');
  EXPECT_EQ(FormatString("<%s>", big.c_str()), "<" + big + ">");
  EXPECT_EQ(FormatString("%200d", 1).size(), 200u);
  EXPECT_EQ(FormatString("%.150d", 1).size(), 150u);
}
