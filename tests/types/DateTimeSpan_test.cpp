#include "vxxml/DateTimeSpan.h"

#include <gtest/gtest.h>

#include <string>

#include "types/DateTestUtil.h"
#include "vxxml/Whitespace.h"

using namespace VxXmlLib10;
using datetest::Throws;
using datetest::Value;

namespace {

const char* const kSyntax = "] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]";

}  // namespace

TEST(DateTimeSpan, Messages) {
  EXPECT_TRUE(Throws<Value>([] { CDateTimeSpan().ParseXSDDuration(nullptr); },
                            "Invalid XSD Duration (Null String)"));
  EXPECT_TRUE(Throws<Value>([] { CDateTimeSpan().ParseXSDDuration("PT1.1234567891S"); },
                            "Invalid XSD Duration [PT1.1234567891S] Fraction part too long"));
  // One of each way the form can break (those of a cut value are in
  // DateTimeRobust): no P, a designator out of order or repeated, digits
  // before T (they would be lost), a number too large for its field.
  for (const char* in : {"+P1Y", "P-1Y", "P1D1Y", "PT1H2D", "PT1S1M", "P1H", "P1.5S", "P5T1H",
                         "P65536Y", "P18446744073709551616M"}) {
    EXPECT_TRUE(Throws<Value>([&] { CDateTimeSpan().ParseXSDDuration(in); },
                              std::string("Invalid XSD Duration [") + in + kSyntax));
  }
}

TEST(DateTimeSpan, Fields) {
  CDateTimeSpan d(1, 2, 3, 4, 5, 6, 7, 8, 9);
  EXPECT_EQ(d.ToString(), "P1Y2M3DT4H5M6.007008009S");
  d.Negate();
  EXPECT_EQ(d.ToString(), "-P1Y2M3DT4H5M6.007008009S");
  d.SetDateTimeSpan(1, 2, 3);  // clears the sign
  EXPECT_EQ(d.ToString(), "PT1H2M3S");
  EXPECT_EQ(d.GetAsNegative().GetAsNegative().ToString(), "-PT1H2M3S");
  EXPECT_EQ(CDateTimeSpan(0, 0, 0, 0, 0, 0).ToString(), "PT0S");
  EXPECT_EQ(CDateTimeSpan(0, 0, 5, 0, 0, 0).ToString() + CDateTimeSpan(0, 2, 0, 0, 0, 0).ToString(),
            "P5DP2M");
  EXPECT_EQ(CDateTimeSpan(3, 4, 5, 0, 0, 0, 0, 0, 10).ToString(), "P3Y4M5DT0.00000001S");
  // Fields set beyond their ranges are written as they are.
  EXPECT_EQ(CDateTimeSpan(0, 0, 0, 0, 0, 1, 1500, 0, 0).ToString(),
            "PT1" + ToFracString(1500, 0, 0) + "S");
  // A failed parse leaves the fields read so far.
  CDateTimeSpan copy;
  EXPECT_TRUE(Throws<Value>([&] { copy.ParseXSDDuration("P7Y8X"); },
                            std::string("Invalid XSD Duration [P7Y8X") + kSyntax));
  EXPECT_EQ(copy.GetYears(), 7);
}
