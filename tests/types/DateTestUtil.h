// Helpers shared by the date, time and duration tests.
#ifndef VXXML_TESTS_TYPES_DATETESTUTIL_H
#define VXXML_TESTS_TYPES_DATETESTUTIL_H

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <typeinfo>

#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Exception.h"

namespace datetest {

// Runs `f` and checks that it throws exactly class E with the whole message.
template <class E>
::testing::AssertionResult Throws(const std::function<void()>& f, const std::string& message) {
  try {
    f();
  } catch (const VxXmlLib10::CVxException& e) {
    if (typeid(e) != typeid(E))
      return ::testing::AssertionFailure()
             << "wrong class " << typeid(e).name() << " for: " << e.GetFullMessage();
    if (e.GetFullMessage() != message)
      return ::testing::AssertionFailure()
             << "message\n  got:  " << e.GetFullMessage() << "\n  want: " << message;
    return ::testing::AssertionSuccess();
  } catch (...) {
    return ::testing::AssertionFailure() << "foreign exception";
  }
  return ::testing::AssertionFailure() << "no exception, want: " << message;
}

using Value = VxXmlLib10::CVxInvalidValueException;
using State = VxXmlLib10::CVxInvalidStateException;

// Parses `text` with the reader the kind's lexical form belongs to.
inline VxXmlLib10::CDateTime ParseAs(VxXmlLib10::CDateTime::DTType kind, const char* text) {
  VxXmlLib10::CDateTime v;
  if (kind == VxXmlLib10::CDateTime::dt_dateTime) v.ParseXSDDateTime(text);
  else if (kind == VxXmlLib10::CDateTime::dt_time) v.ParseXSDTime(text);
  else v.ParseXSDDate(text);
  return v;
}

}  // namespace datetest

#endif  // VXXML_TESTS_TYPES_DATETESTUTIL_H
