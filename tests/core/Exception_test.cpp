#include "vxxml/Exception.h"

#include <gtest/gtest.h>

#include <typeinfo>

using namespace VxXmlLib10;

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
  EXPECT_EQ(FormatString("100%% [%c] %*d", 'G', 4, 1), "100% [G]    1");
  EXPECT_EQ(FormatString("%lld %.2f", -9223372036854775807LL - 1, 2.345),
            "-9223372036854775808 2.35");
}

TEST(FormatString, LongStringsAreNotCut) {
  std::string big(100000, 'x');
  EXPECT_EQ(FormatString("<%s>", big.c_str()), "<" + big + ">");
  EXPECT_EQ(FormatString("%200d", 1).size(), 200u);
  EXPECT_EQ(FormatString("%.150d", 1).size(), 150u);
}
