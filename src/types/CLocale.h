// Locale-independent number formatting and parsing: XML Schema numbers always
// use '.' whatever LC_NUMERIC the application has chosen.
#ifndef VXXML_SRC_TYPES_CLOCALE_H
#define VXXML_SRC_TYPES_CLOCALE_H

#include <locale.h>

namespace VxXmlLib10 {
namespace detail {

/// The "C" locale, created once (thread-safe) and kept for the process.
locale_t CNumericLocale();

/// Switches the calling thread to the "C" locale for its lifetime.
class ScopedCLocale {
 public:
  ScopedCLocale() : m_previous(uselocale(CNumericLocale())) {}
  ~ScopedCLocale() { uselocale(m_previous); }
  ScopedCLocale(const ScopedCLocale&) = delete;
  ScopedCLocale& operator=(const ScopedCLocale&) = delete;

 private:
  locale_t m_previous;
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif
