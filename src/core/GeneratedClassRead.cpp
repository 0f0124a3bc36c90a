// The reading half of CXmlGeneratedClass.
//
// PLACEHOLDER: reading generated classes is not written yet. This file holds
// only a stub so that the class is complete; it is to be replaced as a whole
// by the metadata-driven reader.
#include "vxxml/Exception.h"
#include "vxxml/GeneratedClass.h"

namespace VxXmlLib10 {

CXmlElement* CXmlGeneratedClass::FromXml_Int(CXmlElement*, CXmlElement*,
                                             const CXmlSerializationContext&, bool) {
  throw CVxException("Not implemented");
}

}  // namespace VxXmlLib10
