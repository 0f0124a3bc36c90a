// The streaming way in: a file or stream read in pieces, inflated as it
// arrives, recognised from its first bytes and handed to the reader of its
// form, which produces the events.
#include "vxxml/XmlEventReader.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <new>
#include <string_view>
#include <vector>

#include "fastinfoset/FastInfosetStart.h"
#include "types/Inflate.h"
#include "vxxml/ExpatReader.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/XmlDocument.h"
#include "xml/Messages.h"

namespace VxXmlLib10 {

namespace {

class FileSource final : public detail::ByteSource {
 public:
  FileSource(FILE* file, const char* path) : m_file(file), m_path(path) {}
  std::size_t Read(unsigned char* out, std::size_t room) override {
    errno = 0;
    const std::size_t n = std::fread(out, 1, room, m_file);
    if (n == 0 && std::ferror(m_file)) detail::ThrowFileReadFailed(m_path, errno);
    return n;
  }

 private:
  FILE* m_file;
  const char* m_path;
};

class StreamSource final : public detail::ByteSource {
 public:
  explicit StreamSource(std::istream& in) : m_in(in) {}
  std::size_t Read(unsigned char* out, std::size_t room) override {
    if (!m_in) return 0;
    m_in.read(reinterpret_cast<char*>(out), static_cast<std::streamsize>(room));
    return static_cast<std::size_t>(m_in.gcount());
  }

 private:
  std::istream& m_in;
};

// A source whose first bytes were already read to look at them.
class HeadSource final : public detail::ByteSource {
 public:
  HeadSource(detail::ByteSource& rest, const unsigned char* head, std::size_t length)
      : m_rest(rest), m_head(head), m_left(length) {}
  std::size_t Read(unsigned char* out, std::size_t room) override {
    if (m_left == 0) return m_rest.Read(out, room);
    const std::size_t n = m_left < room ? m_left : room;
    std::memcpy(out, m_head, n);
    m_head += n;
    m_left -= n;
    return n;
  }

 private:
  detail::ByteSource& m_rest;
  const unsigned char* m_head;
  std::size_t m_left;
};

// Counts the bytes that pass.
class CountingSource final : public detail::ByteSource {
 public:
  explicit CountingSource(detail::ByteSource& in) : m_in(in) {}
  std::size_t Read(unsigned char* out, std::size_t room) override {
    const std::size_t n = m_in.Read(out, room);
    count += n;
    return n;
  }
  unsigned long long count = 0;

 private:
  detail::ByteSource& m_in;
};

// Reads until `want` bytes or the end of the input.
std::size_t ReadFully(detail::ByteSource& source, unsigned char* out, std::size_t want) {
  std::size_t got = 0;
  while (got < want) {
    const std::size_t n = source.Read(out + got, want - got);
    if (n == 0) break;
    got += n;
  }
  return got;
}

bool LooksCompressed(const unsigned char* p, std::size_t n) {
  if (n < 2) return false;
  if (p[0] == 0x1F && p[1] == 0x8B) return true;                                    // gzip
  return (p[0] & 0x0F) == 8 && (p[0] >> 4) <= 7 && ((p[0] << 8) | p[1]) % 31 == 0;  // zlib
}

// Passes every event on, bounding the depth and the number of elements as a
// document does.
class BoundedHandler final : public CXmlEventHandler {
 public:
  BoundedHandler(const CXmlSerializationContext& context, CXmlEventHandler& handler)
      : m_handler(handler),
        m_maxDepth(context.GetMaxDepth()),
        m_maxElements(context.GetMaxElements()) {}

  void StartDocument() override { m_handler.StartDocument(); }
  void EndDocument() override { m_handler.EndDocument(); }
  void DocumentType(std::string_view name, std::string_view systemId,
                    std::string_view publicId) override {
    m_handler.DocumentType(name, systemId, publicId);
  }
  void StartElement(const CXmlStartElement& element) override {
    if (m_maxDepth && m_depth >= m_maxDepth) detail::ThrowDepthLimit(m_maxDepth);
    if (m_maxElements && m_elements >= m_maxElements) detail::ThrowElementLimit(m_maxElements);
    ++m_depth;
    ++m_elements;
    m_handler.StartElement(element);
  }
  void EndElement() override {
    --m_depth;
    m_handler.EndElement();
  }
  void Characters(std::string_view text) override { m_handler.Characters(text); }
  void StartCDATA() override { m_handler.StartCDATA(); }
  void EndCDATA() override { m_handler.EndCDATA(); }
  void Comment(std::string_view text) override { m_handler.Comment(text); }
  void ProcessingInstruction(std::string_view target, std::string_view data) override {
    m_handler.ProcessingInstruction(target, data);
  }

 private:
  CXmlEventHandler& m_handler;
  unsigned int m_maxDepth;
  unsigned long long m_maxElements;
  unsigned int m_depth = 0;
  unsigned long long m_elements = 0;
};

// Reads the plain (inflated) bytes in pieces, as Fast Infoset or XML text.
void ReadPlain(detail::ByteSource& plain, const CXmlSerializationContext& context,
               CXmlEventHandler& handler, std::size_t pieceSize) {
  std::vector<unsigned char> piece(pieceSize < detail::kFastInfosetStartLength
                                       ? detail::kFastInfosetStartLength
                                       : pieceSize);
  std::size_t n = ReadFully(plain, piece.data(), detail::kFastInfosetStartLength);
  if (detail::StartsLikeFastInfoset(piece.data(), n)) {
    // The reader pulls through a window of its own: first the octets read
    // to tell the form, then the rest. Its header check agrees with
    // StartsLikeFastInfoset, so it reads the document.
    std::size_t given = 0;
    const auto pull = [&](unsigned char* buffer, std::size_t capacity) -> std::size_t {
      if (given == n) return plain.Read(buffer, capacity);
      const std::size_t k = std::min(capacity, n - given);
      std::memcpy(buffer, piece.data() + given, k);
      given += k;
      return k;
    };
    CXmlDocument document(context);
    CFastInfosetReader(context.GetFIContext(), document).Parse(handler, pull, pieceSize);
    return;
  }
  CExpatReader reader(context, handler);
  reader.Parse(reinterpret_cast<const char*>(piece.data()), n, false);
  while ((n = plain.Read(piece.data(), pieceSize)) > 0)
    reader.Parse(reinterpret_cast<const char*>(piece.data()), n, false);
  reader.Parse(nullptr, 0, true);
}

// `path` is null for a stream, whose emptiness is told differently.
void Read(detail::ByteSource& raw, const char* path, const CXmlSerializationContext& context,
          CXmlEventHandler& handler, std::size_t pieceSize, unsigned long long* parsedLength) {
  if (pieceSize == 0) pieceSize = XML_EVENT_PIECE_SIZE;
  BoundedHandler bounded(context, handler);
  try {
    unsigned char head[2];
    const std::size_t n = ReadFully(raw, head, sizeof head);
    if (n == 0) {
      if (path) detail::ThrowFileReadFailed(path, 0);
      detail::ThrowXmlStreamEmpty();
    }
    HeadSource source(raw, head, n);
    if (!LooksCompressed(head, n)) {
      CountingSource counted(source);
      ReadPlain(counted, context, bounded, pieceSize);
      if (parsedLength) *parsedLength = counted.count;
      return;
    }
    const detail::InflateLimits limits{context.GetMaxDecompressedSize(),
                                       context.GetMaxCompressionRatio()};
    detail::InflateSource inflated(source, limits);
    CountingSource counted(inflated);
    ReadPlain(counted, context, bounded, pieceSize);
    if (parsedLength) *parsedLength = counted.count;
  } catch (const std::bad_alloc&) {
    detail::ThrowOutOfMemory();
  }
}

}  // namespace

void ReadXmlEvents(const char* path, const CXmlSerializationContext& context,
                   CXmlEventHandler& handler, std::size_t pieceSize,
                   unsigned long long* parsedLength) {
  FILE* file = path ? std::fopen(path, "rb") : nullptr;
  if (!file) detail::ThrowFileOpenFailed(path);
  struct Closer {
    FILE* file;
    ~Closer() { std::fclose(file); }
  } closer{file};
  FileSource source(file, path);
  Read(source, path, context, handler, pieceSize, parsedLength);
}

void ReadXmlEvents(std::istream& input, const CXmlSerializationContext& context,
                   CXmlEventHandler& handler, std::size_t pieceSize,
                   unsigned long long* parsedLength) {
  StreamSource source(input);
  Read(source, nullptr, context, handler, pieceSize, parsedLength);
}

}  // namespace VxXmlLib10
