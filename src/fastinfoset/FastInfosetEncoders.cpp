// The Fast Infoset writer's encoders: integers and lengths in every form
// (the one-octet forms are inline in the header), octet strings, and values as
// UTF-8, restricted-alphabet or encoding-algorithm octets.
#include <cstdint>
#include <cstring>
#include <string>

#include "fastinfoset/FastInfosetWriterState.h"
#include "fastinfoset/Messages.h"
#include "vxxml/Encoder.h"
#include "vxxml/FastInfosetBinaryData.h"
#include "vxxml/FastInfosetWriter.h"

namespace VxXmlLib10 {

namespace detail {

void PrepareAlphabet(const std::string& alphabet, FIAlphabet& out) {
  const size_t length = alphabet.size();
  out.lengthOk = length >= 2 && length <= kMaxTableSize;
  out.width = 2;
  while (out.width < 32 && (uint64_t(1) << out.width) <= length) ++out.width;
  for (int32_t& p : out.position) p = -1;
  for (size_t i = length; i-- > 0;)
    out.position[static_cast<unsigned char>(alphabet[i])] = static_cast<int32_t>(i);
}

// The text packed in the alphabet: 4 bits per character (0xF pads an odd
// count) or 8 bits per character.
void PackRestrictedAlphabet(const FIWriterState& state, unsigned long index, const char* text,
                            size_t length, std::string& out) {
  if (index != 1 && index != 2) ThrowFIInvalidAlphabetIndex(index);
  if (index >= state.alphabets.size() || !state.alphabets[index].lengthOk)
    ThrowFIInvalidAlphabetLength();
  const FIAlphabet& alphabet = state.alphabets[index];
  if (alphabet.width != 4 && alphabet.width != 8) ThrowFIUnsupportedAlphabetWidth();
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  out.clear();
  if (alphabet.width == 8) {
    out.resize(length);
    for (size_t i = 0; i < length; ++i) {
      const int32_t code = alphabet.position[p[i]];
      if (code < 0) ThrowFICharacterNotInAlphabet();
      out[i] = static_cast<char>(code);
    }
    return;
  }
  out.resize((length + 1) / 2);
  for (size_t i = 0; i < length; i += 2) {
    const int32_t high = alphabet.position[p[i]];
    const int32_t low = i + 1 < length ? alphabet.position[p[i + 1]] : 0xF;
    if (high < 0 || low < 0) ThrowFICharacterNotInAlphabet();
    out[i / 2] = static_cast<char>((high << 4) | low);
  }
}

void ToUtf8(const std::string& text, std::string& out) {
  if (ASCII_ONLY || IsAscii(text.data(), text.size())) {
    out.assign(text);
    return;
  }
  const CBinaryData utf8 = CEncoder::LocalCodePageToUtf8Binary(text.c_str());
  if (utf8.GetLength())
    out.assign(reinterpret_cast<const char*>(utf8.GetData()), utf8.GetLength());
  else
    out.clear();
}

// The written form of a non-empty value under the context's encoding for its
// type. A value that an algorithm turns into no octets at all (a Base64 text
// of padding only, say) cannot be carried by it and is written as a string.
// `chunk`: a character chunk, else an attribute value.
void EncodeValue(FIWriterState& state, const std::string& value, ItemType type, bool chunk,
                 FIEncodedValue& out) {
  const CFastInfosetContext::EncodedCharacterString& encoding = state.Encoding(type);
  switch (encoding.kind) {
    case CFastInfosetContext::EncodedCharacterString::Kind_String:
      if (state.utf16) ThrowFIUnsupportedUtf16();
      out.kind = 0;
      out.index = 0;
      ToUtf8(value, out.octets);
      return;
    case CFastInfosetContext::EncodedCharacterString::Kind_RestrictedAlphabet:
      PackRestrictedAlphabet(state, encoding.index, value.data(), value.size(), out.octets);
      out.kind = 1;
      out.index = encoding.index;
      break;
    case CFastInfosetContext::EncodedCharacterString::Kind_EncodingAlgorithm: {
      if (encoding.index < 1 || encoding.index > 10) ThrowFIInvalidAlgorithmIndex(encoding.index);
      // The cdata algorithm is for character chunks only; its octets are the
      // UTF-8 text, so an attribute value is written as the plain string.
      if (encoding.index == 10 && !chunk) {
        out.kind = 0;
        out.index = 0;
        ToUtf8(value, out.octets);
        return;
      }
      CFastInfosetBinaryData data;
      data.SetAsEncodedString(encoding.index, value.c_str());
      if (data.GetLength())
        out.octets.assign(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
      else
        out.octets.clear();
      out.kind = 2;
      out.index = encoding.index;
      break;
    }
    default:
      if (chunk) ThrowFIUnknownEncodingBit5();
      ThrowFIUnknownEncodingBit3();
  }
  if (out.octets.empty()) {
    out.kind = 0;
    out.index = 0;
    ToUtf8(value, out.octets);
  }
}

}  // namespace detail

using detail::FIEncodedValue;
using detail::kMaxLength32;
using detail::kMaxTableSize;

// ---- integers and lengths (the one-octet forms are inline) ---------------------

namespace {

// One multi-octet form of an integer or a length, in `octets` octets: the
// first holds the caller's bits and the form's prefix (`first`) with the top
// bits of `v`, the others the rest of `v`, most significant first.
inline void AppendForm(CBinaryStream& stream, unsigned char first, uint64_t v, int octets) {
  unsigned char form[5];
  form[0] = static_cast<unsigned char>(first | (v >> (8 * (octets - 1))));
  for (int i = 1; i < octets; ++i)
    form[i] = static_cast<unsigned char>(v >> (8 * (octets - 1 - i)));
  stream.AppendBytes(form, static_cast<size_t>(octets));
}

}  // namespace

void CFastInfosetWriter::Integer1To2pw20Bit2Long(unsigned char bits, unsigned long value) {
  if (value >= 65 && value <= 8256)
    AppendForm(m_stream, bits | 0x40, value - 65, 2);  // "10", 13 bits
  else if (value >= 8257 && value <= kMaxTableSize)
    AppendForm(m_stream, bits | 0x60, value - 8257, 3);  // "110", 20 bits
  else
    detail::ThrowFIIntegerOutOfRange(value);
}

void CFastInfosetWriter::Integer1To2pw20Bit3Long(unsigned char bits, unsigned long value) {
  if (value >= 33 && value <= 2080)
    AppendForm(m_stream, bits | 0x20, value - 33, 2);  // "100", 11 bits
  else if (value >= 2081 && value <= 526368)
    AppendForm(m_stream, bits | 0x28, value - 2081, 3);  // "101", 19 bits
  else if (value >= 526369 && value <= kMaxTableSize)
    AppendForm(m_stream, bits | 0x30, value - 526369, 4);  // "110000", "0000", 20 bits
  else
    detail::ThrowFIIntegerOutOfRange(value);
}

void CFastInfosetWriter::Integer1To2pw20Bit4Long(unsigned char bits, unsigned long value) {
  if (value >= 17 && value <= 1040)
    AppendForm(m_stream, bits | 0x10, value - 17, 2);  // "100", 10 bits
  else if (value >= 1041 && value <= 263184)
    AppendForm(m_stream, bits | 0x14, value - 1041, 3);  // "101", 18 bits
  else if (value >= 263185 && value <= kMaxTableSize)
    AppendForm(m_stream, bits | 0x18, value - 263185, 4);  // "11000", "0000", 20 bits
  else
    detail::ThrowFIIntegerOutOfRange(value);
}

// The octet strings: a medium form with the length in one octet and a long
// form with it in four, then the octets.
void CFastInfosetWriter::NonEmptyOctetStringBit2(unsigned char bits, const unsigned char* octets,
                                                 size_t length) {
  if (length == 0) detail::ThrowFIEmptyString();
  if (length <= 64) {
    m_stream.Append(static_cast<unsigned char>(bits | (length - 1)));
  } else if (length <= 320) {
    AppendForm(m_stream, bits | 0x40, length - 65, 2);
  } else {
    if (length - 321 > kMaxLength32) detail::ThrowFIStringTooLong(length);
    AppendForm(m_stream, bits | 0x60, length - 321, 5);
  }
  m_stream.AppendBytes(octets, length);
}

void CFastInfosetWriter::NonEmptyOctetStringBit5Long(unsigned char bits,
                                                     const unsigned char* octets, size_t length) {
  if (length == 0) detail::ThrowFIEmptyString();
  if (length <= 264) {
    AppendForm(m_stream, bits | 0x08, length - 9, 2);
  } else {
    if (length - 265 > kMaxLength32) detail::ThrowFIStringTooLong(length);
    AppendForm(m_stream, bits | 0x0C, length - 265, 5);
  }
  m_stream.AppendBytes(octets, length);
}

void CFastInfosetWriter::NonEmptyOctetStringBit7Long(unsigned char bits,
                                                     const unsigned char* octets, size_t length) {
  if (length == 0) detail::ThrowFIEmptyString();
  if (length <= 258) {
    AppendForm(m_stream, bits | 0x02, length - 3, 2);
  } else {
    if (length - 259 > kMaxLength32) detail::ThrowFIStringTooLong(length);
    AppendForm(m_stream, bits | 0x03, length - 259, 5);
  }
  m_stream.AppendBytes(octets, length);
}

void CFastInfosetWriter::NonEmptyOctetUTF8StringBit2(unsigned char bits, const std::string& text) {
  if (ASCII_ONLY || detail::IsAscii(text.data(), text.size())) {
    NonEmptyOctetStringBit2(bits, detail::Bytes(text), text.size());
    return;
  }
  std::string& utf8 = m_state->utf8;
  detail::ToUtf8(text, utf8);
  NonEmptyOctetStringBit2(bits, detail::Bytes(utf8), utf8.size());
}

// ---- encoded character strings -------------------------------------------------

namespace detail {

// A literal value from bit 3: discriminant in bits 3-4; an alphabet or
// algorithm index - 1 in 8 bits, 4 in this octet and 4 in the next; then the
// octets with their length from bit 5.
void EmitBit3(CFastInfosetWriter& writer, CBinaryStream& stream, unsigned char bits,
              const FIEncodedValue& value) {
  const unsigned char* octets = Bytes(value.octets);
  if (value.kind == 0) {
    writer.NonEmptyOctetStringBit5(bits, octets, value.octets.size());
    return;
  }
  const unsigned long index = value.index - 1;
  stream.Append(
      static_cast<unsigned char>(bits | (value.kind == 1 ? 0x20 : 0x30) | ((index >> 4) & 0x0F)));
  writer.NonEmptyOctetStringBit5(static_cast<unsigned char>((index & 0x0F) << 4), octets,
                                 value.octets.size());
}

// A literal value from bit 5: discriminant in bits 5-6; the index - 1 in 8
// bits, 2 in this octet and 6 in the next; the length from bit 7.
void EmitBit5(CFastInfosetWriter& writer, CBinaryStream& stream, unsigned char bits,
              const FIEncodedValue& value) {
  const unsigned char* octets = Bytes(value.octets);
  if (value.kind == 0) {
    writer.NonEmptyOctetStringBit7(bits, octets, value.octets.size());
    return;
  }
  const unsigned long index = value.index - 1;
  stream.Append(
      static_cast<unsigned char>(bits | (value.kind == 1 ? 0x08 : 0x0C) | ((index >> 6) & 0x03)));
  writer.NonEmptyOctetStringBit7(static_cast<unsigned char>((index & 0x3F) << 2), octets,
                                 value.octets.size());
}

}  // namespace detail

void CFastInfosetWriter::EncodedCharacterStringBit3(unsigned char bits, const std::string& value,
                                                    ItemType type) {
  FIEncodedValue& encoded = m_state->scratch;
  detail::EncodeValue(*m_state, value, type, false, encoded);
  detail::EmitBit3(*this, m_stream, bits, encoded);
}

void CFastInfosetWriter::EncodedCharacterStringBit5(unsigned char bits, const std::string& value,
                                                    ItemType type) {
  // Plain ASCII text, the common case, goes straight to the stream.
  if (m_state->Encoding(type).kind == CFastInfosetContext::EncodedCharacterString::Kind_String &&
      !m_state->utf16 && (ASCII_ONLY || detail::IsAscii(value.data(), value.size()))) {
    NonEmptyOctetStringBit7(bits, detail::Bytes(value), value.size());
    return;
  }
  FIEncodedValue& encoded = m_state->scratch;
  detail::EncodeValue(*m_state, value, type, true, encoded);
  detail::EmitBit5(*this, m_stream, bits, encoded);
}

CBinaryData CFastInfosetWriter::AppendRestrictedAlphabetString(unsigned long alphabetIndex,
                                                               const char* text) {
  std::string packed;
  const char* p = text ? text : "";
  detail::PackRestrictedAlphabet(*m_state, alphabetIndex, p, std::strlen(p), packed);
  if (packed.empty()) return CBinaryData();
  return CBinaryData(reinterpret_cast<unsigned char*>(&packed[0]),
                     static_cast<unsigned long>(packed.size()), false);
}

}  // namespace VxXmlLib10
