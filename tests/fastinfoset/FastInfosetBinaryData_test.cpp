#include "vxxml/FastInfosetBinaryData.h"

#include <gtest/gtest.h>

#include <vector>

#include "vxxml/Exception.h"

using namespace VxXmlLib10;

namespace {
std::vector<unsigned char> Encode(unsigned long algorithm, const char* text) {
  CFastInfosetBinaryData d;
  d.SetAsEncodedString(algorithm, text);
  return std::vector<unsigned char>(d.GetData(), d.GetData() + d.GetLength());
}
std::string Decode(unsigned long algorithm, std::vector<unsigned char> octets) {
  CFastInfosetBinaryData d(octets.data(), static_cast<unsigned long>(octets.size()), false);
  return d.GetAsString(algorithm);
}
std::string Failure(unsigned long algorithm, std::vector<unsigned char> octets) {
  try {
    Decode(algorithm, octets);
  } catch (const CVxException& e) {
    EXPECT_EQ(typeid(e), typeid(CVxException));
    return e.GetFullMessage();
  }
  return "no exception";
}
typedef std::vector<unsigned char> Bytes;
}  // namespace

TEST(FastInfosetBinaryData, EncodesOneValue) {
  EXPECT_EQ(Encode(6, "true"), Bytes({0x38}));
  EXPECT_EQ(Encode(6, "false"), Bytes({0x30}));
  EXPECT_EQ(Encode(3, "-2"), Bytes({0xFF, 0xFE}));
  EXPECT_EQ(Encode(4, "-2"), Bytes({0xFF, 0xFF, 0xFF, 0xFE}));
  EXPECT_EQ(Encode(5, "1"), Bytes({0, 0, 0, 0, 0, 0, 0, 1}));
  EXPECT_EQ(Encode(7, "1"), Bytes({0x3F, 0x80, 0x00, 0x00}));
  EXPECT_EQ(Encode(8, "1"), Bytes({0x3F, 0xF0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(Encode(1, "00ABff"), Bytes({0x00, 0xAB, 0xFF}));
  EXPECT_EQ(Encode(2, "TWFu"), Bytes({'M', 'a', 'n'}));
  EXPECT_EQ(Encode(9, "000102030405060708090A0B0C0D0E0F").size(), 16u);
  EXPECT_EQ(Encode(10, "caf\xC3\xA9"), Bytes({'c', 'a', 'f', 0xC3, 0xA9}));
}

TEST(FastInfosetBinaryData, EncodingFailures) {
  CFastInfosetBinaryData d("previous");
  try {
    d.SetAsEncodedString(11, "1");
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetFullMessage(), "Unknown byte encoding.");
  }
  EXPECT_EQ(d.GetLength(), 0u);
  try {
    d.SetAsEncodedString(3, "40000");
    FAIL();
  } catch (const CVxInvalidValueException& e) {
    EXPECT_EQ(e.GetFullMessage(), "The value [40000] is to large to fit in a i2");
  }
  try {
    d.SetAsEncodedString(5, "9223372036854775808");  // an unsigned value beyond long
    FAIL();
  } catch (const CVxInvalidValueException& e) {
    EXPECT_EQ(e.GetFullMessage(), "The value [9223372036854775808] is to large to fit in a i8");
  }
}

TEST(FastInfosetBinaryData, DecodesValueLists) {
  EXPECT_EQ(Decode(6, {0x38}), "true");
  EXPECT_EQ(Decode(6, {0x30}), "false");
  // Five values: 0x0A holds four (1010), the second octet one more (bit 7),
  // seven bits unused.
  EXPECT_EQ(Decode(6, {0x7A, 0x80}), "true false true false true");
  EXPECT_EQ(Decode(3, {0xFF, 0xFE}), "-2");
  EXPECT_EQ(Decode(4, {0, 0, 0, 1, 0xFF, 0xFF, 0xFF, 0xFF}), "1 -1");
  EXPECT_EQ(Decode(5, {0x80, 0, 0, 0, 0, 0, 0, 0}), "-9223372036854775808");
  EXPECT_EQ(Decode(7, {0x3F, 0x80, 0x00, 0x00}), "1");
  EXPECT_EQ(Decode(8, {0x3F, 0xF8, 0, 0, 0, 0, 0, 0}), "1.5");
  EXPECT_EQ(Decode(1, {0x00, 0xAB}), "00AB");
  EXPECT_EQ(Decode(2, {'M'}), "TQ==");
  Bytes uuid(32, 0xAB);
  EXPECT_EQ(Decode(9, uuid),
            "ABABABABABABABABABABABABABABABAB ABABABABABABABABABABABABABABABAB");
  EXPECT_EQ(Decode(4, {}), "");
}

TEST(FastInfosetBinaryData, DecodingFailures) {
  EXPECT_EQ(Failure(3, {1, 2, 3}), "Invalid value for SHORT byte encoding.");
  EXPECT_EQ(Failure(4, {1, 2}), "Invalid value for INT byte encoding.");
  EXPECT_EQ(Failure(5, {1, 2, 3, 4}), "Invalid value for LONG byte encoding.");
  EXPECT_EQ(Failure(7, {1}), "Invalid value for FLOAT byte encoding.");
  EXPECT_EQ(Failure(8, {1, 2, 3, 4}), "Invalid value for DOUBLE byte encoding.");
  EXPECT_EQ(Failure(9, Bytes(15, 0)), "Invalid value for UUID byte encoding.");
  EXPECT_EQ(Failure(10, {'a'}), "Unknown byte encoding.");
  EXPECT_EQ(Failure(0, {'a'}), "Unknown byte encoding.");
  EXPECT_EQ(Decode(6, {0xF0}), "");  // more unused bits than there are: no value
}
