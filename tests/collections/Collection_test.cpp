#include "vxxml/Collection.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "vxxml/Exception.h"
#include "TestUtil.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlDocument.h"

using namespace VxXmlLib10;

namespace {

struct Item : CXmlObjectBase {
  explicit Item(const char* name) { SetElementName(name); }
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return ""; }
  std::string GetNamespace() const override { return ""; }
  void ToXml_Int(CXmlWriter*, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {}
  CXmlElement* FromXml_Int(CXmlElement* e, CXmlElement*, const CXmlSerializationContext&,
                           bool) override {
    return e;
  }
};

struct List : CXmlCollection {
  List(int minOccurs = 0, int maxOccurs = -1) : CXmlCollection("item", "urn:c", minOccurs, maxOccurs) {}
  void ToXml_Int(CXmlWriter*, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {}
  CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* e, const CXmlSerializationContext&,
                           bool) override {
    return e;
  }
  // The items' names in order, e.g. "a b c".
  std::string Names() const {
    std::string names;
    for (Node* n = GetFirstNode(); n; n = n->GetNext())
      names += (names.empty() ? "" : " ") + n->GetItem()->GetElementName();
    // The backward links must agree.
    std::string back;
    for (Node* n = GetLastNode(); n; n = n->GetPrev())
      back = n->GetItem()->GetElementName() + (back.empty() ? "" : " ") + back;
    EXPECT_EQ(names, back);
    return names;
  }
};

// Records each event as "<type>:<data>", data being the item's name, the
// index, or "-" for a null pointer.
struct Recorder : IEventSink {
  void OnEvent(CXmlObjectBase* source, MsgType type, void* data) override {
    sources.push_back(source);
    std::string text = std::to_string(static_cast<int>(type)) + ":";
    if (!data)
      text += "-";
    else if (type == MsgType_CollectionRemove || type == MsgType_CollectionRemoveComplete)
      text += std::to_string(*static_cast<int*>(data));
    else
      text += static_cast<CXmlObjectBase*>(data)->GetElementName();
    events += (events.empty() ? "" : " ") + text;
  }
  std::string Take() {
    std::string e = events;
    events.clear();
    return e;
  }
  std::string events;
  std::vector<CXmlObjectBase*> sources;
};

}  // namespace

TEST(Collection, IndexAndLookupFailures) {
  List list;
  CSmartPtr<Item> a = new Item("a"), stranger = new Item("s");
  for (const char* n : {"x", "y", "z"}) list.AppendItem(new Item(n));
  const char* notFound = "The object was not found in the collection";
  const char* null = "A NULL item can not be added to the collection";
  List other;
  other.AppendItem(a);
  const struct {
    std::function<void()> call;
    const char* expected;
  } cases[] = {
      {[&] { list.Remove(-1); }, "Index -1 is out of range, use 0 - 3"},
      {[&] { list.GetNodeAtIndex(3); }, "Index 3 is out of range, use 0 - 3"},
      {[&] { list.AddItemAt(4, a); }, "Index out of range"},
      {[&] { list.AddItemAt(-1, a); }, "Index out of range"},
      {[&] { list.GetNodeForItem(nullptr); }, notFound},
      {[&] { list.AddAfterItem(stranger, a); }, notFound},
      {[&] { list.RemoveNode(other.GetFirstNode()); }, notFound},
      {[&] { list.RemoveNode(nullptr); }, notFound},
      {[&] { list.AppendItem(nullptr); }, null},
      {[&] { list.AddItemAt(0, nullptr); }, null},
  };
  for (const auto& c : cases) vxtest::ExpectFailure<CVxInvalidParamException>(c.call, c.expected);
  vxtest::ExpectFailure<CVxException>([&] { list.GetTargetNamespace(); },
                                      "CXmlCollectionBase::GetTargetNamespace Should not be used "
                                      "from within a Collection (program logic error)");
  other.Clear();
  // Nothing changed, and the refused item holds no extra reference.
  EXPECT_EQ(list.Names(), "x y z");
  EXPECT_EQ(a->AddRef(), 2);
  a->Release();
}

TEST(Collection, EventsInOrder) {
  List list;
  Recorder r;
  list.AddEventListener(&r);
  CSmartPtr<Item> a = new Item("a"), b = new Item("b"), c = new Item("c"), s = new Item("s");
  list.AppendItem(a);
  EXPECT_EQ(r.Take(), "1:a 2:a 0:-");
  list.PrependItem(b);
  list.AddItemAt(1, c);
  EXPECT_EQ(r.Take(), "1:b 2:b 0:- 1:c 2:c 0:-");
  list.AddBeforeItem(a, s);
  list.AddAfterItem(nullptr, s);
  EXPECT_EQ(r.Take(), "1:s 2:s 0:- 1:s 2:s 0:-");
  // A failed lookup leaves the add event without its completion; a bad
  // index fires nothing.
  CSmartPtr<Item> missing = new Item("missing");
  vxtest::ExpectFailure<CVxInvalidParamException>([&] { list.AddBeforeItem(missing, a); },
                                                 "The object was not found in the collection");
  EXPECT_EQ(r.Take(), "1:a");
  vxtest::ExpectFailure<CVxInvalidParamException>([&] { list.AddItemAt(9, a); },
                                                 "Index out of range");
  vxtest::ExpectFailure<CVxInvalidParamException>([&] { list.Remove(9); },
                                                 "Index 9 is out of range, use 0 - 5");
  EXPECT_EQ(r.Take(), "");
  // Removals report no index; a node in the back half is found from the end.
  list.Remove(3);
  EXPECT_EQ(r.Take(), "3:- 4:- 0:-");
  EXPECT_EQ(list.Names(), "s b c a");
  list.Clear();
  EXPECT_EQ(r.Take(), "3:- 4:- 0:- 3:- 4:- 0:- 3:- 4:- 0:- 3:- 4:- 0:-");
  for (CXmlObjectBase* source : r.sources) EXPECT_EQ(source, &list);
}

namespace {

struct Strings : CXmlTypeCollection {
  Strings()
      : CXmlTypeCollection(ItemType_string, "v", "urn:v", 0, -1, "[a-z]+", 1, 5, nullptr,
                           nullptr, "", "", -1, CWhitespaceUtils::WhitespaceRule_Collapse,
                           nullptr) {}
  void ToXml_Int(CXmlWriter*, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {}
  int GetCount() const override { return static_cast<int>(values.size()); }
  void Clear() override { values.clear(); }
  void Remove(int index) override { values.erase(values.begin() + index); }
  void AddFromString(std::string text) override { values.push_back(text); }
  CXmlElement* Read(CXmlElement* current, const CXmlSerializationContext& context) {
    return CXmlObjectBase::FromXml_Int(this, nullptr, current, context);
  }
  std::vector<std::string> values;
};

}  // namespace

TEST(TypeCollection, ReadsARunOfMatchingSiblings) {
  CXmlDocument document;
  document.LoadXml(
      "<r xmlns='urn:v'><v>1</v><v>2</v><v xmlns='urn:w'>3</v><v>4</v><w>5</w></r>");
  CXmlElement* first = document.GetDocumentElement()->GetFirstElement();
  Strings s;
  CXmlElement* left = s.Read(first, CXmlSerializationContext::m_defaultContext);
  EXPECT_EQ(s.values, (std::vector<std::string>{"1", "2"}));
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->GetText(), "3");  // another namespace ends the run

  CXmlSerializationContext ignoring;
  ignoring.SetIgnoreNamespaces(true);
  Strings all;
  left = all.Read(first, ignoring);
  EXPECT_EQ(all.values, (std::vector<std::string>{"1", "2", "3", "4"}));
  EXPECT_EQ(left->GetLocalName(), "w");
  EXPECT_EQ(all.Read(nullptr, ignoring), nullptr);
}
