// Conversions of the value-class kinds: dates and times, durations, big
// integers and decimals.
#include <cstdlib>

#include "types/RuleText.h"
#include "vxxml/BigInteger.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"

namespace VxXmlLib10 {

namespace {

using detail::ApplyRule;

CDateTime ParseDate(const std::string& text, CConversions::WhitespaceRule rule) {
  // The form of the text decides the kind (date, gYearMonth, gMonthDay, ...).
  CDateTime value(CDateTime::dt_date);
  std::string scratch;
  value.ParseXSDDate(ApplyRule(text, rule, scratch).c_str());
  return value;
}

}  // namespace

std::string CConversions::datetimeToString(const CDateTime& value) { return value.ToString("s"); }
std::string CConversions::dateToString(const CDateTime& value) { return value.ToString("s"); }
std::string CConversions::timeToString(const CDateTime& value) { return value.ToString("s"); }
std::string CConversions::yearMonthToString(const CDateTime& value) {
  return value.ToString("s");
}
std::string CConversions::monthDayToString(const CDateTime& value) {
  return value.ToString("s");
}
std::string CConversions::durationToString(const CDateTimeSpan& value) {
  return value.ToString();
}
std::string CConversions::integerToString(const CBigInteger& value) { return value.ToString(); }
std::string CConversions::decimalToString(const CDecimal& value) { return value.ToString(); }
std::string CConversions::decimalToString(const CDecimal& value, const std::string& format) {
  if (format.empty()) return value.ToString();
  return value.ToString(static_cast<int>(std::strtol(format.c_str(), nullptr, 10)));
}

unsigned short CConversions::yearFromString(const std::string& text, WhitespaceRule rule) {
  return static_cast<unsigned short>(ParseDate(text, rule).GetYear());
}
unsigned char CConversions::monthFromString(const std::string& text, WhitespaceRule rule) {
  return ParseDate(text, rule).GetMonth();
}
unsigned char CConversions::dayFromString(const std::string& text, WhitespaceRule rule) {
  return ParseDate(text, rule).GetDay();
}

CDateTime CConversions::datetimeFromString(const std::string& text, WhitespaceRule rule) {
  CDateTime value(CDateTime::dt_dateTime);
  std::string scratch;
  value.ParseXSDDateTime(ApplyRule(text, rule, scratch).c_str());
  return value;
}
CDateTime CConversions::timeFromString(const std::string& text, WhitespaceRule rule) {
  CDateTime value(CDateTime::dt_time);
  std::string scratch;
  value.ParseXSDTime(ApplyRule(text, rule, scratch).c_str());
  return value;
}
CDateTime CConversions::dateFromString(const std::string& text, WhitespaceRule rule) {
  return ParseDate(text, rule);
}
CDateTime CConversions::yearMonthFromString(const std::string& text, WhitespaceRule rule) {
  return ParseDate(text, rule);
}
CDateTime CConversions::monthDayFromString(const std::string& text, WhitespaceRule rule) {
  return ParseDate(text, rule);
}

CDateTimeSpan CConversions::durationFromString(const std::string& text, WhitespaceRule rule) {
  CDateTimeSpan value;
  std::string scratch;
  value.ParseXSDDuration(ApplyRule(text, rule, scratch).c_str());
  return value;
}

CBigInteger CConversions::integerFromString(const std::string& text, WhitespaceRule rule) {
  std::string scratch;
  return CBigInteger(ApplyRule(text, rule, scratch).c_str());
}

CDecimal CConversions::decimalFromString(const std::string& text, WhitespaceRule rule) {
  std::string scratch;
  return CDecimal(ApplyRule(text, rule, scratch).c_str());
}

}  // namespace VxXmlLib10
