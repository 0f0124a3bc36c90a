// Canonical text of every simple value kind, and the parsers that turn
// document text back into values. Every FromString first applies the
// whitespace rule; failures are CVxInvalidValueException (or the value
// class's own exception for dates, durations, decimals, integers and binary).
//
// Numbers are written and read with '.' as decimal point whatever locale the
// application has set.
#ifndef VXXML_CONVERSIONS_H
#define VXXML_CONVERSIONS_H

#include <string>

#include "vxxml/Export.h"
#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {

class CBinaryData;
class CBigInteger;
class CDecimal;
class CDateTime;
class CDateTimeSpan;

class VXXML_API CConversions {
 public:
  typedef CWhitespaceUtils::WhitespaceRule WhitespaceRule;

  static std::string i1ToString(char value);
  static std::string i2ToString(short value);
  static std::string i4ToString(long value);
  static std::string i8ToString(long long value);
  static std::string ui1ToString(unsigned char value);
  static std::string ui2ToString(unsigned short value);
  static std::string ui4ToString(unsigned long value);
  static std::string ui8ToString(unsigned long long value);
  /// NaN gives "NaN", infinities "INF" / "-INF"; otherwise printf with the
  /// format, "%.7g" (r4) or "%.16g" (r8) when it is empty.
  static std::string r4ToString(float value);
  static std::string r4ToString(float value, const std::string& format);
  static std::string r8ToString(double value);
  static std::string r8ToString(double value, const std::string& format);
  static std::string booleanToString(bool value);
  static std::string charToString(char value);
  static std::string stringToString(const std::string& value);
  static std::string yearToString(unsigned short value);  ///< "YYYY", at least four digits
  static std::string monthToString(unsigned char value);  ///< "--MM"
  static std::string dayToString(unsigned char value);    ///< "---DD"
  static std::string datetimeToString(const CDateTime& value);
  static std::string dateToString(const CDateTime& value);
  static std::string timeToString(const CDateTime& value);
  static std::string yearMonthToString(const CDateTime& value);
  static std::string monthDayToString(const CDateTime& value);
  static std::string durationToString(const CDateTimeSpan& value);
  static std::string integerToString(const CBigInteger& value);
  static std::string decimalToString(const CDecimal& value);
  /// A non-empty format is read as the number of fraction digits.
  static std::string decimalToString(const CDecimal& value, const std::string& format);
  static std::string hexBinaryToString(const CBinaryData& value);
  static std::string base64BinaryToString(const CBinaryData& value);

  static char i1FromString(const std::string& text, WhitespaceRule rule);
  static short i2FromString(const std::string& text, WhitespaceRule rule);
  static long i4FromString(const std::string& text, WhitespaceRule rule);
  static long long i8FromString(const std::string& text, WhitespaceRule rule);
  static unsigned char ui1FromString(const std::string& text, WhitespaceRule rule);
  static unsigned short ui2FromString(const std::string& text, WhitespaceRule rule);
  static unsigned long ui4FromString(const std::string& text, WhitespaceRule rule);
  static unsigned long long ui8FromString(const std::string& text, WhitespaceRule rule);
  /// "" and "NaN", "1.#QNAN", "-NAN" give NaN; "INF" / "-INF" infinities.
  static float r4FromString(const std::string& text, WhitespaceRule rule);
  static double r8FromString(const std::string& text, WhitespaceRule rule);
  /// "true"/"1" and "false"/"0", any case.
  static bool booleanFromString(const std::string& text, WhitespaceRule rule);
  static char charFromString(const std::string& text, WhitespaceRule rule);
  static std::string stringFromString(const std::string& text, WhitespaceRule rule);
  static unsigned short yearFromString(const std::string& text, WhitespaceRule rule);
  static unsigned char monthFromString(const std::string& text, WhitespaceRule rule);
  static unsigned char dayFromString(const std::string& text, WhitespaceRule rule);
  static CDateTime datetimeFromString(const std::string& text, WhitespaceRule rule);
  static CDateTime dateFromString(const std::string& text, WhitespaceRule rule);
  static CDateTime timeFromString(const std::string& text, WhitespaceRule rule);
  static CDateTime yearMonthFromString(const std::string& text, WhitespaceRule rule);
  static CDateTime monthDayFromString(const std::string& text, WhitespaceRule rule);
  static CDateTimeSpan durationFromString(const std::string& text, WhitespaceRule rule);
  static CBigInteger integerFromString(const std::string& text, WhitespaceRule rule);
  static CDecimal decimalFromString(const std::string& text, WhitespaceRule rule);
  static CBinaryData hexBinaryFromString(const std::string& text, WhitespaceRule rule);
  static CBinaryData base64BinaryFromString(const std::string& text, WhitespaceRule rule);
};

}  // namespace VxXmlLib10

#endif  // VXXML_CONVERSIONS_H
