// The exception family through which every vxxml failure is reported, and the
// printf-style formatter used to build the messages.
//
//   CVxException
//     CVxOverFlowException         a decimal does not fit a machine type
//     CVxValidationException       a document or object breaks its schema
//       CVxInvalidValueException   text cannot become a value of the wanted kind
//       CVxInvalidNamespaceException  a namespace breaks a namespace rule
//     CVxInvalidParamException     a caller passed a bad argument
//     CVxInvalidStateException     an operation is not valid in the current state
//
// An exception may hold the exception that caused it; GetFullMessage() prints
// the chain outermost first, one message per line.
#ifndef VXXML_EXCEPTION_H
#define VXXML_EXCEPTION_H

#include <cstdarg>
#include <string>

#include "vxxml/Export.h"

namespace VxXmlLib10 {

class VXXML_API CVxException {
 public:
  CVxException();
  explicit CVxException(std::string message);
  CVxException(std::string message, const CVxException& inner);
  CVxException(const CVxException& other);
  virtual ~CVxException();

  CVxException& operator=(const CVxException& other);

  /// A new heap copy with the same dynamic class; the caller owns it.
  virtual CVxException* Clone() const;

  std::string GetMessage() const { return m_message; }
  /// The cause, or null; owned by this exception.
  const CVxException* GetInnerException() const { return m_inner; }
  /// This message, then for each cause a line feed and its message.
  std::string GetFullMessage() const;

 private:
  std::string m_message;
  CVxException* m_inner;
};

#define VXXML_DECLARE_EXCEPTION(Name, Base)                     \
  class VXXML_API Name : public Base {                          \
   public:                                                      \
    Name();                                                     \
    explicit Name(std::string message);                         \
    Name(std::string message, const CVxException& inner);       \
    Name(const CVxException& other);                            \
    Name(const Name& other);                                    \
    Name& operator=(const Name& other) = default;               \
    ~Name() override;                                           \
    CVxException* Clone() const override;                       \
  }

VXXML_DECLARE_EXCEPTION(CVxOverFlowException, CVxException);
VXXML_DECLARE_EXCEPTION(CVxValidationException, CVxException);
VXXML_DECLARE_EXCEPTION(CVxInvalidValueException, CVxValidationException);
VXXML_DECLARE_EXCEPTION(CVxInvalidNamespaceException, CVxValidationException);
VXXML_DECLARE_EXCEPTION(CVxInvalidParamException, CVxException);
VXXML_DECLARE_EXCEPTION(CVxInvalidStateException, CVxException);

#undef VXXML_DECLARE_EXCEPTION

/// printf-style formatting into a std::string. The output is sized by a first
/// pass over the format; it is never written past that estimate.
VXXML_API std::string FormatString(const char* format, ...) VXXML_PRINTF(1, 2);
VXXML_API std::string FormatV(const char* format, va_list args);

}  // namespace VxXmlLib10

#endif  // VXXML_EXCEPTION_H
