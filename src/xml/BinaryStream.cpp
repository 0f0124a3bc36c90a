// In-memory and file byte streams.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <new>

#include "base/Messages.h"
#include "vxxml/Streams.h"
#include "xml/Messages.h"

namespace VxXmlLib10 {

CBinaryStream::CBinaryStream() : CBinaryStream("CBinaryStream") {}

CBinaryStream::CBinaryStream(CBinaryData& initial) : CBinaryStream("CBinaryStream", initial) {}

CBinaryStream::CBinaryStream(const char* instanceName)
    : CInstanceMonitor(instanceName), m_begin(nullptr), m_cur(nullptr), m_end(nullptr) {}

CBinaryStream::CBinaryStream(const char* instanceName, CBinaryData& initial)
    : CBinaryStream(instanceName) {
  Append(initial);
}

CBinaryStream::~CBinaryStream() { delete[] m_begin; }

void CBinaryStream::Append(const CBinaryData& data) {
  AppendBytes(data.GetData(), data.GetLength());
}

// Doubles the capacity (at least 8192 bytes) until `extra` more bytes fit.
void CBinaryStream::Grow(size_t extra) {
  if (m_begin && Drain() && extra <= static_cast<size_t>(m_end - m_cur)) return;
  const size_t used = static_cast<size_t>(m_cur - m_begin);
  const size_t capacity = static_cast<size_t>(m_end - m_begin);
  if (extra > SIZE_MAX / 2 - used) detail::ThrowNoMemory();
  size_t next = std::max<size_t>(capacity * 2, 8192);
  while (next < used + extra) next *= 2;
  unsigned char* bytes = new unsigned char[next];
  if (used) std::memcpy(bytes, m_begin, used);
  delete[] m_begin;
  m_begin = bytes;
  m_cur = bytes + used;
  m_end = bytes + next;
}

CBinaryData CBinaryStream::GetBinaryStream() const {
  const size_t used = static_cast<size_t>(m_cur - m_begin);
  if (used == 0) return CBinaryData();
  return CBinaryData(m_begin, static_cast<unsigned long>(used), false);
}

CFileBinaryStream::CFileBinaryStream(const char* path, XmlEncoding encoding)
    : CBinaryStream("CFileBinaryStream"), m_path(path ? path : ""), m_encoding(encoding) {}

CFileBinaryStream::CFileBinaryStream(const char* path, XmlEncoding encoding, CBinaryData& data)
    : CFileBinaryStream(path, encoding) {
  Append(data);
}

CFileBinaryStream::~CFileBinaryStream() = default;

void CFileBinaryStream::ToFile() {
  FILE* file = std::fopen(m_path.c_str(), "wt");
  if (!file) detail::ThrowFileWriteFailed(m_path.c_str());
  bool ok = true;
  if (m_encoding == XmlEncoding_UTF16 || m_encoding == XmlEncoding_UTF16NoDecl) {
    static const unsigned char kByteOrderMark[2] = {0xFF, 0xFE};
    ok = std::fwrite(kByteOrderMark, 1, 2, file) == 2;
  }
  const size_t length = static_cast<size_t>(GetLength());
  if (ok && length) ok = std::fwrite(Data(), 1, length, file) == length;
  if (std::fclose(file) != 0) ok = false;
  if (!ok) detail::ThrowFileWriteFailed(m_path.c_str());
}

}  // namespace VxXmlLib10
