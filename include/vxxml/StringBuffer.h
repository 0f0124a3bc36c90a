// A growable text store made of fixed-size blocks: appending never moves the
// text already stored, and the blocks are joined once, when the whole text is
// asked for.
#ifndef VXXML_STRINGBUFFER_H
#define VXXML_STRINGBUFFER_H

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

class VXXML_API CStringBuffer : public CInstanceMonitor {
 public:
  /// New blocks hold 4095 characters.
  CStringBuffer();
  /// New blocks hold n - 1 characters (at least 1).
  explicit CStringBuffer(unsigned long n);
  ~CStringBuffer() override;
  CStringBuffer(const CStringBuffer&) = delete;
  CStringBuffer& operator=(const CStringBuffer&) = delete;

  void Append(char c) {
    if (m_used == m_capacity) AddBlock();
    m_current[m_used++] = c;
    ++m_length;
  }
  /// Appends a NUL-terminated text (null appends nothing).
  void Append(const char* text) {
    if (text) Append(text, std::strlen(text));
  }
  void Append(const std::string& text) { Append(text.data(), text.size()); }
  /// Appends `length` bytes (NUL bytes included).
  void Append(const char* data, size_t length) {
    if (length <= m_capacity - m_used) {
      CopyBytes(m_current + m_used, data, length);
      m_used += length;
      m_length += length;
    } else {
      AppendSlow(data, length);
    }
  }

  /// Clears, then appends the text.
  void SetText(const char* text);
  /// The whole text, NUL-terminated, owned by the buffer and valid until the
  /// next change. Joins the blocks into one when there are several.
  const char* GetText();
  uint64_t GetLength() const { return m_length; }
  /// Read access to the text piece by piece, without joining: block i holds
  /// `*length` characters (not NUL-terminated).
  size_t GetBlockCount() const { return m_blocks.size(); }
  const char* GetBlock(size_t index, uint64_t* length) const {
    *length = index + 1 == m_blocks.size() ? m_used : m_blockSizes[index];
    return m_blocks[index];
  }
  /// Forgets the text; a single block is kept (zeroed) for reuse.
  void Empty();
  /// Frees every block.
  void Clear();

 private:
  // Markup comes in short pieces: copy up to 16 bytes with two overlapping
  // fixed-size moves instead of a library call.
  static void CopyBytes(char* out, const char* in, size_t n) {
    if (n >= 8) {
      if (n <= 16) {
        uint64_t head, tail;
        std::memcpy(&head, in, 8);
        std::memcpy(&tail, in + n - 8, 8);
        std::memcpy(out, &head, 8);
        std::memcpy(out + n - 8, &tail, 8);
      } else {
        std::memcpy(out, in, n);
      }
    } else if (n >= 4) {
      uint32_t head, tail;
      std::memcpy(&head, in, 4);
      std::memcpy(&tail, in + n - 4, 4);
      std::memcpy(out, &head, 4);
      std::memcpy(out + n - 4, &tail, 4);
    } else if (n) {
      out[0] = in[0];
      out[n / 2] = in[n / 2];
      out[n - 1] = in[n - 1];
    }
  }

  void AddBlock();
  void AppendSlow(const char* data, size_t length);

  std::vector<char*> m_blocks;
  std::vector<uint64_t> m_blockSizes;
  uint64_t m_blockSize;
  uint64_t m_used;
  uint64_t m_capacity;
  char* m_current;
  uint64_t m_length;
};

}  // namespace VxXmlLib10

#endif  // VXXML_STRINGBUFFER_H
