// Reading a document of any size as events, in bounded pieces: the
// streaming way in, beside CXmlDocument's tree.
//
// The input is recognised as CXmlDocument::Load recognises it: gzip or zlib
// data (from its header) is inflated as its bytes arrive, within the
// context's bounds MaxDecompressedSize and MaxCompressionRatio; the inflated
// bytes are Fast Infoset when they start like it, else XML text in any
// encoding expat knows (UTF-8, UTF-16 with a byte order mark, ISO-8859-1,
// US-ASCII). XML text is parsed a piece at a time, so memory stays the same
// whatever the size of the document. Fast Infoset input is read whole into
// memory before its events are produced.
//
// The events go to the handler (XmlEventHandler.h) as the reader meets them,
// so a failure can come after part of the document was handed over. The
// context's MaxDepth and MaxElements bound the elements; SchemaType and
// StripCDATA apply as for a document.
//
//   CCounter counter;  // a CXmlEventHandler
//   ReadXmlEvents("big.xml.gz", CXmlSerializationContext(), counter);
//
// Failures (CVxException), with the messages of CXmlDocument::Load:
//   "Failed to open the file [%s]"                             the file cannot be opened
//   "Failed to read the contents of the file [%s] Error [%d]"  it is empty or cannot be read
//   "XML Stream is empty!"                                     a stream without bytes
//   "<expat's error text> at line <n>"                         malformed XML text; a
//                                                              truncated text fails as
//                                                              when read whole
//   "Failed to parse FastInfoset. ..."                         (FastInfosetReader.h)
//   "Failed to decompress data. [<reason>]", the two limits of inflation, and
//   "Element nesting exceeds the limit MaxDepth [%u]"
//   "Element count exceeds the limit MaxElements [%llu]"
//   "Not enough memory to load the document"
// and whatever the handler throws.
#ifndef VXXML_XMLEVENTREADER_H
#define VXXML_XMLEVENTREADER_H

#include <cstddef>
#include <iosfwd>

#include "vxxml/Export.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlEventHandler.h"

namespace VxXmlLib10 {

/// Bytes read at a time unless the caller asks for another size.
constexpr std::size_t XML_EVENT_PIECE_SIZE = 65536;

/// Reads the file at `path` as events; `pieceSize` bytes are read at a time.
/// `parsedLength`, when given, receives the number of bytes parsed (for
/// compressed input the inflated length), as CXmlDocument::GetParsedLength.
VXXML_API void ReadXmlEvents(const char* path, const CXmlSerializationContext& context,
                             CXmlEventHandler& handler,
                             std::size_t pieceSize = XML_EVENT_PIECE_SIZE,
                             unsigned long long* parsedLength = nullptr);
/// Reads the stream to its end as events.
VXXML_API void ReadXmlEvents(std::istream& input, const CXmlSerializationContext& context,
                             CXmlEventHandler& handler,
                             std::size_t pieceSize = XML_EVENT_PIECE_SIZE,
                             unsigned long long* parsedLength = nullptr);

}  // namespace VxXmlLib10

#endif  // VXXML_XMLEVENTREADER_H
