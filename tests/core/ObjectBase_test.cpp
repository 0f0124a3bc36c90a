#include "vxxml/ObjectBase.h"
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
  int* deleted;
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
