// CodeSynthesis XSD (C++/Tree, on Xerces-C++) beside expat: the purchase
// order of about 10 MB read into and written from the classes xsdcxx
// generates from po.xsd (in the build tree), all in memory. Throughputs count
// the bytes of the document read, as in generated_read_bench, so the rates and
// their ratios to expat's bare parse of the same bytes compare directly.
//
// What the generated code does for this schema: reading parses the text into
// a Xerces DOM and builds the objects from it; writing builds a DOM from the
// objects and serializes it. xs:decimal becomes double (148.95 is written back
// as 148.949999999999989), xs:date a date of year, month, day and time zone,
// xs:positiveInteger an unsigned long long. The classes check that required
// elements and attributes are there, and nothing else: no facet (the SKU
// pattern, the quantity's range), no date ranges (1999-13-45 reads), no
// element order, and text that is no number reads without an error. With
// validation on, Xerces first checks the text against po.xsd: every facet,
// the order and the occurrences.
#include <benchmark/benchmark.h>
#include <xercesc/framework/MemBufFormatTarget.hpp>
#include <xercesc/framework/MemBufInputSource.hpp>
#include <xercesc/util/PlatformUtils.hpp>

#include <cstdint>
#include <memory>
#include <string>

#include "../ExpatBaseline.h"
#include "PeerDocument.h"
#include "po.hxx"

namespace {

// Xerces set up once for the whole run, not per document.
const struct XercesRuntime {
  XercesRuntime() { xercesc::XMLPlatformUtils::Initialize(); }
  ~XercesRuntime() { xercesc::XMLPlatformUtils::Terminate(); }
} kXerces;

std::unique_ptr<PurchaseOrderType> Read(const std::string& text, bool validate) {
  xercesc::MemBufInputSource source(reinterpret_cast<const XMLByte*>(text.data()), text.size(),
                                    "purchase-order");
  xml_schema::properties properties;
  if (validate) properties.no_namespace_schema_location(VXXML_PEER_SCHEMA_URI);
  return purchaseOrder(source,
                       xml_schema::flags::dont_initialize |
                           (validate ? 0 : xml_schema::flags::dont_validate),
                       properties);
}

std::size_t Items(const PurchaseOrderType& order) { return order.items().item().size(); }

void SetDocumentBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(peerdoc::PurchaseOrderText().size()));
}

void BM_ExpatBareParse(benchmark::State& state) {
  expatbaseline::Run(state, peerdoc::PurchaseOrderText());
}
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond);

// One read and the release of what it made: the items read.
BENCH_COUNTED std::size_t ReadOnce(const std::string& text, bool validate) {
  return Items(*Read(text, validate));
}

void ReadObjects(benchmark::State& state, bool validate) {
  const std::string& text = peerdoc::PurchaseOrderText();
  try {
    for (auto _ : state) {
      if (ReadOnce(text, validate) != static_cast<std::size_t>(peerdoc::ItemCount())) {
        state.SkipWithError("XSD did not read the order whole");
        break;
      }
    }
  } catch (const xml_schema::exception& e) {
    state.SkipWithError(("XSD refused the order: " + std::string(e.what())).c_str());
  }
  SetDocumentBytes(state);
}

void BM_XsdReadIntoObjects(benchmark::State& state) { ReadObjects(state, false); }
BENCHMARK(BM_XsdReadIntoObjects)->Unit(benchmark::kMillisecond);

void BM_XsdReadIntoObjectsValidated(benchmark::State& state) { ReadObjects(state, true); }
BENCHMARK(BM_XsdReadIntoObjectsValidated)->Unit(benchmark::kMillisecond);

void Write(const PurchaseOrderType& order, xercesc::MemBufFormatTarget& target) {
  purchaseOrder(target, order, xml_schema::namespace_infomap(), "UTF-8",
                xml_schema::flags::dont_initialize);
}

void BM_XsdWriteObjects(benchmark::State& state) {
  try {
    const std::unique_ptr<PurchaseOrderType> order = Read(peerdoc::PurchaseOrderText(), false);
    std::size_t size = 0;
    for (auto _ : state) {
      xercesc::MemBufFormatTarget target;
      Write(*order, target);
      size = target.getLen();
    }
    // What was written reads back to the same items.
    xercesc::MemBufFormatTarget target;
    Write(*order, target);
    const std::string written(reinterpret_cast<const char*>(target.getRawBuffer()),
                              target.getLen());
    const std::unique_ptr<PurchaseOrderType> back = Read(written, true);
    if (Items(*back) != Items(*order) ||
        back->items().item().front().USPrice() != order->items().item().front().USPrice() ||
        back->items().item().back().partNum() != order->items().item().back().partNum())
      state.SkipWithError("what XSD wrote does not read back to the order");
    state.counters["out_bytes"] = static_cast<double>(size);
  } catch (const xml_schema::exception& e) {
    state.SkipWithError(("XSD failed: " + std::string(e.what())).c_str());
  }
  SetDocumentBytes(state);
}
BENCHMARK(BM_XsdWriteObjects)->Unit(benchmark::kMillisecond);

}  // namespace
