// The exception family and the message formatter.
#include "vxxml/Exception.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <utility>
#include <vector>

namespace VxXmlLib10 {

CVxException::CVxException() : m_inner(nullptr) {}

CVxException::CVxException(std::string message)
    : m_message(std::move(message)), m_inner(nullptr) {}

CVxException::CVxException(std::string message, const CVxException& inner)
    : m_message(std::move(message)), m_inner(inner.Clone()) {}

CVxException::CVxException(const CVxException& other)
    : m_message(other.m_message),
      m_inner(other.m_inner ? other.m_inner->Clone() : nullptr) {}

CVxException::~CVxException() { delete m_inner; }

CVxException& CVxException::operator=(const CVxException& other) {
  if (this == &other) return *this;
  // Clone first: `other` may be (part of) our own chain.
  CVxException* inner = other.m_inner ? other.m_inner->Clone() : nullptr;
  m_message = other.m_message;
  delete m_inner;
  m_inner = inner;
  return *this;
}

CVxException* CVxException::Clone() const { return new CVxException(*this); }

std::string CVxException::GetFullMessage() const {
  std::string text = m_message;
  for (const CVxException* e = m_inner; e; e = e->m_inner) {
    text += '\n';
    text += e->m_message;
  }
  return text;
}

#define VXXML_DEFINE_EXCEPTION(Name, Base)                                          \
  Name::Name() : Base() {}                                                          \
  Name::Name(std::string message) : Base(std::move(message)) {}                     \
  Name::Name(std::string message, const CVxException& inner)                        \
      : Base(std::move(message), inner) {}                                          \
  Name::Name(const CVxException& other) : Base(other) {}                            \
  Name::Name(const Name& other) : Base(static_cast<const CVxException&>(other)) {}  \
  Name::~Name() = default;                                                          \
  CVxException* Name::Clone() const { return new Name(*this); }

VXXML_DEFINE_EXCEPTION(CVxOverFlowException, CVxException)
VXXML_DEFINE_EXCEPTION(CVxValidationException, CVxException)
VXXML_DEFINE_EXCEPTION(CVxInvalidValueException, CVxValidationException)
VXXML_DEFINE_EXCEPTION(CVxInvalidNamespaceException, CVxValidationException)
VXXML_DEFINE_EXCEPTION(CVxInvalidParamException, CVxException)
VXXML_DEFINE_EXCEPTION(CVxInvalidStateException, CVxException)

#undef VXXML_DEFINE_EXCEPTION

namespace {

enum class ArgSize { Default, Short, Long, LongLong, LongDouble, SizeT };

// First pass of FormatV: an upper bound of the output length, consuming the
// arguments exactly as vsnprintf will.
size_t EstimateLength(const char* format, va_list args) {
  size_t total = 0;
  for (const char* p = format; *p; ++p) {
    if (*p != '%') {
      ++total;
      continue;
    }
    ++p;
    if (*p == '%') {
      ++total;
      continue;
    }
    size_t count = 0;
    // Flags.
    for (;; ++p) {
      if (*p == '#') count += 2;
      else if (*p != '-' && *p != '+' && *p != '0' && *p != ' ') break;
    }
    // Width.
    long width = 0;
    if (*p == '*') {
      int w = va_arg(args, int);
      width = w < 0 ? -static_cast<long>(w) : w;
      ++p;
    } else {
      while (*p >= '0' && *p <= '9') width = std::min(width * 10 + (*p++ - '0'), long(INT_MAX));
    }
    // Precision.
    long precision = 0;
    if (*p == '.') {
      ++p;
      if (*p == '*') {
        int pr = va_arg(args, int);
        precision = pr < 0 ? 0 : pr;
        ++p;
      } else {
        while (*p >= '0' && *p <= '9')
          precision = std::min(precision * 10 + (*p++ - '0'), long(INT_MAX));
      }
    }
    // Size prefixes.
    ArgSize size = ArgSize::Default;
    for (;;) {
      if (p[0] == 'I' && p[1] == '6' && p[2] == '4') {
        size = ArgSize::LongLong;
        p += 3;
      } else if (*p == 'h') {
        if (size == ArgSize::Default) size = ArgSize::Short;
        ++p;
      } else if (*p == 'l') {
        size = size == ArgSize::Long ? ArgSize::LongLong : ArgSize::Long;
        ++p;
      } else if (*p == 'L') {
        size = ArgSize::LongDouble;
        ++p;
      } else if (*p == 'z' || *p == 'j' || *p == 't') {
        size = ArgSize::SizeT;
        ++p;
      } else if (*p == 'F' || *p == 'N') {
        ++p;
      } else {
        break;
      }
    }
    const char conv = *p;
    switch (conv) {
      case 'c':
      case 'C':
        if (size == ArgSize::Long || conv == 'C') (void)va_arg(args, wint_t);
        else (void)va_arg(args, int);
        count += 2;
        if (precision > 0) count = std::min<size_t>(count, precision);
        count = std::max<size_t>(count, width);
        break;
      case 's':
      case 'S': {
        size_t len;
        if ((conv == 'S' && size != ArgSize::Short) || (conv == 's' && size == ArgSize::Long)) {
          const wchar_t* w = va_arg(args, const wchar_t*);
          // Each wide character may take several bytes in the locale's encoding.
          len = w ? std::max<size_t>(1, std::wcslen(w) * MB_LEN_MAX) : 6;
        } else {
          const char* s = va_arg(args, const char*);
          len = s ? std::max<size_t>(1, std::strlen(s)) : 6;
        }
        if (precision > 0) len = std::min<size_t>(len, precision);
        count += std::max<size_t>(len, width);
        break;
      }
      case 'd':
      case 'i':
      case 'o':
      case 'u':
      case 'x':
      case 'X':
      case 'p':
        if (conv == 'p') (void)va_arg(args, void*);
        else if (size == ArgSize::LongLong) (void)va_arg(args, long long);
        else if (size == ArgSize::Long) (void)va_arg(args, long);
        else if (size == ArgSize::SizeT) (void)va_arg(args, size_t);
        else (void)va_arg(args, int);
        count += std::max<size_t>(32, width + precision);
        break;
      case 'e':
      case 'E':
      case 'g':
      case 'G':
      case 'a':
      case 'A':
        if (size == ArgSize::LongDouble) (void)va_arg(args, long double);
        else (void)va_arg(args, double);
        count += std::max<size_t>(128, width + precision);
        break;
      case 'f': {
        if (size == ArgSize::LongDouble) {
          long double v = va_arg(args, long double);
          int n = std::snprintf(nullptr, 0, "%*.*Lf", int(width), int(precision + 6), v);
          count += n > 0 ? size_t(n) : 0;
        } else {
          double v = va_arg(args, double);
          int n = std::snprintf(nullptr, 0, "%*.*f", int(width), int(precision + 6), v);
          count += n > 0 ? size_t(n) : 0;
        }
        break;
      }
      case 'n':
        (void)va_arg(args, void*);
        break;
      case '\0':
        return total;
      default:
        // Unknown conversion: printed as written at most.
        count += 2;
        break;
    }
    total += count;
  }
  return total;
}

}  // namespace

std::string FormatV(const char* format, va_list args) {
  if (!format || !*format) return std::string();
  va_list estimateArgs;
  va_copy(estimateArgs, args);
  const size_t estimate = EstimateLength(format, estimateArgs);
  va_end(estimateArgs);

  std::string result(estimate + 1, '\0');
  va_list formatArgs;
  va_copy(formatArgs, args);
  int written = std::vsnprintf(&result[0], result.size(), format, formatArgs);
  va_end(formatArgs);
  if (written < 0) return std::string();
  result.resize(std::min<size_t>(size_t(written), estimate));
  return result;
}

std::string FormatString(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::string result = FormatV(format, args);
  va_end(args);
  return result;
}

}  // namespace VxXmlLib10
