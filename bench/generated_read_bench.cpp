// The purchase order of about 10 MB (tens of thousands of items) read and
// written through the public entry points, as text and as Fast Infoset,
// beside expat's own parse of the same text with empty handlers.
//
// Every throughput counts the bytes of the XML text, whatever the form read
// or written, so the figures compare directly. Reading into objects binds
// straight from the reader's events; the ...ThroughTree rows read the same
// input the other way (BindFromEvents(false)): the document tree loaded, then
// the metadata walk over it (cursor, name matching, conversions, property
// writes). BM_ExpatBareParse against BM_LoadTreeOnly gives the cost of
// building the tree.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "BenchDocuments.h"
#include "ExpatBaseline.h"
#include "vxxml/Untyped.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlTextWriter.h"

using namespace benchdoc;

namespace {

void SetTextBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(PurchaseOrderText().size()));
}

CBinaryData TextBytes() { return CBinaryData(PurchaseOrderText().c_str()); }

CBinaryData FastInfosetBytes(bool suggested) {
  const CXmlSerializationContext context = PurchaseOrderContext(suggested);
  return MakePurchaseOrder()->ToFastInfosetStream(FInfoDecl_None, context, CompressionType_None);
}

void BM_ExpatBareParse(benchmark::State& state) {
  expatbaseline::Run(state, PurchaseOrderText());
}
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond);

void LoadTree(benchmark::State& state, const CBinaryData& bytes) {
  for (auto _ : state) {
    CXmlDocument tree;
    tree.LoadXmlStream(bytes.GetData(), bytes.GetLength());
    benchmark::DoNotOptimize(tree.GetDocumentElement());
  }
  SetTextBytes(state);
}

// One read into new objects and their release: the items read.
BENCH_COUNTED std::size_t ReadOnce(const CBinaryData& bytes,
                                   const CXmlSerializationContext& context) {
  CSmartPtr<PurchaseOrder> po = new PurchaseOrder;
  po->FromXmlStream(bytes, context);
  return ItemCount(*po);
}

void ReadObjects(benchmark::State& state, const CBinaryData& bytes, bool suggested,
                 bool throughTree = false) {
  const CXmlSerializationContext context = PurchaseOrderContext(suggested);
  struct Path {  // the switch as it was, whatever happens
    explicit Path(bool tree) : was(BIND_FROM_EVENTS) { BindFromEvents(!tree); }
    ~Path() { BindFromEvents(was); }
    bool was;
  } path(throughTree);
  for (auto _ : state) {
    if (ReadOnce(bytes, context) != kPurchaseOrderItems) {
      state.SkipWithError("the order did not read back whole");
      break;
    }
  }
  SetTextBytes(state);
}

void BM_LoadTreeOnly(benchmark::State& state) { LoadTree(state, TextBytes()); }
BENCHMARK(BM_LoadTreeOnly)->Unit(benchmark::kMillisecond);

void BM_ReadIntoObjects(benchmark::State& state) { ReadObjects(state, TextBytes(), false); }
BENCHMARK(BM_ReadIntoObjects)->Unit(benchmark::kMillisecond);

void BM_ReadIntoObjectsThroughTree(benchmark::State& state) {
  ReadObjects(state, TextBytes(), false, true);
}
BENCHMARK(BM_ReadIntoObjectsThroughTree)->Unit(benchmark::kMillisecond);

// The same order with a payment at its very end whose xsi:type prefix only
// a later element declares: the tree, which resolves prefixes with the
// document's last declarations, reads it as an invoice; the event binder
// finds no class for it where it stands and gives the document up to the
// tree at its last element. Giving up that late costs the events read so
// far on top of the tree's read, which BM_ReadIntoObjectsThroughTree
// measures alone.
CBinaryData TextWithLateAbandon() {
  std::string text = PurchaseOrderText();
  const std::string end = "</po:purchaseOrder>";
  const std::string::size_type at = text.rfind(end);
  if (at == std::string::npos) return CBinaryData();
  text.insert(at,
              "\t<payment xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\" "
              "xsi:type=\"q:InvoicePayment\"><account>A-1</account><dueDays>30</dueDays>"
              "</payment>\n\t<ext:audit xmlns:ext=\"http://www.example.com/extensions\" "
              "xmlns:q=\"http://www.example.com/PO1\">checked</ext:audit>\n");
  return CBinaryData(text.c_str());
}

void BM_ReadIntoObjectsLateAbandon(benchmark::State& state) {
  ReadObjects(state, TextWithLateAbandon(), false);
}
BENCHMARK(BM_ReadIntoObjectsLateAbandon)->Unit(benchmark::kMillisecond);

void BM_WriteObjects(benchmark::State& state) {
  const CXmlSerializationContext context = PurchaseOrderContext();
  CSmartPtr<PurchaseOrder> po = MakePurchaseOrder();
  for (auto _ : state) benchmark::DoNotOptimize(WriteText(*po, context).GetLength());
  if (ToString(WriteText(*po, context)) != PurchaseOrderText())
    state.SkipWithError("the text written differs from the document");
  SetTextBytes(state);
}
BENCHMARK(BM_WriteObjects)->Unit(benchmark::kMillisecond);

// Writing the document tree through the text writer, as the command-line
// tool converts a document: attributes as strings, text only where it is not
// layout between child elements.
void WriteElement(CXmlTextWriter& writer, const CXmlElement* e) {
  writer.WriteStartElement(e->GetLocalName(), e->GetNamespaceURI());
  for (const CXmlAttribute* a : e->GetAttributes())
    if (!a->IsNamespaceAttribute())
      writer.WriteAttributeString(a->GetLocalName(), a->GetNamespaceURI(), a->GetValue(),
                                  ItemType_string);
  if (!e->GetFirstElement()) writer.WriteString(e->GetText(), ItemType_string);
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
    WriteElement(writer, c);
  writer.WriteEndElement();
}

CBinaryData WriteTree(const CXmlDocument& tree) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetFormat(true);
  writer.Open();
  writer.WriteStartDocument();
  // The document's own prefixes go back on the root, in URI order as the
  // objects' writer declares them.
  std::vector<std::pair<std::string, std::string>> declared;
  for (const auto& prefix : tree.GetNamespaceAliases()) declared.push_back({prefix.second, prefix.first});
  std::sort(declared.begin(), declared.end());
  for (const auto& uri : declared) {
    if (uri.second.empty())
      writer.SetDefaultNamespace(uri.first);
    else
      writer.AddNamespace(uri.second, uri.first);
  }
  WriteElement(writer, tree.GetDocumentElement());
  writer.Close();
  return stream.GetEncodedStream();
}

void BM_WriteTree(benchmark::State& state) {
  CXmlDocument tree;
  const CBinaryData bytes = TextBytes();
  tree.LoadXmlStream(bytes.GetData(), bytes.GetLength());
  for (auto _ : state) benchmark::DoNotOptimize(WriteTree(tree).GetLength());
  if (ToString(WriteTree(tree)) != PurchaseOrderText())
    state.SkipWithError("the text written differs from the document");
  SetTextBytes(state);
}
BENCHMARK(BM_WriteTree)->Unit(benchmark::kMillisecond);

// The same document as untyped content (CElement, what xs:any holds): read
// from the text, and written back.
void BM_ReadIntoUntypedElement(benchmark::State& state) {
  const CBinaryData bytes = TextBytes();
  const CXmlSerializationContext context = PurchaseOrderContext();
  for (auto _ : state) {
    CSmartPtr<CElement> element = new CElement("purchaseOrder");
    element->FromXmlStream(bytes, context);
    benchmark::DoNotOptimize(element->GetElements()->GetCount());
  }
  SetTextBytes(state);
}
BENCHMARK(BM_ReadIntoUntypedElement)->Unit(benchmark::kMillisecond);

void BM_WriteUntypedElement(benchmark::State& state) {
  const CXmlSerializationContext context = PurchaseOrderContext();
  CSmartPtr<CElement> element = new CElement("purchaseOrder");
  element->FromXmlStream(TextBytes(), context);
  size_t size = 0;
  for (auto _ : state)
    size = element->ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF, context,
                                CompressionType_None).GetLength();
  // It keeps the layout text read with the children and writes it again, so
  // its output is larger than the document: the rate counts what it writes.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(size));
}
BENCHMARK(BM_WriteUntypedElement)->Unit(benchmark::kMillisecond);

void BM_LoadTreeFromFastInfoset(benchmark::State& state) {
  LoadTree(state, FastInfosetBytes(false));
}
BENCHMARK(BM_LoadTreeFromFastInfoset)->Unit(benchmark::kMillisecond);

void BM_ReadIntoObjectsFromFastInfoset(benchmark::State& state) {
  ReadObjects(state, FastInfosetBytes(false), false);
}
BENCHMARK(BM_ReadIntoObjectsFromFastInfoset)->Unit(benchmark::kMillisecond);

void BM_ReadIntoObjectsFromFastInfosetThroughTree(benchmark::State& state) {
  ReadObjects(state, FastInfosetBytes(false), false, true);
}
BENCHMARK(BM_ReadIntoObjectsFromFastInfosetThroughTree)->Unit(benchmark::kMillisecond);

void BM_ReadIntoObjectsFromFastInfosetSuggested(benchmark::State& state) {
  ReadObjects(state, FastInfosetBytes(true), true);
}
BENCHMARK(BM_ReadIntoObjectsFromFastInfosetSuggested)->Unit(benchmark::kMillisecond);

void WriteFastInfoset(benchmark::State& state, bool suggested) {
  const CXmlSerializationContext context = PurchaseOrderContext(suggested);
  CSmartPtr<PurchaseOrder> po = MakePurchaseOrder();
  for (auto _ : state)
    benchmark::DoNotOptimize(
        po->ToFastInfosetStream(FInfoDecl_None, context, CompressionType_None).GetLength());
  SetTextBytes(state);
}

void BM_WriteObjectsFastInfoset(benchmark::State& state) { WriteFastInfoset(state, false); }
BENCHMARK(BM_WriteObjectsFastInfoset)->Unit(benchmark::kMillisecond);

void BM_WriteObjectsFastInfosetSuggested(benchmark::State& state) {
  WriteFastInfoset(state, true);
}
BENCHMARK(BM_WriteObjectsFastInfosetSuggested)->Unit(benchmark::kMillisecond);

// The sizes of the purchase order in each form, as counters (in bytes); the
// time measured is that of compressing the text and both Fast Infoset forms.
void BM_PurchaseOrderSizes(benchmark::State& state) {
  const CBinaryData text = TextBytes();
  const CBinaryData fi = FastInfosetBytes(false);
  const CBinaryData fiSuggested = FastInfosetBytes(true);
  CVxZip zip;
  double sizes[3] = {};
  for (auto _ : state) {
    const CBinaryData* forms[3] = {&text, &fi, &fiSuggested};
    for (int i = 0; i < 3; ++i) {
      CBinaryData data = *forms[i];
      zip.CompressData(data, CompressionType_GZip);
      sizes[i] = static_cast<double>(data.GetLength());
    }
  }
  state.counters["size_text"] = static_cast<double>(text.GetLength());
  state.counters["size_text_gzip"] = sizes[0];
  state.counters["size_fi"] = static_cast<double>(fi.GetLength());
  state.counters["size_fi_gzip"] = sizes[1];
  state.counters["size_fi_suggested"] = static_cast<double>(fiSuggested.GetLength());
  state.counters["size_fi_suggested_gzip"] = sizes[2];
}
BENCHMARK(BM_PurchaseOrderSizes)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
