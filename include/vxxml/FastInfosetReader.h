// The reader that builds a CXmlDocument's tree from a Fast Infoset document
// held in the document's input buffer, or read in pieces from a stream.
//
// It keeps elements, attributes, character chunks and namespace attributes
// (recorded in the document's prefix map; no attribute is added for them).
// It reads and skips the optional document components (additional data,
// notations, unparsed entities, character encoding scheme, standalone,
// version) and unexpanded entity references; comments, processing
// instructions and document type declarations are read past by the tree
// and handed on as events (Parse with a handler). Strings may be UTF-8, UTF-16BE, packed
// in a restricted alphabet of any width (the two built-in ones, the
// context's, or ones carried in the document's initial vocabulary) or
// carried by the built-in encoding algorithms 1 to 10. Names, values and
// texts are converted to the local code page; character chunks are kept
// whole, carriage returns included.
//
// Only what XML 1.0 with namespaces can carry is accepted, so that a tree
// read from Fast Infoset always writes out as well-formed XML text: strings
// must be well-formed UTF-8 (or UTF-16 without unpaired surrogates) of XML
// characters; prefixes and local names must be names without a colon; the
// namespace http://www.w3.org/2000/xmlns/ holds no names and is never
// declared, the prefix xmlns is never declared, and the prefix xml only for
// http://www.w3.org/XML/1998/namespace, which no other prefix takes; a prefix
// is never undeclared; no element declares a prefix twice or carries the
// same attribute (local name and namespace) twice, nor an attribute named
// xmlns without a namespace.
//
// The vocabulary starts as a copy of the context's when the context uses a
// generated vocabulary, else as the initial one; the tables of an initial
// vocabulary carried in the document are appended to it (restricted
// alphabets from index 16 on, as user alphabets are numbered).
//
// Usually called by CXmlDocument::Parse, on the document's buffer:
//
//   CFastInfosetReader reader(context.GetFIContext(), document);
//   if (!reader.Parse()) { /* not Fast Infoset: read as XML text */ }
//
// A document in a file, a stream or coming from a callback is read in
// pieces, never whole in memory, through a window of 64 KB that grows only
// to hold one longer item (a string, a vocabulary entry), and only as that
// item's octets arrive:
//
//   std::ifstream in("order.finf", std::ios::binary);
//   if (!reader.Parse(in)) { /* not Fast Infoset */ }
//
// Read either way, a document gives the same tree or the same failure, at
// the same octet; a truncated one fails with "Unexpected End of File".
//
// Failures (CVxException, the partial tree stays in the document):
//   "Failed to parse FastInfoset. Unexpected End of File."
//   "Failed to parse FastInfoset. Invalid Encoding of Element type."
//   "Failed to parse FastInfoset. Invalid QName type Prefix without Namespace."
//   "Failed to parse FastInfoset. Invalid Encoding of integers 0 To 2^20 type  on the second bit of an octet."
//   "Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  on the second bit of an octet."
//   (likewise "on the third bit", "on the fourth bit")
//   "Failed to parse FastInfoset. Invalid NonEmptyOctetString type  on the second bit of an octet."
//   (likewise "on the fifth bit")
//   "Failed to parse FastInfoset. Invalid Encoding of Restricted Alphabet. Alphabet must contain between 2 and 2^20 characters."
//   "Failed to parse FastInfoset. Index [n] beyond the end of the <name> table."
//       (<name>: prefixes, namespace names, local names, other NCNames, other
//       URIs, attribute values, character chunks, other strings, element
//       names, attribute names, restricted alphabets)
//   "Failed to parse FastInfoset. Character [n] beyond the end of restricted alphabet [a] of [m] characters."
//   "Failed to parse FastInfoset. Invalid terminator of the <list>."
//       (<list>: namespace attributes, attributes, notations, unparsed
//       entities, document type declaration)
//   "Failed to parse FastInfoset. Invalid Encoding of Document child type."
//   "Failed to parse FastInfoset. More than one document element."
//   "Failed to parse FastInfoset. No document element."
//   "Failed to parse FastInfoset. String of [n] octets is too long."
//   "Failed to parse FastInfoset. Ill-formed UTF-8 sequence starting with the octet 0xHH."
//   "Failed to parse FastInfoset. Character U+HHHH is not allowed in XML 1.0."
//   "Failed to parse FastInfoset. Unpaired UTF-16 surrogate U+HHHH."
//   "Failed to parse FastInfoset. UTF-16 string of an odd number [n] of octets."
//   "Failed to parse FastInfoset. Invalid XML name [name]." (octets that are
//       controls or ill-formed UTF-8 shown as \xHH)
//   "Failed to parse FastInfoset. The namespace [uri] is reserved for namespace declarations."
//   "Failed to parse FastInfoset. Invalid namespace declaration of the prefix [p] as [uri]."
//   "Failed to parse FastInfoset. The prefix [p] is declared twice on one element."
//   "Failed to parse FastInfoset. An attribute named [xmlns] without a namespace is not allowed."
//   "Failed to parse FastInfoset. The attribute [name] of the namespace [uri] appears twice on
//       one element."
//   "Failed to parse FastInfoset. The input could not be read." (a stream
//       that failed, a null FILE*)
//   "Failed to open the file [path]", "Failed to read the contents of the
//       file [path] Error [errno]" (ParseFile; a FILE* shows the path as [])
//   "Unknown byte encoding." and the length messages of the encoding
//   algorithms (CFastInfosetBinaryData::GetAsString).
#ifndef VXXML_FASTINFOSETREADER_H
#define VXXML_FASTINFOSETREADER_H

#include <cstddef>
#include <cstdio>
#include <functional>
#include <iosfwd>

#include "vxxml/Export.h"
#include "vxxml/FastInfosetContext.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

class CXmlDocument;
class CXmlEventHandler;

namespace detail {
class FIReaderState;
struct FIReaderRun;
}

class VXXML_API CFastInfosetReader : public CInstanceMonitor {
 public:
  /// Neither the context nor the document is owned; both must outlive the
  /// reader.
  CFastInfosetReader(const CFastInfosetContext& context, CXmlDocument& document);
  ~CFastInfosetReader() override;
  CFastInfosetReader(const CFastInfosetReader&) = delete;
  CFastInfosetReader& operator=(const CFastInfosetReader&) = delete;

  /// False, having built nothing, when the buffer does not start like Fast
  /// Infoset: the octets E0 00 00 01 followed by at least one more, possibly
  /// after one of the nine XML declarations with encoding='finf'. Otherwise
  /// reads the whole document into the tree and returns true, or throws.
  bool Parse();

  /// Where a streamed document comes from: fills up to `capacity` octets at
  /// `buffer` and returns how many, 0 only at the end of the input. It may
  /// throw a CVxException, which ends the parse.
  using Source = std::function<size_t(unsigned char* buffer, size_t capacity)>;
  /// The usual size of the window a streamed document is read through.
  static constexpr size_t DEFAULT_WINDOW = 65536;

  /// Parse(), reading the document in pieces from `source` (or `input`,
  /// `file`, the file at `path`) instead of the document's buffer. False
  /// when the input does not start like Fast Infoset: the octets pulled to
  /// tell (up to a window's worth) are then consumed. The stream or FILE*
  /// is left where the parse stopped reading, which may be past the
  /// document's end.
  bool Parse(const Source& source, size_t window = DEFAULT_WINDOW);
  bool Parse(std::istream& input, size_t window = DEFAULT_WINDOW);
  bool Parse(FILE* file, size_t window = DEFAULT_WINDOW);
  bool ParseFile(const char* path, size_t window = DEFAULT_WINDOW);
  /// The same for `handler` (see Parse(CXmlEventHandler&)), reading the
  /// document in pieces from `source` through a window of `window` octets.
  bool Parse(CXmlEventHandler& handler, const Source& source, size_t window = DEFAULT_WINDOW);
  /// Reads the document's buffer the same way, with the same messages, but
  /// hands it to `handler` as events (XmlEventHandler.h) and builds no tree.
  /// Comments and processing instructions are events too, and a document
  /// type declaration with its identifiers (Fast Infoset keeps no name; the
  /// instructions inside it are read past). Prefixes are not reported.
  bool Parse(CXmlEventHandler& handler);
  /// Frees the vocabulary and the work buffers; the destructor calls it.
  void Cleanup();

 private:
  friend struct detail::FIReaderRun;  // runs a parse over any input

  const CFastInfosetContext& m_context;
  CXmlDocument& m_document;
  detail::FIReaderState* m_state;
};

}  // namespace VxXmlLib10

#endif  // VXXML_FASTINFOSETREADER_H
