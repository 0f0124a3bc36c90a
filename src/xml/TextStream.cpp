// In-memory and file text streams.
#include <cstdio>
#include <vector>

#include "base/LocalText.h"
#include "vxxml/Encoder.h"
#include "vxxml/Streams.h"
#include "xml/LocalText.h"
#include "xml/Messages.h"

namespace VxXmlLib10 {

namespace {

bool IsUtf16(XmlEncoding encoding) {
  return encoding == XmlEncoding_UTF16 || encoding == XmlEncoding_UTF16NoDecl;
}

}  // namespace

CTextStream::CTextStream() : CTextStream("CTextStream", XmlEncoding_None) {}

CTextStream::CTextStream(XmlEncoding encoding) : CTextStream("CTextStream", encoding) {}

CTextStream::CTextStream(const char* instanceName, XmlEncoding encoding)
    : CInstanceMonitor(instanceName), m_buffer(65536), m_encoding(encoding) {}

CTextStream::~CTextStream() = default;

void CTextStream::Open() { m_buffer.Empty(); }
void CTextStream::Close() {}
void CTextStream::Flush() {}

CBinaryData CTextStream::GetEncodedStream() {
  switch (m_encoding) {
    case XmlEncoding_UTF8:
      if (!ASCII_ONLY && detail::IsUtf8Locale()) {
        // Encode block by block: no joined copy of the text is needed.
        std::vector<detail::TextPiece> pieces(m_buffer.GetBlockCount());
        for (size_t i = 0; i < pieces.size(); ++i) {
          uint64_t length = 0;
          pieces[i].data = m_buffer.GetBlock(i, &length);
          pieces[i].length = static_cast<size_t>(length);
        }
        return detail::LocalPiecesToUtf8(pieces.data(), pieces.size());
      }
      return CEncoder::LocalCodePageToUtf8Binary(m_buffer.GetText());
    case XmlEncoding_UTF16:
    case XmlEncoding_UTF16NoDecl:
      return CEncoder::LocalCodePageToUnicodeBinary(m_buffer.GetText());
    default:
      detail::ThrowUnknownEncoding();
  }
}

CFileTextStream::CFileTextStream(const char* path, XmlEncoding encoding)
    : CTextStream("CFileTextStream", encoding), m_path(path ? path : ""), m_file(nullptr) {}

CFileTextStream::~CFileTextStream() {
  if (m_file) std::fclose(m_file);
}

void CFileTextStream::CloseFile() {
  if (m_file) {
    std::fclose(m_file);
    m_file = nullptr;
  }
}

void CFileTextStream::Open() {
  CTextStream::Open();
  CloseFile();
  m_file = std::fopen(m_path.c_str(), "wt");
  if (!m_file) detail::ThrowFileWriteFailed(m_path.c_str());
  if (IsUtf16(m_encoding)) {
    static const unsigned char kByteOrderMark[2] = {0xFF, 0xFE};
    if (std::fwrite(kByteOrderMark, 1, 2, m_file) != 2) {
      CloseFile();
      detail::ThrowFileWriteFailed(m_path.c_str());
    }
  }
}

void CFileTextStream::Flush() {
  if (m_buffer.GetLength() == 0) return;
  // Encode first: an unknown encoding is reported before anything is written.
  m_encoded = GetEncodedStream();
  m_buffer.Empty();
  const size_t length = m_encoded.GetLength();
  const bool written =
      m_file && (length == 0 || std::fwrite(m_encoded.GetData(), 1, length, m_file) == length);
  m_encoded.Clear();
  if (!written) {
    CloseFile();
    detail::ThrowFileWriteFailed();
  }
}

void CFileTextStream::Close() {
  if (m_file) {
    Flush();
    // Buffered bytes reach the file here; a failure shows only now.
    const bool closed = std::fclose(m_file) == 0;
    m_file = nullptr;
    if (!closed) detail::ThrowFileWriteFailed(m_path.c_str());
  }
  CTextStream::Close();
}

}  // namespace VxXmlLib10
