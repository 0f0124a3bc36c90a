// CBinaryData, its shared copy-on-write holder, and the hexadecimal form.
#include "vxxml/BinaryData.h"

#include <cstddef>
#include <cstring>
#include <limits>
#include <memory>

#include "base/Messages.h"
#include "types/BinaryCodec.h"
#include "types/Messages.h"

namespace VxXmlLib10 {

using CDataHolder = CBinaryData::CDataHolder;

namespace {

constexpr uint64_t kMinCopyCapacity = 8192;

// Twice the wanted size, saturating instead of wrapping.
uint64_t Doubled(uint64_t n) {
  return n > std::numeric_limits<uint64_t>::max() / 2 ? n : 2 * n;
}

// No object may be larger than the largest pointer difference.
unsigned char* Allocate(uint64_t capacity) {
  if (capacity > static_cast<uint64_t>(std::numeric_limits<std::ptrdiff_t>::max()))
    detail::ThrowNoMemory();
  return new unsigned char[static_cast<size_t>(capacity)];
}

}  // namespace

// ---- CDataHolder -------------------------------------------------------------

CDataHolder::CDataHolder(unsigned char* data, unsigned long length, bool takeOwnership)
    : m_data(nullptr), m_length(0), m_capacity(0), m_refCount(1) {
  if (!data) length = 0;
  if (takeOwnership) {
    m_data = data;
    m_length = m_capacity = length;
    return;
  }
  // A copy reserves room so that a value built by appends is copied rarely.
  const uint64_t capacity = Doubled(length) < kMinCopyCapacity ? kMinCopyCapacity : Doubled(length);
  m_data = Allocate(capacity);
  m_capacity = capacity;
  if (length) std::memcpy(m_data, data, length);
  m_length = length;
}

CDataHolder::CDataHolder(unsigned char* data, uint64_t length, uint64_t capacity)
    : m_data(data), m_length(length), m_capacity(capacity), m_refCount(1) {}

CDataHolder::~CDataHolder() { delete[] m_data; }

int64_t CDataHolder::AddRef() { return m_refCount.fetch_add(1, std::memory_order_relaxed) + 1; }

void CDataHolder::Release(bool bDetach) {
  const int64_t remaining = m_refCount.fetch_sub(1, std::memory_order_acq_rel) - 1;
  if (remaining > 0) {
    if (!bDetach) return;
    // The buffer cannot be handed out while others share it: undo the
    // release so the caller keeps a valid reference.
    m_refCount.fetch_add(1, std::memory_order_relaxed);
    detail::ThrowReleaseShared(remaining);
  }
  if (bDetach) m_data = nullptr;  // now the caller's
  delete this;
}

CDataHolder* CDataHolder::GetExclusiveCopy() {
  // A count of 1 cannot rise behind our back: only the owner could copy it.
  if (m_refCount.load(std::memory_order_acquire) <= 1) return this;
  CDataHolder* copy = new CDataHolder(m_data, static_cast<unsigned long>(m_length), false);
  Release(false);
  return copy;
}

void CDataHolder::Append(const unsigned char* data, unsigned long length) {
  const int64_t refCount = m_refCount.load(std::memory_order_acquire);
  if (refCount > 1) detail::ThrowAppendShared(refCount);
  if (!data || length == 0) return;
  if (length > std::numeric_limits<uint64_t>::max() - m_length) detail::ThrowNoMemory();
  const uint64_t needed = m_length + length;
  if (needed > m_capacity) {
    const uint64_t capacity = Doubled(needed);
    unsigned char* buffer = Allocate(capacity);
    if (m_length) std::memcpy(buffer, m_data, m_length);
    // The source may lie in the old buffer: copy it before freeing that.
    std::memcpy(buffer + m_length, data, length);
    delete[] m_data;
    m_data = buffer;
    m_capacity = capacity;
  } else {
    std::memmove(m_data + m_length, data, length);
  }
  m_length = needed;
}

// ---- CBinaryData --------------------------------------------------------------

CBinaryData::CBinaryData() : m_pHolder(nullptr) {}

CBinaryData::CBinaryData(const CBinaryData& other) : m_pHolder(other.m_pHolder) {
  if (m_pHolder) m_pHolder->AddRef();
}

CBinaryData::CBinaryData(CBinaryData&& other) noexcept : m_pHolder(other.m_pHolder) {
  other.m_pHolder = nullptr;
}

CBinaryData::CBinaryData(unsigned char* data, unsigned long length, bool takeOwnership)
    : m_pHolder(new CDataHolder(data, length, takeOwnership)) {}

CBinaryData::CBinaryData(const char* text)
    : m_pHolder(new CDataHolder(reinterpret_cast<unsigned char*>(const_cast<char*>(text)),
                                text ? std::strlen(text) : 0, false)) {}

CBinaryData::~CBinaryData() {
  if (m_pHolder) m_pHolder->Release(false);
}

CBinaryData& CBinaryData::operator=(const CBinaryData& other) {
  // Take the new reference first, so self-assignment is harmless.
  if (other.m_pHolder) other.m_pHolder->AddRef();
  CDataHolder* old = m_pHolder;
  m_pHolder = other.m_pHolder;
  if (old) old->Release(false);
  return *this;
}

CBinaryData& CBinaryData::operator=(CBinaryData&& other) noexcept {
  if (this != &other) {
    CDataHolder* old = m_pHolder;
    m_pHolder = other.m_pHolder;
    other.m_pHolder = nullptr;
    if (old) old->Release(false);
  }
  return *this;
}

unsigned char* CBinaryData::GetData() const { return m_pHolder ? m_pHolder->GetData() : nullptr; }

unsigned long CBinaryData::GetLength() const { return m_pHolder ? m_pHolder->GetLength() : 0; }

unsigned char CBinaryData::operator[](unsigned long index) const {
  if (index >= GetLength()) detail::ThrowIndexOutOfRange(index);
  return m_pHolder->GetData()[index];
}

unsigned char& CBinaryData::operator[](unsigned long index) {
  if (index >= GetLength()) detail::ThrowIndexOutOfRange(index);
  return Exclusive()->GetData()[index];
}

CDataHolder* CBinaryData::Exclusive() {
  if (m_pHolder) m_pHolder = m_pHolder->GetExclusiveCopy();
  return m_pHolder;
}

void CBinaryData::Adopt(unsigned char* data, unsigned long length) {
  CDataHolder* holder = new CDataHolder(data, length, true);
  if (m_pHolder) m_pHolder->Release(false);
  m_pHolder = holder;
}

void CBinaryData::Append(unsigned char* data, unsigned long length) {
  if (!m_pHolder) {
    m_pHolder = new CDataHolder(data, length, false);
    return;
  }
  Exclusive()->Append(data, length);
}

void CBinaryData::Append(const CBinaryData& data) {
  // Hold a reference to the source: appending a value to itself (or to a copy
  // sharing its holder) must not see the source freed by the copy-on-write.
  const CBinaryData source(data);
  Append(source.GetData(), source.GetLength());
}

void CBinaryData::Append(const char* text) {
  Append(reinterpret_cast<unsigned char*>(const_cast<char*>(text)), text ? std::strlen(text) : 0);
}

void CBinaryData::Append(const std::string& text) {
  Append(reinterpret_cast<unsigned char*>(const_cast<char*>(text.data())), text.size());
}

void CBinaryData::Append(char c) {
  unsigned char byte = static_cast<unsigned char>(c);
  Append(&byte, 1);
}

void CBinaryData::Append(unsigned char c) { Append(&c, 1); }

void CBinaryData::SetBuffer(unsigned char* data, unsigned long length) {
  // Copy before releasing: the bytes may belong to the current holder.
  CDataHolder* holder = new CDataHolder(data, length, false);
  if (m_pHolder) m_pHolder->Release(false);
  m_pHolder = holder;
}

void CBinaryData::SetBuffer(const char* text) {
  SetBuffer(reinterpret_cast<unsigned char*>(const_cast<char*>(text)), text ? std::strlen(text) : 0);
}

void CBinaryData::Clear() {
  if (m_pHolder) m_pHolder->Release(false);
  m_pHolder = nullptr;
}

unsigned char* CBinaryData::ReleaseData() {
  if (!m_pHolder) return nullptr;
  CDataHolder* holder = Exclusive();
  unsigned char* data = holder->GetData();
  holder->Release(true);
  m_pHolder = nullptr;
  return data;
}

// ---- hexadecimal ----------------------------------------------------------------

namespace detail {
namespace {

struct HexTables {
  char digits[256][2];  // the two digits of every byte
  uint8_t nibble[256];  // digit value, or 0xFF for a non-hex character
  constexpr HexTables() : digits(), nibble() {
    constexpr char kDigits[] = "0123456789ABCDEF";
    for (int i = 0; i < 256; ++i) {
      digits[i][0] = kDigits[i >> 4];
      digits[i][1] = kDigits[i & 15];
      nibble[i] = 0xFF;
    }
    for (int i = 0; i < 10; ++i) nibble['0' + i] = static_cast<uint8_t>(i);
    for (int i = 0; i < 6; ++i) {
      nibble['A' + i] = static_cast<uint8_t>(10 + i);
      nibble['a' + i] = static_cast<uint8_t>(10 + i);
    }
  }
};
constexpr HexTables kHex;

}  // namespace

void HexEncode(const unsigned char* data, size_t length, char* out) {
  size_t i = 0;
  // Four bytes to eight digits per step, one store.
  for (; i + 4 <= length; i += 4, out += 8) {
    char digits[8];
    std::memcpy(digits, kHex.digits[data[i]], 2);
    std::memcpy(digits + 2, kHex.digits[data[i + 1]], 2);
    std::memcpy(digits + 4, kHex.digits[data[i + 2]], 2);
    std::memcpy(digits + 6, kHex.digits[data[i + 3]], 2);
    std::memcpy(out, digits, 8);
  }
  for (; i < length; ++i, out += 2) std::memcpy(out, kHex.digits[data[i]], 2);
}

void HexDecode(const char* text, size_t length, unsigned char* out) {
  const unsigned char* p = reinterpret_cast<const unsigned char*>(text);
  for (size_t i = 0; i < length; i += 2) {
    const uint8_t hi = kHex.nibble[p[i]], lo = kHex.nibble[p[i + 1]];
    if ((hi | lo) & 0xF0) ThrowInvalidHexChar(static_cast<char>(hi & 0xF0 ? p[i] : p[i + 1]));
    *out++ = static_cast<unsigned char>((hi << 4) | lo);
  }
}

}  // namespace detail

std::string CBinaryData::GetAsHexString() const { return GetAsHexString(GetData(), GetLength()); }

std::string CBinaryData::GetAsHexString(unsigned char* data, unsigned long length) {
  if (!data || length == 0) return std::string();
  std::string text(2 * static_cast<size_t>(length), '\0');
  detail::HexEncode(data, length, &text[0]);
  return text;
}

unsigned long CBinaryData::ConvertToHexData(const char* text, unsigned char** out) {
  const size_t length = text ? std::strlen(text) : 0;
  if (length % 2) detail::ThrowInvalidHexLength();
  std::unique_ptr<unsigned char[]> buffer(new unsigned char[length / 2]);
  detail::HexDecode(text, length, buffer.get());
  if (out) *out = buffer.release();  // without a place for it, the text is only checked
  return static_cast<unsigned long>(length / 2);
}

void CBinaryData::SetAsHexString(const char* text) {
  unsigned char* data = nullptr;
  const unsigned long length = ConvertToHexData(text, &data);
  Adopt(data, length);
}

// ---- Base64 -----------------------------------------------------------------------

std::string CBinaryData::GetAsBase64() const {
  const size_t length = GetLength();
  if (length == 0) return std::string();
  std::string text(detail::Base64EncodedLength(length), '=');
  detail::Base64Encode(GetData(), length, &text[0]);
  return text;
}

void CBinaryData::SetAsBase64(const char* text) {
  Clear();
  if (!text) return;
  const size_t length = std::strlen(text);
  // Room for every character plus one, as the decoder's contract asks; invalid
  // text decodes to zero bytes. Bytes past the decoded length are never read,
  // so the buffer is not cleared first.
  unsigned char* buffer = new unsigned char[length + 1];
  const size_t decoded = detail::Base64Decode(text, length, buffer);
  m_pHolder = new CDataHolder(buffer, static_cast<uint64_t>(decoded), static_cast<uint64_t>(length + 1));
}

// ---- comparison -------------------------------------------------------------------

bool CBinaryData::operator==(const CBinaryData& other) const {
  if (!m_pHolder || !other.m_pHolder) return !m_pHolder && !other.m_pHolder;
  if (m_pHolder == other.m_pHolder) return true;
  const unsigned long length = m_pHolder->GetLength();
  return length == other.m_pHolder->GetLength() &&
         (length == 0 || std::memcmp(m_pHolder->GetData(), other.m_pHolder->GetData(), length) == 0);
}

}  // namespace VxXmlLib10
