#include "vxxml/ElementInfoAll.h"

#include <gtest/gtest.h>

#include <string>

#include "metadata/GroupModel.h"

using namespace group_model;

namespace {

const char kDocOpen[] = "<order xmlns='urn:po' xmlns:o='urn:other'>";

const char kFullOrder[] =
    "<order xmlns=\"urn:po\" ref=\"A-1\" currency=\"EUR\">\n"
    "\t<id>7</id>\n"
    "\t<note xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:nil=\"true\"/>\n"
    "\t<color>blue</color>\n"
    "\t<size>M</size>\n"
    "\t<shipTo>\n"
    "\t\t<street>Main St 1</street>\n"
    "\t</shipTo>\n"
    "\t<billTo>\n"
    "\t\t<street>Side St 2</street>\n"
    "\t\t<city>Oslo</city>\n"
    "\t</billTo>\n"
    "\t<AA:memo xmlns:AA=\"urn:other\">hi</AA:memo>\n"
    "\t<tag>a</tag>\n"
    "\t<tag>b</tag>\n"
    "\t<card>1234</card>\n"
    "</order>\n";

// The info of `Order` at the index.
CElementInfo* OrderInfo(int index) { return Order::Meta().elements[index]; }

// ---- writing ---------------------------------------------------------------------

// ---- reading, member by member -----------------------------------------------


TEST(ElementInfoAll, UntypedMembersTakeWhatTheirNameAndRuleAccept) {
  Doc d(std::string(kDocOpen) + "<o:memo a='1'>t</o:memo><memo/><o:other/></order>");
  const CXmlSerializationContext& c = CXmlSerializationContext::m_defaultContext;
  // "AnyElement" under "##other": any name outside the owner's namespace.
  CSmartPtr<Order> o = new Order();
  CXmlElement* at = d.Child(1);
  EXPECT_FALSE(OrderInfo(6)->ElementFromXml(c, o.Get(), d.Root(), &at, kNs,
                                            XmlElementType_Element));
  EXPECT_EQ(at, d.Child(1));
  EXPECT_TRUE(o->extra.IsNull());
  at = d.Child(0);
  EXPECT_TRUE(OrderInfo(6)->ElementFromXml(c, o.Get(), d.Root(), &at, kNs,
                                           XmlElementType_Element));
  EXPECT_EQ(at, d.Child(1));
  ASSERT_FALSE(o->extra.IsNull());
  EXPECT_EQ(o->extra->GetName(), "memo");
  EXPECT_EQ(o->extra->GetNamespace(), "urn:other");
  EXPECT_EQ(o->extra->GetText(), "t");
  at = nullptr;
  EXPECT_FALSE(OrderInfo(6)->ElementFromXml(c, o.Get(), d.Root(), &at, kNs,
                                            XmlElementType_Element));

  // A named mandatory member reads into the element it already holds.
  CElementInfoAllUntpdMnd named("other", kNs, Order::kExtra, "##any", kNs);
  CSmartPtr<CElement> held = new CElement("other", "urn:other", "##any", kNs);
  o->extra = held;
  at = d.Child(0);
  EXPECT_FALSE(named.ElementFromXml(c, o.Get(), d.Root(), &at, kNs, XmlElementType_Element));
  at = d.Child(2);
  EXPECT_TRUE(named.ElementFromXml(c, o.Get(), d.Root(), &at, kNs, XmlElementType_Element));
  EXPECT_EQ(at, nullptr);
  EXPECT_EQ(o->extra.Get(), held.Get());
  EXPECT_EQ(held->GetName(), "other");
}

TEST(ElementInfoAll, NamedUntypedCollectionTakesOnlyItsName) {
  Doc d(std::string(kDocOpen) + "<o:b>1</o:b><o:b>2</o:b><o:c/><o:b>3</o:b></order>");
  const CXmlSerializationContext& c = CXmlSerializationContext::m_defaultContext;
  CSmartPtr<CElementCol> col = new CElementCol("urn:other", "##any", kNs, 0, -1);
  CSmartPtr<Order> o = new Order();
  CElementInfoAllUntpdCol named("b", kNs, Order::kTag);
  // The property accessor of Order keeps its own collection; a stand-alone
  // owner is enough here.
  struct Holder : Generated<Holder> {
    CSmartPtr<CElementCol> col;
    void AccessProperty(int, bool read, VxVariant& v) override {
      if (read) v.SetXmlCollection(col.Get());
    }
    void Init() override {}
    static ClassMeta& Meta() { return Order::Meta(); }
  };
  CSmartPtr<Holder> h = new Holder();
  h->col = col;
  CXmlElement* at = d.Child(0);
  EXPECT_FALSE(named.ElementFromXml(c, h.Get(), d.Root(), &at, kNs, XmlElementType_Element));
  EXPECT_EQ(at, d.Child(2));
  EXPECT_EQ(col->GetCount(), 2);
  CElementInfoAllUntpdCol any("AnyElement", kNs, 1);
  EXPECT_FALSE(any.ElementFromXml(c, h.Get(), d.Root(), &at, kNs, XmlElementType_Element));
  EXPECT_EQ(at, nullptr);
  EXPECT_EQ(col->GetCount(), 4);
}

TEST(ElementInfoAll, SubstitutableMembersCannotBeRead) {
  Doc d(std::string(kDocOpen) + "<shape/></order>");
  const CXmlSerializationContext& c = CXmlSerializationContext::m_defaultContext;
  CElementInfoAllAbsClsMnd mnd("shape", kNs, 1, XmlElementType_Element, CreateShape, 0);
  CElementInfoAllAbsClsOpt opt("shape", kNs, 1, XmlElementType_Element, CreateShape);
  CSmartPtr<Order> o = new Order();
  CXmlElement* at = d.Child(0);
  EXPECT_EQ(Failure([&] {
              mnd.ElementFromXml(c, o.Get(), d.Root(), &at, kNs, XmlElementType_Element);
            }),
            Named<CVxException>("CElementInfoAllAbsClsMnd::ElementFromXml, has not been "
                                "implemented fully, please contact the vxxml maintainers"));
  EXPECT_EQ(Failure([&] {
              opt.ElementFromXml(c, o.Get(), d.Root(), &at, kNs, XmlElementType_Element);
            }),
            Named<CVxException>("CElementInfoAllAbsClsOpt::ElementFromXml, has not been "
                                "implemented fully, please contact the vxxml maintainers"));
  EXPECT_EQ(at, d.Child(0));
}

// ---- validation -------------------------------------------------------------------

TEST(ElementInfoAll, ValidateRules) {
  const CPrimitiveRestrictions none;
  const CXmlSerializationContext& c = CXmlSerializationContext::m_defaultContext;
  CElementInfoAllPrimMnd primMnd("p", kNs, 1, false, ItemType_i4, nullptr,
                                 CWhitespaceUtils::WhitespaceRule_Collapse, none);
  CElementInfoAllPrimOpt primOpt("p", kNs, 1, false, ItemType_i4, nullptr,
                                 CWhitespaceUtils::WhitespaceRule_Collapse, none);
  CElementInfoAllEnumMnd enumMnd("e", kNs, 1, false, ColorToText, TextToColor);
  CElementInfoAllEnumOpt enumOpt("e", kNs, 1, false, ColorToText, TextToColor);
  CElementInfoAllClsMnd elementChild("c", kNs, 1, XmlElementType_Element, CreateById, kAddressType,
                                     false);
  CElementInfoAllClsMnd requiredChild("r", kNs, 1, XmlElementType_Element, CreateById,
                                      kAddressType, true);
  CElementInfoAllClsMnd pseudoChild("g", kNs, 1, XmlElementType_PseudoElement, CreateById,
                                    kPayGroupType, false);
  CElementInfoAllClsOpt clsOpt("c", kNs, 1, XmlElementType_Element, CreateById, kAddressType);
  CElementInfoAllAbsClsMnd absMnd("a", kNs, 1, XmlElementType_Element, CreateShape, 7);
  CElementInfoAllAbsClsOpt absOpt("a", kNs, 1, XmlElementType_Element, CreateShape);
  CElementInfoAllUntpdMnd untpdMnd("u", kNs, 1, "##any", kNs);
  CElementInfoAllUntpdOpt untpdOpt("u", kNs, 1, "##any", kNs);
  CElementInfoAllCol col("l", kNs, 1);
  CElementInfoAllPrimCol primCol("l", kNs, 1);
  CElementInfoAllUntpdCol untpdCol("l", kNs, 1);
  CElementInfoAllClsCol clsCol("l", kNs, 1, XmlElementType_Element);
  CElementInfoAllAbsClsCol absClsCol("l", kNs, 1, XmlElementType_PseudoElement);
  const char* const t = "true";
  const char* const f = "false";
  struct Case {
    const CElementInfo* info;
    const char* missingUnderElement;  // "true", "false" or the message
  } cases[] = {
      {&primMnd, "Failed to find the mandatory element [p]"},
      {&primOpt, t},
      {&enumMnd, "Failed to find the mandatory element [e]"},
      {&enumOpt, t},
      {&elementChild, "true (class rule)"},
      {&requiredChild, "Failed to find the mandatory element [r]"},
      {&pseudoChild, "Failed to find the mandatory element [g]"},
      {&clsOpt, t},
      {&absMnd, "Failed to find the mandatory element [a]"},
      {&absOpt, t},
      {&untpdMnd, "Failed to find the mandatory element [u]"},
      {&untpdOpt, t},
      {&col, t},
      {&primCol, t},
      {&untpdCol, t},
      {&clsCol, t},
      {&absClsCol, t},
  };
  CSmartPtr<Order> o = new Order();
  for (const Case& k : cases) {
    const std::string missing = k.missingUnderElement;
    const bool mandatory = missing != t;
    const bool throws = mandatory && missing.compare(0, 4, "true") != 0;
    const std::string name = k.info->GetElementName();
    EXPECT_TRUE(k.info->Validate(c, o.Get(), true, true)) << name;
    EXPECT_TRUE(k.info->Validate(c, o.Get(), true, false)) << name;
    // Under a pseudo-element owner a mandatory member reports "not found".
    EXPECT_EQ(k.info->Validate(c, o.Get(), false, false), !mandatory) << name;
    std::string result;
    const std::string failure =
        Failure([&] { result = k.info->Validate(c, o.Get(), false, true) ? t : f; });
    if (throws)
      EXPECT_EQ(failure, Named<CVxValidationException>(k.missingUnderElement)) << name;
    else
      EXPECT_EQ(result, t) << name;
  }
}

// ---- reading through the class reader -------------------------------------------

// The full order with its children in reverse schema order.
const char kReversed[] =
    "<order xmlns='urn:po' ref='A-1' currency='EUR'>"
    "<card>1234</card><tag>a</tag><tag>b</tag><AA:memo xmlns:AA='urn:other'>hi</AA:memo>"
    "<billTo><city>Oslo</city><street>Side St 2</street></billTo>"
    "<shipTo><street>Main St 1</street></shipTo><size>M</size><color>blue</color>"
    "<note xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:nil='true'/>"
    "<id>7</id></order>";

TEST(ElementInfoAll, ReadsInAnyOrderAndWritesBackInSchemaOrder) {
  CSmartPtr<Order> o = new Order();
  EXPECT_EQ(Failure([&] { EXPECT_EQ(Read(o.Get(), kReversed), ""); }), "");
  EXPECT_EQ(Write(o.Get()), kFullOrder);
  CSmartPtr<Order> again = new Order();
  EXPECT_EQ(Read(again.Get(), Write(o.Get())), "");
  EXPECT_EQ(Write(again.Get()), kFullOrder);
}

TEST(ElementInfoAll, ReadingFailuresGiveTheWholeChain) {
  const std::string open = "<order xmlns='urn:po'>";
  const std::string must = "<id>1</id><color>red</color><card>c</card>";
  CXmlSerializationContext ignoreUnknown = PoContext(), ignoreMissing = PoContext();
  ignoreUnknown.SetIgnoreUnknownElements(true);
  ignoreMissing.SetIgnoreMissingMandatoryElements(true);
  const char* const ok = "";
  struct Case {
    std::string body;
    const CXmlSerializationContext* context;
    const char* expected;  // "" for success
  } cases[] = {
      {must, nullptr, ok},
      // A missing element child that is not required is accepted.
      {"<card>c</card><color>red</color><id>1</id>", nullptr, ok},
      {"<color>red</color><card>c</card>", nullptr,
       "Failed to process the element [order]\n"
       "Failed to find the mandatory element [id]"},
      // The all group does not consult the missing-mandatory option.
      {"<color>red</color><card>c</card>", &ignoreMissing,
       "Failed to process the element [order]\n"
       "Failed to find the mandatory element [id]"},
      {"<id>1</id><color>red</color>", nullptr,
       "Failed to process the element [order]\n"
       "Failed to find the mandatory element [pay]"},
      {must + "<shipTo><city>x</city></shipTo>", nullptr,
       "Failed to process the element [order]\n"
       "Failed to process the element [shipTo]\n"
       "Failed to find the mandatory element [street]"},
      {must + "<id>2</id>", nullptr,
       "Failed to process the element [order]\n"
       "Failed read all the elements held within the element [order]. The unexpected element "
       "[id] remains un processed"},
      {must + "<id>2</id>", &ignoreUnknown, ok},
      // Validation comes before the leftover check.
      {"<zzz/>" + must, nullptr,
       "Failed to process the element [order]\n"
       "Failed to find the mandatory element [id]"},
      {must + "<zzz/>", nullptr,
       "Failed to process the element [order]\n"
       "Failed read all the elements held within the element [order]. The unexpected element "
       "[zzz] remains un processed"},
      {"<id>1000</id><color>red</color><card>c</card><shipTo/>", nullptr,
       "Failed to process the element [order]\n"
       "Failed to process the element [shipTo]\n"
       "Failed to find the mandatory element [street]"},
      {must + "<shape/>", nullptr,
       "Failed to process the element [order]\n"
       "CElementInfoAllAbsClsOpt::ElementFromXml, has not been implemented fully, please "
       "contact the vxxml maintainers"},
      {"<id xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:nil='true'/>"
       "<color>red</color><card>c</card>",
       nullptr,
       "Failed to process the element [order]\n"
       "Invalid use of 'nil' attibute in non-nillable element [id]"},
  };
  for (const Case& k : cases) {
    CSmartPtr<Order> o = new Order();
    const CXmlSerializationContext context = k.context ? *k.context : PoContext();
    const std::string failure =
        Failure([&] { Read(o.Get(), open + k.body + "</order>", context); });
    EXPECT_EQ(failure, *k.expected ? Named<CVxValidationException>(k.expected) : "") << k.body;
  }
}

}  // namespace
