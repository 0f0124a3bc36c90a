// The block list under every text stream.
#include "vxxml/StringBuffer.h"

#include <algorithm>

namespace VxXmlLib10 {

namespace {
char g_emptyText[1] = {0};
}

CStringBuffer::CStringBuffer() : CStringBuffer(4096) {}

CStringBuffer::CStringBuffer(unsigned long n)
    : CInstanceMonitor("CStringBuffer"),
      m_blockSize(n > 1 ? n - 1 : 1),
      m_used(0),
      m_capacity(0),
      m_current(nullptr),
      m_length(0) {}

CStringBuffer::~CStringBuffer() { Clear(); }

// Every block gets one byte more than its usable size, so the text can be
// NUL-terminated in place. Blocks are not cleared: GetText writes the
// terminator where the text ends.
void CStringBuffer::AddBlock() {
  char* block = new char[m_blockSize + 1];
  m_blocks.push_back(block);
  try {
    m_blockSizes.push_back(m_blockSize);
  } catch (...) {
    m_blocks.pop_back();
    delete[] block;
    throw;
  }
  m_current = block;
  m_used = 0;
  m_capacity = m_blockSize;
}

void CStringBuffer::AppendSlow(const char* data, size_t length) {
  m_length += length;
  while (length) {
    if (m_used == m_capacity) AddBlock();
    const size_t piece = std::min<uint64_t>(length, m_capacity - m_used);
    std::memcpy(m_current + m_used, data, piece);
    m_used += piece;
    data += piece;
    length -= piece;
  }
}

void CStringBuffer::SetText(const char* text) {
  Clear();
  Append(text);
}

const char* CStringBuffer::GetText() {
  if (m_blocks.empty()) return g_emptyText;
  if (m_blocks.size() == 1) {
    m_current[m_used] = '\0';
    return m_current;
  }
  char* joined = new char[m_length + 1];
  char* out = joined;
  const size_t last = m_blocks.size() - 1;
  for (size_t i = 0; i < last; ++i) {
    std::memcpy(out, m_blocks[i], m_blockSizes[i]);
    out += m_blockSizes[i];
  }
  std::memcpy(out, m_blocks[last], m_used);
  joined[m_length] = '\0';
  for (char* block : m_blocks) delete[] block;
  m_blocks.assign(1, joined);
  m_blockSizes.assign(1, m_length);
  m_current = joined;
  m_used = m_capacity = m_length;
  return joined;
}

void CStringBuffer::Empty() {
  if (m_blocks.size() == 1) {
    m_current[0] = '\0';
    m_used = 0;
    m_length = 0;
  } else {
    Clear();
  }
}

void CStringBuffer::Clear() {
  for (char* block : m_blocks) delete[] block;
  m_blocks.clear();
  m_blockSizes.clear();
  m_used = m_capacity = m_length = 0;
  m_current = nullptr;
}

}  // namespace VxXmlLib10
