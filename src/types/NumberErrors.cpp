// Message texts of the exact number types.
#include "types/NumberErrors.h"

#include "vxxml/Exception.h"

namespace VxXmlLib10 {
namespace detail {

void ThrowDivisionByZero(DivisionOp op) {
  switch (op) {
    case DivisionOp::Divide:
      throw CVxInvalidValueException("ERROR: Overflow in operator/.");
    case DivisionOp::DivideAssign:
      throw CVxInvalidValueException("ERROR: Overflow in operator /=.");
    case DivisionOp::Modulo:
      throw CVxInvalidValueException("ERROR: Overflow in operator%.");
    case DivisionOp::ModuloAssign:
      break;
  }
  throw CVxInvalidValueException("ERROR: Overflow in operator%=.");
}

void ThrowNegativeSquareRoot() {
  throw CVxInvalidValueException("ERROR: Negative Number in function SquareRoot().");
}

void ThrowNegativeDifference() {
  throw CVxInvalidValueException("ERROR: Negative result in function Subtract().");
}

void ThrowInvalidDigit(unsigned digit) {
  throw CVxInvalidParamException(FormatString("Invalid digit %u in a digit vector", digit));
}

void ThrowIntOutOfBound() { throw CVxInvalidValueException("ERROR: Value out of bound of int."); }

void ThrowNotFiniteDouble() {
  throw CVxInvalidValueException("ERROR: Value out of bound of BigInteger.");
}

void ThrowDigitCountOutOfRange(long long count) {
  throw CVxInvalidParamException(FormatString("Number of decimal digits out of range [%lld]", count));
}

void ThrowDecimalInvalidChar(long long position, const char* text) {
  throw CVxInvalidValueException(FormatString(
      "The string representing a Decimal, contained an invalid char at position %lld [%s]",
      position, text));
}

void ThrowDecimalTooManyDigits(long long limit, const char* text) {
  throw CVxInvalidValueException(FormatString(
      "The exponent of a Decimal makes it longer than %lld digits [%s]", limit, text));
}

void ThrowDecimalTooLargeForLongLong() {
  throw CVxOverFlowException("The Decimal value if to large to fit into a LONGLONG");
}

void ThrowDecimalTooLargeForLong() {
  throw CVxOverFlowException("The Decimal value if to large to fit into a LONG");
}

void ThrowDecimalTooLargeForDouble() {
  throw CVxOverFlowException("The Decimal value if to large to fit into a Double");
}

}  // namespace detail
}  // namespace VxXmlLib10
