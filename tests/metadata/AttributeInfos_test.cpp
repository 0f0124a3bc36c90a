#include "vxxml/AttributeInfos.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "TestUtil.h"
#include "core/GeneratedFixtures.h"
#include "metadata/Shapes.h"

using namespace vxxml_test;
using vxtest::Throws;

namespace {

const char kNs[] = "urn:po";

CPrimitiveRestrictions Sku() {
  return CPrimitiveRestrictions("\\d{3}-[A-Z]{2}", -1, -1, "", "", "", "", -1);
}
CPrimitiveRestrictions Below100() {
  return CPrimitiveRestrictions("", -1, -1, "", "", "", "100", -1);
}

enum { kPartNum = 1, kQty, kPrice, kColor, kLang, kAny, kShade };

// <item partNum=".." qty=".." price=".." color=".." x:lang=".." (others)/>:
// every attribute kind, with defaults on the optional ones.
class Item : public TestClass<Item> {
 public:
  Item() { SetElementName("item"); }
  // As generated code does, the reset object holds its wildcard collection.
  void Init() override {
    props.clear();
    SetCollection(kAny, new CAttributeCol("", "##other", kNs));
  }
  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[1]{nullptr};
    m.attributes = new CAttributeInfo*[8]{
        new CAttributeInfoPrimitive("partNum", "", kPartNum, false, ItemType_string, nullptr,
                                    CWhitespaceUtils::WhitespaceRule_Preserve, Sku(), nullptr),
        new CAttributeInfoPrimitive("qty", "", kQty, true, ItemType_i4, nullptr,
                                    CWhitespaceUtils::WhitespaceRule_Collapse, Below100(), "1"),
        new CAttributeInfoPrimitive("price", "", kPrice, true, ItemType_r8, "%.2f",
                                    CWhitespaceUtils::WhitespaceRule_Collapse,
                                    CPrimitiveRestrictions(), "0.00"),
        new CAttributeInfoEnum("color", "", kColor, true, shapes::ColorToText, shapes::TextToColor, "red"),
        new CAttributeInfoPrimitive("lang", "urn:x", kLang, true, ItemType_string, nullptr,
                                    CWhitespaceUtils::WhitespaceRule_None,
                                    CPrimitiveRestrictions(), ""),
        new CAttributeInfoEnum("shade", "", kShade, false, shapes::ColorToText, shapes::TextToColor, nullptr),
        // Last: a wildcard takes every attribute its rule admits.
        new CAttributeInfoAny("AnyAttribute", "", kAny, true, "##other", kNs, nullptr), nullptr};
    m.info = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element,
                                    "ItemType", kNs, true, false, -1, ItemType_none, nullptr,
                                    false);
  }
};

CSmartPtr<Item> FullItem() {
  CSmartPtr<Item> item(new Item);
  item->props[kPartNum].SetString("926-AA");
  item->props[kQty].SetI4(3);
  item->props[kPrice].SetR8(9.5);
  item->props[kColor].SetI4(1);
  item->props[kLang].SetString("en");
  CSmartPtr<CAttributeCol> any(new CAttributeCol("urn:o", "##other", kNs));
  any->Add("note", "fragile");
  item->SetCollection(kAny, any);
  item->props[kShade].SetI4(2);
  return item;
}

// The writer declares each namespace just before the first attribute in it.
const char kFullItem[] =
    "<item xmlns=\"urn:po\" partNum=\"926-AA\" qty=\"3\" price=\"9.50\" color=\"green\" "
    "xmlns:AA=\"urn:x\" AA:lang=\"en\" shade=\"blue\" xmlns:AB=\"urn:o\" "
    "AB:note=\"fragile\"/>";

CXmlSerializationContext Ctx() {
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kNs);
  return ctx;
}

TEST(AttributeInfos, DefaultsLeftOutOnlyWhenAsked) {
  struct Case {
    int id;
    double value;  // < 0: absent
    bool option;
    const char* expected;  // the attributes after partNum, before shade
  } cases[] = {
      // Values equal to their defaults, as the format writes them.
      {kQty, 1, false, " qty=\"1\""},
      {kQty, 1, true, ""},
      {kPrice, 0, true, ""},
      {kColor, 0, true, ""},
      // Other values, and an empty default, are always written.
      {kQty, 2, true, " qty=\"2\""},
      {kLang, 0, true, " xmlns:AA=\"urn:x\" AA:lang=\"\""},
      // Absent optional values write nothing.
      {kQty, -1, false, ""},
  };
  for (const Case& c : cases) {
    CSmartPtr<Item> item(new Item);
    item->props[kPartNum].SetString("926-AA");
    item->props[kShade].SetI4(0);
    VxVariant& v = item->props[c.id];
    if (c.value < 0) v.Clear();
    else if (c.id == kPrice) v.SetR8(c.value);
    else if (c.id == kLang) v.SetString("");
    else v.SetI4(static_cast<long>(c.value));
    CXmlSerializationContext ctx = Ctx();
    ctx.SetNoOptionalAttributeDefaultOutput(c.option);
    EXPECT_EQ(WriteRoot(item, ctx, false),
              std::string("<item xmlns=\"urn:po\" partNum=\"926-AA\"") + c.expected +
                  " shade=\"red\"/>")
        << c.expected << " " << c.option;
  }
}

TEST(AttributeInfos, WritingFailures) {
  const std::string wrap = "Failed to convert the element [item] to XML\n"
                           "Failed to convert attributes to XML\n";
  struct Case {
    std::function<void(Item&)> spoil;
    std::string expected;
  } cases[] = {
      {[](Item& i) { i.props[kPartNum].SetString("92-AA"); }, "Invalid Value for partNum [92-AA]"},
      {[](Item& i) { i.props[kQty].SetI4(100); }, "Invalid Value for qty [100]"},
      {[](Item& i) { i.props[kQty].SetString("7"); },
       "Invalid Value for qty: a value of type [string] cannot be checked as [i4]"},
      {[](Item& i) { i.props.erase(kPartNum); }, "Invalid Type 0 to convert to string"},
      {[](Item& i) { i.props.erase(kShade); }, "Invalid Type 0 to convert to string"},
  };
  for (const Case& c : cases) {
    CSmartPtr<Item> item = FullItem();
    c.spoil(*item);
    // The class writer wraps every failure in a validation exception.
    EXPECT_TRUE(Throws<CVxValidationException>([&] { WriteRoot(item, Ctx()); }, wrap + c.expected));
  }
}

TEST(AttributeInfos, EveryKindWritesAndReadsBackTheSameBytes) {
  CXmlSerializationContext ctx = Ctx();
  EXPECT_EQ(WriteRoot(FullItem(), ctx, false), kFullItem);
  CSmartPtr<Item> item(new Item);
  item->FromXml(kFullItem, ctx);
  EXPECT_EQ(WriteRoot(item, ctx, false), kFullItem);
  // Defaults are not filled in on reading: an absent optional attribute
  // stays absent and is not written back.
  item->FromXml("<item xmlns='urn:po' partNum='926-AA' shade='red'/>", ctx);
  EXPECT_EQ(WriteRoot(item, ctx, false),
            "<item xmlns=\"urn:po\" partNum=\"926-AA\" shade=\"red\"/>");
}

TEST(AttributeInfos, ReadingRules) {
  const char xml[] =
      "<item xmlns:x='urn:x' xmlns:o='urn:o' xmlns:p='urn:po' partNum=' 12 ' x:partNum='1' "
      "qty=' 4 ' x:color='blue' lang='fr' o:z='1' p:y='2' w='3' shade='red'/>";
  CXmlSerializationContext lenient, ignoring;
  lenient.SetIgnoreUnknownAttributes(true);
  ignoring.SetIgnoreUnknownAttributes(true);
  ignoring.SetIgnoreNamespaces(true);
  CSmartPtr<Item> item(new Item);
  // p:y is in the target namespace, which "##other" refuses: nobody takes it.
  // No facet check on reading; the whitespace rule applies. The simple and
  // enumerated infos refuse x:partNum, x:color and the unqualified lang,
  // which fall to the wildcard with o:z and w.
  item->FromXml(xml, lenient);
  EXPECT_EQ(item->props[kPartNum].GetString() + std::to_string(item->props[kQty].GetI4()) +
                std::to_string(item->props.count(kColor) + item->props.count(kLang)) +
                std::to_string(item->props[kShade].GetI4()),
            " 12 400");
  VxVariant any;
  item->AccessProperty(kAny, true, any);
  auto* col = static_cast<CAttributeCol*>(any.GetXmlCollection().Get());
  std::string held;
  for (CAttribute* a : *col) held += a->GetNamespace() + "|" + a->GetName() + " ";
  EXPECT_EQ(held, "urn:x|partNum urn:x|color |lang urn:o|z |w ");

  // IgnoreNamespaces lets the enumeration take x:color, but not the simple
  // attribute x:partNum (left to the wildcard).
  item->FromXml(xml, ignoring);
  EXPECT_EQ(item->props[kColor].GetI4(), 2);
  EXPECT_EQ(item->props[kPartNum].GetString(), " 12 ");
  item->AccessProperty(kAny, true, any);
  EXPECT_EQ(any.GetXmlCollection()->GetCount(), 4);
}

TEST(AttributeInfos, ReadingFailures) {
  const char* const cases[][2] = {
      {"<item shade='red'/>", "Failed to find the required Attribute [partNum]"},
      {"<item partNum='1'/>", "Failed to find the required Attribute [shade]"},
      {"<item partNum='1' shade='red' qty='x'/>", "The value [x] can not be converted to a i4"},
      // p:y is in the target namespace, which "##other" refuses: nobody takes it.
      {"<item xmlns:p='urn:po' partNum='1' shade='red' p:y='2'/>", "Unexpected Attribute [y] found."},
  };
  for (const auto& c : cases) {
    CSmartPtr<Item> item(new Item);
    EXPECT_TRUE(Throws<CVxValidationException>(
        [&] { item->FromXml(c[0], {}); }, std::string("Failed to process the element [item]\n") + c[1]))
        << c[0];
  }
}

}  // namespace
