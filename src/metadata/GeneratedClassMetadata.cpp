// What CXmlGeneratedClass answers about its metadata, and the release of
// generated metadata.
#include "vxxml/GeneratedClass.h"

#include "vxxml/Metadata.h"

namespace VxXmlLib10 {

using VxXmlLib10Data::CAttributeInfo;
using VxXmlLib10Data::CElementInfo;
using VxXmlLib10Data::CParentElementInfo;

CVXCriticalSection CXmlGeneratedClass::m_csInit;

CXmlGeneratedClass::CXmlGeneratedClass() = default;
CXmlGeneratedClass::~CXmlGeneratedClass() = default;

void CXmlGeneratedClass::ReadProperty(int propertyId, VxVariant& value) const {
  // The accessor is one operation for both directions; reading leaves the
  // object unchanged.
  const_cast<CXmlGeneratedClass*>(this)->AccessProperty(propertyId, true, value);
}

int CXmlGeneratedClass::GetClassElementInfoCount() const {
  CElementInfo** infos = GetClassElementInfo();
  int count = 0;
  if (infos)
    while (infos[count]) ++count;
  return count;
}

bool CXmlGeneratedClass::DoesElementContainOptionalElements() const {
  CElementInfo** infos = GetClassElementInfo();
  if (!infos) return false;
  for (; *infos; ++infos)
    if ((*infos)->IsOptionalChoiceMember(this)) return true;
  return false;
}

void CXmlGeneratedClass::CleanMetaData(CParentElementInfo*& classInfo,
                                       CElementInfo**& elementInfos,
                                       CAttributeInfo**& attributeInfos) {
  delete classInfo;
  classInfo = nullptr;
  if (elementInfos) {
    for (CElementInfo** slot = elementInfos; *slot; ++slot) {
      delete *slot;
      *slot = nullptr;
    }
    delete[] elementInfos;
    elementInfos = nullptr;
  }
  if (attributeInfos) {
    for (CAttributeInfo** slot = attributeInfos; *slot; ++slot) {
      delete *slot;
      *slot = nullptr;
    }
    delete[] attributeInfos;
    attributeInfos = nullptr;
  }
}

bool CXmlGeneratedClass::IsElementInList(const CXmlSerializationContext& context,
                                         CXmlElement* element) const {
  CElementInfo** infos = GetClassElementInfo();
  if (!infos) return false;
  for (; *infos; ++infos)
    if ((*infos)->IsThisElement(context, element)) return true;
  return false;
}

}  // namespace VxXmlLib10
