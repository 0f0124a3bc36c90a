// Text and byte streams. The text writer appends single-byte text (in the
// local code page) to a CTextStream; the Fast Infoset writer appends bytes to
// a CBinaryStream. The entry points take the contents, encoded, as a
// CBinaryData, or let a file stream write them.
#ifndef VXXML_STREAMS_H
#define VXXML_STREAMS_H

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>

#include "vxxml/BinaryData.h"
#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/StringBuffer.h"

namespace VxXmlLib10 {

/// Text in the local code page, kept in memory, with the encoding in which
/// it is to be delivered as bytes.
class VXXML_API CTextStream : public CInstanceMonitor {
 public:
  CTextStream();
  explicit CTextStream(XmlEncoding encoding);
  CTextStream(const char* instanceName, XmlEncoding encoding);
  ~CTextStream() override;
  CTextStream(const CTextStream&) = delete;
  CTextStream& operator=(const CTextStream&) = delete;

  /// Empties the buffer.
  virtual void Open();
  /// Nothing for an in-memory stream.
  virtual void Close();
  /// Nothing for an in-memory stream; a file stream writes its text out.
  virtual void Flush();

  void Append(char c) { m_buffer.Append(c); }
  void Append(const char* text) { m_buffer.Append(text); }
  void Append(const std::string& text) { m_buffer.Append(text); }
  void Append(const char* data, size_t length) { m_buffer.Append(data, length); }

  uint64_t GetLength() const { return m_buffer.GetLength(); }
  /// The whole text, NUL-terminated; valid until the next change.
  const char* GetText() { return m_buffer.GetText(); }
  XmlEncoding GetEncoding() const { return m_encoding; }

  /// The whole text encoded: UTF-8 for XmlEncoding_UTF8, UTF-16LE without a
  /// byte order mark for XmlEncoding_UTF16 and XmlEncoding_UTF16NoDecl.
  /// Any other encoding throws CVxException "Unknown Encoding, select UTF-8
  /// (...)".
  CBinaryData GetEncodedStream();

 protected:
  CStringBuffer m_buffer;
  XmlEncoding m_encoding;
};

/// A text stream written to a file in pieces: Flush writes the buffered text
/// encoded and empties the buffer.
///
/// Failures (CVxException): "Failed to write data to the file [path]" when
/// the file cannot be opened, the byte order mark cannot be written, or the
/// file cannot be closed cleanly; "Failed to write data to the file" when a
/// flush cannot write its bytes. The file is closed before either is thrown.
class VXXML_API CFileTextStream : public CTextStream {
 public:
  CFileTextStream(const char* path, XmlEncoding encoding);
  /// Closes a file left open, without flushing.
  ~CFileTextStream() override;

  /// Empties the buffer, creates or truncates the file and, for the UTF-16
  /// encodings, writes the byte order mark FF FE.
  void Open() override;
  /// Flushes, then closes the file.
  void Close() override;
  /// Writes the buffered text, encoded, and empties the buffer.
  void Flush() override;

  bool IsOpen() const { return m_file != nullptr; }

 private:
  void CloseFile();

  std::string m_path;
  CBinaryData m_encoded;
  FILE* m_file;
};

/// Bytes in memory.
class VXXML_API CBinaryStream : public CInstanceMonitor {
 public:
  CBinaryStream();
  explicit CBinaryStream(CBinaryData& initial);
  explicit CBinaryStream(const char* instanceName);
  CBinaryStream(const char* instanceName, CBinaryData& initial);
  ~CBinaryStream() override;
  CBinaryStream(const CBinaryStream&) = delete;
  CBinaryStream& operator=(const CBinaryStream&) = delete;

  void Append(unsigned char byte) {
    if (m_cur == m_end) Grow(1);
    *m_cur++ = byte;
  }
  void Append(const CBinaryData& data);
  void Append(unsigned char* bytes, unsigned long length) {
    AppendBytes(bytes, length);
  }
  void AppendBytes(const unsigned char* bytes, size_t length) {
    if (length > static_cast<size_t>(m_end - m_cur)) Grow(length);
    if (length) std::memcpy(m_cur, bytes, length);
    m_cur += length;
  }

  uint64_t GetLength() const { return static_cast<uint64_t>(m_cur - m_begin); }
  /// A copy of the bytes.
  CBinaryData GetBinaryStream() const;

 protected:
  const unsigned char* Data() const { return m_begin; }
  /// Called when the buffer is full, before it grows. A stream that hands
  /// its bytes on (Data(), GetLength()) and empties itself with Rewind()
  /// returns true, and keeps the buffer the size it is unless one append
  /// needs more; the base keeps every byte and returns false.
  virtual bool Drain() { return false; }
  void Rewind() { m_cur = m_begin; }

 private:
  void Grow(size_t extra);

  unsigned char* m_begin;
  unsigned char* m_cur;
  unsigned char* m_end;
};

/// Bytes written to a file in one go.
///
/// Failure (CVxException): "Failed to write data to the file [path]" when the
/// file cannot be opened or written; the file is closed first.
class VXXML_API CFileBinaryStream : public CBinaryStream {
 public:
  CFileBinaryStream(const char* path, XmlEncoding encoding);
  CFileBinaryStream(const char* path, XmlEncoding encoding, CBinaryData& data);
  ~CFileBinaryStream() override;

  /// Creates or truncates the file, writes the byte order mark FF FE for the
  /// UTF-16 encodings, then every held byte, and closes the file.
  void ToFile();

 private:
  std::string m_path;
  XmlEncoding m_encoding;
};

}  // namespace VxXmlLib10

#endif  // VXXML_STREAMS_H
