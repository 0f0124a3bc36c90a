// The whole public interface of vxxml.
#ifndef VXXML_VXXML_H
#define VXXML_VXXML_H

#include "vxxml/Export.h"
#include "vxxml/DateTime.h"
#include "vxxml/DateTimeSpan.h"
#include "vxxml/Exception.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Whitespace.h"

#endif  // VXXML_VXXML_H
