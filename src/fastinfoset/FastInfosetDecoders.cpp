// What the Fast Infoset reader decodes: the longer forms of integers and
// lengths, and strings. Every octet comes through Take(), which compares
// against the end of the window once (and refills it when the input is
// streamed); a length read from the document is met only by octets that
// arrived before anything is allocated or copied for it, and every index is
// compared with its table.
//
// Strings are checked once, when read as literals (names and their parts as
// they enter their tables): every string is well-formed UTF-8 (or UTF-16
// without unpaired surrogates) of characters XML allows, prefixes and local
// names are names without a colon. Names, values and chunks are converted to
// the local code page once, when read as literals; indexed references then
// cost a table lookup.
#include <climits>
#include <cstdint>
#include <cstring>
#include <string>

#include "base/Utf8.h"
#include "fastinfoset/FastInfosetReaderState.h"
#include "fastinfoset/Messages.h"
#include "vxxml/Encoder.h"
#include "vxxml/FastInfosetBinaryData.h"
#include "xml/XmlChars.h"

namespace VxXmlLib10 {
namespace detail {

namespace {
const size_t kScratchSize = 1024;
}  // namespace

void CheckTextFully(const unsigned char* p, uint64_t n) {
  TextFault fault;
  if (CheckXmlText(p, static_cast<size_t>(n), &fault)) return;
  if (fault.kind == TextFault::kIllFormed) ThrowFIIllFormedUtf8(fault.value);
  ThrowFICharacterNotAllowed(fault.value);
}

void FIReaderAlphabet::Prepare() {
  prepared = true;
  const unsigned char* p = reinterpret_cast<const unsigned char*>(source.data());
  const unsigned char* end = p + source.size();
  // Every string in the alphabet is then XML text as well.
  CheckText(p, source.size());
  std::vector<std::string> split;
  while (p < end) {
    uint32_t cp;
    const int n = DecodeUtf8(p, end, &cp);
    if (n > 1) ascii = false;
    split.emplace_back(reinterpret_cast<const char*>(p), static_cast<size_t>(n));
    p += n;
  }
  length = split.size();
  if (ascii)
    bytes = source;
  else
    chars.swap(split);
  // The smallest width of at least 2 bits that leaves the all-ones value
  // free as the terminator.
  width = 2;
  while (width < 32 && (uint64_t(1) << width) <= length) ++width;
}

// ---- integers and lengths: the longer forms ----------------------------------

uint64_t FIReaderState::Integer1To2pw20Bit2Long(unsigned char c, bool zeroAllowed) {
  if ((c & 0x60) == 0x40) return TakeRest(c & 0x1F, 1) + 65;
  if ((c & 0x70) == 0x60) return TakeRest(c & 0x0F, 2) + 8257;
  if (zeroAllowed) ThrowFIInvalidInteger0("second");
  ThrowFIInvalidInteger1("second");
}

// In the four-octet forms the value starts after four padding bits of the
// second octet.
uint64_t FIReaderState::Integer1To2pw20Bit3Long(unsigned char c) {
  switch (c & 0x38) {
    case 0x20:
      return TakeRest(c & 0x07, 1) + 33;
    case 0x28:
      return TakeRest(c & 0x07, 2) + 2081;
    case 0x30:
      if ((c & 0x07) == 0) return (TakeRest(0, 3) & 0xFFFFF) + 526369;
      break;
    default:
      break;
  }
  ThrowFIInvalidInteger1("third");
}

uint64_t FIReaderState::Integer1To2pw20Bit4Long(unsigned char c) {
  switch (c & 0x1C) {
    case 0x10:
      return TakeRest(c & 0x03, 1) + 17;
    case 0x14:
      return TakeRest(c & 0x03, 2) + 1041;
    case 0x18:
      if ((c & 0x03) == 0) return (TakeRest(0, 3) & 0xFFFFF) + 263185;
      break;
    default:
      break;
  }
  ThrowFIInvalidInteger1("fourth");
}

uint64_t FIReaderState::NonEmptyOctetStringBit2LengthLong(unsigned char c) {
  switch (c & 0x7F) {
    case 0x40:
      return Take() + 65u;
    case 0x60:
      return Take32() + 321;
    default:
      ThrowFIInvalidOctetStringLength("second");
  }
}

uint64_t FIReaderState::NonEmptyOctetStringBit5LengthLong(unsigned char c) {
  switch (c & 0x0F) {
    case 0x08:
      return Take() + 9u;
    case 0x0C:
      return Take32() + 265;
    default:
      ThrowFIInvalidOctetStringLength("fifth");
  }
}

uint64_t FIReaderState::LengthOfSequence() {
  const unsigned char c = Take();
  if (c < 0x80) return c + 1u;
  return TakeRest(c & 0x0F, 2) + 129;
}

// ---- strings ------------------------------------------------------------------

void FIReaderState::LocalFromUtf8(const unsigned char* p, uint64_t n, std::string& out) {
  if (m_identity) {
    out.assign(reinterpret_cast<const char*>(p), n);
    return;
  }
  if (n > static_cast<uint64_t>(INT_MAX)) ThrowFILongString(n);
  if (!m_scratch) m_scratch.reset(new char[kScratchSize]);
  // The scratch area: its first half holds wide characters, its second half
  // the converted bytes; longer strings use temporary space.
  out = CEncoder::Utf8ToLocalCodePage(const_cast<unsigned char*>(p), static_cast<int>(n),
                                      reinterpret_cast<wchar_t*>(m_scratch.get()),
                                      kScratchSize / 2 / sizeof(wchar_t),
                                      m_scratch.get() + kScratchSize / 2, kScratchSize / 2);
}

// UTF-16BE, checked as it is decoded, goes through UTF-8 to the local text.
void FIReaderState::Utf16ToLocal(const unsigned char* p, uint64_t n, std::string& out) {
  if (n % 2) ThrowFIOddUtf16Length(n);
  m_utf8.clear();
  m_utf8.reserve(static_cast<size_t>(n / 2 * 3));
  for (uint64_t i = 0; i < n; i += 2) {
    uint32_t cp = (uint32_t(p[i]) << 8) | p[i + 1];
    if (IsSurrogate(cp)) {
      const uint32_t low = i + 3 < n ? (uint32_t(p[i + 2]) << 8) | p[i + 3] : 0;
      if (cp > 0xDBFF || low < 0xDC00 || low > 0xDFFF) ThrowFIUnpairedSurrogate(cp);
      cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
      i += 2;
    } else if (!IsXmlChar(cp)) {
      ThrowFICharacterNotAllowed(cp);
    }
    unsigned char bytes[4];
    const int length = EncodeUtf8(cp, bytes);
    m_utf8.append(reinterpret_cast<const char*>(bytes), static_cast<size_t>(length));
  }
  LocalFromUtf8(reinterpret_cast<const unsigned char*>(m_utf8.data()), m_utf8.size(), out);
}

void FIReaderState::IdentifyingLiteral(FIStringTable& table, const unsigned char* p, uint64_t n) {
  if (table.names) {
    if (!IsXmlName(p, static_cast<size_t>(n), false))
      ThrowFIInvalidName(std::string(reinterpret_cast<const char*>(p), static_cast<size_t>(n)));
    LocalFromUtf8(p, n, m_value);  // a name is well-formed UTF-8 of XML characters
  } else {
    Utf8ToLocal(p, n, m_value);
  }
  table.Add(m_value);
}

void FIReaderState::RestrictedAlphabetString(uint64_t index, const unsigned char* p, uint64_t n,
                                             std::string& out) {
  if (index >= m_alphabets.size()) ThrowFIIndexBeyondTable(index, "restricted alphabets");
  FIReaderAlphabet& alphabet = m_alphabets[index];
  if (!alphabet.prepared) alphabet.Prepare();
  if (alphabet.length < 2 || alphabet.length > kMaxTableSize) ThrowFIInvalidAlphabetSize();

  const unsigned width = alphabet.width;
  const uint64_t allOnes = (uint64_t(1) << width) - 1;
  // ASCII characters are local text as they are; others are gathered as
  // UTF-8 and converted at the end.
  std::string& text = alphabet.ascii ? out : m_utf8;
  text.clear();
  auto put = [&](uint64_t position) {
    if (position >= alphabet.length) ThrowFIBeyondAlphabet(position, index, alphabet.length);
    if (alphabet.ascii)
      text += alphabet.bytes[position];
    else
      text += alphabet.chars[position];
  };
  if (width == 4) {
    // Two characters per octet; 0xF pads the last one.
    text.reserve(2 * n);
    for (uint64_t i = 0; i < n; ++i) {
      const unsigned high = p[i] >> 4, low = p[i] & 0x0F;
      if (high == 0x0F) break;
      put(high);
      if (low == 0x0F) break;
      put(low);
    }
  } else {
    // Any width: a bit reader takes `width` bits at a time, most
    // significant first, across octet boundaries; the all-ones value ends
    // the string.
    uint64_t held = 0;
    unsigned bits = 0;
    const uint64_t count = n * 8 / width;
    for (uint64_t i = 0, next = 0; i < count; ++i) {
      while (bits < width) {
        held = (held << 8) | p[next++];
        bits += 8;
      }
      bits -= width;
      const uint64_t position = (held >> bits) & allOnes;
      held &= (uint64_t(1) << bits) - 1;
      if (position == allOnes) break;
      put(position);
    }
  }
  if (!alphabet.ascii)
    LocalFromUtf8(reinterpret_cast<const unsigned char*>(m_utf8.data()), m_utf8.size(), out);
}

void FIReaderState::AlgorithmString(uint64_t algorithm, const unsigned char* p, uint64_t n,
                                    std::string& out) {
  if (algorithm == 10) {  // cdata: the text as UTF-8
    Utf8ToLocal(p, n, out);
    return;
  }
  if (n > 0xFFFFFFFFull) ThrowFILongString(n);
  CFastInfosetBinaryData data(const_cast<unsigned char*>(p), static_cast<unsigned long>(n), false);
  out = data.GetAsString(static_cast<unsigned long>(algorithm));
}

void FIReaderState::Decode(unsigned kind, uint64_t index, const unsigned char* p, uint64_t n,
                           std::string& out) {
  switch (kind) {
    case 0:
      Utf8ToLocal(p, n, out);
      break;
    case 1:
      Utf16ToLocal(p, n, out);
      break;
    case 2:
      RestrictedAlphabetString(index, p, n, out);
      break;
    default:
      AlgorithmString(index, p, n, out);
      break;
  }
}

std::string_view FIReaderState::EncodedCharacterStringBit3Other(unsigned char c, std::string& work,
                                                                bool skip) {
  const unsigned kind = (c >> 4) & 0x03;
  uint64_t index = 0;
  uint64_t n;
  if (kind < 2) {
    n = NonEmptyOctetStringBit5Length(c);
  } else {
    // The table index - 1 in 8 bits: 4 here, 4 in the next octet, whose
    // low half starts the length.
    const unsigned char next = Take();
    index = ((unsigned(c & 0x0F) << 4) | (next >> 4)) + 1u;
    n = NonEmptyOctetStringBit5Length(next);
  }
  const unsigned char* p = Take(n);
  if (skip) return std::string_view();
  return LiteralText(kind, index, p, n, work);
}

std::string_view FIReaderState::EncodedCharacterStringBit5Other(unsigned char c, std::string& work) {
  const unsigned kind = (c >> 2) & 0x03;
  uint64_t index = 0;
  uint64_t n;
  if (kind < 2) {
    n = NonEmptyOctetStringBit7Length(c);
  } else {
    // The table index - 1 in 8 bits: 2 here, 6 in the next octet.
    const unsigned char next = Take();
    index = ((unsigned(c & 0x03) << 6) | (next >> 2)) + 1u;
    n = NonEmptyOctetStringBit7Length(next);
  }
  return LiteralText(kind, index, Take(n), n, work);
}

const std::string& FIReaderState::IdentifyingStringOrIndex(FIStringTable& table) {
  const unsigned char c = Take();
  if (c & 0x80) {
    const uint64_t index = Integer1To2pw20Bit2(c);
    if (!table.keep) {
      table.Check(index);
      return m_value;
    }
    return table.At(index);
  }
  const uint64_t n = NonEmptyOctetStringBit2Length(c);
  const unsigned char* p = Take(n);
  if (!table.keep) {
    table.Add(std::string());
    return m_value;
  }
  IdentifyingLiteral(table, p, n);
  return m_value;
}

std::string_view FIReaderState::NonIdentifyingStringOrIndexBit1(FIStringTable& table, bool skip) {
  const unsigned char c = Take();
  if (c & 0x80) {
    const uint64_t index = Integer0To2pw20Bit2(c);
    if (index == 0) return std::string_view();
    if (skip) {
      table.Check(index);
      return std::string_view();
    }
    return table.At(index);
  }
  const std::string_view text = EncodedCharacterStringBit3(c, m_value, skip);
  if (c & 0x40) table.Add(text);
  return text;
}

const FIName& FIReaderState::ReadQName(unsigned char c, FINameTable& table) {
  const bool hasPrefix = (c & 0x02) != 0;
  const bool hasNamespace = (c & 0x01) != 0;
  if (hasPrefix && !hasNamespace) ThrowFIPrefixWithoutNamespace();
  const bool fits = table.values.size() < kMaxTableSize;
  if (fits) table.values.emplace_back();
  FIName& name = fits ? table.values.back() : m_name;
  if (hasPrefix)
    name.prefix = IdentifyingStringOrIndex(m_prefixes);
  else
    name.prefix.clear();
  if (hasNamespace)
    name.namespaceName = IdentifyingStringOrIndex(m_namespaceNames);
  else
    name.namespaceName.clear();
  CheckQNameNamespace(name.namespaceName);
  name.localName = IdentifyingStringOrIndex(m_localNames);
  name.valid = true;
  if (fits) table.Sync();
  return name;
}

}  // namespace detail
}  // namespace VxXmlLib10
