// The whole public interface of vxxml.
#ifndef VXXML_VXXML_H
#define VXXML_VXXML_H

#include "vxxml/Export.h"
#include "vxxml/Exception.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Whitespace.h"
#include "vxxml/BigInteger.h"
#include "vxxml/Decimal.h"

#endif  // VXXML_VXXML_H
