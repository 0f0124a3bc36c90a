#include "vxxml/Metadata.h"

#include <gtest/gtest.h>

#include <string>

#include "TestUtil.h"
#include "core/GeneratedFixtures.h"
#include "vxxml/AttributeInfos.h"
#include "vxxml/ElementInfoSeq.h"
#include "vxxml/XmlDocument.h"

using namespace vxxml_test;

namespace {

const char kXsiDecl[] = "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"";
const auto kNoWs = CWhitespaceUtils::WhitespaceRule_None;

// A simple member, with or without the facts of its simple type.
using PrimInfo = CElementInfoSeqPrimOpt;
using UntypedInfo = CElementInfoSeqPrimCol;

struct Doc {
  explicit Doc(const std::string& xml) { doc.LoadXml(xml.c_str()); }
  CXmlElement* Root() const { return doc.GetDocumentElement(); }
  CXmlElement* Child(int n) const {
    CXmlElement* e = Root()->GetFirstElement();
    while (n-- > 0) e = e->GetNextSiblingElement();
    return e;
  }
  CXmlDocument doc;
};

TEST(ElementInfo, IsThisElementComparesNameThenNamespace) {
  Doc d("<r xmlns='urn:a'><x/><x xmlns='urn:b'/><x xmlns=''/><xx/><X/></r>");
  UntypedInfo inA("x", "urn:a", 1), inNone("x", "", 1);
  CXmlSerializationContext strict, ignoring, noNs;
  ignoring.SetIgnoreNamespaces(true);
  noNs.SetSchemaType(SchemaType_NoNamespaces);
  struct Case {
    int child;
    const UntypedInfo* info;
    bool strict, ignoring;
  } cases[] = {
      {0, &inA, true, true},   {1, &inA, false, true},  {2, &inA, false, true},
      {2, &inNone, true, true}, {0, &inNone, false, true}, {3, &inA, false, false},
      {4, &inA, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.info->IsThisElement(strict, d.Child(c.child)), c.strict) << c.child;
    EXPECT_EQ(c.info->IsThisElement(ignoring, d.Child(c.child)), c.ignoring) << c.child;
    EXPECT_EQ(c.info->IsThisElement(noNs, d.Child(c.child)), c.ignoring) << c.child;
  }
  EXPECT_FALSE(inA.IsThisElement(ignoring, nullptr));
}

TEST(ElementInfo, AnyDefaultNamespace) {
  struct Case {
    const char* restriction;
    const char* owner;
    const char* expected;
  } cases[] = {
      {"##any", "urn:o", "urn:o"},          {"##other", "urn:o", ""},
      {"##other", "", "DefaultNamespace"},  {"##local", "urn:o", ""},
      {"##targetNamespace", "urn:o", "urn:t"}, {"##local ##targetNamespace", "urn:o", ""},
      {"##targetNamespace ##local", "urn:o", "urn:t"}, {"##other urn:x", "", "DefaultNamespace"},
      {"##anything", "urn:o", ""},          {"urn:x urn:y", "urn:o", ""},
  };
  for (const Case& c : cases)
    EXPECT_EQ(CElementInfo::GetAnyDefaultNamespace(c.restriction, c.owner, "urn:t"), c.expected)
        << c.restriction << " / " << c.owner;
}

TEST(ElementInfo, NilRulesWhenReadingSimpleValues) {
  const std::string nonNillable = vxtest::Named<CVxValidationException>(
      "Invalid use of 'nil' attibute in non-nillable element [v]");
  const auto unexpected = [](const char* v) {
    return vxtest::Named<CVxValidationException>("Unexpected Value [" + std::string(v) +
                                                 "] for 'nil' Attribute found.");
  };
  struct Case {
    const char* nil;  // null: no attribute
    bool nillable;
    std::string expected;  // "nil", the value's text, or the failure
  } cases[] = {
      {nullptr, false, "12"},      {"False", true, "12"},       {"0", false, "12"},
      {"TRUE", true, "nil"},        {"1", true, "nil"},          {"true", false, nonNillable},
      {"yes", false, nonNillable},  {"yes", true, unexpected("yes")},
      {"01", true, unexpected("01")}, {"true ", true, unexpected("true ")},
  };
  for (const Case& c : cases) {
    std::string xml = std::string("<v ") + kXsiDecl;
    if (c.nil) xml += std::string(" xsi:nil='") + c.nil + "'";
    xml += "> 12 </v>";
    Doc d(xml);
    PrimInfo info("v", "", 1, c.nillable, ItemType_i4, nullptr,
                  CWhitespaceUtils::WhitespaceRule_Collapse, CPrimitiveRestrictions());
    Host owner;
    std::string got = vxtest::Failure(
        [&] { info.ElementFromXmlPrim(CXmlSerializationContext(), &owner, d.Root()); });
    if (got.empty()) got = owner.props[1].IsNil() ? "nil" : owner.props[1].ToString("");
    else EXPECT_EQ(owner.props.count(1), 0u) << "nothing stored on failure";
    EXPECT_EQ(got, c.expected) << (c.nil ? c.nil : "(none)") << c.nillable;
  }
}

// Names of infos that are not plain NCNames are still checked as written.
TEST(ElementInfo, NamesOtherThanNCNamesAreCheckedWhenWritten) {
  Host owner;
  owner.props[1].SetI4(1);
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.Open();
  writer.WriteStartElement("r", "");
  const CXmlSerializationContext ctx;
  PrimInfo element("a<", "", 1, false, ItemType_i4, nullptr, kNoWs, CPrimitiveRestrictions());
  CAttributeInfoPrimitive attribute("b>", "", 1, false, ItemType_i4, nullptr, kNoWs,
                                    CPrimitiveRestrictions(), nullptr);
  EXPECT_EQ(vxtest::Failure([&] { attribute.AttributeToXml(ctx, &owner, &writer); }),
            vxtest::Named<CVxException>("Invalid XML name [b>]."));
  EXPECT_EQ(vxtest::Failure([&] { element.ElementToXml(ctx, &owner, &writer); }),
            vxtest::Named<CVxException>("Invalid XML name [a<]."));
}

// Counts live infos, to see CleanMetaData delete every one.
int g_live = 0;
class CountedInfo : public UntypedInfo {
 public:
  CountedInfo() : UntypedInfo("c", "", 1) { ++g_live; }
  ~CountedInfo() override { --g_live; }
};
class CountedAttr : public CAttributeInfoPrimitive {
 public:
  CountedAttr()
      : CAttributeInfoPrimitive("a", "", 1, true, ItemType_i4, nullptr, kNoWs,
                                CPrimitiveRestrictions(), nullptr) {
    ++g_live;
  }
  ~CountedAttr() override { --g_live; }
};

class Counted : public TestClass<Counted> {
 public:
  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[3]{new CountedInfo, new CountedInfo, nullptr};
    m.attributes = new CAttributeInfo*[2]{new CountedAttr, nullptr};
    m.info = new CParentElementInfo(XmlElementGroupType_Choice, XmlElementType_PseudoElement,
                                    nullptr, nullptr, false, true, 3, ItemType_decimal, nullptr,
                                    true);
  }
};

TEST(ElementInfo, MetadataIsBuiltOnceAndCleanedCompletely) {
  Counted a, b;
  EXPECT_EQ(a.GetClassInfo(), b.GetClassInfo());
  EXPECT_EQ(g_live, 3);

  Metadata& m = Counted::Meta();
  CXmlGeneratedClass::CleanMetaData(m.info, m.elements, m.attributes);
  EXPECT_EQ(g_live, 0);
  Counted::Meta();  // rebuilt on next use
  EXPECT_EQ(g_live, 3);
  CParentElementInfo* p = nullptr;
  CElementInfo** e = nullptr;
  CAttributeInfo** t = nullptr;
  CXmlGeneratedClass::CleanMetaData(p, e, t);  // null pointers are skipped
  CXmlGeneratedClass::CleanMetaData(m.info, m.elements, m.attributes);
  EXPECT_EQ(g_live, 0);
  EXPECT_EQ(m.info, nullptr);
  EXPECT_EQ(m.elements, nullptr);
  EXPECT_EQ(m.attributes, nullptr);
}

}  // namespace
