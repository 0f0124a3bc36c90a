// Helpers shared by the date, time and duration tests.
#ifndef VXXML_TESTS_TYPES_DATETESTUTIL_H
#define VXXML_TESTS_TYPES_DATETESTUTIL_H

#include <gtest/gtest.h>

#include <string>

#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Exception.h"
#include "TestUtil.h"

namespace datetest {

using vxtest::Throws;
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
