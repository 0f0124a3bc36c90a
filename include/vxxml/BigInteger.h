// Arbitrary-precision signed integer: the value behind xs:integer and the
// digit store of CDecimal.
//
// The magnitude is kept in base 10^9 limbs (least significant first), so that
// text converts in linear time and the arithmetic works nine digits at a time.
// Values up to 36 digits live inside the object; longer ones use one heap
// block. Zero is always positive: "-0" reads as 0, and 0 never compares below 0.
#ifndef VXXML_BIGINTEGER_H
#define VXXML_BIGINTEGER_H

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

class CDecimal;

namespace detail {
struct BigIntegerAccess;
}

class VXXML_API CBigInteger {
 public:
  /// Bounds of the machine types, built when the library is loaded.
  static const CBigInteger MAX_LONG;      ///< 2147483647
  static const CBigInteger MIN_LONG;      ///< -2147483648
  static const CBigInteger MAX_LONGLONG;  ///< 9223372036854775807
  static const CBigInteger MIN_LONGLONG;  ///< -9223372036854775808
  static const CBigInteger MAX_DOUBLE;    ///< 1.7E+308 (17 and 307 zeros)
  static const CBigInteger MIN_DOUBLE;    ///< -1.7E+308

  /// Zero.
  CBigInteger();
  CBigInteger(int value);
  /// Rounds to the nearest integer, halves toward zero (2.5 gives 2, -2.6
  /// gives -3). NaN and infinities throw CVxInvalidValueException
  /// "ERROR: Value out of bound of BigInteger.".
  explicit CBigInteger(double value);
  /// A floating value never turns into a big integer implicitly: through the
  /// int constructor `CBigInteger b = 2.6;` would silently become 2.
  template <class T, typename std::enable_if<std::is_floating_point<T>::value, int>::type = 0>
  CBigInteger(T value) = delete;
  /// Parse(text).
  CBigInteger(const char* text);
  /// The integral part of the decimal, fraction cut off (-12.9 gives -12).
  explicit CBigInteger(const CDecimal& value);
  CBigInteger(const CBigInteger& other);
  CBigInteger(CBigInteger&& other) noexcept;
  CBigInteger& operator=(const CBigInteger& other);
  CBigInteger& operator=(CBigInteger&& other) noexcept;
  virtual ~CBigInteger();

  /// Reads a decimal integer. Text of only digits, '+', '-', space, TAB, CR
  /// and LF: spaces are trimmed from both ends, a leading '-' makes the value
  /// negative, and the value is the run of digits at the end of the text
  /// (empty text, or no trailing digit, gives 0; "007" gives 7, "+12" 12).
  /// Any other text is read as a CDecimal and its fraction cut off ("12.9"
  /// gives 12, "1.5E3" 1500); its parse failures pass through. A null
  /// pointer reads as 0.
  void Parse(const char* text);
  /// Decimal digits, "-" first for a negative value; zero is "0".
  std::string ToString() const;

  /// Makes this value non-negative.
  void Abs();
  /// Inverts the sign of this value.
  void Negate();
  /// Inverts the sign of this value itself and returns it (note: `-a`
  /// changes `a`; use GetNegative() for a negated copy).
  CBigInteger& operator-();
  /// A copy with sign +1: the magnitude.
  CBigInteger GetAbs() const;
  /// A copy with sign -1: minus the magnitude, never positive.
  CBigInteger GetNegative() const;

  CBigInteger operator+(const CBigInteger& other) const;
  CBigInteger operator-(const CBigInteger& other) const;
  CBigInteger operator*(const CBigInteger& other) const;
  /// Quotient truncated toward zero (-7 / 2 gives -3). A zero divisor throws
  /// CVxInvalidValueException "ERROR: Overflow in operator/.".
  CBigInteger operator/(const CBigInteger& other) const;
  /// Remainder with the sign of the dividend (-7 % 2 gives -1, 7 % -2 gives
  /// 1). A zero divisor throws CVxInvalidValueException
  /// "ERROR: Overflow in operator%.".
  CBigInteger operator%(const CBigInteger& other) const;
  CBigInteger& operator+=(const CBigInteger& other);
  CBigInteger& operator-=(const CBigInteger& other);
  CBigInteger& operator*=(const CBigInteger& other);
  /// As operator/; a zero divisor throws "ERROR: Overflow in operator /=.".
  CBigInteger& operator/=(const CBigInteger& other);
  /// As operator%; a zero divisor throws "ERROR: Overflow in operator%=.".
  CBigInteger& operator%=(const CBigInteger& other);

  /// 10 to the power n. n above 1000000 throws CVxInvalidParamException
  /// "Number of decimal digits out of range [%u]".
  static CBigInteger Pow10(unsigned int n);
  /// The floor of the square root. A negative value throws
  /// CVxInvalidValueException "ERROR: Negative Number in function SquareRoot().".
  CBigInteger SquareRoot() const;

  /// The value as int; outside the int range throws CVxInvalidValueException
  /// "ERROR: Value out of bound of int.".
  explicit operator int() const;

  bool operator==(const CBigInteger& other) const;
  bool operator!=(const CBigInteger& other) const { return !(*this == other); }
  bool operator<(const CBigInteger& other) const;
  bool operator>(const CBigInteger& other) const { return other < *this; }
  bool operator<=(const CBigInteger& other) const { return !(other < *this); }
  bool operator>=(const CBigInteger& other) const { return !(*this < other); }

  // ---- digit vectors ----
  // A digit vector holds a magnitude in base 10, one digit (0..9) per byte,
  // least significant digit first; zero is the single digit 0. These
  // operations work on magnitudes (no sign) with the arithmetic above; an
  // output vector may be one of the inputs. Where a vector is read as a
  // number (Add, Subtract, Multiply, Divide), a byte above 9 throws
  // CVxInvalidParamException "Invalid digit %u in a digit vector".

  /// -1, 0 or 1: a longer vector is greater; vectors of one length compare
  /// digit by digit from the most significant.
  static int Compare(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b);
  /// The number of digits; 1 for an empty vector.
  static int Position(const std::vector<unsigned char>& a);
  /// Removes the zeros at the most significant end; zero (or an empty
  /// vector) becomes the single digit 0.
  static void Clean(std::vector<unsigned char>& a);
  /// Multiplies by 10 to the power n by inserting n zero digits at the least
  /// significant end; a zero is left as it is. n above 1000000 throws
  /// CVxInvalidParamException "Number of decimal digits out of range [%u]".
  static void ShiftLeft(std::vector<unsigned char>& a, unsigned int n);
  /// The digits of value (0 gives the digit 0).
  static void Build(unsigned int value, std::vector<unsigned char>& a);
  /// The digits of value (0 gives the digit 0).
  static void BuildDWORDLONG(unsigned long long value, std::vector<unsigned char>& a);
  /// The digits of the magnitude of CBigInteger(value): rounded to the
  /// nearest integer, halves toward zero (2.5 gives 2, 2.6 gives 3). NaN and
  /// infinities throw CVxInvalidValueException
  /// "ERROR: Value out of bound of BigInteger.".
  static void BuildDouble(double value, std::vector<unsigned char>& a);
  /// The run of digits that ends the text, leading zeros removed ("12a034"
  /// gives 34; no digit at the end gives 0).
  static void Build(const std::string& text, std::vector<unsigned char>& a);
  /// out = a + b.
  static void Add(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                  std::vector<unsigned char>& out);
  /// out = a - b. a below b throws CVxInvalidValueException
  /// "ERROR: Negative result in function Subtract().".
  static void Subtract(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                       std::vector<unsigned char>& out);
  /// out = a * digit.
  static void Multiply(const std::vector<unsigned char>& a, unsigned char digit,
                       std::vector<unsigned char>& out);
  /// out = a * b.
  static void Multiply(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                       std::vector<unsigned char>& out);
  /// The truncated quotient a / b and the remainder (below b). A zero b
  /// throws CVxInvalidValueException "ERROR: Overflow in operator/.".
  static void Divide(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b,
                     std::vector<unsigned char>& quotient, std::vector<unsigned char>& remainder);
  /// out = 10 to the power n; n above 1000000 throws as Pow10(n).
  static void Pow10(unsigned int n, std::vector<unsigned char>& out);

  bool IsZero() const { return m_size == 0; }
  /// -1, 0 or 1.
  int Sign() const { return m_size == 0 ? 0 : m_sign; }

 private:
  friend struct detail::BigIntegerAccess;
  static constexpr unsigned kInlineLimbs = 4;

  int m_sign;              // +1 or -1; +1 whenever the value is zero
  std::uint32_t m_size;    // limbs in use; zero has none, the top limb is never 0
  std::uint32_t m_capacity;
  std::uint32_t* m_limbs;  // m_inline, or a heap block of m_capacity limbs
  std::uint32_t m_inline[kInlineLimbs];
};

}  // namespace VxXmlLib10

#endif  // VXXML_BIGINTEGER_H
