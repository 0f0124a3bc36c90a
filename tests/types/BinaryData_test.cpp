#include "vxxml/BinaryData.h"

#include <gtest/gtest.h>

#include <cstring>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using vxtest::Bytes;
using vxtest::FromBytes;

namespace {

// The whole message of a CVxException (exactly that class) thrown by f.
const auto Thrown = [](auto&& f, const std::string& m) { return vxtest::Throws<CVxException>(f, m); };

std::string Random(size_t n, unsigned seed) {
  std::mt19937 rng(seed);
  std::string s(n, '\0');
  for (char& c : s) c = static_cast<char>(rng());
  return s;
}

}  // namespace

TEST(BinaryData, IndexOutOfRange) {
  CBinaryData d("xyz"), empty;
  const CBinaryData& cd = d;
  EXPECT_TRUE(Thrown([&] { (void)cd[3]; }, "Index Out of range [3]") &&
              Thrown([&] { (void)d[3]; }, "Index Out of range [3]"));
  EXPECT_TRUE(Thrown([&] { (void)empty[0]; }, "Index Out of range [0]"));
}

TEST(BinaryData, CopiesShareUntilChanged) {
  CBinaryData original("hello");
  CBinaryData copy(original);
  CBinaryData assigned;
  assigned = original;
  EXPECT_EQ(copy.GetData(), original.GetData());
  EXPECT_EQ(assigned.GetData(), original.GetData());
  copy.Append(" world");
  assigned[0] = 'J';
  EXPECT_EQ(Bytes(copy) + "|" + Bytes(assigned) + "|" + Bytes(original), "hello world|Jello|hello");
  assigned = assigned;  // self-assignment keeps the value
  CBinaryData moved(std::move(assigned));
  EXPECT_EQ(Bytes(moved), "Jello");
}

TEST(BinaryData, AppendForms) {
  CBinaryData d;
  d.Append("ab");
  d.Append(std::string("c\0d", 3));
  d.Append('e');
  d.Append(static_cast<unsigned char>(0xF0));
  d.Append(CBinaryData("gh"));
  d.Append(CBinaryData());
  unsigned char raw[2] = {'i', 'j'};
  d.Append(raw, 2);
  d.Append(static_cast<const char*>(nullptr));
  EXPECT_EQ(Bytes(d), std::string("abc\0de\xF0ghij", 11));

  // Appending a value to itself, alone and while shared.
  CBinaryData self("xy");
  self.Append(self);
  CBinaryData other(self);
  self.Append(other);
  EXPECT_EQ(Bytes(self) + "|" + Bytes(other), "xyxyxyxy|xyxy");

  // Many single-byte appends across several regrowths.
  CBinaryData many;
  std::string expected;
  for (int i = 0; i < 100000; ++i) expected += static_cast<char>('a' + i % 26);
  for (char c : expected) many.Append(c);
  EXPECT_EQ(Bytes(many), expected);
}

TEST(BinaryData, SetBufferClearRelease) {
  CBinaryData d("abcdef");
  d.SetBuffer(d.GetData() + 2, 3);  // from its own bytes
  EXPECT_EQ(Bytes(d), "cde");
  d.SetBuffer("xyz");
  CBinaryData shared(d);
  unsigned char* released = d.ReleaseData();
  ASSERT_NE(released, nullptr);
  EXPECT_NE(released, shared.GetData());  // a shared buffer is copied out first
  EXPECT_EQ(std::string(reinterpret_cast<char*>(released), 3), "xyz");
  delete[] released;
  EXPECT_EQ(d, CBinaryData());
  EXPECT_EQ(Bytes(shared), "xyz");
  unsigned char* sole = shared.GetData();
  EXPECT_EQ(shared.ReleaseData(), sole);  // unshared: the buffer itself
  delete[] sole;
  EXPECT_EQ(shared.ReleaseData(), nullptr);
  EXPECT_EQ(CBinaryData(""), CBinaryData(""));  // two empty buffers
  CBinaryData c("q");
  c.Clear();
  EXPECT_TRUE(c.GetLength() == 0 && c.GetData() == nullptr);
}

TEST(BinaryData, CopiesOnSeveralThreads) {
  const CBinaryData original(FromBytes(Random(5000, 1)));
  const std::string before = Bytes(original);
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t) {
    threads.emplace_back([&original, t] {
      for (int i = 0; i < 200; ++i) {
        CBinaryData mine(original);
        mine.Append(static_cast<char>(t));
        mine[0] = static_cast<unsigned char>(i);
      }
    });
  }
  for (std::thread& th : threads) th.join();
  EXPECT_EQ(Bytes(original), before);
}

TEST(BinaryData, HexErrors) {
  struct Case {
    const char* text;
    const char* message;
  } cases[] = {
      {"ABC", "Invalid length in hex string"},   {"0G", "Invalid char in hex string [G]"},
      {"G0", "Invalid char in hex string [G]"},  {"0g", "Invalid char in hex string [g]"},
      {"AB\xC3\xA9", "Invalid char in hex string [\xC3]"},
  };
  for (const Case& c : cases) {
    CBinaryData d("keep");
    EXPECT_TRUE(Thrown([&] { d.SetAsHexString(c.text); }, c.message)) << c.text;
    EXPECT_EQ(Bytes(d), "keep");
    unsigned char* out = nullptr;
    EXPECT_TRUE(Thrown([&] { CBinaryData::ConvertToHexData(c.text, &out); }, c.message));
    EXPECT_EQ(out, nullptr);
  }
}

TEST(Base64, KnownForms) {
  struct Case {
    std::string bytes;
    const char* text;
  } cases[] = {
      {"M", "TQ=="}, {"fo", "Zm8="}, {"foobar", "Zm9vYmFy"}, {"\xFB\xFF", "+/8="}, {"", ""}};
  for (const Case& c : cases) {
    EXPECT_EQ(FromBytes(c.bytes).GetAsBase64(), c.text);
    CBinaryData d("old");
    d.SetAsBase64(c.text);
    EXPECT_EQ(Bytes(d), c.bytes) << c.text;
  }
  EXPECT_EQ(CBinaryData().GetAsBase64(), "");
}

TEST(Base64, DecodingRules) {
  struct Case {
    const char* text;
    const char* bytes;
  } cases[] = {
      {" T\tW = F\r\nu ", "Man"}, {"=TWFu", "Man"},
      {"TQ==TWFu", "M\x04\xD6\x16"},  // '=' is skipped: the 4 spare bits run on
      {"TQ", "M"}, {"T", ""},         // leftover bits are dropped
      {"TW!u", ""}, {"TWFu\v", ""},
      {"\xD4\xD7\xC6\xF5", "Man"},    // high bit ignored
      {"TWFu\xA1", ""},               // '!' with the high bit set
      {"\x8A TWFu", "Man"},           // LF with the high bit set
  };
  for (const Case& c : cases) {
    CBinaryData d;
    d.SetAsBase64(c.text);
    EXPECT_EQ(Bytes(d), c.bytes) << c.text;
    EXPECT_NE(d, CBinaryData());  // decoding always leaves a (possibly zero-length) value
  }
}

TEST(Base64, RoundTripEveryLength) {
  for (size_t n = 0; n <= 300; ++n) {
    const std::string bytes = Random(n, static_cast<unsigned>(n));
    const std::string text = FromBytes(bytes).GetAsBase64();
    ASSERT_EQ(text.size(), (n + 2) / 3 * 4);
    CBinaryData back;
    back.SetAsBase64(text.c_str());
    ASSERT_EQ(Bytes(back), bytes) << n;
    // Skipped characters at odd places must not disturb the bits.
    std::string spaced;
    for (size_t i = 0; i < text.size(); ++i) {
      spaced += text[i];
      if ((i * 7 + n) % 5 == 0) spaced += "\r\n \t"[i % 4];
    }
    back.SetAsBase64(spaced.c_str());
    ASSERT_EQ(Bytes(back), bytes) << n;
  }
  // Every prefix decodes to the whole bytes it holds.
  const std::string bytes = Random(64, 99);
  const std::string text = FromBytes(bytes).GetAsBase64();
  for (size_t cut = 0; cut <= text.size(); ++cut) {
    CBinaryData d;
    d.SetAsBase64(text.substr(0, cut).c_str());
    const size_t sextets = std::min(cut, (bytes.size() * 8 + 5) / 6);
    EXPECT_EQ(Bytes(d), bytes.substr(0, sextets * 6 / 8)) << cut;
  }
}

TEST(Base64, ClassInterface) {
  CBase64 codec;
  unsigned char man[3] = {'M', 'a', 'n'};
  EXPECT_EQ(codec.Encode(man, 3), "TWFu");
  EXPECT_EQ(codec.Encode(man, -1), "");
  unsigned char out[16];
  EXPECT_EQ(codec.Decode("TWFu TQ==", out), 4u);
  EXPECT_EQ(std::string(reinterpret_cast<char*>(out), 4), "ManM");
  EXPECT_EQ(codec.Decode("TW!u", out), 0u);
  EXPECT_EQ(codec.Decode(nullptr, out), 0u);
}
