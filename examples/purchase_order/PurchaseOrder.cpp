// The metadata and property accessors of the purchase-order classes. Each
// Describe lists the class's members exactly as PurchaseOrder.xsd declares
// them: element infos in schema order, named CElementInfo + model group (Seq,
// All, Choice) + content (Prim, Enum, Cls, AbsCls, Untpd) + cardinality (Mnd,
// Opt, Col), then attribute infos, then the class's own CParentElementInfo.
// Local elements are unqualified (elementFormDefault="unqualified"), so their
// infos carry an empty namespace; the global <comment> is qualified.
#include "PurchaseOrder.h"

namespace po {

using namespace VxXmlLib10;
using namespace VxXmlLib10Data;

const char kNamespace[] = "http://www.example.com/PO1";
const char kExtensionNamespace[] = "http://www.example.com/extensions";

CXmlSerializationContext Context() {
  CXmlSerializationContext context;
  context.GetNamespaceAliases().Add("po", kNamespace);
  context.GetNamespaceAliases().Add("xsi", "http://www.w3.org/2001/XMLSchema-instance");
  context.GetNamespaceAliases().Add("ext", kExtensionNamespace);
  return context;
}

namespace {

const CWhitespaceUtils::WhitespaceRule kPreserve = CWhitespaceUtils::WhitespaceRule_Preserve;
const CWhitespaceUtils::WhitespaceRule kCollapse = CWhitespaceUtils::WhitespaceRule_Collapse;
const CPrimitiveRestrictions kNoFacets;

CPrimitiveRestrictions Pattern(const char* pattern) {
  return CPrimitiveRestrictions(pattern, -1, -1, "", "", "", "", -1);
}

CParentElementInfo* ElementClass(XmlElementGroupType group, const char* typeName,
                                 bool writeXsiType = false) {
  return new CParentElementInfo(group, XmlElementType_Element, typeName, kNamespace,
                                /*rejectUnknownAttributes=*/true, writeXsiType,
                                /*valuePropertyId=*/-1, ItemType_none, nullptr, false);
}

CParentElementInfo* GroupClass(XmlElementGroupType group, const char* groupName) {
  // A tagless group shares its start tag with the enclosing element, so it
  // must not reject that element's attributes.
  return new CParentElementInfo(group, XmlElementType_PseudoElement, groupName, kNamespace,
                                /*rejectUnknownAttributes=*/false, false, -1, ItemType_none,
                                nullptr, false);
}

// The property moves between a member and the variant the library reads or
// writes: an invalid variant stands for an absent optional value.
void Access(std::string& member, bool read, VxVariant& value) {
  if (read)
    value.SetString(member);
  else
    member = value.GetString();
}

void Access(std::optional<std::string>& member, bool read, VxVariant& value) {
  if (read) {
    if (member)
      value.SetString(*member);
    else
      value.Clear();
  } else {
    member = value.IsValid() ? std::optional<std::string>(value.GetString()) : std::nullopt;
  }
}

template <class T>
void AccessObject(CSmartPtr<T>& member, bool read, VxVariant& value) {
  if (read) {
    if (member.IsNull())
      value.Clear();
    else
      value.SetXmlObject(member.Get());
  } else {
    member = value.GetItemType() == ItemType_xmlObject
                 ? CSmartPtr<T>(dynamic_cast<T*>(value.GetXmlObject().Get()))
                 : CSmartPtr<T>();
  }
}

template <class T>
void AccessCollection(const CSmartPtr<T>& member, bool read, VxVariant& value) {
  if (read) value.SetXmlCollection(member.Get());
}

}  // namespace

// ---- enumerations ---------------------------------------------------------------

std::string OrderStatusToText(int value) {
  switch (value) {
    case OrderStatus_Pending: return "pending";
    case OrderStatus_Shipped: return "shipped";
    case OrderStatus_Delivered: return "delivered";
  }
  return "";
}

int TextToOrderStatus(const char* text) {
  const std::string t = text;
  if (t == "pending") return OrderStatus_Pending;
  if (t == "shipped") return OrderStatus_Shipped;
  if (t == "delivered") return OrderStatus_Delivered;
  throw CVxValidationException(FormatString("Invalid OrderStatus value [%s]", text));
}

std::string PriorityToText(int value) { return value == Priority_Rush ? "rush" : "normal"; }

int TextToPriority(const char* text) {
  const std::string t = text;
  if (t == "normal") return Priority_Normal;
  if (t == "rush") return Priority_Rush;
  throw CVxValidationException(FormatString("Invalid Priority value [%s]", text));
}

// ---- USAddress ------------------------------------------------------------------

void USAddress::Describe(Metadata& m) {
  m.elements = new CElementInfo*[6]{
      new CElementInfoSeqPrimMnd("name", "", kName, false, ItemType_string, nullptr, kPreserve,
                                 kNoFacets),
      new CElementInfoSeqPrimMnd("street", "", kStreet, false, ItemType_string, nullptr,
                                 kPreserve, kNoFacets),
      new CElementInfoSeqPrimMnd("city", "", kCity, false, ItemType_string, nullptr, kPreserve,
                                 kNoFacets),
      new CElementInfoSeqPrimMnd("state", "", kState, false, ItemType_string, nullptr, kPreserve,
                                 kNoFacets),
      new CElementInfoSeqPrimMnd("zip", "", kZip, false, ItemType_decimal, nullptr, kCollapse,
                                 kNoFacets),
      nullptr};
  m.attributes = new CAttributeInfo*[2]{
      new CAttributeInfoPrimitive("country", "", kCountry, true, ItemType_string, nullptr,
                                  kCollapse, kNoFacets, "US"),
      nullptr};
  m.info = ElementClass(XmlElementGroupType_Sequence, "USAddress");
}

void USAddress::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kName: return Access(name, read, value);
    case kStreet: return Access(street, read, value);
    case kCity: return Access(city, read, value);
    case kState: return Access(state, read, value);
    case kZip:
      if (read)
        value.SetDecimal(zip);
      else
        zip = value.GetDecimal();
      return;
    case kCountry: return Access(country, read, value);
  }
}

void USAddress::Init() {
  name = street = city = state = "";
  zip = CDecimal();
  country.reset();
}

// ---- Item -----------------------------------------------------------------------

void Item::Describe(Metadata& m) {
  m.elements = new CElementInfo*[6]{
      new CElementInfoSeqPrimMnd("productName", "", kProductName, false, ItemType_string,
                                 nullptr, kPreserve, kNoFacets),
      // <xsd:positiveInteger> with maxExclusive 100.
      new CElementInfoSeqPrimMnd("quantity", "", kQuantity, false, ItemType_ui4, nullptr,
                                 kCollapse,
                                 CPrimitiveRestrictions("", -1, -1, "1", "", "", "100", -1)),
      new CElementInfoSeqPrimMnd("USPrice", "", kUSPrice, false, ItemType_decimal, nullptr,
                                 kCollapse, kNoFacets),
      // <xsd:element ref="po:comment">: the global element is qualified.
      new CElementInfoSeqPrimOpt("comment", kNamespace, kComment, false, ItemType_string,
                                 nullptr, kPreserve, kNoFacets),
      new CElementInfoSeqPrimOpt("shipDate", "", kShipDate, /*nillable=*/true, ItemType_date,
                                 nullptr, kCollapse, kNoFacets),
      nullptr};
  m.attributes = new CAttributeInfo*[2]{
      new CAttributeInfoPrimitive("partNum", "", kPartNum, false, ItemType_string, nullptr,
                                  kCollapse, Pattern("\\d{3}-[A-Z]{2}"), nullptr),
      nullptr};
  m.info = ElementClass(XmlElementGroupType_Sequence, "ItemType");
}

void Item::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kProductName: return Access(productName, read, value);
    case kQuantity:
      if (read)
        value.SetUI4(quantity);
      else
        quantity = value.GetUI4();
      return;
    case kUSPrice:
      if (read)
        value.SetDecimal(usPrice);
      else
        usPrice = value.GetDecimal();
      return;
    case kComment: return Access(comment, read, value);
    case kShipDate:
      if (read) {
        if (shipDateNil)
          value.SetNil();
        else if (shipDate)
          value.SetDate(*shipDate);
        else
          value.Clear();
      } else {
        shipDateNil = value.IsNil();
        shipDate = value.IsValid() && !value.IsNil() ? std::optional<CDateTime>(value.GetDate())
                                                     : std::nullopt;
      }
      return;
    case kPartNum: return Access(partNum, read, value);
  }
}

void Item::Init() {
  productName = partNum = "";
  quantity = 1;
  usPrice = CDecimal();
  comment.reset();
  shipDate.reset();
  shipDateNil = false;
}

void ItemCol::ToXml_Int(CXmlWriter* writer, bool, const char* namespaceUri,
                        const CXmlSerializationContext& context, bool) const {
  for (Node* node = GetFirstNode(); node; node = node->GetNext())
    CXmlObjectBase::ToXml_Int(node->GetItem(), writer, false, namespaceUri, context, false);
}

CXmlElement* ItemCol::FromXml_Int(CXmlElement*, CXmlElement* current,
                                  const CXmlSerializationContext& context, bool) {
  while (current && DoesElementNameMatch(context, current, "item", "")) {
    CSmartPtr<Item> item = new Item;
    CXmlObjectBase::FromXml_Int(item, current, current->GetFirstElement(), context);
    AppendItem(item);
    current = current->GetNextSiblingElement();
  }
  return current;
}

// ---- Items ----------------------------------------------------------------------

void Items::Describe(Metadata& m) {
  m.elements = new CElementInfo*[2]{
      new CElementInfoSeqClsCol("item", "", kItem, XmlElementType_Element), nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = ElementClass(XmlElementGroupType_Sequence, "Items");
}

void Items::AccessProperty(int id, bool read, VxVariant& value) {
  if (id == kItem) AccessCollection(item, read, value);
}

void Items::Init() { item->Clear(); }

// ---- Customer -------------------------------------------------------------------

void Customer::Describe(Metadata& m) {
  m.elements = new CElementInfo*[5]{
      new CElementInfoAllPrimMnd("name", "", kName, false, ItemType_string, nullptr, kPreserve,
                                 kNoFacets),
      new CElementInfoAllPrimOpt("email", "", kEmail, false, ItemType_string, nullptr,
                                 kCollapse, Pattern("[^@ ]+@[^@ ]+")),
      new CElementInfoAllPrimOpt("phone", "", kPhone, false, ItemType_string, nullptr,
                                 kCollapse, kNoFacets),
      new CElementInfoAllPrimOpt("vip", "", kVip, false, ItemType_boolean, nullptr, kCollapse,
                                 kNoFacets),
      nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = ElementClass(XmlElementGroupType_All, "Customer");
}

void Customer::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kName: return Access(name, read, value);
    case kEmail: return Access(email, read, value);
    case kPhone: return Access(phone, read, value);
    case kVip:
      if (read) {
        if (vip)
          value.SetBoolean(*vip);
        else
          value.Clear();
      } else {
        vip = value.IsValid() ? std::optional<bool>(value.GetBoolean()) : std::nullopt;
      }
      return;
  }
}

void Customer::Init() {
  name = "";
  email.reset();
  phone.reset();
  vip.reset();
}

// ---- Delivery -------------------------------------------------------------------

void Delivery::Describe(Metadata& m) {
  m.elements = new CElementInfo*[4]{
      new CElementInfoChoicePrimOpt("courier", "", kCourier, false, ItemType_string, nullptr,
                                    kPreserve, kNoFacets),
      new CElementInfoChoiceClsOpt("pickup", "", kPickup, XmlElementType_Element, CreateObject,
                                   TypeId_USAddress),
      new CElementInfoChoicePrimOpt("download", "", kDownload, false, ItemType_string, nullptr,
                                    kCollapse, kNoFacets),
      nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = ElementClass(XmlElementGroupType_Choice, "Delivery");
}

void Delivery::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kCourier: return Access(courier, read, value);
    case kPickup: return AccessObject(pickup, read, value);
    case kDownload: return Access(download, read, value);
  }
}

void Delivery::Init() {
  courier.reset();
  pickup = nullptr;
  download.reset();
}

// ---- GiftOptions and Wrapping ---------------------------------------------------

void Wrapping::Describe(Metadata& m) {
  m.elements = new CElementInfo*[3]{
      new CElementInfoChoicePrimOpt("paper", "", kPaper, false, ItemType_string, nullptr,
                                    kPreserve, kNoFacets),
      new CElementInfoChoicePrimOpt("ribbon", "", kRibbon, false, ItemType_string, nullptr,
                                    kPreserve, kNoFacets),
      nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = GroupClass(XmlElementGroupType_Choice, "Wrapping");
}

void Wrapping::AccessProperty(int id, bool read, VxVariant& value) {
  if (id == kPaper) Access(paper, read, value);
  if (id == kRibbon) Access(ribbon, read, value);
}

void Wrapping::Init() {
  paper.reset();
  ribbon.reset();
}

void GiftOptions::Describe(Metadata& m) {
  m.elements = new CElementInfo*[3]{
      new CElementInfoSeqPrimMnd("giftMessage", "", kGiftMessage, false, ItemType_string,
                                 nullptr, kPreserve, kNoFacets),
      // The nested group must take one element of its own.
      new CElementInfoSeqClsMnd("wrapping", "", kWrapping, XmlElementType_PseudoElement,
                                CreateObject, TypeId_Wrapping, /*mustConsume=*/true),
      nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = GroupClass(XmlElementGroupType_Sequence, "GiftOptions");
}

void GiftOptions::AccessProperty(int id, bool read, VxVariant& value) {
  if (id == kGiftMessage) Access(giftMessage, read, value);
  if (id == kWrapping) AccessObject(wrapping, read, value);
}

void GiftOptions::Init() {
  giftMessage = "";
  wrapping = new Wrapping;
}

// ---- payments -------------------------------------------------------------------

void CreditCardPayment::Describe(Metadata& m) {
  m.elements = new CElementInfo*[4]{
      new CElementInfoSeqPrimMnd("holder", "", kHolder, false, ItemType_string, nullptr,
                                 kPreserve, kNoFacets),
      new CElementInfoSeqPrimMnd("number", "", kNumber, false, ItemType_string, nullptr,
                                 kCollapse, Pattern("\\d{16}")),
      new CElementInfoSeqPrimMnd("expires", "", kExpires, false, ItemType_yearMonth, nullptr,
                                 kCollapse, kNoFacets),
      nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = ElementClass(XmlElementGroupType_Sequence, "CreditCardPayment",
                        /*writeXsiType=*/true);
}

void CreditCardPayment::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kHolder: return Access(holder, read, value);
    case kNumber: return Access(number, read, value);
    case kExpires:
      if (read)
        value.SetYearMonth(expires);
      else
        expires = value.GetYearMonth();
      return;
  }
}

void CreditCardPayment::Init() {
  holder = number = "";
  expires = CDateTime(CDateTime::dt_gYearMonth);
}

void InvoicePayment::Describe(Metadata& m) {
  m.elements = new CElementInfo*[3]{
      new CElementInfoSeqPrimMnd("account", "", kAccount, false, ItemType_string, nullptr,
                                 kCollapse, kNoFacets),
      new CElementInfoSeqPrimMnd("dueDays", "", kDueDays, false, ItemType_ui2, nullptr,
                                 kCollapse, kNoFacets),
      nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = ElementClass(XmlElementGroupType_Sequence, "InvoicePayment", /*writeXsiType=*/true);
}

void InvoicePayment::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kAccount: return Access(account, read, value);
    case kDueDays:
      if (read)
        value.SetUI2(dueDays);
      else
        dueDays = value.GetUI2();
      return;
  }
}

void InvoicePayment::Init() {
  account = "";
  dueDays = 30;
}

CSmartPtr<CXmlObjectBase> CreatePayment(CXmlElement* element) {
  if (CClassfactoryBase::GetElementTypeNamespaceUri(element) != kNamespace) return nullptr;
  const std::string type = CClassfactoryBase::GetElementType(element);
  if (type == "CreditCardPayment") return CSmartPtr<CXmlObjectBase>(new CreditCardPayment);
  if (type == "InvoicePayment") return CSmartPtr<CXmlObjectBase>(new InvoicePayment);
  return nullptr;
}

// ---- Tracking -------------------------------------------------------------------

void Tracking::Describe(Metadata& m) {
  // Repeated simple elements: each info reaches its typed collection, which
  // reads the run of elements and checks every value's facets.
  m.elements = new CElementInfo*[14]{
      new CElementInfoSeqPrimCol("scan", "", kScan),
      new CElementInfoSeqPrimCol("deliveryDay", "", kDeliveryDay),
      new CElementInfoSeqPrimCol("transit", "", kTransit),
      new CElementInfoSeqPrimCol("weight", "", kWeight),
      new CElementInfoSeqPrimCol("temperature", "", kTemperature),
      new CElementInfoSeqPrimCol("parcelId", "", kParcelId),
      new CElementInfoSeqPrimCol("pieces", "", kPieces),
      new CElementInfoSeqPrimCol("dock", "", kDock),
      new CElementInfoSeqPrimCol("sealed", "", kSealed),
      new CElementInfoSeqPrimCol("event", "", kEvent),
      new CElementInfoSeqPrimCol("signature", "", kSignature),
      new CElementInfoSeqPrimCol("checksum", "", kChecksum),
      new CElementInfoSeqPrimCol("season", "", kSeason),
      nullptr};
  m.attributes = new CAttributeInfo*[1]{nullptr};
  m.info = ElementClass(XmlElementGroupType_Sequence, "Tracking");
}

void Tracking::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kScan: return AccessCollection(scan, read, value);
    case kDeliveryDay: return AccessCollection(deliveryDay, read, value);
    case kTransit: return AccessCollection(transit, read, value);
    case kWeight: return AccessCollection(weight, read, value);
    case kTemperature: return AccessCollection(temperature, read, value);
    case kParcelId: return AccessCollection(parcelId, read, value);
    case kPieces: return AccessCollection(pieces, read, value);
    case kDock: return AccessCollection(dock, read, value);
    case kSealed: return AccessCollection(sealed, read, value);
    case kEvent: return AccessCollection(event, read, value);
    case kSignature: return AccessCollection(signature, read, value);
    case kChecksum: return AccessCollection(checksum, read, value);
    case kSeason: return AccessCollection(season, read, value);
  }
}

void Tracking::Init() {
  // (element name, namespace, minOccurs, maxOccurs (-1: unbounded), pattern,
  //  minLength, maxLength, minInclusive, maxInclusive, minExclusive,
  //  maxExclusive, length, whitespace rule, value format)
  scan = new CdatetimeCol("scan", "", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr,
                          -1, kCollapse, nullptr);
  deliveryDay = new CdateCol("deliveryDay", "", 0, 2, nullptr, -1, -1, nullptr, nullptr, nullptr,
                             nullptr, -1, kCollapse, nullptr);
  transit = new CdurationCol("transit", "", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr,
                             nullptr, -1, kCollapse, nullptr);
  weight = new CdecimalCol("weight", "", 0, -1, nullptr, -1, -1, nullptr, nullptr, "0", nullptr,
                           -1, kCollapse, nullptr);
  temperature = new Cr8Col("temperature", "", 0, -1, nullptr, -1, -1, "-50", "80", nullptr,
                           nullptr, -1, kCollapse, nullptr);
  parcelId = new CintegerCol("parcelId", "", 0, -1, nullptr, -1, -1, "0", nullptr, nullptr,
                             nullptr, -1, kCollapse, nullptr);
  pieces = new Ci4Col("pieces", "", 0, -1, nullptr, -1, -1, "1", nullptr, nullptr, nullptr, -1,
                      kCollapse, nullptr);
  dock = new Cui2Col("dock", "", 0, -1, nullptr, -1, -1, nullptr, "999", nullptr, nullptr, -1,
                     kCollapse, nullptr);
  sealed = new CbooleanCol("sealed", "", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr,
                           nullptr, -1, kCollapse, nullptr);
  event = new CstringCol("event", "", 0, -1, nullptr, 1, 64, nullptr, nullptr, nullptr, nullptr,
                         -1, kPreserve, nullptr);
  signature = new Cbase64BinaryCol("signature", "", 0, -1, nullptr, -1, -1, nullptr, nullptr,
                                   nullptr, nullptr, -1, kCollapse, nullptr);
  checksum = new ChexBinaryCol("checksum", "", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr,
                               nullptr, 4, kCollapse, nullptr);
  season = new CyearCol("season", "", 0, -1, nullptr, -1, -1, nullptr, nullptr, nullptr, nullptr,
                        -1, kCollapse, nullptr);
}

// ---- PurchaseOrder --------------------------------------------------------------

void PurchaseOrder::Describe(Metadata& m) {
  m.elements = new CElementInfo*[12]{
      new CElementInfoSeqClsMnd("shipTo", "", kShipTo, XmlElementType_Element, CreateObject,
                                TypeId_USAddress, false),
      new CElementInfoSeqClsMnd("billTo", "", kBillTo, XmlElementType_Element, CreateObject,
                                TypeId_USAddress, false),
      new CElementInfoSeqPrimOpt("comment", kNamespace, kComment, false, ItemType_string,
                                 nullptr, kPreserve, kNoFacets),
      new CElementInfoSeqClsMnd("items", "", kItems, XmlElementType_Element, CreateObject,
                                TypeId_Items, false),
      new CElementInfoSeqEnumOpt("status", "", kStatus, false, OrderStatusToText,
                                 TextToOrderStatus),
      new CElementInfoSeqClsOpt("customer", "", kCustomer, XmlElementType_Element, CreateObject,
                                TypeId_Customer),
      new CElementInfoSeqClsOpt("delivery", "", kDelivery, XmlElementType_Element, CreateObject,
                                TypeId_Delivery),
      // <xsd:group ref="po:GiftOptions" minOccurs="0"/>: no element of its own.
      new CElementInfoSeqClsOpt("gift", "", kGift, XmlElementType_PseudoElement, CreateObject,
                                TypeId_GiftOptions),
      // An element of the abstract type Payment: the factory reads xsi:type.
      new CElementInfoSeqAbsClsOpt("payment", "", kPayment, XmlElementType_Element,
                                   CreatePayment),
      new CElementInfoSeqClsOpt("tracking", "", kTracking, XmlElementType_Element, CreateObject,
                                TypeId_Tracking),
      // <xsd:any namespace="##other" minOccurs="0"/>
      new CElementInfoSeqUntpdOpt("AnyElement", "", kExtension, "##other", kNamespace),
      nullptr};
  m.attributes = new CAttributeInfo*[4]{
      new CAttributeInfoPrimitive("orderDate", "", kOrderDate, true, ItemType_date, nullptr,
                                  kCollapse, kNoFacets, nullptr),
      new CAttributeInfoEnum("priority", "", kPriority, true, PriorityToText, TextToPriority,
                             nullptr),
      // <xsd:anyAttribute namespace="##other"/>, last so that it takes only
      // what the named attributes leave.
      new CAttributeInfoAny("AnyAttribute", "", kOtherAttributes, true, "##other", kNamespace,
                            nullptr),
      nullptr};
  m.info = ElementClass(XmlElementGroupType_Sequence, "PurchaseOrderType");
}

void PurchaseOrder::AccessProperty(int id, bool read, VxVariant& value) {
  switch (id) {
    case kShipTo: return AccessObject(shipTo, read, value);
    case kBillTo: return AccessObject(billTo, read, value);
    case kComment: return Access(comment, read, value);
    case kItems: return AccessObject(items, read, value);
    case kStatus:
      if (read) {
        if (status)
          value.SetI4(*status);
        else
          value.Clear();
      } else {
        status = value.IsValid() ? std::optional<OrderStatus>(OrderStatus(value.GetI4()))
                                 : std::nullopt;
      }
      return;
    case kCustomer: return AccessObject(customer, read, value);
    case kDelivery: return AccessObject(delivery, read, value);
    case kGift: return AccessObject(gift, read, value);
    case kPayment: return AccessObject(payment, read, value);
    case kTracking: return AccessObject(tracking, read, value);
    case kExtension: return AccessObject(extension, read, value);
    case kOrderDate:
      if (read) {
        if (orderDate)
          value.SetDate(*orderDate);
        else
          value.Clear();
      } else {
        orderDate = value.IsValid() ? std::optional<CDateTime>(value.GetDate()) : std::nullopt;
      }
      return;
    case kPriority:
      if (read) {
        if (priority)
          value.SetI4(*priority);
        else
          value.Clear();
      } else {
        priority = value.IsValid() ? std::optional<Priority>(Priority(value.GetI4()))
                                   : std::nullopt;
      }
      return;
    case kOtherAttributes: return AccessCollection(otherAttributes, read, value);
  }
}

// Mandatory members exist from the start, so that reading fills them in place
// and a new order can be filled field by field; optional ones start absent.
void PurchaseOrder::Init() {
  shipTo = new USAddress("shipTo");
  billTo = new USAddress("billTo");
  comment.reset();
  items = new Items;
  orderDate.reset();
  status.reset();
  customer = nullptr;
  delivery = nullptr;
  gift = nullptr;
  payment = nullptr;
  tracking = nullptr;
  extension = nullptr;
  priority.reset();
  otherAttributes = new CAttributeCol("", "##other", kNamespace);
}

// ---- factory --------------------------------------------------------------------

CSmartPtr<CXmlObjectBase> CreateObject(int typeId, const char* elementName) {
  CSmartPtr<CXmlObjectBase> object;
  switch (typeId) {
    case TypeId_USAddress: object = new USAddress; break;
    case TypeId_Items: object = new Items; break;
    case TypeId_Customer: object = new Customer; break;
    case TypeId_Delivery: object = new Delivery; break;
    case TypeId_GiftOptions: object = new GiftOptions; break;
    case TypeId_Wrapping: object = new Wrapping; break;
    case TypeId_Tracking: object = new Tracking; break;
    default: return object;
  }
  object->SetElementName(elementName);
  return object;
}

}  // namespace po
