// Digit writers shared by the date, time and duration printers. They append
// to a string without temporary strings or printf.
#ifndef VXXML_SRC_TYPES_DATETIMEDIGITS_H
#define VXXML_SRC_TYPES_DATETIMEDIGITS_H

#include <string>

#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {
namespace detail {

/// `value` in decimal, zero-padded to at least `width` digits.
inline void AppendUnsigned(std::string& out, unsigned long long value, int width = 1) {
  char digits[20];
  int n = 0;
  do {
    digits[n++] = static_cast<char>('0' + value % 10);
    value /= 10;
  } while (value != 0);
  for (int pad = n; pad < width; ++pad) out += '0';
  while (n > 0) out += digits[--n];
}

/// The same text as ToFracString(milli, micro, nano): nothing when all are
/// 0, else a point and the digits up to the last non-zero field, without its
/// trailing zeros.
inline void AppendFraction(std::string& out, unsigned milli, unsigned micro, unsigned nano) {
  if (milli == 0 && micro == 0 && nano == 0) return;
  if (milli > 999 || micro > 999 || nano > 999) {  // fields set out of range
    out += ToFracString(static_cast<unsigned short>(milli), static_cast<unsigned short>(micro),
                        static_cast<unsigned short>(nano));
    return;
  }
  const unsigned groups = nano != 0 ? 3 : micro != 0 ? 2 : 1;
  unsigned all = (milli * 1000 + micro) * 1000 + nano;
  char digits[9];
  for (int i = 8; i >= 0; --i) {
    digits[i] = static_cast<char>('0' + all % 10);
    all /= 10;
  }
  unsigned n = groups * 3;
  // The last field written keeps at least its first digit; it is not 0, so
  // the trimming stops at its last non-zero digit.
  while (n > (groups - 1) * 3 + 1 && digits[n - 1] == '0') --n;
  out += '.';
  out.append(digits, n);
}

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_TYPES_DATETIMEDIGITS_H
