#include "vxxml/GeneratedClass.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "core/GeneratedFixtures.h"
#include "vxxml/FastInfosetWriter.h"

using namespace vxxml_test;

namespace {

const char kNs[] = "urn:t";

std::string ColorText(int v) { return v == 0 ? "red" : v == 1 ? "green" : "blue"; }
int ColorValue(const char* t) { return std::string(t) == "red" ? 0 : 1; }

CPrimitiveRestrictions MaxLength(int n) {
  CPrimitiveRestrictions r;
  r.maxLength = n;
  return r;
}

CPrimitiveRestrictions MinInclusive(const char* bound) {
  CPrimitiveRestrictions r;
  r.minInclusive = bound;
  return r;
}

const auto kSeq = XmlElementGroupType_Sequence;
const auto kChoice = XmlElementGroupType_Choice;

// <addr zip="..."><street>...</street></addr>, schema type AddressType, asks
// for xsi:type.
class Address : public TestClass<Address> {
 public:
  Address() { SetElementName("addr"); }
  static void Build(Metadata& m) {
    m.elements = List<CElementInfo>({Prim("street", kNs, 1, ItemType_string, MaxLength(10))});
    m.attributes = List<CAttributeInfo>({new AttrInfo("zip", "", 2, true, nullptr)});
    m.info = ClassInfo(kSeq, "AddressType", kNs, XmlElementType_Element, true);
  }
};

// A tagless group: <note> goes into the enclosing element, lang onto its tag.
class Extra : public TestClass<Extra> {
 public:
  static void Build(Metadata& m) {
    m.elements = List<CElementInfo>({Prim("note", kNs, 1, ItemType_string)});
    m.attributes = List<CAttributeInfo>({new AttrInfo("lang", "", 2, true, nullptr)});
    m.info = ClassInfo(kSeq, "", kNs, XmlElementType_PseudoElement);
  }
};

class Person : public TestClass<Person>, public INillable {
 public:
  Person() { SetElementName("person"); }
  bool nil = false;
  bool IsNil() const override { return nil; }
  void SetNil(bool value) override { nil = value; }

  static void Build(Metadata& m) {
    m.elements = List<CElementInfo>(
        {Prim("name", kNs, 1, ItemType_string, MaxLength(5)),
         Prim("age", kNs, 2, ItemType_i4, MinInclusive("0"), true,
              CWhitespaceUtils::WhitespaceRule_Collapse),
         new EnumInfo("color", kNs, 3, true, ColorText, ColorValue),
         new ClsInfo("addr", kNs, 4, XmlElementType_Element),
         new ClsInfo("extra", kNs, 5, XmlElementType_PseudoElement)});
    m.attributes = List<CAttributeInfo>({new AttrInfo("id", "", 10, false, nullptr)});
    m.info = ClassInfo(kSeq, "PersonType", kNs);
  }
};

// <price currency="...">12.50</price>: a simple value in the element body.
class Price : public TestClass<Price> {
 public:
  Price() { SetElementName("price"); }
  static void Build(Metadata& m) {
    m.elements = List<CElementInfo>({});
    m.attributes = List<CAttributeInfo>({new AttrInfo("currency", "", 2, true, nullptr)});
    m.info = ClassInfo(kSeq, "PriceType", kNs, XmlElementType_Element, false, 1, ItemType_r8,
                       "%.2f");
  }
};

// A choice of <a> (string) or <b> (i4).
class Pick : public TestClass<Pick> {
 public:
  Pick() { SetElementName("pick"); }
  static void Build(Metadata& m) {
    m.elements =
        List<CElementInfo>({Prim("a", kNs, 1, ItemType_string), Prim("b", kNs, 2, ItemType_i4)});
    m.attributes = List<CAttributeInfo>({});
    m.info = ClassInfo(kChoice, "PickType", kNs);
  }
};

// The same choice whose second alternative is optional.
class OptPick : public TestClass<OptPick> {
 public:
  OptPick() { SetElementName("opt"); }
  static void Build(Metadata& m) {
    m.elements = List<CElementInfo>(
        {Prim("a", kNs, 1, ItemType_string), Prim<OptionalPrimInfo>("b", kNs, 2, ItemType_i4)});
    m.attributes = List<CAttributeInfo>({});
    m.info = ClassInfo(kChoice, "OptType", kNs);
  }
};

// Holds a Pick under <p>; `allowEmpty` is the flag the info hands down.
template <bool allowEmpty>
class Holder : public TestClass<Holder<allowEmpty>> {
 public:
  Holder() { this->SetElementName("holder"); }
  static void Build(Metadata& m) {
    m.elements = List<CElementInfo>({new ClsInfo("p", kNs, 1, XmlElementType_Element, allowEmpty)});
    m.attributes = List<CAttributeInfo>({});
    m.info = ClassInfo(kSeq, "HolderType", kNs);
  }
};

// A class whose group type is none of the three.
class BadGroup : public TestClass<BadGroup> {
 public:
  BadGroup() { SetElementName("bad"); }
  static void Build(Metadata& m) {
    m.elements = List<CElementInfo>({});
    m.attributes = List<CAttributeInfo>({});
    m.info = ClassInfo(static_cast<XmlElementGroupType>(7), "BadType", kNs);
  }
};

// A choice between a run of <e> elements and <b>.
class Many : public TestClass<Many> {
 public:
  Many() { SetElementName("many"); }
  static void Build(Metadata& m) {
    m.elements =
        List<CElementInfo>({new ColInfo("e", kNs, 1, true), Prim("b", kNs, 2, ItemType_i4)});
    m.attributes = List<CAttributeInfo>({});
    m.info = ClassInfo(kChoice, "ManyType", kNs);
  }
};

// A person with every member set.
CSmartPtr<Person> FullPerson() {
  CSmartPtr<Person> p(new Person);
  p->SetString(1, "Ann");
  p->SetI4(2, 42);
  p->SetI4(3, 1);
  CSmartPtr<Address> a(new Address);
  a->SetString(1, "Main St");
  a->SetI4(2, 1234);
  p->SetObject(4, a);
  CSmartPtr<Extra> e(new Extra);
  e->SetString(1, "hi");
  e->SetString(2, "en");
  p->SetObject(5, e);
  p->SetI4(10, 7);
  return p;
}

// A context that declares the classes' namespace as the default one.
CXmlSerializationContext Ctx() {
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kNs);
  return ctx;
}

// The failure of `f` as a validation exception with `message`.
::testing::AssertionResult Fails(const std::function<void()>& f, const std::string& message) {
  return vxtest::Throws<CVxValidationException>(f, message);
}

TEST(GeneratedClassWrite, EveryMemberShape) {
  CSmartPtr<Person> p = FullPerson();
  EXPECT_EQ(WriteRoot(p, Ctx()),
            "<person xmlns=\"urn:t\" id=\"7\" lang=\"en\">\n"
            "\t<name>Ann</name>\n"
            "\t<age>42</age>\n"
            "\t<color>green</color>\n"
            "\t<addr xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" "
            "AA:type=\"AddressType\" zip=\"1234\">\n"
            "\t\t<street>Main St</street>\n"
            "\t</addr>\n"
            "\t<note>hi</note>\n"
            "</person>\n");
}

TEST(GeneratedClassWrite, RootMaterialInOrderAndOnlyOnTheRoot) {
  CSmartPtr<Person> p = FullPerson();
  p->props.erase(5);
  CXmlSerializationContext ctx = Ctx();
  ctx.GetProcessingInstructions().push_back("<?one a?>");
  ctx.GetProcessingInstructions().push_back("<?two?>");
  ctx.GetNamespaceAliases().Add("z", "urn:z");
  ctx.GetNamespaceAliases().Add("t", "urn:t");
  ctx.GetNamespaceAliases().Add("a", "urn:a");
  ctx.SetDefaultNamespaceURI("urn:d");
  ctx.SetInLineSchema("<xs:schema/>");
  ctx.SetWriteTypeAttribute(false);
  EXPECT_EQ(WriteRoot(p, ctx, false),
            "<?one a?>\n\n<?two?>\n\n"
            "<t:person xmlns=\"urn:d\" xmlns:a=\"urn:a\" xmlns:t=\"urn:t\" xmlns:z=\"urn:z\" "
            "id=\"7\"> \n<xs:schema/>\n"
            "<t:name>Ann</t:name><t:age>42</t:age><t:color>green</t:color>"
            "<t:addr zip=\"1234\"><t:street>Main St</t:street></t:addr></t:person>");
}

TEST(GeneratedClassWrite, CollectionMembers) {
  CXmlSerializationContext ctx = Ctx();
  CSmartPtr<Many> many(new Many);
  CSmartPtr<CElementCol> col(new CElementCol(kNs, "##any", kNs, 1, -1));
  many->SetCollection(1, col);
  many->SetI4(2, 3);
  // An empty collection is not the chosen alternative.
  EXPECT_EQ(WriteRoot(many, ctx, false), "<many xmlns=\"urn:t\"><b>3</b></many>");
  EXPECT_FALSE(many->DoesElementContainOptionalElements());
  col->Add("e")->SetText("x");
  col->Add("f")->SetText("y");
  EXPECT_EQ(WriteRoot(many, ctx, false),
            "<many xmlns=\"urn:t\"><e>x</e><f>y</f></many>");

  // A collection whose minimum is 0 lets the choice be empty.
  CSmartPtr<Many> none(new Many);
  none->SetCollection(1, new CElementCol(kNs, "##any", kNs, 1, -1));
  EXPECT_TRUE(Fails([&] { WriteRoot(none, ctx); },
            "Failed to convert the element [many] to XML\n"
            "This element is a choice, and as such must have at one (and only one) valid item, "
            "currently there are none set"));
  none->SetCollection(1, new CElementCol(kNs, "##any", kNs, 0, 2));
  EXPECT_TRUE(none->DoesElementContainOptionalElements());
  EXPECT_EQ(WriteRoot(none, ctx, false), "<many xmlns=\"urn:t\"/>");
}

TEST(GeneratedClassWrite, SimpleBodyValueWithFormat) {
  CSmartPtr<Price> price(new Price);
  price->props[1].SetR8(12.5);
  price->SetString(2, "EUR");
  CXmlSerializationContext ctx = Ctx();
  EXPECT_EQ(WriteRoot(price, ctx, false), "<price xmlns=\"urn:t\" currency=\"EUR\">12.50</price>");
  price->SetNilValue(1);
  EXPECT_EQ(WriteRoot(price, ctx, false),
            "<price xmlns=\"urn:t\" currency=\"EUR\" "
            "xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:nil=\"true\"/>");
}

TEST(GeneratedClassWrite, ChoiceWritesTheFirstMemberThatHoldsAValue) {
  CXmlSerializationContext ctx = Ctx();
  CSmartPtr<Pick> both(new Pick);
  both->SetString(1, "x");
  both->SetI4(2, 5);
  EXPECT_EQ(WriteRoot(both, ctx, false), "<pick xmlns=\"urn:t\"><a>x</a></pick>");
  CSmartPtr<Pick> second(new Pick);
  second->SetI4(2, 5);
  EXPECT_EQ(WriteRoot(second, ctx, false), "<pick xmlns=\"urn:t\"><b>5</b></pick>");
}

TEST(GeneratedClassWrite, EmptyChoiceRules) {
  const char* message =
      "Failed to convert the element [pick] to XML\n"
      "This element is a choice, and as such must have at one (and only one) valid item, "
      "currently there are none set";
  CXmlSerializationContext ctx = Ctx();
  CSmartPtr<Pick> empty(new Pick);
  EXPECT_TRUE(Fails([&] { WriteRoot(empty, ctx); }, message));

  // An optional member lets the choice be empty.
  CSmartPtr<OptPick> opt(new OptPick);
  EXPECT_EQ(WriteRoot(opt, ctx, false), "<opt xmlns=\"urn:t\"/>");

  // So does the context.
  CXmlSerializationContext ignoring = Ctx();
  ignoring.SetIgnoreMissingChoice(true);
  EXPECT_EQ(WriteRoot(empty, ignoring, false), "<pick xmlns=\"urn:t\"/>");

  // And the flag a class-valued member hands down; without it, the nested
  // failure reads one line per level.
  CSmartPtr<Holder<true>> allowing(new Holder<true>);
  allowing->SetObject(1, new Pick);
  EXPECT_EQ(WriteRoot(allowing, ctx, false), "<holder xmlns=\"urn:t\"><pick/></holder>");
  CSmartPtr<Holder<false>> strict(new Holder<false>);
  strict->SetObject(1, new Pick);
  EXPECT_TRUE(Fails([&] { WriteRoot(strict, ctx); },
            std::string("Failed to convert the element [holder] to XML\n") + message));
}

TEST(GeneratedClassWrite, FailuresAreWrappedPerLevel) {
  struct Case {
    const char* what;
    std::function<void(Person&)> spoil;
    const char* expected;
  } cases[] = {
      {"facet of a member", [](Person& p) { p.SetString(1, "Annabel"); },
       "Failed to convert the element [person] to XML\n"
       "Invalid Value for name [Annabel]"},
      {"bound of a member", [](Person& p) { p.SetI4(2, -1); },
       "Failed to convert the element [person] to XML\n"
       "Invalid Value for age [-1]"},
      {"facet of a nested member",
       [](Person& p) {
         VxVariant v;
         p.AccessProperty(4, true, v);
         static_cast<Address*>(v.GetXmlObject().Get())->SetString(1, "A very long street");
       },
       "Failed to convert the element [person] to XML\n"
       "Failed to convert the element [addr] to XML\n"
       "Invalid Value for street [A very long street]"},
      {"required attribute absent", [](Person& p) { p.props.erase(10); },
       "Failed to convert the element [person] to XML\n"
       "Failed to convert attributes to XML\n"
       "Invalid Type 0 to convert to string"},
      {"value that is not a simple kind", [](Person& p) { p.SetObject(1, new Address); },
       "Failed to convert the element [person] to XML\n"
       "Invalid Value for name: a value of type [object] cannot be checked as [string]"},
  };
  for (const Case& c : cases) {
    CSmartPtr<Person> p = FullPerson();
    c.spoil(*p);
    EXPECT_TRUE(Fails([&] { WriteRoot(p, Ctx()); }, c.expected)) << c.what;
  }
  CSmartPtr<BadGroup> bad(new BadGroup);
  EXPECT_TRUE(Fails([&] { WriteRoot(bad, Ctx()); },
            "Failed to convert the element [bad] to XML\nUnknown XML Group Type"));
}

// The same call sequence drives the Fast Infoset writer: every document of
// the text tests is accepted there too, and carries its texts.
std::string WriteFastInfoset(const CXmlObjectBase* object, const CXmlSerializationContext& ctx) {
  CBinaryStream stream;
  CFastInfosetWriter writer(ctx.GetFIContext(), stream);
  writer.Open();
  writer.WriteStartDocument(FInfoDecl_None);
  const std::string ns = object->GetTargetNamespace();
  CXmlObjectBase::ToXml_Int(object, &writer, true, ns.c_str(), ctx, false);
  writer.WriteEndDocument();
  writer.Close();
  CBinaryData data = stream.GetBinaryStream();
  return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

TEST(GeneratedClassWrite, FastInfosetWriterTakesTheSameDocuments) {
  CXmlSerializationContext ctx = Ctx();
  ctx.GetProcessingInstructions().push_back("<?pi?>");
  ctx.GetNamespaceAliases().Add("a", "urn:a");
  ctx.SetInLineSchema("<xs:schema/>");
  ctx.GetAdditionalRootAttributes()->Add("k", "root-attribute", "");
  CSmartPtr<Person> full = FullPerson();
  CSmartPtr<Person> nil = FullPerson();
  nil->nil = true;
  CSmartPtr<Price> price(new Price);
  price->props[1].SetR8(12.5);
  const CXmlObjectBase* objects[] = {full.Get(), nil.Get(), price.Get()};
  for (const CXmlObjectBase* object : objects) {
    const std::string bytes = WriteFastInfoset(object, ctx);
    EXPECT_NE(bytes.find("root-attribute"), std::string::npos);
    EXPECT_EQ(bytes.find("xs:schema"), std::string::npos);
  }
  EXPECT_NE(WriteFastInfoset(full, ctx).find("Main St"), std::string::npos);
  CSmartPtr<Person> bad = FullPerson();
  bad->SetString(1, "Annabel");
  EXPECT_TRUE(Fails([&] { WriteFastInfoset(bad, ctx); },
            "Failed to convert the element [person] to XML\nInvalid Value for name [Annabel]"));
}

}  // namespace
