#include "vxxml/ElementInfoChoice.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "metadata/GroupModel.h"

using namespace group_model;

namespace {

const char kDocOpen[] = "<pick xmlns='urn:po' xmlns:o='urn:other'>";

CElementInfo* PickInfo(int index) { return Pick::Meta().elements[index]; }

std::string Picked(const char* inner) {
  return std::string("<pick xmlns=\"urn:po\">\n") + inner + "</pick>\n";
}

// ---- writing ---------------------------------------------------------------------

TEST(ElementInfoChoice, OptionalMembersAndValidate) {
  CSmartPtr<Pick> p = new Pick();
  CSmartPtr<Codes> codes = new Codes();
  CElementInfoChoiceCol plain("code", kNs, Pick::kCode);
  CElementInfoChoiceClsCol clsCol("code", kNs, Pick::kCode, XmlElementType_Element);
  CElementInfoChoiceAbsClsCol absCol("code", kNs, Pick::kCode, XmlElementType_Element);
  CElementInfoChoiceEnumCol enumCol("code", kNs, Pick::kCode);
  struct Case {
    const CElementInfo* info;
    bool optional;
  } cases[] = {
      {PickInfo(0), true},  {PickInfo(1), true},  {PickInfo(2), true}, {PickInfo(3), true},
      {PickInfo(4), true},  {PickInfo(5), false}, {PickInfo(6), false}, {PickInfo(7), true},
      {&plain, false},      {&clsCol, false},     {&absCol, false},    {&enumCol, false},
  };
  const CXmlSerializationContext& c = CXmlSerializationContext::m_defaultContext;
  for (const Case& k : cases) {
    EXPECT_EQ(k.info->IsOptionalChoiceMember(p.Get()), k.optional) << k.info->GetElementName();
    for (bool found : {false, true})
      EXPECT_EQ(Failure([&] { k.info->Validate(c, p.Get(), found, true); }),
                Named<CVxException>("Not implemented, should never be called"));
  }
  // A typed collection alternative with a minimum of 0 lets the choice be
  // empty; the plain collection alternative never does.
  p->code = new StringCol("code", 0, 3);
  const CElementInfo* const typed[] = {PickInfo(5), &clsCol, &absCol, &enumCol};
  for (const CElementInfo* info : typed)
    EXPECT_TRUE(info->IsOptionalChoiceMember(p.Get()));
  EXPECT_FALSE(plain.IsOptionalChoiceMember(p.Get()));
}

// ---- reading, alternative by alternative ------------------------------------------

TEST(ElementInfoChoice, CollectionAlternativeChecksItsCount) {
  Doc d(std::string(kDocOpen) + "<code>1</code><sku/><code>1</code><code>2</code></pick>");
  const CXmlSerializationContext& c = CXmlSerializationContext::m_defaultContext;
  struct Case {
    int child;
    XmlElementType owner;
    const char* expected;  // "true", "false" or the message
    int movedTo;
  } cases[] = {
      {1, XmlElementType_Element, "false", 1},
      {0, XmlElementType_PseudoElement, "false", 0},  // one item, minimum two
      // Under an element owner the cursor has moved past the run when the
      // count check throws.
      {0, XmlElementType_Element,
       "The Minimum number of [code] elements allowed in this collection is 2", 1},
      {2, XmlElementType_PseudoElement, "true", -1},
      {2, XmlElementType_Element, "true", -1},
  };
  for (const Case& k : cases) {
    CSmartPtr<Pick> p = new Pick();
    CXmlElement* at = d.Child(k.child);
    std::string result;
    std::string failure = Failure([&] {
      result = PickInfo(5)->ElementFromXml(c, p.Get(), d.Root(), &at, kNs, k.owner) ? "true"
                                                                                      : "false";
    });
    if (result.empty())
      EXPECT_EQ(failure, Named<CVxValidationException>(k.expected)) << k.child;
    else
      EXPECT_EQ(result, k.expected) << k.child;
    EXPECT_EQ(at, k.movedTo < 0 ? nullptr : d.Child(k.movedTo)) << k.child;
  }
  // Counts relaxed by the context: the short run is taken.
  CXmlSerializationContext relaxed;
  relaxed.SetIgnoreInvalidCollectionCounts(true);
  CSmartPtr<Pick> p = new Pick();
  CXmlElement* at = d.Child(0);
  EXPECT_TRUE(PickInfo(5)->ElementFromXml(relaxed, p.Get(), d.Root(), &at, kNs,
                                          XmlElementType_Element));
  EXPECT_EQ(at, d.Child(1));
}

// ---- reading through the class reader -------------------------------------------

TEST(ElementInfoChoice, EveryAlternativeRoundTrips) {
  const char* const bodies[] = {
      "\t<sku>AB-1</sku>\n",
      "\t<shade xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:nil=\"true\"/>\n",
      "\t<shade>green</shade>\n",
      "\t<address>\n\t\t<street>s</street>\n\t</address>\n",
      "\t<shape xmlns:AA=\"http://www.w3.org/2001/XMLSchema-instance\" AA:type=\"Square\">\n"
      "\t\t<side>3</side>\n\t</shape>\n",
      "\t<AA:x xmlns:AA=\"urn:other\">1</AA:x>\n",
      "\t<code>c1</code>\n\t<code>c2</code>\n",
      "\t<blob>b</blob>\n",
      "\t<w>2</w>\n\t<h>5</h>\n",
      "\t<codes/>\n",
      "\t<codes>\n\t\t<num>1</num>\n\t</codes>\n",
  };
  for (const char* body : bodies) {
    CSmartPtr<Pick> p = new Pick();
    EXPECT_EQ(Failure([&] { EXPECT_EQ(Read(p.Get(), Picked(body)), ""); }), "") << body;
    EXPECT_EQ(Write(p.Get()), Picked(body));
  }
}

TEST(ElementInfoChoice, ReadingFailuresGiveTheWholeChain) {
  CXmlSerializationContext ignoreUnknown = PoContext(), relaxed = PoContext();
  ignoreUnknown.SetIgnoreUnknownElements(true);
  relaxed.SetIgnoreInvalidCollectionCounts(true);
  struct Case {
    const char* body;
    const CXmlSerializationContext* context;
    const char* expected;  // "" for success
  } cases[] = {
      {"<code>1</code>", nullptr,
       "Failed to process the element [pick]\n"
       "The Minimum number of [code] elements allowed in this collection is 2"},
      {"<code>1</code>", &relaxed, ""},
      // An untyped collection carries no element name of its own.
      {"<blob/><blob/><blob/>", nullptr,
       "Failed to process the element [pick]\n"
       "The Maximum number of [] elements allowed in this collection is 2"},
      // No class for the shape: the alternative does not match and the
      // element is left over.
      {"<shape/>", nullptr,
       "Failed to process the element [pick]\n"
       "Failed read all the elements held within the element [pick]. The unexpected element "
       "[shape] remains un processed"},
      {"<sku>a</sku><sku>b</sku>", nullptr,
       "Failed to process the element [pick]\n"
       "Failed read all the elements held within the element [pick]. The unexpected element "
       "[sku] remains un processed"},
      {"<sku>a</sku><sku>b</sku>", &ignoreUnknown, ""},
      {"<zzz/><sku>a</sku>", &ignoreUnknown, ""},
      {"<address><city>c</city></address>", nullptr,
       "Failed to process the element [pick]\n"
       "Failed to process the element [address]\n"
       "Failed to find the mandatory element [street]"},
      {"<shade xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' xsi:nil='maybe'/>",
       nullptr,
       "Failed to process the element [pick]\n"
       "Unexpected Value [maybe] for 'nil' Attribute found."},
      {"<codes><num>1</num><num>2</num><num>3</num></codes>", nullptr,
       "Failed to process the element [pick]\n"
       "Failed to process the element [codes]\n"
       "The Maximum number of [num] elements allowed in this collection is 2"},
  };
  for (const Case& k : cases) {
    CSmartPtr<Pick> p = new Pick();
    const CXmlSerializationContext context = k.context ? *k.context : PoContext();
    const std::string failure = Failure(
        [&] { Read(p.Get(), std::string("<pick xmlns='urn:po'>") + k.body + "</pick>", context); });
    EXPECT_EQ(failure, *k.expected ? Named<CVxValidationException>(k.expected) : "") << k.body;
  }
  // A choice of collections read as a document of its own may not be empty.
  CSmartPtr<Codes> codes = new Codes();
  EXPECT_EQ(Failure([&] { Read(codes.Get(), "<codes xmlns='urn:po'/>"); }),
            Named<CVxValidationException>(
                "Failed to process the element [codes]\n"
                "No child elements within the element [codes] were populated. The element "
                "represents a choice, so one and only one element should be populated. The "
                "element contained no sutable child elements"));
}

}  // namespace
