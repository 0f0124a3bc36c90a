// Values carried by the built-in Fast Infoset encoding algorithms:
// 1 hexadecimal, 2 base64, 3 short, 4 int, 5 long, 6 boolean, 7 float,
// 8 double, 9 uuid, 10 cdata. Multi-octet numbers are big-endian.
#ifndef VXXML_FASTINFOSETBINARYDATA_H
#define VXXML_FASTINFOSETBINARYDATA_H

#include <string>

#include "vxxml/BinaryData.h"
#include "vxxml/Export.h"

namespace VxXmlLib10 {

class VXXML_API CFastInfosetBinaryData : public CBinaryData {
 public:
  CFastInfosetBinaryData();
  CFastInfosetBinaryData(const CBinaryData& data);  // NOLINT: implicit by design
  CFastInfosetBinaryData(unsigned char* data, unsigned long length, bool takeOwnership);
  CFastInfosetBinaryData(const char* text);  // NOLINT: implicit by design
  ~CFastInfosetBinaryData() override;

  /// Replaces the held octets by the encoding of one value given as text.
  /// An unknown algorithm throws CVxException "Unknown byte encoding."; a text
  /// the conversion cannot read fails with the conversion's exception. The
  /// data is empty after a failure.
  void SetAsEncodedString(unsigned long algorithm, const char* text);
  /// The text of the held octets, several values separated by one space.
  /// Throws CVxException "Invalid value for SHORT byte encoding." (likewise
  /// INT, LONG, FLOAT, DOUBLE, UUID) when the length does not fit the
  /// algorithm, and "Unknown byte encoding." for algorithm 10 and unknown ones.
  std::string GetAsString(unsigned long algorithm) const;
};

}  // namespace VxXmlLib10

#endif  // VXXML_FASTINFOSETBINARYDATA_H
