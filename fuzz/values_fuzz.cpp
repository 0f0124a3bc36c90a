// Fuzz target for the value parsers: the first byte picks the parser, the rest
// is the text. Every input must parse or fail with a CVxException.
//   0 decimal  1 big integer  2 dateTime  3 date forms  4 time  5 duration
//   6 Base64   7 hex          8 pattern (the text as an XML Schema pattern,
//   matched against "abc-123", or against what follows a NUL in the text)
//   9 numbers through the conversions (i4, i8, ui8, r4, r8, boolean)
#include <cstddef>
#include <cstdint>
#include <string>

#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"
#include "vxxml/Exception.h"
#include "vxxml/Restrictions.h"

using namespace VxXmlLib10;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);
  const auto collapse = CWhitespaceUtils::WhitespaceRule_Collapse;
  try {
    switch (data[0] % 10) {
      case 0: (void)CDecimal(text.c_str()).ToString(); break;
      case 1: (void)CBigInteger(text.c_str()).ToString(); break;
      case 2: { CDateTime d; d.ParseXSDDateTime(text.c_str()); (void)d.ToString(); break; }
      case 3: { CDateTime d; d.ParseXSDDate(text.c_str()); (void)d.ToString(); break; }
      case 4: { CDateTime d; d.ParseXSDTime(text.c_str()); (void)d.ToString(); break; }
      case 5: { CDateTimeSpan s; s.ParseXSDDuration(text.c_str()); (void)s.ToString(); break; }
      case 6: { CBinaryData b; b.SetAsBase64(text.c_str()); (void)b.GetAsBase64(); break; }
      case 7: { CBinaryData b; b.SetAsHexString(text.c_str()); (void)b.GetAsHexString(); break; }
      case 8: {
        const size_t nul = text.find('\0');
        if (nul == std::string::npos) (void)TestRegEx(text, "abc-123");
        else (void)TestRegEx(text.substr(0, nul), text.substr(nul + 1));
        break;
      }
      case 9:
        try { (void)CConversions::i4FromString(text, collapse); } catch (const CVxException&) {}
        try { (void)CConversions::i8FromString(text, collapse); } catch (const CVxException&) {}
        try { (void)CConversions::ui8FromString(text, collapse); } catch (const CVxException&) {}
        try { (void)CConversions::r4FromString(text, collapse); } catch (const CVxException&) {}
        try { (void)CConversions::r8FromString(text, collapse); } catch (const CVxException&) {}
        (void)CConversions::booleanFromString(text, collapse);
        break;
    }
  } catch (const CVxException&) {
  }
  return 0;
}

#include "FuzzReplay.h"
