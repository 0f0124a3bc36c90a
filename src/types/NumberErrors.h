// Failures of the exact number types (CBigInteger, CDecimal): every message
// text of these types is in NumberErrors.cpp.
#ifndef VXXML_SRC_TYPES_NUMBERERRORS_H
#define VXXML_SRC_TYPES_NUMBERERRORS_H

namespace VxXmlLib10 {
namespace detail {

/// Which operator a zero divisor was given to.
enum class DivisionOp { Divide, DivideAssign, Modulo, ModuloAssign };

[[noreturn]] void ThrowDivisionByZero(DivisionOp op);
[[noreturn]] void ThrowNegativeSquareRoot();
[[noreturn]] void ThrowNegativeDifference();
[[noreturn]] void ThrowInvalidDigit(unsigned digit);
[[noreturn]] void ThrowIntOutOfBound();
[[noreturn]] void ThrowNotFiniteDouble();
[[noreturn]] void ThrowDigitCountOutOfRange(long long count);
[[noreturn]] void ThrowDecimalInvalidChar(long long position, const char* text);
/// A number whose exponent would give it more than `limit` integral digits.
[[noreturn]] void ThrowDecimalTooManyDigits(long long limit, const char* text);
[[noreturn]] void ThrowDecimalTooLargeForLongLong();
[[noreturn]] void ThrowDecimalTooLargeForLong();
[[noreturn]] void ThrowDecimalTooLargeForDouble();

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_NUMBERERRORS_H
