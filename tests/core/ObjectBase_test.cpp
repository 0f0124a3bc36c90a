#include "vxxml/ObjectBase.h"
#include "vxxml/Collection.h"
#include "vxxml/SerializationContext.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

using namespace VxXmlLib10;

namespace {

struct Probe : CXmlObjectBase {
  explicit Probe(int* deleted = nullptr) : deleted(deleted) {}
  ~Probe() override {
    if (deleted) ++*deleted;
  }
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return "urn:t"; }
  std::string GetNamespace() const override { return "##any"; }
  void ToXml_Int(CXmlWriter*, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {}
  CXmlElement* FromXml_Int(CXmlElement* e, CXmlElement*, const CXmlSerializationContext&,
                           bool) override {
    return e;
  }
  void OnEvent(CXmlObjectBase* source, MsgType type, void* data) override {
    events.push_back({source, type, data ? (type >= MsgType_CollectionRemove
                                                ? *static_cast<int*>(data)
                                                : -2)
                                         : -1});
  }
  struct Event {
    CXmlObjectBase* source;
    MsgType type;
    int value;  // -1 null data, -2 item pointer, otherwise the index
  };
  std::vector<Event> events;
  int* deleted;
};

// The smallest concrete collection: the source of the events below.
struct ProbeCollection : CXmlCollection {
  void ToXml_Int(CXmlWriter*, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {}
  CXmlElement* FromXml_Int(CXmlElement*, CXmlElement* e, const CXmlSerializationContext&,
                           bool) override {
    return e;
  }
};

}  // namespace

TEST(ObjectBase, ConcurrentAddRefRelease) {
  int deleted = 0;
  CSmartPtr<Probe> keep(new Probe(&deleted));
  std::vector<std::thread> threads;
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&] {
      for (int i = 0; i < 20000; ++i) CSmartPtr<Probe> local(keep);
    });
  for (auto& t : threads) t.join();
  EXPECT_EQ(keep->AddRef(), 2);
  keep->Release();
  keep = nullptr;
  EXPECT_EQ(deleted, 1);
}

TEST(ObjectBase, ElementNameAndCopy) {
  Probe p;
  EXPECT_EQ(p.GetElementName(), "");
  p.SetElementName("purchaseOrder");
  p.AddRef();
  Probe q(p);
  EXPECT_EQ(q.GetElementName(), "purchaseOrder");
  EXPECT_EQ(q.AddRef(), 1);  // a copy has its own count
  p.SetElementName(nullptr);
  EXPECT_EQ(p.GetElementName(), "");
}

TEST(ObjectBase, EventsCarryTheirData) {
  Probe sink;
  ProbeCollection coll;
  int item = 0;
  CXmlObjectBase::FireOnCollectionChangeEvent(&sink, &coll);
  CXmlObjectBase::FireOnCollectionAddEvent(&sink, &coll, &item);
  CXmlObjectBase::FireOnCollectionAddCompleteEvent(&sink, &coll, &item);
  CXmlObjectBase::FireOnCollectionRemoveEvent(&sink, &coll, -1);
  CXmlObjectBase::FireOnCollectionRemoveEvent(&sink, &coll, 0);
  CXmlObjectBase::FireOnCollectionRemoveCompleteEvent(&sink, &coll, 5);
  CXmlObjectBase::FireOnCollectionChangeEvent(nullptr, &coll);  // no sink: nothing happens
  ASSERT_EQ(sink.events.size(), 6u);
  const IEventSink::MsgType types[] = {
      IEventSink::MsgType_CollectionChange, IEventSink::MsgType_CollectionAdd,
      IEventSink::MsgType_CollectionAddComplete, IEventSink::MsgType_CollectionRemove,
      IEventSink::MsgType_CollectionRemove, IEventSink::MsgType_CollectionRemoveComplete};
  const int values[] = {-1, -2, -2, -1, 0, 5};
  for (size_t i = 0; i < 6; ++i) {
    EXPECT_EQ(sink.events[i].source, &coll);
    EXPECT_EQ(sink.events[i].type, types[i]);
    EXPECT_EQ(sink.events[i].value, values[i]) << i;
  }
}
