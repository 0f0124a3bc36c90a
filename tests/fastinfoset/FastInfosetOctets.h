// Test helpers for hand-built Fast Infoset documents: octets from hex, and
// what a document reads as (its tree, or the exception's class and message).
#ifndef VXXML_TESTS_FASTINFOSET_FASTINFOSETOCTETS_H
#define VXXML_TESTS_FASTINFOSET_FASTINFOSETOCTETS_H

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <string>
#include <typeinfo>
#include <vector>

#include "vxxml/Exception.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "xml/TreeDump.h"

namespace fi_test {

/// Octets from hex pairs; spaces and '|' separate, nothing else may appear.
inline std::string H(std::string hex) {
  hex.erase(std::remove_if(hex.begin(), hex.end(), [](char c) { return c == ' ' || c == '|'; }),
            hex.end());
  std::string out;
  for (size_t i = 0; i + 1 < hex.size(); i += 2)
    out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
  return out;
}

/// One octet.
inline std::string Oct(unsigned value) { return std::string(1, static_cast<char>(value & 0xFF)); }

inline std::string Be32(uint64_t value) {
  return Oct(unsigned(value >> 24)) + Oct(unsigned(value >> 16)) + Oct(unsigned(value >> 8)) +
         Oct(unsigned(value));
}

/// A non-empty octet string with its length starting on the second bit
/// (bit 1 given by `bit1`), as names and vocabulary strings are written.
inline std::string Octets2(const std::string& s, unsigned bit1 = 0) {
  const size_t n = s.size();
  if (n <= 64) return Oct(bit1 | unsigned(n - 1)) + s;
  if (n <= 320) return Oct(bit1 | 0x40) + Oct(unsigned(n - 65)) + s;
  return Oct(bit1 | 0x60) + Be32(n - 321) + s;
}

/// Header, no optional components, then the body.
inline std::string Doc(const std::string& body) { return H("E0 00 00 01 00") + body; }

/// Packs alphabet positions `width` bits each, most significant first; the
/// rest of the last octet is filled with ones.
inline std::string Pack(const std::vector<unsigned>& positions, unsigned width) {
  std::string out;
  uint64_t held = 0;
  unsigned bits = 0;
  for (unsigned p : positions) {
    held = (held << width) | p;
    bits += width;
    while (bits >= 8) {
      bits -= 8;
      out += Oct(unsigned(held >> bits));
    }
  }
  if (bits) out += Oct(unsigned((held << (8 - bits)) | ((1u << (8 - bits)) - 1)));
  return out;
}

/// The tree the bytes read as, or "CVxException: <message>". With a
/// `window`, the Fast Infoset reader pulls them from a stream through a
/// window of that many octets; what is not Fast Infoset is loaded as usual.
inline std::string Read(VxXmlLib10::CXmlDocument& doc, const std::string& bytes,
                        bool declarations = false, size_t window = 0) {
  try {
    std::istringstream in(bytes);
    doc.Cleanup();
    VxXmlLib10::CFastInfosetReader reader(
        VxXmlLib10::CXmlSerializationContext::m_defaultContext.GetFIContext(), doc);
    if (!window || !reader.Parse(in, window))
      doc.LoadXmlStream(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size());
    return vxxml_test::DumpTree(doc.GetDocumentElement(), declarations);
  } catch (const VxXmlLib10::CVxException& e) {
    return (typeid(e) == typeid(VxXmlLib10::CVxException) ? "CVxException: " : "other: ") +
           e.GetFullMessage();
  }
}

inline std::string Read(const std::string& bytes, size_t window = 0) {
  VxXmlLib10::CXmlDocument doc;
  return Read(doc, bytes, false, window);
}

}  // namespace fi_test

#endif  // VXXML_TESTS_FASTINFOSET_FASTINFOSETOCTETS_H
