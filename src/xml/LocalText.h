// The conversion of local-code-page text held in pieces, for the streams.
#ifndef VXXML_SRC_XML_LOCALTEXT_H
#define VXXML_SRC_XML_LOCALTEXT_H

#include <cstddef>

#include "vxxml/BinaryData.h"

namespace VxXmlLib10 {
namespace detail {

struct TextPiece {
  const char* data;
  size_t length;
};

/// The UTF-8 form of a text held in pieces (split anywhere), in a UTF-8
/// locale: the same bytes as CEncoder::LocalCodePageToUtf8Binary gives for
/// the joined text, without joining it.
CBinaryData LocalPiecesToUtf8(const TextPiece* pieces, size_t count);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_LOCALTEXT_H
