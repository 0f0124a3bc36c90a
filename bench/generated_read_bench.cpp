// Reading a purchase order of about 10 MB (tens of thousands of items) into
// generated-style objects, beside building the document tree alone and
// writing the objects back: the difference between the first two is the cost
// of the metadata walk (cursor, name matching, conversions, property writes).
#include <benchmark/benchmark.h>

#include <clocale>
#include <string>

#include "../tests/metadata/SeqModel.h"

using namespace seqmodel;

namespace {

const bool kLocaleSet = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

const std::string& Document() {
  static const std::string doc = [] {
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    for (USAddress* a : {po->shipTo.Get(), po->billTo.Get()}) {
      a->name.SetString("Alice Smith");
      a->street.SetString("123 Maple Street");
      a->city.SetString("Mill Valley");
      a->zip.FromString("90952", ItemType_decimal, kNone);
    }
    for (int i = 0; i < 40000; ++i) {
      CSmartPtr<Item> item = new Item;
      item->partNum.SetString("872-AA");
      item->productName.SetString("Lawnmower, petrol, with grass box");
      item->quantity.SetI4(i % 99);
      item->price.FromString("148.95", ItemType_decimal, kNone);
      if (i % 3 == 0) item->comment.SetString("Confirm this is electric");
      if (i % 2 == 0) item->shipDate.FromString("1999-05-21", ItemType_date, kNone);
      po->items->item->AppendItem(item);
    }
    CXmlSerializationContext ctx;
    ctx.SetDefaultNamespaceURI(kPo);
    return WriteText(po, ctx);
  }();
  return doc;
}

void BM_LoadTreeOnly(benchmark::State& state) {
  const std::string& doc = Document();
  for (auto _ : state) {
    CXmlDocument tree;
    tree.LoadXmlStream(reinterpret_cast<const unsigned char*>(doc.data()), doc.size());
    benchmark::DoNotOptimize(tree.GetDocumentElement());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_LoadTreeOnly)->Unit(benchmark::kMillisecond);

void BM_ReadIntoObjects(benchmark::State& state) {
  const std::string& doc = Document();
  CXmlSerializationContext ctx;
  for (auto _ : state) {
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    ReadBytes(po, reinterpret_cast<const unsigned char*>(doc.data()), doc.size(), ctx);
    benchmark::DoNotOptimize(po->items->item->GetCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_ReadIntoObjects)->Unit(benchmark::kMillisecond);

// The same purchase order as Fast Infoset (suggested encodings), read into
// objects; throughput counts the bytes of the equivalent XML text, so the two
// reading figures compare directly.
void BM_ReadIntoObjectsFromFastInfoset(benchmark::State& state) {
  const std::string& doc = Document();
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kPo);
  ctx.GetFIContext().SetSuggestedValues();
  CSmartPtr<PurchaseOrder> source = new PurchaseOrder;
  ReadText(source, doc, ctx);
  const CBinaryData fi = source->ToFastInfosetStream(FInfoDecl_None, ctx, CompressionType_None);
  for (auto _ : state) {
    CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
    po->FromXmlStream(fi, ctx);
    benchmark::DoNotOptimize(po->items->item->GetCount());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
  state.counters["fi_MB"] = fi.GetLength() / 1e6;
  state.counters["text_MB"] = doc.size() / 1e6;
}
BENCHMARK(BM_ReadIntoObjectsFromFastInfoset)->Unit(benchmark::kMillisecond);

void BM_WriteObjects(benchmark::State& state) {
  const std::string& doc = Document();
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kPo);
  CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
  ReadText(po, doc, ctx);
  for (auto _ : state) benchmark::DoNotOptimize(WriteText(po, ctx).size());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * doc.size()));
}
BENCHMARK(BM_WriteObjects)->Unit(benchmark::kMillisecond);

}  // namespace
