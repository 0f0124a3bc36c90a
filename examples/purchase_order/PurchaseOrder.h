// Classes for the purchase-order schema in PurchaseOrder.xsd, written by hand
// exactly as a code generator writes them for vxxml. Copy this file as the
// model of generated code: every class
//   - derives from CXmlGeneratedClass (and INillable when its own element is
//     nillable),
//   - keeps its data in ordinary typed members,
//   - describes itself with static metadata: one CParentElementInfo, a
//     null-terminated array of element infos in schema order and one of
//     attribute infos, built once on first use under
//     CXmlGeneratedClass::m_csInit (see PurchaseOrder.cpp),
//   - maps property ids to members in AccessProperty, which is the only way
//     the library reaches the data,
//   - resets every member in Init, which reading calls first.
//
// What the schema holds beyond the W3C XML Schema Primer's purchase order:
// an enumeration (status, priority), an all group (Customer), a choice
// (Delivery), a tagless group with a choice nested inside it (GiftOptions,
// Wrapping), an abstract type read through xsi:type (Payment), a nillable
// element (shipDate), xs:any and xs:anyAttribute (purchaseOrder), and a
// typed collection of every value family (Tracking).
#ifndef VXXML_EXAMPLES_PURCHASEORDER_H
#define VXXML_EXAMPLES_PURCHASEORDER_H

#include <mutex>
#include <optional>
#include <string>

#include <vxxml/vxxml.h>

namespace po {

using VxXmlLib10::CBigInteger;
using VxXmlLib10::CBinaryData;
using VxXmlLib10::CDateTime;
using VxXmlLib10::CDecimal;
using VxXmlLib10::CSmartPtr;
using VxXmlLib10::CXmlElement;
using VxXmlLib10::CXmlObjectBase;
using VxXmlLib10::CXmlSerializationContext;
using VxXmlLib10::VxVariant;

/// The schema's target namespace.
extern const char kNamespace[];
/// The namespace of the extensions the wildcards admit in the sample documents.
extern const char kExtensionNamespace[];

/// A context that writes the documents as the samples show them: the schema's
/// namespace under the prefix "po", xsi and the extension namespace ("ext")
/// declared once on the document element.
CXmlSerializationContext Context();

/// The class metadata every generated class carries, and the operations that
/// hand it to the library. `Self::Describe` builds the three tables; it runs
/// once, on first use, under CXmlGeneratedClass::m_csInit. `Base` is the
/// schema's base type when the type extends an abstract one.
template <class Self, class Base = VxXmlLib10::CXmlGeneratedClass>
class Generated : public Base {
 public:
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return kNamespace; }
  std::string GetNamespace() const override { return kNamespace; }
  VxXmlLib10Data::CParentElementInfo* GetClassInfo() const override { return Tables().info; }
  VxXmlLib10Data::CElementInfo** GetClassElementInfo() const override {
    return Tables().elements;
  }
  VxXmlLib10Data::CAttributeInfo** GetClassAttributeInfo() const override {
    return Tables().attributes;
  }

  struct Metadata {
    VxXmlLib10Data::CParentElementInfo* info = nullptr;
    VxXmlLib10Data::CElementInfo** elements = nullptr;
    VxXmlLib10Data::CAttributeInfo** attributes = nullptr;
  };

 private:
  static const Metadata& Tables() {
    static const Metadata tables = [] {
      std::lock_guard<VxXmlLib10::CVXCriticalSection> lock(
          VxXmlLib10::CXmlGeneratedClass::m_csInit);
      Metadata m;
      Self::Describe(m);
      return m;
    }();
    return tables;
  }
};

// ---- enumerations -------------------------------------------------------------

enum OrderStatus { OrderStatus_Pending, OrderStatus_Shipped, OrderStatus_Delivered };
std::string OrderStatusToText(int value);
int TextToOrderStatus(const char* text);

enum Priority { Priority_Normal, Priority_Rush };
std::string PriorityToText(int value);
int TextToPriority(const char* text);

// ---- complex types ------------------------------------------------------------

/// <xsd:complexType name="USAddress">: a sequence of five elements and the
/// optional country attribute.
class USAddress : public Generated<USAddress> {
 public:
  enum { kName = 1, kStreet, kCity, kState, kZip, kCountry };

  explicit USAddress(const char* elementName = "shipTo") { SetElementName(elementName); }

  std::string name, street, city, state;
  CDecimal zip;
  std::optional<std::string> country;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// The anonymous type of <item>: a sequence with an optional, nillable ship
/// date and the required partNum attribute (pattern \d{3}-[A-Z]{2}).
class Item : public Generated<Item> {
 public:
  enum { kProductName = 1, kQuantity, kUSPrice, kComment, kShipDate, kPartNum };

  Item() { SetElementName("item"); }

  std::string productName;
  unsigned long quantity = 1;  // 1 .. 99
  CDecimal usPrice;
  std::optional<std::string> comment;
  std::optional<CDateTime> shipDate;  // a date
  bool shipDateNil = false;           // written as xsi:nil="true"
  std::string partNum;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// The repeated <item>: generated code derives a collection for each class
/// that may repeat. It writes every item and reads the run of <item>
/// siblings, each into a new Item.
class ItemCol : public VxXmlLib10::CXmlCollection {
 public:
  ItemCol() : CXmlCollection("item", "", 0, -1) {}
  CXmlObjectBase* GetBase() override { return this; }

  void Add(Item* item) { AppendItem(item); }
  Item* Get(int index) const { return static_cast<Item*>(GetNodeAtIndex(index)->GetItem()); }

 protected:
  void ToXml_Int(VxXmlLib10::CXmlWriter* writer, bool isDocumentRoot, const char* namespaceUri,
                 const CXmlSerializationContext& context, bool emptyChoiceAllowed) const override;
  CXmlElement* FromXml_Int(CXmlElement* parent, CXmlElement* current,
                           const CXmlSerializationContext& context,
                           bool emptyChoiceAllowed) override;
};

/// <xsd:complexType name="Items">: any number of <item>.
class Items : public Generated<Items> {
 public:
  enum { kItem = 1 };

  Items() { SetElementName("items"); }

  CSmartPtr<ItemCol> item = new ItemCol;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:complexType name="Customer">: an all group, its members in any order.
class Customer : public Generated<Customer> {
 public:
  enum { kName = 1, kEmail, kPhone, kVip };

  Customer() { SetElementName("customer"); }

  std::string name;
  std::optional<std::string> email, phone;
  std::optional<bool> vip;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:complexType name="Delivery">: a choice of exactly one way to deliver.
class Delivery : public Generated<Delivery> {
 public:
  enum { kCourier = 1, kPickup, kDownload };

  Delivery() { SetElementName("delivery"); }

  std::optional<std::string> courier;
  CSmartPtr<USAddress> pickup;
  std::optional<std::string> download;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:group name="Wrapping">: a choice without an element of its own; its
/// member sits directly in the element that uses the group.
class Wrapping : public Generated<Wrapping> {
 public:
  enum { kPaper = 1, kRibbon };

  std::optional<std::string> paper, ribbon;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:group name="GiftOptions">: a sequence without an element of its own
/// (a message, then the Wrapping choice), used inside PurchaseOrderType.
class GiftOptions : public Generated<GiftOptions> {
 public:
  enum { kGiftMessage = 1, kWrapping };

  std::string giftMessage;
  CSmartPtr<Wrapping> wrapping = new Wrapping;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:complexType name="Payment" abstract="true">: a document names the
/// concrete type with xsi:type, and the factory creates that class.
class Payment : public VxXmlLib10::CXmlGeneratedClass {};

/// <xsd:complexType name="CreditCardPayment"> (extends Payment).
class CreditCardPayment : public Generated<CreditCardPayment, Payment> {
 public:
  enum { kHolder = 1, kNumber, kExpires };

  CreditCardPayment() { SetElementName("payment"); }

  std::string holder;
  std::string number;  // sixteen digits
  CDateTime expires;   // a gYearMonth

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:complexType name="InvoicePayment"> (extends Payment).
class InvoicePayment : public Generated<InvoicePayment, Payment> {
 public:
  enum { kAccount = 1, kDueDays };

  InvoicePayment() { SetElementName("payment"); }

  std::string account;
  unsigned short dueDays = 30;

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:complexType name="Tracking">: repeated simple values, one typed
/// collection of each value family.
class Tracking : public Generated<Tracking> {
 public:
  enum {
    kScan = 1, kDeliveryDay, kTransit, kWeight, kTemperature, kParcelId, kPieces, kDock,
    kSealed, kEvent, kSignature, kChecksum, kSeason
  };

  Tracking() {
    SetElementName("tracking");
    Init();
  }

  CSmartPtr<VxXmlLib10::CdatetimeCol> scan;          // dateTime
  CSmartPtr<VxXmlLib10::CdateCol> deliveryDay;       // date
  CSmartPtr<VxXmlLib10::CdurationCol> transit;       // duration
  CSmartPtr<VxXmlLib10::CdecimalCol> weight;         // decimal, kilograms
  CSmartPtr<VxXmlLib10::Cr8Col> temperature;         // double
  CSmartPtr<VxXmlLib10::CintegerCol> parcelId;       // integer (unbounded)
  CSmartPtr<VxXmlLib10::Ci4Col> pieces;              // int
  CSmartPtr<VxXmlLib10::Cui2Col> dock;               // unsignedShort
  CSmartPtr<VxXmlLib10::CbooleanCol> sealed;         // boolean
  CSmartPtr<VxXmlLib10::CstringCol> event;           // string
  CSmartPtr<VxXmlLib10::Cbase64BinaryCol> signature; // base64Binary
  CSmartPtr<VxXmlLib10::ChexBinaryCol> checksum;     // hexBinary
  CSmartPtr<VxXmlLib10::CyearCol> season;            // gYear

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// <xsd:complexType name="PurchaseOrderType">, the type of the document
/// element <po:purchaseOrder>.
class PurchaseOrder : public Generated<PurchaseOrder> {
 public:
  enum {
    kShipTo = 1, kBillTo, kComment, kItems, kStatus, kCustomer, kDelivery, kGift, kPayment,
    kTracking, kExtension, kOrderDate, kPriority, kOtherAttributes
  };

  PurchaseOrder() {
    SetElementName("purchaseOrder");
    Init();
  }

  // The primer's purchase order.
  CSmartPtr<USAddress> shipTo, billTo;
  std::optional<std::string> comment;
  CSmartPtr<Items> items;
  std::optional<CDateTime> orderDate;  // a date
  // What this example adds.
  std::optional<OrderStatus> status;
  CSmartPtr<Customer> customer;
  CSmartPtr<Delivery> delivery;
  CSmartPtr<GiftOptions> gift;
  CSmartPtr<CXmlObjectBase> payment;  // a CreditCardPayment or an InvoicePayment
  CSmartPtr<Tracking> tracking;
  CSmartPtr<VxXmlLib10::CElement> extension;  // any element of another namespace
  std::optional<Priority> priority;
  CSmartPtr<VxXmlLib10::CAttributeCol> otherAttributes;  // attributes of other namespaces

  void AccessProperty(int id, bool read, VxVariant& value) override;
  void Init() override;
  static void Describe(Metadata& m);
};

/// The factory the class members name by type id.
enum TypeId { TypeId_USAddress = 1, TypeId_Items, TypeId_Customer, TypeId_Delivery,
              TypeId_GiftOptions, TypeId_Wrapping, TypeId_Tracking };
CSmartPtr<CXmlObjectBase> CreateObject(int typeId, const char* elementName);

/// The factory of the abstract payment: the class the element's xsi:type
/// names, or none.
CSmartPtr<CXmlObjectBase> CreatePayment(CXmlElement* element);

}  // namespace po

#endif  // VXXML_EXAMPLES_PURCHASEORDER_H
