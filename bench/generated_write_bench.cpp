// Writing records through the metadata of a generated class, beside writing
// the same bytes with direct writer calls: the difference is the cost of the
// metadata walk (property accessor, variants, facet checks, conversions).
#include <benchmark/benchmark.h>

#include <clocale>
#include <mutex>
#include <string>

#include "vxxml/GeneratedClass.h"
#include "vxxml/Metadata.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/Variant.h"
#include "vxxml/XmlTextWriter.h"

using namespace VxXmlLib10;
using namespace VxXmlLib10Data;

namespace {

const int kRecords = 20000;
const bool kLocaleSet = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

class Prim : public CElementInfo {
 public:
  using CElementInfo::CElementInfo;
  bool ElementToXml(const CXmlSerializationContext& c, const CXmlGeneratedClass* o,
                    CXmlWriter* w) const override {
    return ElementToXmlPrim(c, o, w);
  }
  bool ElementFromXml(const CXmlSerializationContext&, CXmlGeneratedClass*, CXmlElement*,
                      CXmlElement**, const std::string&, XmlElementType) override {
    return false;
  }
  bool Validate(const CXmlSerializationContext&, const CXmlGeneratedClass*, bool,
                bool) const override {
    return true;
  }
};

// <item><id>..</id><title>..</title><price>..</price><count>..</count></item>
class Item : public CXmlGeneratedClass {
 public:
  long id = 0;
  std::string title;
  double price = 0;
  long count = 0;

  Item() { SetElementName("item"); }
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return "urn:b"; }
  std::string GetNamespace() const override { return "urn:b"; }
  void AccessProperty(int propertyId, bool read, VxVariant& v) override {
    if (!read) return;
    switch (propertyId) {
      case 1: v.SetI4(id); break;
      case 2: v.SetString(title); break;
      case 3: v.SetR8(price); break;
      default: v.SetI4(count); break;
    }
  }
  CParentElementInfo* GetClassInfo() const override { return Meta().info; }
  CElementInfo** GetClassElementInfo() const override { return Meta().elements; }
  CAttributeInfo** GetClassAttributeInfo() const override { return Meta().attributes; }
  void Init() override {}

 private:
  struct Metadata {
    CParentElementInfo* info = nullptr;
    CElementInfo** elements = nullptr;
    CAttributeInfo** attributes = nullptr;
  };
  static Metadata& Meta() {
    static Metadata m;
    std::lock_guard<CVXCriticalSection> lock(m_csInit);
    if (!m.info) {
      CPrimitiveRestrictions none, title;
      title.maxLength = 64;
      CPrimitiveRestrictions count;
      count.minInclusive = "0";
      const auto ws = CWhitespaceUtils::WhitespaceRule_Collapse;
      m.elements = new CElementInfo*[5]{
          new Prim("id", "urn:b", 1, false, ItemType_i4, nullptr, ws, none),
          new Prim("title", "urn:b", 2, false, ItemType_string, nullptr, ws, title),
          new Prim("price", "urn:b", 3, false, ItemType_r8, "%.2f", ws, none),
          new Prim("count", "urn:b", 4, false, ItemType_i4, nullptr, ws, count), nullptr};
      m.attributes = new CAttributeInfo*[1]{nullptr};
      m.info = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element,
                                      "ItemType", "urn:b", true, false, -1, ItemType_none,
                                      nullptr, false);
    }
    return m;
  }
};

void BM_MetadataWalk(benchmark::State& state) {
  Item item;
  item.title = "A title of moderate length";
  item.price = 12.5;
  CXmlSerializationContext ctx;
  for (auto _ : state) {
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.SetFormat(true);
    writer.Open();
    writer.SetDefaultNamespace("urn:b");
    writer.WriteStartElement("items", "urn:b");
    for (int i = 0; i < kRecords; ++i) {
      item.id = i;
      item.count = i % 17;
      CXmlObjectBase::ToXml_Int(&item, &writer, false, "urn:b", ctx, false);
    }
    writer.WriteEndElement();
    writer.Close();
    benchmark::DoNotOptimize(stream.GetLength());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_MetadataWalk)->Unit(benchmark::kMillisecond);

void BM_DirectWriterCalls(benchmark::State& state) {
  for (auto _ : state) {
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.SetFormat(true);
    writer.Open();
    writer.SetDefaultNamespace("urn:b");
    writer.WriteStartElement("items", "urn:b");
    for (int i = 0; i < kRecords; ++i) {
      writer.WriteStartElement("item", "urn:b");
      writer.WriteStartElement("id", "urn:b");
      writer.WriteString(std::to_string(i), ItemType_i4);
      writer.WriteEndElement();
      writer.WriteStartElement("title", "urn:b");
      writer.WriteString("A title of moderate length", ItemType_string);
      writer.WriteEndElement();
      writer.WriteStartElement("price", "urn:b");
      writer.WriteString("12.50", ItemType_r8);
      writer.WriteEndElement();
      writer.WriteStartElement("count", "urn:b");
      writer.WriteString(std::to_string(i % 17), ItemType_i4);
      writer.WriteEndElement();
      writer.WriteEndElement();
    }
    writer.WriteEndElement();
    writer.Close();
    benchmark::DoNotOptimize(stream.GetLength());
  }
  state.SetItemsProcessed(state.iterations() * kRecords);
}
BENCHMARK(BM_DirectWriterCalls)->Unit(benchmark::kMillisecond);

}  // namespace
