#include "vxxml/Streams.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <dirent.h>
#include <functional>
#include <random>
#include <string>

#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using vxtest::Bytes;
using vxtest::ReadFile;

namespace {

int OpenDescriptors() {
  int count = 0;
  if (DIR* dir = opendir("/proc/self/fd")) {
    while (readdir(dir)) ++count;
    closedir(dir);
  }
  return count;
}

void ExpectFailure(const std::function<void()>& action, const char* message) {
  vxtest::ExpectFailure<CVxException>(action, message);
}

const char kUnknownEncoding[] =
    "Unknown Encoding, select UTF-8 (for other encodings contact the vxxml maintainers)";

}  // namespace

TEST(StringBuffer, RandomOperationsMatchAString) {
  std::mt19937 rng(7);
  for (unsigned long blockSize : {2ul, 17ul, 0ul}) {
    CStringBuffer defaultSize, sized(blockSize);
    CStringBuffer& buffer = blockSize ? sized : defaultSize;
    std::string model;
    for (int step = 0; step < 3000; ++step) {
      const unsigned op = rng() % 20;
      const std::string piece(op < 8 ? 1 : rng() % 40, static_cast<char>('a' + rng() % 26));
      if (op < 8) buffer.Append(piece[0]);
      else if (op < 12) buffer.Append(piece);
      else if (op < 16) buffer.Append(piece.c_str());
      else if (op == 18) buffer.Empty();
      else if (op == 19) buffer.SetText("reset");
      model = op == 18 ? "" : op == 19 ? "reset" : op < 16 ? model + piece : model;
      if (op == 16 || op == 17) {
        ASSERT_EQ(std::string(buffer.GetText()), model) << step;
      }
      ASSERT_EQ(buffer.GetLength(), model.size());
    }
    EXPECT_EQ(std::string(buffer.GetText()), model) << blockSize;
  }
}

TEST(TextStream, EncodingAcrossBlockBoundariesEqualsTheWholeText) {
  // Characters, bad bytes and long forms cut at every offset around the
  // 64 KiB block boundary of a text stream.
  const char* const tricky[] = {"\xc3\xa9",         "\xe4\xb8\xad",         "\xf0\x9f\x98\x80",
                                "\xf4\x90\x80\x80", "\xf8\x88\x80\x80\x80",
                                "\xfc\x84\x80\x80\x80\x80",
                                "\xe2\x82",         "\x80\x80\x80",     "\xc3",
                                "\xed\xa0\x80",     "\xf0\x9f\x98\x80\x80\x80\x80\x80\x80\x80"};
  for (const char* t : tricky) {
    for (size_t before = 65535 - 12; before <= 65535 + 2; ++before) {
      CTextStream stream(XmlEncoding_UTF8);
      const std::string text = std::string(before, 'a') + t + "z" + t;
      stream.Append(text);
      const CBinaryData pieces = stream.GetEncodedStream();
      const CBinaryData whole = CEncoder::LocalCodePageToUtf8Binary(text.c_str());
      ASSERT_EQ(Bytes(pieces), Bytes(whole)) << before << " " << t;
    }
  }
  CTextStream withNul(XmlEncoding_UTF8);
  withNul.Append("a\0b", 3);
  EXPECT_EQ(Bytes(withNul.GetEncodedStream()), "a");
}

// Pieces flushed one by one make the whole text, after a byte order mark for UTF-16; a
// stream destroyed while open closes its file without writing what it holds.
TEST(FileTextStream, WritesEncodedPiecesWithAByteOrderMarkForUtf16) {
  const std::string path = vxtest::TempPath("text_stream.xml");
  const int before = OpenDescriptors();
  for (XmlEncoding encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16}) {
    const bool utf16 = encoding == XmlEncoding_UTF16;
    std::string expected = utf16 ? "\xff\xfe" : "";
    {
      CFileTextStream stream(path.c_str(), encoding);
      stream.Open();
      for (int piece = 0; piece < 3; ++piece) {
        for (int i = 0; i < 3000; ++i) stream.Append("\xc3\xa9");
        for (int i = 0; i < 3000; ++i) expected += utf16 ? std::string("\xe9\0", 2) : "\xc3\xa9";
        stream.Flush();
      }
      stream.Close();
      EXPECT_EQ(ReadFile(path), expected);
      stream.Open();
      stream.Append("lost");
    }
    EXPECT_EQ(ReadFile(path), utf16 ? "\xff\xfe" : "");
  }
  EXPECT_EQ(OpenDescriptors(), before);
  std::remove(path.c_str());
}

TEST(FileTextStream, FailuresCloseTheFile) {
  const int before = OpenDescriptors();
  {
    CFileTextStream stream("/nonexistent-vxxml-dir/out.xml", XmlEncoding_UTF8);
    ExpectFailure([&] { stream.Open(); },
                  "Failed to write data to the file [/nonexistent-vxxml-dir/out.xml]");
    EXPECT_FALSE(stream.IsOpen());
  }
  if (FILE* probe = std::fopen("/dev/full", "w")) {
    std::fclose(probe);
    // A large flush fails at once; a small one shows when the file is closed.
    for (size_t size : {200000, 1}) {
      CFileTextStream stream("/dev/full", size > 1 ? XmlEncoding_UTF8 : XmlEncoding_UTF16);
      stream.Open();
      stream.Append(std::string(size, 'x'));
      ExpectFailure([&] { size > 1 ? stream.Flush() : stream.Close(); },
                    size > 1 ? "Failed to write data to the file"
                             : "Failed to write data to the file [/dev/full]");
      EXPECT_FALSE(stream.IsOpen());
    }
  }
  {
    const std::string path = vxtest::TempPath("text_stream_none.xml");
    CFileTextStream stream(path.c_str(), XmlEncoding_None);
    stream.Open();
    stream.Append("x");
    ExpectFailure([&] { stream.Flush(); }, kUnknownEncoding);
    std::remove(path.c_str());
  }
  EXPECT_EQ(OpenDescriptors(), before);
}

TEST(BinaryStream, AppendsAndCopiesOut) {
  CBinaryData initial("ab");
  CBinaryStream stream(initial);
  stream.Append(CBinaryData("cd"));
  std::string expected("abcd", 4), big(100000, 'z');
  stream.Append(reinterpret_cast<unsigned char*>(&big[0]), static_cast<unsigned long>(big.size()));
  expected += big;
  for (int i = 0; i < 20000; ++i) stream.Append(static_cast<unsigned char>(i));
  for (int i = 0; i < 20000; ++i) expected += static_cast<char>(i);
  CBinaryData copy = stream.GetBinaryStream();
  EXPECT_EQ(Bytes(copy), expected);
  stream.Append(static_cast<unsigned char>('!'));
  EXPECT_EQ(copy.GetLength(), expected.size());  // the copy does not follow
  EXPECT_EQ(Bytes(initial), "ab");
  EXPECT_EQ(CBinaryStream().GetBinaryStream().GetLength(), 0u);
}
