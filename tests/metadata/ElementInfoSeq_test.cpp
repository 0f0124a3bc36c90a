#include "vxxml/ElementInfoSeq.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "metadata/SeqModel.h"
#include "vxxml/BinaryData.h"

using namespace seqmodel;

namespace {

CXmlSerializationContext Ctx() {
  CXmlSerializationContext ctx;
  ctx.SetWriteTypeAttribute(true);
  ctx.SetDefaultNamespaceURI(kPo);
  ctx.GetNamespaceAliases().Add("xsi", "http://www.w3.org/2001/XMLSchema-instance");
  return ctx;
}

CSmartPtr<Item> NewItem(const char* part, const char* name, long quantity, const char* price) {
  CSmartPtr<Item> item = new Item;
  item->partNum.SetString(part);
  item->productName.SetString(name);
  item->quantity.SetI4(quantity);
  item->price.FromString(price, ItemType_decimal, kNone);
  return item;
}

void FillAddress(USAddress* a, const char* name) {
  a->name.SetString(name);
  a->street.SetString("123 Maple Street");
  a->city.SetString("Mill Valley");
  a->zip.FromString("90952", ItemType_decimal, kNone);
}

// Every kind of member filled in.
CSmartPtr<PurchaseOrder> FullOrder() {
  CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
  po->orderDate.FromString("1999-10-20", ItemType_date, kNone);
  FillAddress(po->shipTo, "Alice Smith");
  po->shipTo->country.SetString("US");
  FillAddress(po->billTo, "Robert Smith");
  po->comment.SetString("Hurry, my lawn is going wild!");
  po->items->item->AppendItem(NewItem("872-AA", "Lawnmower", 1, "148.95"));
  CSmartPtr<Item> monitor = NewItem("926-AA", "Baby Monitor", 1, "39.98");
  monitor->comment.SetString("Confirm this is electric");
  monitor->shipDate.FromString("1999-05-21", ItemType_date, kNone);
  po->items->item->AppendItem(monitor);
  po->status.SetI4(Status_Shipped);
  CSmartPtr<Extra> extra = new Extra;
  extra->note.SetString("fragile");
  extra->rating.SetI4(5);
  extra->lang.SetString("en");
  po->extra = extra.Get();
  CSmartPtr<Card> card = new Card;
  card->SetElementName("payment");
  card->number.SetString("4111");
  po->payment = card.Get();
  CSmartPtr<Note> remark = new Note;
  remark->SetElementName("remark");
  remark->text.SetString("leave at the door");
  remark->author.SetString("bob");
  po->remark = remark.Get();
  po->gift.SetNil();
  po->tag->values = {"garden", "baby"};
  CSmartPtr<CElement> any = new CElement("stamp", "urn:other");
  any->SetText("x1");
  po->any = any.Get();
  return po;
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

TEST(ElementInfoSeq, FullOrderWritesTheExpectedDocument) {
  const CXmlSerializationContext ctx = Ctx();
  EXPECT_EQ(kFullOrder, WriteText(FullOrder(), ctx));
}

TEST(ElementInfoSeq, TextToObjectsToTextIsIdentical) {
  const CXmlSerializationContext ctx = Ctx();
  for (const char* doc : {kFullOrder, kMinimalOrder}) {
    const bool formatted = doc == std::string(kFullOrder);
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    ReadText(po, doc, ctx);
    EXPECT_EQ(doc, WriteText(po, ctx, formatted)) << doc;
  }
}

// The same document through every input shape reads to the same objects.
TEST(ElementInfoSeq, EveryInputShapeReadsTheSameObjects) {
  const CXmlSerializationContext ctx = Ctx();
  CSmartPtr<PurchaseOrder> source = FullOrder();

  std::vector<std::pair<std::string, std::function<void(CXmlObjectBase*)>>> shapes;
  shapes.emplace_back("text", [&](CXmlObjectBase* o) { ReadText(o, kFullOrder, ctx); });
  shapes.emplace_back("wide", [&](CXmlObjectBase* o) {
    const std::string text = kFullOrder;
    const std::wstring wide(text.begin(), text.end());
    CXmlDocument doc(ctx);
    doc.LoadXml(wide.c_str());
    ReadDocument(o, doc, ctx);
  });
  auto encoded = [&](XmlEncoding encoding, CompressionType compression) {
    CTextStream stream(encoding);
    stream.Append(kFullOrder);
    CBinaryData data = stream.GetEncodedStream();
    CVxZip().CompressData(data, compression);
    return data;
  };
  for (XmlEncoding encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16})
    for (CompressionType compression :
         {CompressionType_None, CompressionType_GZip, CompressionType_ZLib})
      shapes.emplace_back("bytes " + std::to_string(encoding) + "/" + std::to_string(compression),
                          [&, encoding, compression](CXmlObjectBase* o) {
                            CBinaryData data = encoded(encoding, compression);
                            ReadBytes(o, data.GetData(), data.GetLength(), ctx);
                          });

  for (const auto& shape : shapes) {
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    shape.second(po);
    EXPECT_EQ(kFullOrder, WriteText(po, ctx)) << shape.first;
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
       Expected<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to find a required element [billTo]")},
      {Order(kShip + kBill),
       Expected<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to find a required element [items]")},
      {WithItem("<item partNum='1'><productName>P</productName><quantity>x</quantity>"
                "<USPrice>1</USPrice></item>"),
       Expected<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to process the element [items]\n"
                                        "Failed to process the element [item]\n"
                                        "The value [x] can not be converted to a i4")},
      {Order("<shipTo xsi:nil='true'/>" + kBill + "<items/>"),
       Expected<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed to process the element [shipTo]\n"
           "Invalid use of 'nil' attibute in non-nillable element [shipTo]")},
      {Order(kShip + kBill + "<items/><remark xsi:nil='yes'/>"),
       Expected<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Failed to process the element [remark]\n"
                                        "Unexpected Value [yes] for 'nil' Attribute found.")},
      {Order(kShip + kBill + "<items/><giftWrap xsi:nil='maybe'/>"),
       Expected<CVxValidationException>("Failed to process the element [purchaseOrder]\n"
                                        "Unexpected Value [maybe] for 'nil' Attribute found.")},
      {Order(kShip + kBill + "<items/><payment xsi:type='ChequeType'/>"),
       Expected<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed read all the elements held within the element [purchaseOrder]. The "
           "unexpected element [payment] remains un processed")},
      {Order(kShip + kBill + "<items/><rating>1</rating>"),
       Expected<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed read all the elements held within the element [purchaseOrder]. The "
           "unexpected element [rating] remains un processed")},
      {Order(kShip + kBill + "<items/><stamp xmlns='urn:po'/>"),
       Expected<CVxValidationException>(
           "Failed to process the element [purchaseOrder]\n"
           "Failed read all the elements held within the element [purchaseOrder]. The "
           "unexpected element [stamp] remains un processed")},
  };
  const CXmlSerializationContext ctx = Ctx();
  for (const Case& c : cases) {
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    EXPECT_EQ(c.expected, Failure([&] { ReadText(po, c.doc, ctx); })) << c.doc;
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
    const std::string failure = Failure([&] { ReadText(po, *c.doc, ctx); });
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

TEST(ElementInfoSeq, MissingMandatoryKeepsThePreviousValue) {
  CXmlSerializationContext ctx = Ctx();
  ctx.SetIgnoreMissingMandatoryElements(true);
  CSmartPtr<USAddress> address = new USAddress;
  ReadText(address, "<a xmlns='urn:po'><street>S</street><zip>7</zip></a>", ctx);
  EXPECT_FALSE(address->name.IsValid());
  EXPECT_EQ("S", address->street.GetString());
  EXPECT_FALSE(address->city.IsValid());
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
  out.failure = Failure([&] {
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
       Expected<CVxValidationException>("Failed to find a required element [a]"), false, "x"},
      {&primMnd, &xab, E, &unknown, "", true, "b"},
      {&primMnd, &xab, P, &plain, "", false, "x"},
      {&primMnd, &xab, P, &unknown, "", true, "b"},
      {&primMnd, &b, P, &unknown, "", false, "-"},
      {&primOpt, &xab, E, &unknown, "", true, "x"},
      {&primOpt, &ab, P, &plain, "", true, "b"},
      {&enumMnd, &xab, P, &unknown, "", false, "x"},
      {&enumMnd, &xab, E, &unknown, "", true, "b"},
      {&enumMnd, &none, E, &plain,
       Expected<CVxValidationException>("Failed to find a required element [a]"), false, "-"},
      {&absMnd, &ab, E, &plain, "", true, "b"},
      {&absMnd, &b, E, &unknown,
       Expected<CVxValidationException>("Failed to find a suitable substitution element for [a]"),
       false, "b"},
      {&absNone, &ab, E, &plain,
       Expected<CVxValidationException>("Failed to find a suitable substitution element for [a]"),
       false, "a"},
      {&absNone, &ab, P, &plain, "", false, "a"},
      {&absOptNone, &ab, E, &plain, "", true, "a"},
      {&untpdMnd, &foreign, E, &plain, "", true, "b"},
      {&untpdMnd, &b, E, &plain,
       Expected<CVxValidationException>(
           "Failed to find the required element from namespace [urn:po]"),
       false, "b"},
      {&untpdMnd, &b, P, &plain, "", false, "b"},
      {&untpdMnd, &none, P, &plain,
       Expected<CVxValidationException>("Failed to find a required element [AnyElement]"), false,
       "-"},
      {&untpdOpt, &ab, E, &plain, "", true, "a"},
      {&untpdOpt, &b, E, &plain, "", true, "-"},
      {&extraMust, &noteRating, E, &plain, "", true, "b"},
      {&extraMust, &none, E, &plain,
       Expected<CVxValidationException>("Failed to find a required element [extra]"), false, "-"},
      {&extraMust, &none, P, &plain, "", false, "-"},
      {&extraMust, &b, E, &plain,
       Expected<CVxValidationException>("Failed to find a required element [extra]"), false, "b"},
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

TEST(ElementInfoSeq, CollectionCountsOnReadingAndWriting) {
  CElementInfoSeqPrimCol col("tag", kPo, 1);
  CSmartPtr<StringCol> tags = new StringCol("tag", 2, 3);
  CSmartPtr<Host> host = new Host;
  host->props[1].SetXmlCollection(tags);
  const std::string one = "<r xmlns='urn:po'><tag>a</tag><b/></r>";
  CXmlSerializationContext ctx = Ctx();

  Outcome out = RunMember(col, *host, one, XmlElementType_Element, ctx);
  EXPECT_EQ(Expected<CVxValidationException>(
                "The Minimum number of [tag] elements allowed in this collection is 2"),
            out.failure);
  tags->Clear();
  out = RunMember(col, *host, one, XmlElementType_PseudoElement, ctx);
  EXPECT_EQ("", out.failure);
  EXPECT_FALSE(out.answer);
  EXPECT_EQ("b", out.cursor);

  // Writing checks the count first, unless the context ignores counts.
  EXPECT_EQ(Expected<CVxValidationException>(
                "The Minimum number of [tag] elements allowed in this collection is 2"),
            Failure([&] {
              CTextStream stream(XmlEncoding_UTF8);
              CXmlTextWriter writer(stream);
              writer.Open();
              col.ElementToXml(ctx, host, &writer);
            }));
  ctx.SetIgnoreInvalidCollectionCounts(true);
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.Open();
  EXPECT_TRUE(col.ElementToXml(ctx, host, &writer));
  writer.Close();
  EXPECT_EQ("<AA:tag xmlns:AA=\"urn:po\">a</AA:tag>\n", std::string(stream.GetText()));
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
  EXPECT_EQ(Expected<CVxException>("Not implemented, should never be called"),
            Failure([&] { shell.Validate(Ctx(), host, true, true); }));
}

TEST(ElementInfoSeq, AbstractMemberWritesAndReadsTheDerivedClass) {
  const CXmlSerializationContext ctx = Ctx();
  const std::pair<std::string, std::string> payments[] = {
      {"CashType", "<amount>2.5</amount>"}, {"CardType", "<number>9</number>"}};
  for (const auto& payment : payments) {
    const std::string& type = payment.first;
    const std::string body =
        "<payment xsi:type='" + type + "'>" + payment.second + "</payment>";
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    ReadText(po, Order(kShip + kBill + "<items/>" + body), ctx);
    ASSERT_FALSE(po->payment.IsNull());
    EXPECT_EQ("payment", po->payment->GetElementName());
    const std::string written = WriteText(po, ctx, false);
    EXPECT_NE(std::string::npos, written.find(std::string("xsi:type=\"") + type + "\"")) << written;
  }
}

}  // namespace
