// Conversions of the binary kinds.
#include "vxxml/BinaryData.h"
#include "vxxml/Conversions.h"

namespace VxXmlLib10 {

std::string CConversions::hexBinaryToString(const CBinaryData& value) {
  return value.GetAsHexString();
}

std::string CConversions::base64BinaryToString(const CBinaryData& value) {
  return value.GetAsBase64();
}

CBinaryData CConversions::hexBinaryFromString(const std::string& text, WhitespaceRule rule) {
  CBinaryData data;
  data.SetAsHexString(CWhitespaceUtils::ApplyRule(rule, text).c_str());
  return data;
}

CBinaryData CConversions::base64BinaryFromString(const std::string& text, WhitespaceRule rule) {
  CBinaryData data;
  data.SetAsBase64(CWhitespaceUtils::ApplyRule(rule, text).c_str());
  return data;
}

}  // namespace VxXmlLib10
