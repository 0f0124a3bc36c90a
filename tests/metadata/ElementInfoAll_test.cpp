#include "vxxml/ElementInfoAll.h"

#include <gtest/gtest.h>

#include <string>

#include "core/GeneratedFixtures.h"
#include "metadata/Shapes.h"

using namespace shapes_test;
using vxtest::Failure;
using vxtest::Named;
using vxxml_test::Host;

namespace {

const std::string kInOrder =
    "<id>7</id><note xsi:nil='true'/><color>blue</color><size>M</size>"
    "<shipTo><name>Main St 1</name></shipTo><billTo><name>Side St 2</name><zip>1</zip></billTo>"
    "<memo a='1'>m<i/></memo><o:x>hi</o:x><card>1234</card>";

TEST(ElementInfoAll, ReadsInAnyOrderAndWritesBackInSchemaOrder) {
  const std::string reversed =
      "<card>1234</card><o:x>hi</o:x><memo a='1'>m<i/></memo>"
      "<billTo><name>Side St 2</name><zip>1</zip></billTo><shipTo><name>Main St 1</name></shipTo>"
      "<size>M</size><color>blue</color><note xsi:nil='true'/><id>7</id>";
  EXPECT_EQ(Outcome("sale ref='A-1'", kInOrder), "=");
  EXPECT_EQ(Outcome("sale ref='A-1'", reversed), kInOrder);
}

// After a member takes an element, the next element is offered to the
// members after it first: <note> after <label> goes to the wildcard, not
// to the note member before it.
TEST(ElementInfoAll, EachPassGoesOnFromTheMemberThatTookTheLastElement) {
  const auto failed = [](const std::string& element) {
    return Named<CVxValidationException>(
        "Failed to process the element [bag]\nFailed read all the elements held within the "
        "element [bag]. The unexpected element [" + element + "] remains un processed");
  };
  const struct {
    std::string body;
    std::string expected;
  } cases[] = {
      {"<label>l</label><note>n</note>", "="},
      {"<note>n</note><label>l</label>", "="},
      {"<label>l</label><note>a</note><note>b</note>", "<note>b</note><label>l</label><note>a</note>"},
      {"<note>a</note><note>b</note><note>c</note>", failed("note")},
      {"<o:x/>", failed("x")},
  };
  for (const auto& c : cases) EXPECT_EQ(Outcome("bag", c.body), c.expected) << c.body;
}

TEST(ElementInfoAll, ReadingFailuresGiveTheWholeChain) {
  const std::string must = "<id>1</id><color>red</color><shipTo><name>n</name></shipTo><memo/>"
                           "<card>c</card>";
  const std::string without = "<color>red</color><shipTo><name>n</name></shipTo><memo/>";
  CXmlSerializationContext plain, ignoreUnknown, ignoreMissing;
  ignoreUnknown.SetIgnoreUnknownElements(true);
  ignoreMissing.SetIgnoreMissingMandatoryElements(true);
  const auto failed = [](const std::string& chain) {
    return Named<CVxValidationException>("Failed to process the element [sale]\n" + chain);
  };
  const std::string leftOver =
      "Failed read all the elements held within the element [sale]. The unexpected element ";
  struct Case {
    std::string body;
    const CXmlSerializationContext* context;
    std::string expected;
  } cases[] = {
      {must, &plain, "="},
      {without + "<card>c</card>", &plain, failed("Failed to find the mandatory element [id]")},
      // The all group does not consult the missing-mandatory option.
      {without + "<card>c</card>", &ignoreMissing,
       failed("Failed to find the mandatory element [id]")},
      {"<id>1</id>" + without, &plain, failed("Failed to find the mandatory element [choice]")},
      {"<id>1</id><color>red</color><memo/><card>c</card>", &plain,
       failed("Failed to find the mandatory element [shipTo]")},
      {must + "<id>2</id>", &plain, failed(leftOver + "[id] remains un processed")},
      {must + "<id>2</id>", &ignoreUnknown, must},
      // Validation comes before the leftover check.
      {"<zzz/>" + must, &plain, failed("Failed to find the mandatory element [id]")},
      {must + "<zzz/>", &plain, failed(leftOver + "[zzz] remains un processed")},
      {"<id xsi:nil='true'/>" + without + "<card>c</card>", &plain,
       failed("Invalid use of 'nil' attibute in non-nillable element [id]")},
  };
  for (const Case& k : cases) EXPECT_EQ(Outcome("sale", k.body, *k.context), k.expected) << k.body;
}

TEST(ElementInfoAll, ValidateRules) {
  const CPrimitiveRestrictions none;
  const auto collapse = CWhitespaceUtils::WhitespaceRule_Collapse;
  const auto address = CreateGenerated<shapes::Address>;
  const auto element = XmlElementType_Element;
  CElementInfoAllPrimMnd primMnd("p", kNs, 1, false, ItemType_i4, nullptr, collapse, none);
  CElementInfoAllPrimOpt primOpt("p", kNs, 1, false, ItemType_i4, nullptr, collapse, none);
  CElementInfoAllEnumMnd enumMnd("e", kNs, 1, false, shapes::ColorToText, shapes::TextToColor);
  CElementInfoAllEnumOpt enumOpt("e", kNs, 1, false, shapes::ColorToText, shapes::TextToColor);
  CElementInfoAllClsMnd elementChild("c", kNs, 1, element, address, 0, false);
  CElementInfoAllClsMnd requiredChild("r", kNs, 1, element, address, 0, true);
  CElementInfoAllClsMnd pseudoChild("g", kNs, 1, XmlElementType_PseudoElement, address, 0, false);
  CElementInfoAllClsOpt clsOpt("c", kNs, 1, element, address, 0);
  CElementInfoAllAbsClsMnd absMnd("a", kNs, 1, element, shapes::Payment::FromElement, 7);
  CElementInfoAllAbsClsOpt absOpt("a", kNs, 1, element, shapes::Payment::FromElement);
  CElementInfoAllUntpdMnd untpdMnd("u", kNs, 1, "##any", kNs);
  CElementInfoAllUntpdOpt untpdOpt("u", kNs, 1, "##any", kNs);
  CElementInfoAllCol col("l", kNs, 1);
  const char* const t = "true";
  struct Case {
    const CElementInfo* info;
    const char* missingUnderElement;  // "true", or the message
    bool mandatory;
  } cases[] = {
      {&primMnd, "Failed to find the mandatory element [p]", true},
      {&primOpt, t, false},
      {&enumMnd, "Failed to find the mandatory element [e]", true},
      {&enumOpt, t, false},
      {&elementChild, t, true},  // an element child that is not required
      {&requiredChild, "Failed to find the mandatory element [r]", true},
      {&pseudoChild, "Failed to find the mandatory element [g]", true},
      {&clsOpt, t, false},
      {&absMnd, "Failed to find the mandatory element [a]", true},
      {&absOpt, t, false},
      {&untpdMnd, "Failed to find the mandatory element [u]", true},
      {&untpdOpt, t, false},
      {&col, t, false},
  };
  const CXmlSerializationContext c;
  CSmartPtr<Host> o = new Host();
  for (const Case& k : cases) {
    const std::string name = k.info->GetElementName();
    EXPECT_TRUE(k.info->Validate(c, o, true, true)) << name;
    EXPECT_TRUE(k.info->Validate(c, o, true, false)) << name;
    // Under a pseudo-element owner a mandatory member reports "not found".
    EXPECT_EQ(k.info->Validate(c, o, false, false), !k.mandatory) << name;
    std::string result;
    const std::string failure = Failure([&] { result = k.info->Validate(c, o, false, true) ? t : ""; });
    EXPECT_EQ(failure.empty() ? result : failure,
              k.missingUnderElement == t ? t : Named<CVxValidationException>(k.missingUnderElement))
        << name;
  }
}

}  // namespace
