// Exact decimal number: the value behind xs:decimal.
//
// A decimal is an integer count of units of 10^-divider, so any number written
// in a document is read and written back without binary rounding. The divider
// (the number of fraction digits) is kept as small as the value allows, but
// at least 1, by parsing and arithmetic; ChangeFractionalDivider and Normalize
// set it explicitly. Parsing and the arithmetic keep at most m_maxDivider
// fraction digits.
#ifndef VXXML_DECIMAL_H
#define VXXML_DECIMAL_H

#include <string>
#include <type_traits>

#include "vxxml/BigInteger.h"
#include "vxxml/Export.h"

namespace VxXmlLib10 {

namespace detail {
struct DecimalAccess;
}

class VXXML_API CDecimal {
 public:
  /// The most fraction digits that parsing and arithmetic keep.
  static constexpr int m_maxDivider = 30;

  /// Zero.
  CDecimal();
  CDecimal(int value);
  CDecimal(const CBigInteger& value);
  /// integral + fraction / 10^divider, exactly (the parts may have any signs).
  /// A divider outside -1000000..1000000 throws CVxInvalidParamException
  /// "Number of decimal digits out of range [%d]".
  CDecimal(const CBigInteger& integral, const CBigInteger& fraction, int divider);
  /// Parse(text).
  CDecimal(const char* text);
  /// The double written with 13 fraction digits and parsed.
  explicit CDecimal(double value);
  /// A floating value never turns into a decimal implicitly: through the int
  /// constructor `CDecimal d = 19.99;` would silently become 19. Write
  /// CDecimal(19.99) or CDecimal("19.99"); a float or long double is first
  /// made a double.
  template <class T, typename std::enable_if<std::is_floating_point<T>::value, int>::type = 0>
  CDecimal(T value) = delete;
  CDecimal(const CDecimal& other) = default;
  CDecimal(CDecimal&& other) noexcept = default;
  CDecimal& operator=(const CDecimal& other) = default;
  CDecimal& operator=(CDecimal&& other) noexcept = default;
  virtual ~CDecimal();

  /// Reads a decimal: an optional sign, digits, an optional point and fraction
  /// digits, and an optional exponent ('e' or 'E', an optional sign, digits).
  /// Whitespace is skipped anywhere ("1 000.5" is 1000.5), and '-' or '+'
  /// before the point sets the sign wherever it stands. More than
  /// m_maxDivider fraction digits are rounded (halves toward zero). A null
  /// pointer or empty text gives 0. Any other character throws
  /// CVxInvalidValueException "The string representing a Decimal, contained an
  /// invalid char at position %d [%s]" (zero-based position, whole text).
  /// An exponent may lengthen the number to at most 4 integral digits per
  /// character of the text, or 400 digits where that is more, and never to
  /// more than 100000 digits ("1E399" is read, "1E400" and "9E999999" are
  /// not); beyond that it throws CVxInvalidValueException "The exponent of a
  /// Decimal makes it longer than %lld digits [%s]" (the limit for this text,
  /// the whole text). Numbers written out in full are read at any length.
  void Parse(const char* text);
  /// Shortest form: "1.5", "-0.5", "1500"; a value without fraction is written
  /// as an integer. After ChangeFractionalDivider or Normalize the fraction
  /// is written with as many digits as the divider holds ("1.50").
  std::string ToString() const;
  /// Exactly `digits` fraction digits, halves rounded away from zero
  /// (1.005 gives "1.01", -1.005 "-1.01"); 0 digits gives no point ("2").
  /// A negative value keeps its sign even when it rounds to zero ("-0.00").
  /// `digits` outside 0..1000000 throws CVxInvalidParamException
  /// "Number of decimal digits out of range [%d]".
  std::string ToString(int digits) const;

  /// Rescales to exactly n fraction digits. Digits dropped are rounded to the
  /// nearest, exact halves toward zero (1.25 gives 1.2, 2.5 gives 2), and a
  /// carry moves into the integral part (9.96 gives 10.0). n outside
  /// 0..1000000 throws CVxInvalidParamException
  /// "Number of decimal digits out of range [%d]".
  void ChangeFractionalDivider(int n);
  /// Rescales the one with fewer fraction digits up to the other's divider and
  /// returns that common divider.
  static int Normalize(CDecimal& a, CDecimal& b);
  /// Removes trailing zero digits of the fraction, but keeps at least one
  /// fraction digit.
  void Rationalise();

  /// Inverts the sign.
  void Negate();
  /// True when the value is below zero.
  bool GetNegative() const;

  CDecimal operator+(const CDecimal& other) const;
  CDecimal operator-(const CDecimal& other) const;
  /// Exact product, rounded to m_maxDivider fraction digits.
  CDecimal operator*(const CDecimal& other) const;
  /// Quotient cut after m_maxDivider + 2 fraction digits, then rounded to
  /// m_maxDivider (1 / 3 gives 0.333333333333333333333333333333). A zero
  /// divisor throws CVxInvalidValueException "ERROR: Overflow in operator/.".
  CDecimal operator/(const CDecimal& other) const;
  CDecimal& operator+=(const CDecimal& other);
  CDecimal& operator-=(const CDecimal& other);
  CDecimal& operator*=(const CDecimal& other);
  CDecimal& operator/=(const CDecimal& other);
  CDecimal& operator++();
  CDecimal operator++(int);
  CDecimal& operator--();
  CDecimal operator--(int);

  bool operator==(const CDecimal& other) const { return Compare(*this, other) == 0; }
  bool operator!=(const CDecimal& other) const { return Compare(*this, other) != 0; }
  bool operator<(const CDecimal& other) const { return Compare(*this, other) < 0; }
  bool operator<=(const CDecimal& other) const { return Compare(*this, other) <= 0; }
  bool operator>(const CDecimal& other) const { return Compare(*this, other) > 0; }
  bool operator>=(const CDecimal& other) const { return Compare(*this, other) >= 0; }

  /// Rounded to an integer as ChangeFractionalDivider(0) rounds.
  CBigInteger ToBigInteger() const;
  /// The value rounded to one fraction digit, then without its fraction
  /// (2.94 gives 2, 2.96 gives 3, -2.96 gives -3). Outside the range of long
  /// long throws CVxOverFlowException
  /// "The Decimal value if to large to fit into a LONGLONG".
  long long ToLongLong() const;
  /// As ToLongLong, within -2147483648..2147483647; outside throws
  /// CVxOverFlowException "The Decimal value if to large to fit into a LONG".
  long ToLong() const;
  /// The nearest double. An integral part beyond +-1.7E+308 throws
  /// CVxOverFlowException "The Decimal value if to large to fit into a Double".
  double ToDouble() const;

  /// The integral part (truncated toward zero).
  CBigInteger GetIntegral() const;
  /// Fraction digits held (the divider).
  int GetDivider() const { return m_divider; }

 private:
  /// -1, 0 or 1 as a is below, equal to or above b.
  static int Compare(const CDecimal& a, const CDecimal& b);

  friend struct detail::DecimalAccess;

  CBigInteger m_value;  // the value times 10^m_divider
  int m_divider;        // fraction digits, >= 0
};

}  // namespace VxXmlLib10

#endif  // VXXML_DECIMAL_H
