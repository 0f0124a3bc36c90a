#include "vxxml/ElementInfoSeq.h"

#include <gtest/gtest.h>

#include <string>

#include "TestUtil.h"
#include "metadata/SeqModel.h"

using namespace seqmodel;

namespace {

CXmlSerializationContext Ctx() {
  CXmlSerializationContext ctx;
  ctx.SetWriteTypeAttribute(true);
  ctx.SetDefaultNamespaceURI(kPo);
  ctx.GetNamespaceAliases().Add("xsi", "http://www.w3.org/2001/XMLSchema-instance");
  return ctx;
}

const char kFullOrder[] =
    "<purchaseOrder xmlns=\"urn:po\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
    "orderDate=\"1999-10-20\" lang=\"en\">\n"
    "\t<shipTo country=\"US\">\n"
    "\t\t<name>Alice Smith</name>\n"
    "\t\t<street>123 Maple Street</street>\n"
    "\t\t<city>Mill Valley</city>\n"
    "\t\t<zip>90952</zip>\n"
    "\t</shipTo>\n"
    "\t<billTo>\n"
    "\t\t<name>Robert Smith</name>\n"
    "\t\t<street>123 Maple Street</street>\n"
    "\t\t<city>Mill Valley</city>\n"
    "\t\t<zip>90952</zip>\n"
    "\t</billTo>\n"
    "\t<comment>Hurry, my lawn is going wild!</comment>\n"
    "\t<items>\n"
    "\t\t<item partNum=\"872-AA\">\n"
    "\t\t\t<productName>Lawnmower</productName>\n"
    "\t\t\t<quantity>1</quantity>\n"
    "\t\t\t<USPrice>148.95</USPrice>\n"
    "\t\t</item>\n"
    "\t\t<item partNum=\"926-AA\">\n"
    "\t\t\t<productName>Baby Monitor</productName>\n"
    "\t\t\t<quantity>1</quantity>\n"
    "\t\t\t<USPrice>39.98</USPrice>\n"
    "\t\t\t<comment>Confirm this is electric</comment>\n"
    "\t\t\t<shipDate>1999-05-21</shipDate>\n"
    "\t\t</item>\n"
    "\t</items>\n"
    "\t<status>shipped</status>\n"
    "\t<note>fragile</note>\n"
    "\t<rating>5</rating>\n"
    "\t<payment xsi:type=\"CardType\">\n"
    "\t\t<number>4111</number>\n"
    "\t</payment>\n"
    "\t<remark author=\"bob\">leave at the door</remark>\n"
    "\t<giftWrap xsi:nil=\"true\"/>\n"
    "\t<tag>garden</tag>\n"
    "\t<tag>baby</tag>\n"
    "\t<AA:stamp xmlns:AA=\"urn:other\">x1</AA:stamp>\n"
    "</purchaseOrder>\n";

// A minimal order: only the mandatory members.
const char kMinimalOrder[] =
    "<purchaseOrder xmlns=\"urn:po\" xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
    "<shipTo><name>A</name><street>S</street><city>C</city><zip>1</zip></shipTo>"
    "<billTo><name>B</name><street>S</street><city>C</city><zip>2</zip></billTo>"
    "<items/>"
    "</purchaseOrder>";

TEST(ElementInfoSeq, TextToObjectsToTextIsIdentical) {
  const CXmlSerializationContext ctx = Ctx();
  for (const char* doc : {kFullOrder, kMinimalOrder}) {
    const bool formatted = doc == std::string(kFullOrder);
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    ReadText(po, doc, ctx);
    EXPECT_EQ(doc, WriteText(po, ctx, formatted)) << doc;
  }
}

// ---- failures: the whole chain, outermost first --------------------------------

std::string Order(const std::string& body) {
  return "<purchaseOrder xmlns=\"urn:po\" "
         "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">" +
         body + "</purchaseOrder>";
}

const std::string kShip = "<shipTo><name>A</name><street>S</street><city>C</city><zip>1</zip></shipTo>";
const std::string kBill = "<billTo><name>B</name><street>S</street><city>C</city><zip>2</zip></billTo>";

std::string WithItem(const std::string& item) {
  return Order(kShip + kBill + "<items>" + item + "</items>");
}

TEST(ElementInfoSeq, ReadingFailuresGiveTheWholeChain) {
  struct Case {
    std::string doc;
    std::string expected;
  } cases[] = {
      {Order(kShip + "<items/>"),
       vxtest::Named<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to find a required element [billTo]")},
      {Order(kShip + kBill),
       vxtest::Named<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to find a required element [items]")},
      {WithItem("<item partNum='1'><productName>P</productName><quantity>x</quantity>"
                "<USPrice>1</USPrice></item>"),
       vxtest::Named<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to process the element [items]\n"
                                        "Failed to process the element [item]\n"
                                        "The value [x] can not be converted to a i4")},
      {Order("<shipTo xsi:nil='true'/>" + kBill + "<items/>"),
       vxtest::Named<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed to process the element [shipTo]\n"
           "Invalid use of 'nil' attibute in non-nillable element [shipTo]")},
      {Order(kShip + kBill + "<items/><remark xsi:nil='yes'/>"),
       vxtest::Named<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to process the element [remark]\n"
                                        "Unexpected Value [yes] for 'nil' Attribute found.")},
      {Order(kShip + kBill + "<items/><giftWrap xsi:nil='maybe'/>"),
       vxtest::Named<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Unexpected Value [maybe] for 'nil' Attribute found.")},
      {Order(kShip + kBill + "<items/><payment xsi:type='ChequeType'/>"),
       vxtest::Named<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed read all the elements held within the element [purchaseOrder]. The "
           "unexpected element [payment] remains un processed")},
      {Order(kShip + kBill + "<items/><rating>1</rating>"),
       vxtest::Named<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed read all the elements held within the element [purchaseOrder]. The "
           "unexpected element [rating] remains un processed")},
      {Order(kShip + kBill + "<items/><stamp xmlns='urn:po'/>"),
       vxtest::Named<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed read all the elements held within the element [purchaseOrder]. The "
           "unexpected element [stamp] remains un processed")},
  };
  const CXmlSerializationContext ctx = Ctx();
  for (const Case& c : cases) {
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    EXPECT_EQ(c.expected, vxtest::Failure([&] { ReadText(po, c.doc, ctx); })) << c.doc;
  }
}

// ---- the ignore options ------------------------------------------------------------

TEST(ElementInfoSeq, IgnoreOptionsRelaxExactlyTheirRule) {
  enum Option { None, Unknown, Missing, Namespaces };
  auto context = [](Option option) {
    CXmlSerializationContext ctx = Ctx();
    if (option == Unknown) ctx.SetIgnoreUnknownElements(true);
    if (option == Missing) ctx.SetIgnoreMissingMandatoryElements(true);
    if (option == Namespaces) ctx.SetIgnoreNamespaces(true);
    return ctx;
  };
  const std::string unknownInside =
      Order("<shipTo><name>A</name><x/><street>S</street><city>C</city><zip>1</zip></shipTo>" +
            kBill + "<items/>");
  const std::string missingBill = Order(kShip + "<items/>");
  const std::string otherNs =
      Order("<shipTo xmlns='urn:x'><name>A</name><street>S</street><city>C</city>"
            "<zip>1</zip></shipTo>" + kBill + "<items/>");

  struct Case {
    Option option;
    const std::string* doc;
    bool succeeds;
  } cases[] = {
      {None, &unknownInside, false},    {Unknown, &unknownInside, true},
      {Missing, &unknownInside, false}, {None, &missingBill, false},
      {Missing, &missingBill, true},    {Unknown, &missingBill, false},
      {None, &otherNs, false},          {Namespaces, &otherNs, true},
      {Unknown, &otherNs, false},
  };
  for (const Case& c : cases) {
    const CXmlSerializationContext ctx = context(c.option);
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    const std::string failure = vxtest::Failure([&] { ReadText(po, *c.doc, ctx); });
    EXPECT_EQ(c.succeeds, failure.empty()) << c.option << " " << *c.doc << "\n" << failure;
  }
}

// After an unknown element the next pass resumes at the last member that
// consumed something, so a collection goes on gathering its run.
TEST(ElementInfoSeq, CollectionResumesAfterASkippedElement) {
  CXmlSerializationContext ctx = Ctx();
  ctx.SetIgnoreUnknownElements(true);
  CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
  ReadText(po, Order(kShip + kBill + "<items/><tag>a</tag><x/><tag>b</tag>"), ctx);
  EXPECT_EQ((std::vector<std::string>{"a", "b"}), po->tag->values);
}

TEST(ElementInfoSeq, SkippedForeignElementsAreConsumedByMandatoryMembersOnly) {
  CXmlSerializationContext ctx = Ctx();
  ctx.SetIgnoreUnknownElements(true);
  CSmartPtr<Item> item = new Item;
  // Mandatory members skip x and y; the trailing z is left to the group.
  ReadText(item,
           "<item xmlns='urn:po' partNum='1'><x/><productName>P</productName><y/>"
           "<quantity>2</quantity><USPrice>1</USPrice><comment>c</comment><z/></item>",
           ctx);
  EXPECT_EQ("P", item->productName.GetString());
  EXPECT_EQ(2, item->quantity.GetI4());
  EXPECT_EQ("c", item->comment.GetString());
}

// ---- members one by one ------------------------------------------------------------

// The owner of a member under test: properties in a map.
class Host : public Generated<Host> {
 public:
  std::map<int, VxVariant> props;
  void AccessProperty(int id, bool read, VxVariant& v) override {
    if (read) {
      auto it = props.find(id);
      if (it == props.end())
        v.Clear();
      else
        v = it->second;
    } else {
      props[id] = v;
    }
  }
  void Init() override {}
  static void Build(Metadata&) {}
};

// Runs the member's ElementFromXml on the children of the document element.
struct Outcome {
  std::string failure;
  bool answer = false;
  std::string cursor;  // local name at the cursor afterwards, "-" for none
};

Outcome RunMember(CElementInfo& info, Host& host, const std::string& xml, XmlElementType ownerType,
            const CXmlSerializationContext& ctx) {
  CXmlDocument doc(ctx);
  doc.LoadXml(xml.c_str());
  CXmlElement* root = doc.GetDocumentElement();
  CXmlElement* cursor = root->GetFirstElement();
  Outcome out;
  out.failure = vxtest::Failure([&] {
    out.answer = info.ElementFromXml(ctx, &host, root, &cursor, kPo, ownerType);
  });
  out.cursor = cursor ? cursor->GetLocalName() : "-";
  return out;
}

CSmartPtr<CXmlObjectBase> AnyNote(CXmlElement*) { return CSmartPtr<CXmlObjectBase>(new Note); }
CSmartPtr<CXmlObjectBase> NoClass(CXmlElement*) { return nullptr; }

TEST(ElementInfoSeq, MemberAnswersAndCursor) {
  const XmlElementType E = XmlElementType_Element, P = XmlElementType_PseudoElement;
  CElementInfoSeqPrimMnd primMnd("a", kPo, 1, false, ItemType_string, nullptr, kNone, NoFacets());
  CElementInfoSeqPrimOpt primOpt("a", kPo, 1, false, ItemType_string, nullptr, kNone, NoFacets());
  CElementInfoSeqEnumMnd enumMnd("a", kPo, 1, false, StatusText, StatusValue);
  CElementInfoSeqAbsClsMnd absMnd("a", kPo, 1, E, AnyNote);
  CElementInfoSeqAbsClsMnd absNone("a", kPo, 1, E, NoClass);
  CElementInfoSeqAbsClsOpt absOptNone("a", kPo, 1, E, NoClass);
  CElementInfoSeqUntpdMnd untpdMnd("AnyElement", "urn:po", 1, "##other", kPo);
  CElementInfoSeqUntpdOpt untpdOpt("b", "", 1, "##any", kPo);
  CElementInfoSeqClsMnd extraMust("extra", kPo, 1, P, Factory, 3, true);

  const std::string ab = "<r xmlns='urn:po'><a>x</a><b/></r>";
  const std::string xab = "<r xmlns='urn:po'><x/><a>x</a><b/></r>";
  const std::string b = "<r xmlns='urn:po'><b/></r>";
  const std::string none = "<r xmlns='urn:po'/>";
  const std::string foreign = "<r xmlns='urn:po'><q xmlns='urn:q'/><b/></r>";
  const std::string noteRating = "<r xmlns='urn:po'><note>n</note><rating>1</rating><b/></r>";

  CXmlSerializationContext plain = Ctx();
  CXmlSerializationContext unknown = Ctx();
  unknown.SetIgnoreUnknownElements(true);

  struct Case {
    CElementInfo* info;
    const std::string* doc;
    XmlElementType owner;
    const CXmlSerializationContext* ctx;
    std::string failure;
    bool answer;
    std::string cursor;
  } cases[] = {
      {&primMnd, &ab, E, &plain, "", true, "b"},
      {&primMnd, &xab, E, &plain,
       vxtest::Named<CVxValidationException>("Failed to find a required element [a]"), false, "x"},
      {&primMnd, &xab, E, &unknown, "", true, "b"},
      {&primMnd, &xab, P, &plain, "", false, "x"},
      {&primMnd, &xab, P, &unknown, "", true, "b"},
      {&primMnd, &b, P, &unknown, "", false, "-"},
      {&primOpt, &xab, E, &unknown, "", true, "x"},
      {&primOpt, &ab, P, &plain, "", true, "b"},
      {&enumMnd, &xab, P, &unknown, "", false, "x"},
      {&enumMnd, &xab, E, &unknown, "", true, "b"},
      {&enumMnd, &none, E, &plain,
       vxtest::Named<CVxValidationException>("Failed to find a required element [a]"), false, "-"},
      {&absMnd, &ab, E, &plain, "", true, "b"},
      {&absMnd, &b, E, &unknown,
       vxtest::Named<CVxValidationException>("Failed to find a suitable substitution element for [a]"),
       false, "b"},
      {&absNone, &ab, E, &plain,
       vxtest::Named<CVxValidationException>("Failed to find a suitable substitution element for [a]"),
       false, "a"},
      {&absNone, &ab, P, &plain, "", false, "a"},
      {&absOptNone, &ab, E, &plain, "", true, "a"},
      {&untpdMnd, &foreign, E, &plain, "", true, "b"},
      {&untpdMnd, &b, E, &plain,
       vxtest::Named<CVxValidationException>(
           "Failed to find the required element from namespace [urn:po]"),
       false, "b"},
      {&untpdMnd, &b, P, &plain, "", false, "b"},
      {&untpdMnd, &none, P, &plain,
       vxtest::Named<CVxValidationException>("Failed to find a required element [AnyElement]"), false,
       "-"},
      {&untpdOpt, &ab, E, &plain, "", true, "a"},
      {&untpdOpt, &b, E, &plain, "", true, "-"},
      {&extraMust, &noteRating, E, &plain, "", true, "b"},
      {&extraMust, &none, E, &plain,
       vxtest::Named<CVxValidationException>("Failed to find a required element [extra]"), false, "-"},
      {&extraMust, &none, P, &plain, "", false, "-"},
      {&extraMust, &b, E, &plain,
       vxtest::Named<CVxValidationException>("Failed to find a required element [extra]"), false, "b"},
  };
  for (const Case& c : cases) {
    CSmartPtr<Host> host = new Host;
    const Outcome out = RunMember(*c.info, *host, *c.doc, c.owner, *c.ctx);
    const std::string where = c.info->GetElementName() + " " + *c.doc + " owner " +
                              std::to_string(c.owner);
    EXPECT_EQ(c.failure, out.failure) << where;
    if (c.failure.empty()) {
      EXPECT_EQ(c.answer, out.answer) << where;
    }
    EXPECT_EQ(c.cursor, out.cursor) << where;
  }
}

TEST(ElementInfoSeq, UntypedCollectionLocksTheElementName) {
  CElementInfoSeqUntpdCol named("w", "", 1);
  CElementInfoSeqUntpdCol any("AnyElement", "", 1);
  const std::string doc = "<r xmlns='urn:po'><w>1</w><w>2</w><v/></r>";
  for (CElementInfoSeqUntpdCol* info : {&named, &any}) {
    CSmartPtr<CElementCol> elements = new CElementCol("", "##any", kPo, 0, -1);
    CSmartPtr<Host> host = new Host;
    host->props[1].SetXmlCollection(elements);
    const Outcome out = RunMember(*info, *host, doc, XmlElementType_Element, Ctx());
    EXPECT_EQ("", out.failure);
    EXPECT_EQ(info == &named ? 2 : 3, elements->GetCount());
    EXPECT_EQ(info == &named ? "v" : "-", out.cursor);
  }
}

// What a class derived from the shell supplies.
class Shell : public CElementInfoSeqNonCol {
 public:
  using CElementInfoSeqNonCol::CElementInfoSeqNonCol;
  bool ElementToXml(const CXmlSerializationContext&, const CXmlGeneratedClass*,
                    CXmlWriter*) const override {
    return false;
  }
  bool ElementFromXml(const CXmlSerializationContext&, CXmlGeneratedClass*, CXmlElement*,
                      CXmlElement**, const std::string&, XmlElementType) override {
    return true;
  }
};

TEST(ElementInfoSeq, ValidateIsNotForSequences) {
  Shell shell("a", kPo, 1);
  CSmartPtr<Host> host = new Host;
  EXPECT_EQ(vxtest::Named<CVxException>("Not implemented, should never be called"),
            vxtest::Failure([&] { shell.Validate(Ctx(), host, true, true); }));
}

}  // namespace
