// CDateTimeSpan: the value class of the XML Schema duration type.
//
// Each component of the lexical form [-]PnYnMnDTnHnMn.fS is kept as written
// (90 minutes stay 90 minutes), with one sign for the whole duration.
//
//   CDateTimeSpan d;
//   d.ParseXSDDuration("-P1DT12H");   // negative, 1 day and 12 hours
//   d.ToString();                     // "-P1DT12H"
//
// Durations are ordered only partially: P1M is neither shorter nor longer
// than P30D, so CompareTo may answer "indeterminate".
#ifndef VXXML_DATETIMESPAN_H
#define VXXML_DATETIMESPAN_H

#include <string>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

class VXXML_API CDateTimeSpan {
 public:
  /// All zero, not negative.
  CDateTimeSpan();
  CDateTimeSpan(unsigned short years, unsigned long months, unsigned long days,
                unsigned long hours, unsigned long long minutes, unsigned long long seconds);
  CDateTimeSpan(unsigned short years, unsigned long months, unsigned long days,
                unsigned long hours, unsigned long long minutes, unsigned long long seconds,
                unsigned short milli, unsigned short micro, unsigned short nano);
  CDateTimeSpan(unsigned long hours, unsigned long long minutes, unsigned long long seconds);
  CDateTimeSpan(const CDateTimeSpan& other);
  virtual ~CDateTimeSpan();
  CDateTimeSpan& operator=(const CDateTimeSpan& other);

  /// All zero, not negative.
  void Clear();
  /// Each overload clears the value (so the sign becomes positive) and stores
  /// the fields as given, without range checks.
  void SetDateTimeSpan(unsigned short years, unsigned long months, unsigned long days,
                       unsigned long hours, unsigned long long minutes,
                       unsigned long long seconds);
  void SetDateTimeSpan(unsigned short years, unsigned long months, unsigned long days,
                       unsigned long hours, unsigned long long minutes,
                       unsigned long long seconds, unsigned short milli,
                       unsigned short micro, unsigned short nano);
  void SetDateTimeSpan(unsigned long hours, unsigned long long minutes,
                       unsigned long long seconds);

  unsigned short GetYears() const { return m_years; }
  void SetYears(unsigned short years) { m_years = years; }
  unsigned long GetMonths() const { return m_months; }
  void SetMonths(unsigned long months) { m_months = months; }
  unsigned long GetDays() const { return m_days; }
  void SetDays(unsigned long days) { m_days = days; }
  unsigned long GetHours() const { return m_hours; }
  void SetHours(unsigned long hours) { m_hours = hours; }
  unsigned long long GetMinutes() const { return m_minutes; }
  void SetMinutes(unsigned long long minutes) { m_minutes = minutes; }
  unsigned long long GetSeconds() const { return m_seconds; }
  void SetSeconds(unsigned long long seconds) { m_seconds = seconds; }
  unsigned short GetMilliSeconds() const { return m_milli; }
  void SetMilliSeconds(unsigned short milli) { m_milli = milli; }
  unsigned short GetMicroSeconds() const { return m_micro; }
  void SetMicroSeconds(unsigned short micro) { m_micro = micro; }
  unsigned short GetNanoSeconds() const { return m_nano; }
  void SetNanoSeconds(unsigned short nano) { m_nano = nano; }

  bool IsNegative() const { return m_negative; }
  /// Inverts the sign.
  void Negate() { m_negative = !m_negative; }
  /// A copy with the negative flag set (a negative duration stays negative).
  CDateTimeSpan GetAsNegative() const;

  /// The lexical form: "P1Y2M3DT4H5M6.789S", "-P1D", "PT36H"; the all-zero
  /// duration is "PT0S".
  std::string ToString() const;

  /// Parses [-]PnYnMnDTnHnMn.fS and returns true; on failure throws
  /// CVxInvalidValueException, leaving the fields read so far:
  ///   "Invalid XSD Duration (Null String)", "Invalid XSD Duration (Empty String)",
  ///   "Invalid XSD Duration [%s] Fraction part too long" (more than nine digits),
  ///   "Invalid XSD Duration [%s] expected [-]P[nY][nM][nD][T[nH][nM][nS.ff]]"
  ///   for anything else, including a number too large for its field.
  bool ParseXSDDuration(const char* text);

  /// The order of XML Schema durations, tried on the reference dateTimes
  /// 1696-09-01, 1697-02-01, 1903-03-01 and 1903-07-01 (00:00:00Z):
  /// 0 equal, 1 less, 2 greater, 3 indeterminate.
  int CompareTo(const CDateTimeSpan& other) const;
  bool operator==(const CDateTimeSpan& other) const { return CompareTo(other) == 0; }
  bool operator!=(const CDateTimeSpan& other) const { return CompareTo(other) != 0; }
  bool operator<(const CDateTimeSpan& other) const { return CompareTo(other) == 1; }
  bool operator>(const CDateTimeSpan& other) const { return CompareTo(other) == 2; }

 private:
  unsigned short m_years;
  unsigned long m_months;
  unsigned long m_days;
  unsigned long m_hours;
  unsigned long long m_minutes;
  unsigned long long m_seconds;
  unsigned short m_milli;
  unsigned short m_micro;
  unsigned short m_nano;
  bool m_negative;
};

}  // namespace VxXmlLib10

#endif  // VXXML_DATETIMESPAN_H
