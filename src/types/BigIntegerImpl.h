// Limb-level operations on CBigInteger shared by the big integer and the
// decimal. Magnitudes are base 10^9, least significant limb first.
#ifndef VXXML_SRC_TYPES_BIGINTEGERIMPL_H
#define VXXML_SRC_TYPES_BIGINTEGERIMPL_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "vxxml/BigInteger.h"

namespace VxXmlLib10 {
namespace detail {

/// The largest power of ten that the scaling operations accept; a larger one
/// is an input that asks for a number of unbounded size.
constexpr long long kMaxDecimalDigits = 1000000;

/// How a division by a power of ten treats the digits it drops.
enum class RoundMode {
  Truncate,          ///< toward zero
  HalfTowardZero,    ///< nearest; an exact half toward zero
  HalfAwayFromZero,  ///< nearest; an exact half away from zero
};

struct BigIntegerAccess {
  static constexpr std::uint32_t kBase = 1000000000u;
  static constexpr int kLimbDigits = 9;

  /// Makes x hold `size` limbs (contents unspecified) and returns them.
  static std::uint32_t* Prepare(CBigInteger& x, std::size_t size);
  /// Drops top zero limbs; a zero value becomes positive.
  static void Trim(CBigInteger& x);

  static const std::uint32_t* Limbs(const CBigInteger& x) { return x.m_limbs; }
  static std::uint32_t* MutableLimbs(CBigInteger& x) { return x.m_limbs; }
  static std::size_t Size(const CBigInteger& x) { return x.m_size; }
  static void SetSign(CBigInteger& x, int sign) { x.m_sign = x.m_size ? sign : 1; }

  /// The magnitude from a run of ASCII digits, most significant first (no sign).
  static void FromDigits(CBigInteger& x, const char* digits, std::size_t count);
  /// The magnitude `value`; the sign is left as it was (positive for zero).
  static void FromU64(CBigInteger& x, std::uint64_t value);
  /// Appends the decimal digits of the magnitude ("0" for zero).
  static void AppendDigits(const CBigInteger& x, std::string& out);
  /// Number of decimal digits of the magnitude (1 for zero).
  static std::size_t DigitCount(const CBigInteger& x);
  /// Number of trailing zero decimal digits (0 for zero).
  static std::size_t TrailingZeros(const CBigInteger& x);

  /// x *= 10^k.
  static void MulPow10(CBigInteger& x, std::size_t k);
  /// x / 10^k, rounded as `mode` says; the sign follows x.
  static CBigInteger DivPow10(const CBigInteger& x, std::size_t k, RoundMode mode);
  /// Truncated quotient and remainder (remainder with the sign of a); b != 0.
  static void DivMod(const CBigInteger& a, const CBigInteger& b, CBigInteger* quotient,
                     CBigInteger* remainder);
  /// -1, 0 or 1 comparing magnitudes.
  static int CompareMagnitude(const CBigInteger& a, const CBigInteger& b);
  /// The magnitude if it fits 64 bits.
  static bool MagnitudeToU64(const CBigInteger& x, std::uint64_t* value);
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_BIGINTEGERIMPL_H
