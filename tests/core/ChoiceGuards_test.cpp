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

// Any bound object serves: the guards use no field of it.
CSmartPtr<CElement> Bound(const char* name) { return new CElement(name); }

TEST(ChoiceGuards, SelectElement) {
  CSmartPtr<CElement> self = Bound("self");
  CSmartPtr<CElement> value = Bound("v");
  struct Case {
    std::string selected;
    const char* member;
    bool nonNull;
    std::string after;
    std::string failure;
  } cases[] = {
      {"", "A", true, "A", ""},
      {"", "A", false, "A", ""},  // nothing selected: selected even by null
      {"A", "A", true, "A", ""},
      {"A", "A", false, "", ""},
      {"A", "B", false, "A", ""},
      {"A", "B", true, "A", vxtest::Named<CVxInvalidStateException>(kTaken)},
  };
  for (const Case& c : cases) {
    std::string selected = c.selected;
    EXPECT_EQ(c.failure, Failure([&] {
                self->Choice_SelectElement(c.member, c.nonNull ? value.Get() : nullptr, selected);
              }));
    EXPECT_EQ(c.after, selected) << c.selected << c.member << c.nonNull;
  }
}

TEST(ChoiceGuards, SetElementValid) {
  CSmartPtr<CElement> self = Bound("self");
  struct Case {
    std::string selected;
    bool valid;
    std::string after;
    std::string failure;
  } cases[] = {
      {"", true, "B", ""},
      {"B", true, "B", ""},
      {"A", false, "", ""},  // clears whichever member was selected
      {"", false, "", ""},
      {"A", true, "A",
       vxtest::Named<CVxInvalidStateException>("The Property A is already set. Only one element within "
                                          "this class bay be set at a time")},
  };
  for (const Case& c : cases) {
    std::string selected = c.selected;
    EXPECT_EQ(c.failure, Failure([&] { self->Choice_SetElementValid(c.valid, "B", selected); }));
    EXPECT_EQ(c.after, selected) << c.selected << c.valid;
  }
}

TEST(ChoiceGuards, CollectionChanged) {
  CSmartPtr<CElement> self = Bound("self");
  struct Case {
    std::string selected;
    const char* member;
    long count;
    std::string after;
    std::string failure;
  } cases[] = {
      {"", "A", 0, "", ""},     {"", "A", 2, "A", ""},  {"A", "A", 0, "", ""},
      {"A", "A", 3, "A", ""},   {"A", "B", 0, "A", ""},
      {"A", "B", 1, "A", vxtest::Named<CVxInvalidStateException>(kTaken)},
  };
  for (const Case& c : cases) {
    std::string selected = c.selected;
    EXPECT_EQ(c.failure,
              Failure([&] { self->Choice_CollectionChanged(c.member, c.count, selected); }));
    EXPECT_EQ(c.after, selected) << c.selected << c.member << c.count;
  }
}

TEST(ChoiceGuards, ReadCollection) {
  CSmartPtr<CElement> self = Bound("self");
  const CXmlSerializationContext ctx;
  CXmlDocument doc;
  doc.LoadXml("<r xmlns='urn:po'><tag>a</tag><tag>b</tag><x/></r>");
  CXmlElement* root = doc.GetDocumentElement();
  CXmlElement* first = root->GetFirstElement();

  // A member already read: nothing happens.
  const auto strings = [](int minOccurs) {
    return new CstringCol("tag", "urn:po", minOccurs, 5, nullptr, -1, -1, nullptr, nullptr,
                          nullptr, nullptr, -1, CWhitespaceUtils::WhitespaceRule_Preserve, nullptr);
  };
  CSmartPtr<CstringCol> tags = strings(0);
  CXmlElement* cursor = first;
  long readCount = 1;
  self->Choice_Read_Collection(tags, root, cursor, readCount, ctx);
  EXPECT_EQ(first, cursor);
  EXPECT_EQ(0, tags->GetCount());

  readCount = 0;
  self->Choice_Read_Collection(tags, root, cursor, readCount, ctx);
  EXPECT_EQ("x", cursor->GetLocalName());
  EXPECT_EQ(1, readCount);
  EXPECT_EQ(2, tags->GetCount());

  // Nothing of the collection at the cursor: nothing changes.
  readCount = 0;
  CXmlElement* at = cursor;
  self->Choice_Read_Collection(tags, root, cursor, readCount, ctx);
  EXPECT_EQ(at, cursor);
  EXPECT_EQ(0, readCount);

  // A bad count throws and leaves the cursor and the count alone.
  CSmartPtr<CstringCol> few = strings(3);
  cursor = first;
  EXPECT_EQ(vxtest::Named<CVxValidationException>(
                "The Minimum number of [tag] elements allowed in this collection is 3"),
            Failure([&] { self->Choice_Read_Collection(few, root, cursor, readCount, ctx); }));
  EXPECT_EQ(first, cursor);
  EXPECT_EQ(0, readCount);
}

TEST(ChoiceGuards, PropertyGuards) {
  CSmartPtr<CElement> self = Bound("self");
  CSmartPtr<CElement> value = Bound("shipTo");
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
