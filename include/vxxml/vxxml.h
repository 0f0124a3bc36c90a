// The whole public interface of vxxml.
#ifndef VXXML_VXXML_H
#define VXXML_VXXML_H

#include "vxxml/BigInteger.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Conversions.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Decimal.h"
#include "vxxml/Encoder.h"
#include "vxxml/Exception.h"
#include "vxxml/ExpatReader.h"
#include "vxxml/Export.h"
#include "vxxml/FastInfosetBinaryData.h"
#include "vxxml/FastInfosetContext.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/FastInfosetWriter.h"
#include "vxxml/ItemType.h"
#include "vxxml/NamespaceAliasMap.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/StringBuffer.h"
#include "vxxml/Variant.h"
#include "vxxml/Whitespace.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlTextWriter.h"
#include "vxxml/XmlWriter.h"

#endif  // VXXML_VXXML_H
