#include <gtest/gtest.h>

#include <string>

#include "TestUtil.h"
#include "vxxml/TypedCollections.h"
#include "vxxml/Untyped.h"
#include "vxxml/XmlDocument.h"

using namespace VxXmlLib10;
using vxtest::Failure;

namespace {

const char kTaken[] =
    "The Property [A] is already set. Only one element within this class bay be set at a time";

// What a setter of a choice member leaves selected; any bound object serves,
// the guards use no field of it.
TEST(ChoiceGuards, Selection) {
  CSmartPtr<CElement> self = new CElement("self"), value = new CElement("v");
  const std::string taken = vxtest::Named<CVxInvalidStateException>(kTaken);
  enum Guard { Select, Valid, Changed };
  struct Case {
    Guard guard;
    const char* selected;
    const char* member;
    long arg;  // Select: a value (1) or null (0); Valid: the validity; Changed: the count
    const char* after;
    std::string failure;
  } cases[] = {
      // Nothing selected: selected even by null.
      {Select, "", "A", 1, "A", ""},    {Select, "", "A", 0, "A", ""},
      {Select, "A", "A", 1, "A", ""},   {Select, "A", "A", 0, "", ""},
      {Select, "A", "B", 0, "A", ""},   {Select, "A", "B", 1, "A", taken},
      {Valid, "", "B", 1, "B", ""},     {Valid, "B", "B", 1, "B", ""},
      {Valid, "A", "B", 0, "", ""},  // clears whichever member was selected
      {Valid, "A", "B", 1, "A",
       vxtest::Named<CVxInvalidStateException>("The Property A is already set. Only one element "
                                               "within this class bay be set at a time")},
      {Changed, "", "A", 0, "", ""},    {Changed, "", "A", 2, "A", ""},
      {Changed, "A", "A", 0, "", ""},   {Changed, "A", "A", 3, "A", ""},
      {Changed, "A", "B", 0, "A", ""},  {Changed, "A", "B", 1, "A", taken},
  };
  for (const Case& c : cases) {
    std::string selected = c.selected;
    EXPECT_EQ(c.failure, Failure([&] {
                if (c.guard == Select)
                  self->Choice_SelectElement(c.member, c.arg ? value.Get() : nullptr, selected);
                else if (c.guard == Valid)
                  self->Choice_SetElementValid(c.arg != 0, c.member, selected);
                else
                  self->Choice_CollectionChanged(c.member, c.arg, selected);
              }));
    EXPECT_EQ(c.after, selected) << c.guard << c.selected << c.member << c.arg;
  }
}

TEST(ChoiceGuards, ReadCollection) {
  CSmartPtr<CElement> self = new CElement("self");
  const CXmlSerializationContext ctx;
  CXmlDocument doc;
  doc.LoadXml("<r xmlns='urn:po'><tag>a</tag><tag>b</tag><x/></r>");
  CXmlElement* root = doc.GetDocumentElement();
  CXmlElement* const first = root->GetFirstElement();
  const auto strings = [](int minOccurs) {
    return new CstringCol("tag", "urn:po", minOccurs, 5, nullptr, -1, -1, nullptr, nullptr,
                          nullptr, nullptr, -1, CWhitespaceUtils::WhitespaceRule_Preserve, nullptr);
  };
  // A member already read, then one to read, then nothing of it at the cursor.
  CSmartPtr<CstringCol> tags = strings(0);
  CXmlElement* cursor = first;
  std::string trace;
  for (long readCount : {1, 0, 0}) {
    self->Choice_Read_Collection(tags, root, cursor, readCount, ctx);
    trace += (cursor ? cursor->GetLocalName() : "-") + std::to_string(readCount) +
             std::to_string(tags->GetCount()) + " ";
  }
  EXPECT_EQ(trace, "tag10 x12 x02 ");
  // A bad count throws and leaves the cursor and the count alone.
  CSmartPtr<CstringCol> few = strings(3);
  cursor = first;
  long readCount = 0;
  EXPECT_EQ(vxtest::Named<CVxValidationException>(
                "The Minimum number of [tag] elements allowed in this collection is 3"),
            Failure([&] { self->Choice_Read_Collection(few, root, cursor, readCount, ctx); }));
  EXPECT_EQ(first, cursor);
  EXPECT_EQ(0, readCount);
}

TEST(ChoiceGuards, PropertyGuards) {
  CSmartPtr<CElement> self = new CElement("self");
  CSmartPtr<CElement> value = new CElement("shipTo");
  EXPECT_EQ(vxtest::Named<CVxInvalidParamException>(
                "The Property [billTo] is mandatory, it may node be NULL"),
            Failure([&] { self->Throw_IfPropertyIsNull(nullptr, "billTo"); }));
  EXPECT_EQ("", Failure([&] { self->Throw_IfPropertyIsNull(value, "billTo"); }));
  EXPECT_EQ("", Failure([&] { self->Throw_IfElementNameDiffers(value, "shipTo"); }));
  EXPECT_EQ("", Failure([&] { self->Throw_IfElementNameDiffers(nullptr, "shipTo"); }));
  EXPECT_EQ(vxtest::Named<CVxInvalidParamException>(
                "This property requrires an element with the name ShipTo the element being set "
                "has the element name shipTo"),
            Failure([&] { self->Throw_IfElementNameDiffers(value, "ShipTo"); }));
}

}  // namespace
