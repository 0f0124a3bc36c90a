#include "vxxml/ElementInfoChoice.h"

#include <gtest/gtest.h>

#include <string>

#include "metadata/Shapes.h"

using namespace shapes_test;
using vxtest::Named;

namespace {

TEST(ElementInfoChoice, OptionalMembersAndValidate) {
  CSmartPtr<shapes::Pick> p = new shapes::Pick();
  // A collection alternative is optional when its minimum is 0.
  const char* const mandatory[] = {"code", "blob", "item", "voucher"};
  for (CElementInfo** info = p->GetClassElementInfo(); *info; ++info) {
    const std::string name = (*info)->GetElementName();
    bool optional = true;
    for (const char* m : mandatory) optional = optional && name != m;
    EXPECT_EQ((*info)->IsOptionalChoiceMember(p), optional) << name;
  }
  p->item = new CGeneratedCollection<shapes::Item>("item", kNs, 0, 2, XmlElementType_Element);
  EXPECT_TRUE(Info(*p, "item")->IsOptionalChoiceMember(p));
}

TEST(ElementInfoChoice, EveryAlternativeAndTheReadingFailures) {
  CXmlSerializationContext plain, relaxed, marked;
  relaxed.SetIgnoreInvalidCollectionCounts(true);
  marked.SetStripCDATA(false);
  const auto failed = [](const std::string& chain) {
    return Named<CVxValidationException>("Failed to process the element [pick]\n" + chain);
  };
  const auto leftOver = [&](const char* element) {
    return failed(std::string("Failed read all the elements held within the element [pick]. "
                              "The unexpected element [") +
                  element + "] remains un processed");
  };
  struct Case {
    std::string body;
    const CXmlSerializationContext* context;
    std::string expected;
  } cases[] = {
      {"<sku>AB-1</sku>", &plain, "="},
      {"<shade xsi:nil='true'/>", &plain, "="},
      {"<shade>green</shade>", &plain, "="},
      {"<address><name>s</name></address>", &plain, "="},
      {"<payment xsi:type='Cash'><amount>3</amount></payment>", &plain, "="},
      {"<o:x>1</o:x>", &plain, "="},
      {"<code>c1</code><code>c2</code>", &plain, "="},
      {"<blob>b</blob>", &plain, "="},
      {"<item partNum='1'><productName>p</productName><quantity>1</quantity></item>", &plain, "="},
      {"<voucher xsi:type='Cash'><amount>1</amount></voucher>", &plain, "="},
      {"<w>2</w><h>5</h>", &plain, "="},
      {"<codes/>", &plain, "="},
      {"<codes><num>1</num></codes>", &plain, "="},
      {"", &plain, "<pick xmlns='urn:po' xmlns:o='urn:other' "
                   "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'/>"},
      {"<code>1</code>", &plain,
       failed("The Minimum number of [code] elements allowed in this collection is 2")},
      {"<code>1</code>", &relaxed, "="},
      // An untyped collection carries no element name of its own.
      {"<blob/><blob/><blob/>", &plain,
       failed("The Maximum number of [] elements allowed in this collection is 2")},
      // No class for the xsi:type: the alternative does not match.
      {"<payment/>", &plain, leftOver("payment")},
      // The type's prefix is the one the document declares last.
      {"<payment xmlns:q='urn:po' xsi:type='q:Cash'><amount xmlns:q='urn:x'>3</amount></payment>",
       &plain, leftOver("payment")},
      // A CDATA section stays marked in a value's text.
      {"<code><![CDATA[<c1>]]></code><code>c2</code>", &marked, "="},
      {"<sku><![CDATA[AB-1]]></sku>", &marked, failed("Invalid Value for sku [<![CDATA[AB-1]]>]")},
      {"<w>2</w>", &plain, leftOver("w")},
  };
  for (const Case& k : cases) EXPECT_EQ(Outcome("pick", k.body, *k.context), k.expected) << k.body;
}

}  // namespace
