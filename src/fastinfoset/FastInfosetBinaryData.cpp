// Built-in Fast Infoset encoding algorithms.
#include "vxxml/FastInfosetBinaryData.h"

#include <cstdint>
#include <cstring>

#include "fastinfoset/Messages.h"
#include "vxxml/Conversions.h"
#include "vxxml/Encoder.h"

namespace VxXmlLib10 {

namespace {

const auto kNone = CWhitespaceUtils::WhitespaceRule_None;

using detail::ThrowFIBadByteEncodingLength;
using detail::ThrowFIUnknownByteEncoding;

template <class T>
void PutBigEndian(unsigned char* out, T value) {
  for (size_t i = 0; i < sizeof(T); ++i)
    out[i] = static_cast<unsigned char>(value >> (8 * (sizeof(T) - 1 - i)));
}

uint64_t GetBigEndian(const unsigned char* in, size_t n) {
  uint64_t value = 0;
  for (size_t i = 0; i < n; ++i) value = (value << 8) | in[i];
  return value;
}

// Splits the data into values of `width` octets and writes each with `print`.
template <class Print>
std::string Values(const unsigned char* data, unsigned long length, size_t width,
                   const char* name, Print print) {
  if (length % width != 0) ThrowFIBadByteEncodingLength(name);
  std::string text;
  for (unsigned long i = 0; i < length; i += width) {
    if (i) text += ' ';
    text += print(data + i);
  }
  return text;
}

}  // namespace

CFastInfosetBinaryData::CFastInfosetBinaryData() = default;
CFastInfosetBinaryData::CFastInfosetBinaryData(const CBinaryData& data) : CBinaryData(data) {}
CFastInfosetBinaryData::CFastInfosetBinaryData(unsigned char* data, unsigned long length,
                                               bool takeOwnership)
    : CBinaryData(data, length, takeOwnership) {}
CFastInfosetBinaryData::CFastInfosetBinaryData(const char* text) : CBinaryData(text) {}
CFastInfosetBinaryData::~CFastInfosetBinaryData() = default;

void CFastInfosetBinaryData::SetAsEncodedString(unsigned long algorithm, const char* text) {
  Clear();
  const std::string value = text ? text : "";
  unsigned char octets[8];
  switch (algorithm) {
    case 1:
    case 9:
      SetAsHexString(value.c_str());
      return;
    case 2:
      SetAsBase64(value.c_str());
      return;
    case 3:
      PutBigEndian(octets, static_cast<uint16_t>(CConversions::i2FromString(value, kNone)));
      SetBuffer(octets, 2);
      return;
    case 4:
      PutBigEndian(octets, static_cast<uint32_t>(CConversions::i4FromString(value, kNone)));
      SetBuffer(octets, 4);
      return;
    case 5:
      PutBigEndian(octets, static_cast<uint64_t>(CConversions::i8FromString(value, kNone)));
      SetBuffer(octets, 8);
      return;
    case 6:
      // One value: three unused bits in the octet, then the value bit.
      octets[0] = CConversions::booleanFromString(value, kNone) ? 0x38 : 0x30;
      SetBuffer(octets, 1);
      return;
    case 7: {
      const float f = CConversions::r4FromString(value, kNone);
      uint32_t bits;
      std::memcpy(&bits, &f, 4);
      PutBigEndian(octets, bits);
      SetBuffer(octets, 4);
      return;
    }
    case 8: {
      const double d = CConversions::r8FromString(value, kNone);
      uint64_t bits;
      std::memcpy(&bits, &d, 8);
      PutBigEndian(octets, bits);
      SetBuffer(octets, 8);
      return;
    }
    case 10:
      static_cast<CBinaryData&>(*this) = CEncoder::LocalCodePageToUtf8Binary(value.c_str());
      return;
    default:
      ThrowFIUnknownByteEncoding();
  }
}

std::string CFastInfosetBinaryData::GetAsString(unsigned long algorithm) const {
  const unsigned long length = GetLength();
  if (length == 0) return std::string();
  const unsigned char* data = GetData();
  switch (algorithm) {
    case 1:
      return GetAsHexString();
    case 2:
      return GetAsBase64();
    case 3:
      return Values(data, length, 2, "SHORT", [](const unsigned char* p) {
        return CConversions::i2ToString(static_cast<int16_t>(GetBigEndian(p, 2)));
      });
    case 4:
      return Values(data, length, 4, "INT", [](const unsigned char* p) {
        return CConversions::i4ToString(static_cast<int32_t>(GetBigEndian(p, 4)));
      });
    case 5:
      return Values(data, length, 8, "LONG", [](const unsigned char* p) {
        return CConversions::i8ToString(static_cast<int64_t>(GetBigEndian(p, 8)));
      });
    case 6: {
      // The first octet's upper four bits count the unused bits at the end of
      // the last octet; values follow from bit 0x08 of the first octet on.
      const unsigned unused = data[0] >> 4;
      std::string text;
      for (unsigned long i = 0; i < length; ++i) {
        const int top = i == 0 ? 3 : 7;
        const int bottom = i + 1 == length ? static_cast<int>(unused) : 0;
        for (int bit = top; bit >= bottom; --bit) {
          if (!text.empty()) text += ' ';
          text += CConversions::booleanToString((data[i] >> bit) & 1);
        }
      }
      return text;
    }
    case 7:
      return Values(data, length, 4, "FLOAT", [](const unsigned char* p) {
        const uint32_t bits = static_cast<uint32_t>(GetBigEndian(p, 4));
        float f;
        std::memcpy(&f, &bits, 4);
        return CConversions::r4ToString(f);
      });
    case 8:
      return Values(data, length, 8, "DOUBLE", [](const unsigned char* p) {
        const uint64_t bits = GetBigEndian(p, 8);
        double d;
        std::memcpy(&d, &bits, 8);
        return CConversions::r8ToString(d);
      });
    case 9:
      return Values(data, length, 16, "UUID", [](const unsigned char* p) {
        return CBinaryData::GetAsHexString(const_cast<unsigned char*>(p), 16);
      });
    default:
      ThrowFIUnknownByteEncoding();
  }
}

}  // namespace VxXmlLib10
