// Symbol visibility for the vxxml shared library.
#ifndef VXXML_EXPORT_H
#define VXXML_EXPORT_H

#if defined(_WIN32)
#  if defined(VXXML_BUILDING)
#    define VXXML_API __declspec(dllexport)
#  else
#    define VXXML_API __declspec(dllimport)
#  endif
#else
#  define VXXML_API __attribute__((visibility("default")))
#endif

#if defined(__GNUC__)
#  define VXXML_PRINTF(fmt, args) __attribute__((format(printf, fmt, args)))
#else
#  define VXXML_PRINTF(fmt, args)
#endif

#endif  // VXXML_EXPORT_H
