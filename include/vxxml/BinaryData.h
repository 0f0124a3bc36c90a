// Byte buffers with shared copy-on-write storage, their hexadecimal and Base64
// text forms, and gzip/zlib compression.
//
//   CBinaryData  a byte-buffer value; copies share one CDataHolder and take a
//                private copy before they change it.
//   CBase64      Base64 encoder and decoder (RFC 4648 alphabet, no line breaks).
//   CVxZip       deflate (level 1) in gzip or zlib format; inflate of either,
//                recognised from the header.
//
// Buffers handed over or handed back (ReleaseData, ConvertToHexData, the
// CVxZip operations, the take-ownership constructor) are allocated and freed
// as arrays: new unsigned char[n] / delete[].
#ifndef VXXML_BINARYDATA_H
#define VXXML_BINARYDATA_H

#include <atomic>
#include <cstdint>
#include <string>

#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

class VXXML_API CBinaryData {
 public:
  /// The shared storage of a CBinaryData. A holder is owned by the values that
  /// reference it (its reference count) and is only modified while it has a
  /// single owner. The count is atomic, so copies that share a holder may be
  /// used from different threads; the CBinaryData objects themselves are not
  /// locked.
  class VXXML_API CDataHolder {
   public:
    /// Takes the caller's array as is (capacity = length) when takeOwnership
    /// is true; otherwise copies the bytes into a new buffer of capacity
    /// 2 x length, at least 8192 bytes. A null pointer stands for no bytes.
    /// The new holder has reference count 1.
    CDataHolder(unsigned char* data, unsigned long length, bool takeOwnership);
    CDataHolder(const CDataHolder&) = delete;
    CDataHolder& operator=(const CDataHolder&) = delete;

    /// Adds a sharer; returns the new count.
    int64_t AddRef();
    /// Drops a sharer. Without detach, the last Release frees the buffer and
    /// the holder. With detach, the holder is destroyed but the buffer is kept
    /// for the caller (read GetData() first); if other sharers remain, nothing
    /// changes and CVxException "Failed to release data. [RefCount=%d]" (the
    /// count the other sharers hold) is thrown.
    void Release(bool bDetach);
    /// The holder to modify: this one when it is not shared; otherwise a new
    /// holder with a copy of the bytes, this one being released.
    CDataHolder* GetExclusiveCopy();
    /// Appends bytes (which may lie inside this holder's own buffer). When the
    /// capacity is too small it becomes 2 x the needed length. A shared holder
    /// refuses with CVxException "Failed to append. [RefCount=%d]".
    void Append(const unsigned char* data, unsigned long length);

    unsigned char* GetData() const { return m_data; }
    unsigned long GetLength() const { return static_cast<unsigned long>(m_length); }
    unsigned long GetCapacity() const { return static_cast<unsigned long>(m_capacity); }
    int64_t GetRefCount() const { return m_refCount.load(std::memory_order_acquire); }

   private:
    CDataHolder(unsigned char* data, uint64_t length, uint64_t capacity);
    ~CDataHolder();
    friend class CBinaryData;

    unsigned char* m_data;
    uint64_t m_length;
    uint64_t m_capacity;
    std::atomic<int64_t> m_refCount;
  };

  /// Empty: no holder, GetData() null, GetLength() 0.
  CBinaryData();
  /// Shares the other value's holder.
  CBinaryData(const CBinaryData& other);
  CBinaryData(CBinaryData&& other) noexcept;
  /// Copies the bytes, or adopts the array (allocated with new[]) when
  /// takeOwnership is true.
  CBinaryData(unsigned char* data, unsigned long length, bool takeOwnership);
  /// Copies the characters of a null-terminated text, without the terminator.
  CBinaryData(const char* text);  // NOLINT: implicit by design
  virtual ~CBinaryData();

  /// Releases this value's holder and shares the other's.
  CBinaryData& operator=(const CBinaryData& other);
  CBinaryData& operator=(CBinaryData&& other) noexcept;

  /// The bytes (null when empty) and their count (0 when empty).
  unsigned char* GetData() const;
  unsigned long GetLength() const;

  /// The byte at index. Out of range: CVxException "Index Out of range [%d]".
  unsigned char operator[](unsigned long index) const;
  /// As above, after taking an exclusive copy, so the byte may be changed.
  unsigned char& operator[](unsigned long index);

  /// Appends bytes, copying the holder first when it is shared.
  void Append(unsigned char* data, unsigned long length);
  void Append(const CBinaryData& data);
  void Append(const char* text);  ///< the characters, without the terminator
  void Append(const std::string& text);
  void Append(char c);
  void Append(unsigned char c);

  /// Replaces the value by a copy of the bytes.
  void SetBuffer(unsigned char* data, unsigned long length);
  void SetBuffer(const char* text);
  /// Leaves the value empty.
  void Clear();
  /// Hands the buffer to the caller, who frees it with delete[], and leaves
  /// the value empty. Null when the value is empty. The buffer may be longer
  /// than GetLength() as read before the call.
  unsigned char* ReleaseData();

  /// Two upper-case hex digits per byte ("00ABFF"); empty data gives "".
  std::string GetAsHexString() const;
  static std::string GetAsHexString(unsigned char* data, unsigned long length);
  /// Replaces the value by the bytes of a hex text (either case); "" gives a
  /// zero-length value. Failures as ConvertToHexData; the value is left
  /// unchanged when the text is refused.
  void SetAsHexString(const char* text);
  /// Decodes a hex text into a new array (*out, free with delete[]) and
  /// returns its length. An odd length throws CVxException
  /// "Invalid length in hex string"; a non-hex character throws CVxException
  /// "Invalid char in hex string [%c]" naming it. With a null out the text is
  /// only checked.
  static unsigned long ConvertToHexData(const char* text, unsigned char** out);

  /// Base64 text of the bytes, padded with '=', no line breaks.
  std::string GetAsBase64() const;
  /// Replaces the value by the bytes of a Base64 text. '=', space, TAB, CR and
  /// LF are skipped wherever they stand, the high bit of each character is
  /// ignored, and any other non-alphabet character gives zero-length data
  /// (not an error).
  void SetAsBase64(const char* text);

  /// Equal when both are empty, or both hold the same bytes. An empty value
  /// and a zero-length one are not equal.
  bool operator==(const CBinaryData& other) const;
  bool operator!=(const CBinaryData& other) const { return !(*this == other); }

 protected:
  /// The holder to modify, made exclusive first (null when empty).
  CDataHolder* Exclusive();
  /// Replaces the holder by a new one adopting the array.
  void Adopt(unsigned char* data, unsigned long length);

 private:
  CDataHolder* m_pHolder;
};

/// Base64 encoder and decoder.
class VXXML_API CBase64 {
 public:
  CBase64();
  virtual ~CBase64();

  /// Base64 text of length bytes (a negative length counts as 0).
  std::string Encode(unsigned char* data, int length);
  /// Decodes text into out, which must hold at least strlen(text) + 1 bytes,
  /// and returns the number of bytes written; 0 when the text holds a
  /// character that is neither in the alphabet nor '=', space, TAB, CR, LF.
  /// A null text decodes to 0 bytes.
  unsigned long Decode(const char* text, unsigned char* out);

  /// "ABC...xyz0123456789+/"
  static const char m_sBase64Alphabet[65];
  /// Masks of 0 to 8 low bits: 0, 1, 3, 7, ..., 255.
  static const int m_nMask[9];

 private:
  // State of the last Encode or Decode.
  unsigned long m_nInputLength;
  int m_nBitsRemaining;
  unsigned long m_lBitStorage;
  const unsigned char* m_szInput;
};

/// Compression with zlib at level 1.
class VXXML_API CVxZip : public CInstanceMonitor {
 public:
  CVxZip();
  ~CVxZip() override;

  /// Compresses *data (an array of *length bytes) in gzip or zlib format; any
  /// other type does nothing. On success *data is freed and replaced by the
  /// compressed array and *length by its size. The compressed form must fit in
  /// *length bytes; otherwise nothing changes and CVxException
  /// "Failed to compress data. [Error Code: %d]" gives zlib's last return code.
  void Compress(unsigned char** data, unsigned long* length, CompressionType type);
  /// Inflates gzip or zlib data (recognised from its header). On success *data
  /// is freed and replaced by the inflated array and *length by its size. Data
  /// that is not compressed, damaged or truncated is left as it is, silently.
  void Decompress(unsigned char** data, unsigned long* length);
  /// Compresses the value in place; empty data is left alone. On failure the
  /// value is unchanged and the exception of Compress propagates.
  void CompressData(CBinaryData& binaryData, CompressionType type);
  /// Inflates complete gzip or zlib data (recognised from its header); the
  /// members of a gzip file are read one after the other as one text. Unlike
  /// Decompress it is strict and bounded: at most maxSize inflated bytes
  /// and, once past 4 MiB, at most maxRatio inflated bytes per compressed
  /// byte read (0 switches a bound off). The output grows with the
  /// inflation (doubling, each step a copy) and stops at a bound, so a
  /// compression bomb costs no more than the bounds allow. Failures
  /// (CVxException):
  ///   "Failed to decompress data. [<zlib's reason>]"   damaged or not compressed,
  ///                                                     e.g. "incorrect data check"
  ///   "Failed to decompress data. [the compressed data is truncated]"
  ///   "Failed to decompress data. [data follows the end of the compressed stream]"
  ///   "Decompressed data exceeds the limit MaxDecompressedSize [%llu bytes]"
  ///   "Decompressed data exceeds the limit MaxCompressionRatio [%u:1]"
  CBinaryData Inflate(const unsigned char* data, unsigned long length, std::uint64_t maxSize,
                      unsigned int maxRatio);
};

}  // namespace VxXmlLib10

#endif  // VXXML_BINARYDATA_H
