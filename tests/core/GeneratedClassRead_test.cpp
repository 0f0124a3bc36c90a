// The reader of generated classes: attribute pass, xsi:nil, the three group
// readers and their cursor rules, the simple body value and the message
// chain. All and choice members are small test-only infos keeping the
// contract of their families.
#include <gtest/gtest.h>

#include <initializer_list>
#include <map>
#include <string>
#include <thread>
#include <vector>

#include "core/GeneratedFixtures.h"
#include "metadata/SeqModel.h"

using namespace seqmodel;

namespace {

CXmlSerializationContext MakePlain() {
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kPo);
  return ctx;
}

const CXmlSerializationContext& Plain() {
  static const CXmlSerializationContext ctx = MakePlain();
  return ctx;
}

// An all-group member: true when it consumed its element; absence judged by
// Validate.
class AllPrim : public CElementInfo {
 public:
  AllPrim(const char* name, int id, bool mandatory)
      : CElementInfo(name, kPo, id, true, ItemType_string, nullptr, kNone, NoFacets()),
        m_mandatory(mandatory) {}
  bool ElementToXml(const CXmlSerializationContext& c, const CXmlGeneratedClass* o,
                    CXmlWriter* w) const override {
    return ElementToXmlPrim(c, o, w);
  }
  bool ElementFromXml(const CXmlSerializationContext& c, CXmlGeneratedClass* o, CXmlElement*,
                      CXmlElement** current, const std::string&, XmlElementType) override {
    if (!IsThisElement(c, *current)) return false;
    ElementFromXmlPrim(c, o, *current);
    *current = (*current)->GetNextSiblingElement();
    return true;
  }
  bool Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*, bool found,
                bool ownerIsElement) const override {
    if (found || !ownerIsElement) return found || !m_mandatory;
    if (m_mandatory)
      throw CVxValidationException("Failed to find the mandatory element [" + m_elementName + "]");
    return true;
  }

 private:
  bool m_mandatory;
};

// A choice alternative: true when it matched and consumed the element.
class ChoicePrim : public AllPrim {
 public:
  ChoicePrim(const char* name, int id, bool optional = false)
      : AllPrim(name, id, false), m_optional(optional) {}
  bool IsOptionalChoiceMember(const CXmlGeneratedClass*) const override { return m_optional; }

 private:
  bool m_optional;
};

// Fills the metadata: the class info and null-terminated info arrays.
void Describe(Metadata& m, CParentElementInfo* info, std::initializer_list<CElementInfo*> elements,
              std::initializer_list<CAttributeInfo*> attributes = {}) {
  m.info = info;
  m.elements = vxxml_test::List(elements);
  m.attributes = vxxml_test::List(attributes);
}

// Properties in a map; metadata from a Build function per class.
template <class D>
class MapClass : public Generated<D> {
 public:
  std::map<int, VxVariant> props;
  void AccessProperty(int id, bool read, VxVariant& v) override {
    if (!read) {
      props[id] = v;
      return;
    }
    auto it = props.find(id);
    if (it == props.end())
      v.Clear();
    else
      v = it->second;
  }
  void Init() override { props.clear(); }
  std::string Text(int id) {
    auto it = props.find(id);
    return it == props.end() ? "<absent>" : it->second.IsNil() ? "<nil>" : it->second.GetString();
  }
};

class AllClass : public MapClass<AllClass> {
 public:
  static void Build(Metadata& m) {
    Describe(m, Parent(XmlElementGroupType_All, XmlElementType_Element, "AllType", true),
             {new AllPrim("a", 1, true), new AllPrim("b", 2, true), new AllPrim("c", 3, false)});
  }
};

class ChoiceClass : public MapClass<ChoiceClass> {
 public:
  static void Build(Metadata& m) {
    Describe(m, Parent(XmlElementGroupType_Choice, XmlElementType_Element, "ChoiceType", true),
             {new ChoicePrim("a", 1), new ChoicePrim("b", 2)});
  }
};

class OptionalChoiceClass : public MapClass<OptionalChoiceClass> {
 public:
  static void Build(Metadata& m) {
    Describe(m, Parent(XmlElementGroupType_Choice, XmlElementType_Element, "ChoiceType", true),
             {new ChoicePrim("a", 1), new ChoicePrim("b", 2, true)});
  }
};

// A nillable element class with one child, a body value and two attributes.
class Valued : public MapClass<Valued>, public INillable {
 public:
  bool nil = false;
  bool IsNil() const override { return nil; }
  void SetNil(bool v) override { nil = v; }
  void Init() override {
    MapClass<Valued>::Init();
    nil = false;
  }
  static void Build(Metadata& m) {
    Describe(m, Parent(XmlElementGroupType_Sequence, XmlElementType_Element, "ValuedType", true,
                       9, ItemType_i4),
             {},
             {new TestAttr("k", 1, false, ItemType_string), new TestAttr("o", 2, true, ItemType_i4)});
  }
};

class RawText : public MapClass<RawText> {
 public:
  static void Build(Metadata& m) {
    Describe(m, new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element,
                                       "RawType", kPo, false, false, 9, ItemType_i4, nullptr, true),
             {});
  }
};

class BadGroup : public MapClass<BadGroup> {
 public:
  static void Build(Metadata& m) {
    Describe(m,
             Parent(static_cast<XmlElementGroupType>(7), XmlElementType_Element, "BadType", true),
             {});
  }
};

std::string Read(CXmlObjectBase* object, const std::string& xml,
                 const CXmlSerializationContext& ctx = Plain()) {
  return Failure([&] { ReadText(object, xml, ctx); });
}

const std::string kEmptyChoice =
    "No child elements within the element [r] were populated. The element represents a "
    "choice, so one and only one element should be populated. The element contained no "
    "sutable child elements";

std::string LeftOver(const char* parent, const char* element) {
  return std::string("Failed read all the elements held within the element [") + parent +
         "]. The unexpected element [" + element + "] remains un processed";
}

TEST(GeneratedClassRead, ChoiceRules) {
  CXmlSerializationContext unknown;
  unknown.SetIgnoreUnknownElements(true);
  CXmlSerializationContext missing;
  missing.SetIgnoreMissingChoice(true);
  struct Case {
    std::string doc;
    const CXmlSerializationContext* ctx;
    bool optionalMember;
    std::string expected;
    std::string chosen;
  } cases[] = {
      {"<r xmlns='urn:po'><b>2</b></r>", &Plain(), false, "", "b"},
      {"<r xmlns='urn:po'><a>1</a></r>", &Plain(), false, "", "a"},
      {"<r xmlns='urn:po'/>", &Plain(), false,
       Expected<CVxValidationException>("Failed to process the element [r]\n" + kEmptyChoice), ""},
      {"<r xmlns='urn:po'/>", &Plain(), true, "", ""},
      {"<r xmlns='urn:po'/>", &missing, false, "", ""},
      {"<r xmlns='urn:po'><x/></r>", &missing, false,
       Expected<CVxValidationException>("Failed to process the element [r]\n" +
                                        LeftOver("r", "x")),
       ""},
      {"<r xmlns='urn:po'><x/><b>2</b></r>", &Plain(), false,
       Expected<CVxValidationException>("Failed to process the element [r]\n" + kEmptyChoice), ""},
      {"<r xmlns='urn:po'><x/><b>2</b><y/></r>", &unknown, false, "", "b"},
      {"<r xmlns='urn:po'><a>1</a><b>2</b></r>", &Plain(), false,
       Expected<CVxValidationException>("Failed to process the element [r]\n" +
                                        LeftOver("r", "b")),
       ""},
      {"<r xmlns='urn:po'><x/></r>", &unknown, false,
       Expected<CVxValidationException>("Failed to process the element [r]\n" + kEmptyChoice), ""},
  };
  for (const Case& c : cases) {
    CSmartPtr<ChoiceClass> plain = new ChoiceClass;
    CSmartPtr<OptionalChoiceClass> optional = new OptionalChoiceClass;
    if (c.optionalMember) {
      EXPECT_EQ(c.expected, Read(optional, c.doc, *c.ctx)) << c.doc;
      continue;
    }
    EXPECT_EQ(c.expected, Read(plain, c.doc, *c.ctx)) << c.doc;
    if (!c.chosen.empty()) {
      EXPECT_EQ(1u, plain->props.size()) << c.doc;
      EXPECT_EQ(c.chosen == "a" ? "1" : "2", plain->Text(c.chosen == "a" ? 1 : 2)) << c.doc;
    }
  }
}

TEST(GeneratedClassRead, NilAndAttributes) {
  const std::string xsi = " xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'";
  struct Case {
    std::string doc;
    const CXmlSerializationContext* ctx;
    std::string expected;
  } cases[] = {
      {"<r k='v' o='3' xsi:nil='TRUE'" + xsi + "><junk/>7</r>", &Plain(), ""},
      {"<r k='v' xsi:nil='0'" + xsi + ">7</r>", &Plain(), ""},
      {"<r k='v' xsi:nil='yes'" + xsi + ">7</r>", &Plain(),
       Expected<CVxValidationException>("Failed to process the element [r]\n"
                                        "Unexpected Value [yes] for 'nil' Attribute found.")},
      {"<r k='v' xsi:type='ValuedType' xsi:schemaLocation='a b'" + xsi + ">7</r>", &Plain(), ""},
      {"<r o='1'>7</r>", &Plain(),
       Expected<CVxValidationException>("Failed to process the element [r]\nmissing attribute k")},
      {"<r k='v'>seven</r>", &Plain(),
       Expected<CVxValidationException>("Failed to process the element [r]\n"
                                        "The value [seven] can not be converted to a i4")},
  };
  for (const Case& c : cases) {
    CSmartPtr<Valued> o = new Valued;
    EXPECT_EQ(c.expected, Read(o, c.doc, *c.ctx)) << c.doc;
  }

  CSmartPtr<Valued> o = new Valued;
  EXPECT_EQ("", Read(o, "<r k='v' xsi:nil='1'" + xsi + ">7</r>"));
  EXPECT_TRUE(o->nil);
  EXPECT_EQ("<absent>", o->Text(9));  // the body of a nil element is not read
  EXPECT_EQ("", Read(o, "<r k='v' o='4'>7</r>"));
  EXPECT_FALSE(o->nil);
  EXPECT_EQ(7, o->props[9].GetI4());
  EXPECT_EQ(4, o->props[2].GetI4());
  EXPECT_EQ("r", o->GetElementName());

  CSmartPtr<ChoiceClass> notNillable = new ChoiceClass;
  EXPECT_EQ(Expected<CVxValidationException>(
                "Failed to process the element [r]\n"
                "Invalid use of 'nil' attibute in non-nillable element [r]"),
            Read(notNillable, "<r xsi:nil='false'" + xsi + "><a/></r>"));
}

TEST(GeneratedClassRead, RawTextAndUnknownGroup) {
  CSmartPtr<RawText> raw = new RawText;
  EXPECT_EQ("", Read(raw, "<r> not a number </r>"));
  EXPECT_EQ(ItemType_string, raw->props[9].GetItemType());
  EXPECT_EQ(" not a number ", raw->props[9].GetString());

  CSmartPtr<BadGroup> bad = new BadGroup;
  EXPECT_EQ(Expected<CVxValidationException>("Failed to process the element [r]\n"
                                             "Unknow Group Type"),
            Read(bad, "<r/>"));
}

TEST(GeneratedClassRead, IsElementInList) {
  CXmlDocument doc;
  doc.LoadXml("<r xmlns='urn:po'><b/><z/><b xmlns='urn:x'/></r>");
  CXmlElement* b = doc.GetDocumentElement()->GetFirstElement();
  CSmartPtr<ChoiceClass> o = new ChoiceClass;
  EXPECT_TRUE(o->IsElementInList(Plain(), b));
  EXPECT_FALSE(o->IsElementInList(Plain(), b->GetNextSiblingElement()));
  EXPECT_FALSE(o->IsElementInList(Plain(), b->GetNextSiblingElement()->GetNextSiblingElement()));
  EXPECT_FALSE(o->IsElementInList(Plain(), nullptr));
}

// One tree per thread, one shared context.
TEST(GeneratedClassRead, ThreadsShareOneContext) {
  const CXmlSerializationContext ctx;
  AllClass::Meta();  // metadata exists before the threads start
  std::vector<std::thread> threads;
  std::vector<std::string> results(4);
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 25; ++i) {
        CSmartPtr<AllClass> o = new AllClass;
        const std::string doc = "<r xmlns='urn:po'><b>" + std::to_string(t) + "</b><a>" +
                                std::to_string(i) + "</a></r>";
        const std::string failure = Read(o, doc, ctx);
        results[t] = failure + o->Text(1) + "/" + o->Text(2);
      }
    });
  for (std::thread& t : threads) t.join();
  for (int t = 0; t < 4; ++t) EXPECT_EQ("24/" + std::to_string(t), results[t]);
}

}  // namespace
