// Conversions between the local code page of the process (the multibyte
// encoding of the current locale, as the application set it), wide
// characters (UTF-32 on this platform), UTF-8 and UTF-16.
//
// Characters that the other side cannot represent become '?'. The process-
// wide switch ASCIIOnly(true) declares the local code page to be plain
// single-byte text: bytes then pass to and from UTF-8 unchanged.
#ifndef VXXML_ENCODER_H
#define VXXML_ENCODER_H

#include <cstdio>
#include <string>

#include "vxxml/BinaryData.h"
#include "vxxml/Export.h"
#include "vxxml/ObjectBase.h"

namespace VxXmlLib10 {

/// The ASCII-only switch (false at start). Set it once, at start-up.
VXXML_API extern bool ASCII_ONLY;
VXXML_API void ASCIIOnly(bool asciiOnly);

class VXXML_API CEncoder : public CInstanceMonitor {
 public:
  CEncoder();
  ~CEncoder() override;

  /// Wide text to UTF-8 (empty data for an empty text, or for a text holding
  /// a surrogate code point).
  static CBinaryData UnicodeToUtf8Binary(const wchar_t* text);
  /// Local code page to UTF-8; a byte that does not start a valid character
  /// becomes '?'. With ASCII_ONLY the bytes are copied as they are.
  static CBinaryData LocalCodePageToUtf8Binary(const char* text);
  /// Local code page to UTF-16LE without a byte order mark ('?' as above).
  /// With ASCII_ONLY each byte becomes the code unit of the same value.
  static CBinaryData LocalCodePageToUnicodeBinary(const char* text);

  /// UTF-8 to the local code page; '?' for characters the locale cannot
  /// represent, an empty string for ill-formed UTF-8. With ASCII_ONLY the
  /// bytes are returned as they are. The buffers are optional scratch space,
  /// used when large enough.
  static std::string Utf8ToLocalCodePage(unsigned char* utf8, int length, wchar_t* wideBuffer,
                                         unsigned long wideSize, char* outBuffer,
                                         unsigned long outSize);
  static std::string Utf8ToLocalCodePage(unsigned char* utf8, int length);
  static std::string Utf8ToLocalCodePage(const char* utf8);
  static std::string Utf8ToLocalCodePage(const char* utf8, wchar_t* wideBuffer,
                                         unsigned long wideSize, char* outBuffer,
                                         unsigned long outSize);
  /// UTF-16BE (`length` bytes) to the local code page; '?' for each
  /// character the locale cannot represent, for each unpaired surrogate and
  /// for an odd final byte. With ASCII_ONLY, code units below 256 become the
  /// byte of the same value.
  static std::string Utf16ToLocalCodePage(unsigned char* utf16, int length);
};

/// Wide text to the local code page ('?' for what the locale cannot show).
VXXML_API std::string UnicodeToMultiByte(const wchar_t* text);
/// Length of an open file (the position is kept); -1 when it cannot be found.
VXXML_API unsigned long _filelength(FILE* file);
/// Upper-cases in place with toupper; returns its argument.
VXXML_API char* strupr(char* text);

}  // namespace VxXmlLib10

// ---- UTF conversion cores ---------------------------------------------------
// Each takes [begin, end) pointers and returns the number of target units
// written. A null target asks for the number of units needed. Conversion stops
// when the next character does not fit the target. Ill-formed input (a
// surrogate code point, an unpaired surrogate, an ill-formed or truncated
// UTF-8 sequence) makes the result 0. UTF-32 values above U+10FFFF are written
// as U+FFFD.

VXXML_API unsigned long ConvertUTF32toUTF16(const wchar_t* sourceStart, const wchar_t* sourceEnd,
                                            unsigned short* targetStart,
                                            unsigned short* targetEnd);
VXXML_API unsigned long ConvertUTF16toUTF32(const unsigned short* sourceStart,
                                            const unsigned short* sourceEnd,
                                            wchar_t* targetStart, wchar_t* targetEnd);
VXXML_API unsigned long ConvertUTF16toUTF8(const unsigned short* sourceStart,
                                           const unsigned short* sourceEnd,
                                           unsigned char* targetStart, unsigned char* targetEnd);
VXXML_API unsigned long ConvertUTF8toUTF16(const unsigned char* sourceStart,
                                           const unsigned char* sourceEnd,
                                           unsigned short* targetStart,
                                           unsigned short* targetEnd);
VXXML_API unsigned long ConvertUTF32toUTF8(const wchar_t* sourceStart, const wchar_t* sourceEnd,
                                           unsigned char* targetStart, unsigned char* targetEnd);
VXXML_API unsigned long ConvertUTF8toUTF32(const unsigned char* sourceStart,
                                           const unsigned char* sourceEnd, wchar_t* targetStart,
                                           wchar_t* targetEnd);
/// True when the `length` bytes form one well-formed UTF-8 sequence
/// (length 1 to 4).
VXXML_API bool IsLegalUTF8(const unsigned char* source, int length);
/// True when a well-formed UTF-8 sequence starts at source and ends by
/// sourceEnd.
VXXML_API bool IsLegalUTF8Sequence(const unsigned char* source, const unsigned char* sourceEnd);

/// The same conversions with (source, length in units, target, size in units).
VXXML_API int UnicodeToUTF8(const wchar_t* source, int sourceLength, unsigned char* target,
                            int targetSize);
VXXML_API int UTF8ToUnicode(const unsigned char* source, int sourceLength, wchar_t* target,
                            int targetSize);
VXXML_API int UnicodeToUTF16(const wchar_t* source, int sourceLength, unsigned short* target,
                             int targetSize);
VXXML_API int UTF16ToUnicode(const unsigned short* source, int sourceLength, wchar_t* target,
                             int targetSize);
/// True when any character is 128 or above.
VXXML_API bool DoesUnicodeStrContainAnyUTF8CharsLargerThanOneByte(const wchar_t* text,
                                                                  int length);
/// True when any byte is 128 or above.
VXXML_API bool DoesUTF8StrContainAnyCharsLargerThanOneByte(unsigned char* text,
                                                           unsigned long length);

#endif  // VXXML_ENCODER_H
