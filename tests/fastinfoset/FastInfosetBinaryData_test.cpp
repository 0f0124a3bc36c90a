#include "vxxml/FastInfosetBinaryData.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "TestUtil.h"
#include "vxxml/Exception.h"

using namespace VxXmlLib10;
using vxtest::ExpectFailure;

namespace {

typedef std::vector<unsigned char> Bytes;

std::string Decode(unsigned long algorithm, Bytes octets) {
  CFastInfosetBinaryData d(octets.data(), static_cast<unsigned long>(octets.size()), false);
  return d.GetAsString(algorithm);
}

}  // namespace

TEST(FastInfosetBinaryData, EncodingFailures) {
  CFastInfosetBinaryData d("previous");
  ExpectFailure<CVxException>([&] { d.SetAsEncodedString(11, "1"); }, "Unknown byte encoding.");
  EXPECT_EQ(d.GetLength(), 0u);
  ExpectFailure<CVxInvalidValueException>([&] { d.SetAsEncodedString(3, "40000"); },
                                          "The value [40000] is to large to fit in a i2");
  // An unsigned value beyond long.
  ExpectFailure<CVxInvalidValueException>(
      [&] { d.SetAsEncodedString(5, "9223372036854775808"); },
      "The value [9223372036854775808] is to large to fit in a i8");
}

TEST(FastInfosetBinaryData, DecodingFailures) {
  struct Case {
    unsigned long algorithm;
    Bytes octets;
    const char* message;
  } cases[] = {
      {3, {1, 2, 3}, "Invalid value for SHORT byte encoding."},
      {4, {1, 2}, "Invalid value for INT byte encoding."},
      {5, {1, 2, 3, 4}, "Invalid value for LONG byte encoding."},
      {7, {1}, "Invalid value for FLOAT byte encoding."},
      {8, {1, 2, 3, 4}, "Invalid value for DOUBLE byte encoding."},
      {9, Bytes(15, 0), "Invalid value for UUID byte encoding."},
      {10, {'a'}, "Unknown byte encoding."},
      {0, {'a'}, "Unknown byte encoding."},
  };
  for (const Case& c : cases)
    ExpectFailure<CVxException>([&] { Decode(c.algorithm, c.octets); }, c.message);
  EXPECT_EQ(Decode(6, {0xF0}), "");  // more unused bits than there are: no value
}
