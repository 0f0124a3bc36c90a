// gSOAP beside expat: the purchase order of about 10 MB read into and written
// from the classes wsdl2h and soapcpp2 generate from po.xsd (in the build
// tree), all in memory. Throughputs count the bytes of the document read, as
// in generated_read_bench, so the rates and their ratios to expat's bare
// parse of the same bytes compare directly.
//
// What the generated code does for this schema: xs:decimal, xs:date and
// xs:positiveInteger members are std::string holding the text as read, so no
// number or date is converted. Their lexical patterns and the SKU pattern go to
// a validation callback the application may install; none is installed by
// default, so none is checked (a quantity, price or date "abc" reads), and the
// quantity's maxExclusive is dropped. SOAP_XML_STRICT, set here, adds the
// occurrence checks: a missing required element or attribute, or an unknown
// element, is refused; the order of the elements is not checked.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "../ExpatBaseline.h"
#include "PeerDocument.h"
#include "soapH.h"
#include "soap.nsmap"

namespace {

// No id-ref graphs (the order is a tree), UTF-8 strings, strict reading.
const int kMode = SOAP_XML_TREE | SOAP_XML_STRICT | SOAP_C_UTFSTRING;

// The bytes gSOAP reads, served from memory through its receive hook.
struct Source {
  const char* next;
  std::size_t left;
};

std::size_t Receive(struct soap* soap, char* buffer, std::size_t length) {
  Source* source = static_cast<Source*>(soap->user);
  const std::size_t n = std::min(length, source->left);
  std::memcpy(buffer, source->next, n);
  source->next += n;
  source->left -= n;
  return n;
}

int Send(struct soap* soap, const char* data, std::size_t length) {
  static_cast<std::string*>(soap->user)->append(data, length);
  return SOAP_OK;
}

// Reads the text into the order, whose members belong to the context; false
// when gSOAP refuses it.
bool Read(struct soap* soap, const std::string& text, purchaseOrder& order) {
  Source source{text.data(), text.size()};
  soap->user = &source;
  soap->frecv = Receive;
  return soap_read_purchaseOrder(soap, &order) == SOAP_OK;
}

std::string Write(struct soap* soap, purchaseOrder& order) {
  std::string out;
  soap->user = &out;
  soap->fsend = Send;
  if (soap_write_purchaseOrder(soap, &order) != SOAP_OK) out.clear();
  return out;
}

// Frees the context with everything read into it.
void Free(struct soap* soap) {
  soap_destroy(soap);
  soap_end(soap);
  soap_free(soap);
}

std::size_t Items(const purchaseOrder& order) {
  return order.items ? order.items->item.size() : 0;
}

void SetDocumentBytes(benchmark::State& state) {
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(peerdoc::PurchaseOrderText().size()));
}

void BM_ExpatBareParse(benchmark::State& state) {
  expatbaseline::Run(state, peerdoc::PurchaseOrderText());
}
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond);

// One read and the release of what it made: the items read, 0 when the
// read failed.
BENCH_COUNTED std::size_t ReadOnce(struct soap* soap, const std::string& text) {
  purchaseOrder order;
  const bool read = Read(soap, text, order);
  const std::size_t items = read ? Items(order) : 0;
  soap_destroy(soap);  // the objects read, as the vxxml rows free theirs
  soap_end(soap);
  return items;
}

void BM_GsoapReadIntoObjects(benchmark::State& state) {
  const std::string& text = peerdoc::PurchaseOrderText();
  struct soap* soap = soap_new1(kMode);
  for (auto _ : state) {
    if (ReadOnce(soap, text) != static_cast<std::size_t>(peerdoc::ItemCount())) {
      state.SkipWithError("gSOAP did not read the order whole");
      break;
    }
  }
  Free(soap);
  SetDocumentBytes(state);
}
BENCHMARK(BM_GsoapReadIntoObjects)->Unit(benchmark::kMillisecond);

void BM_GsoapWriteObjects(benchmark::State& state) {
  struct soap* soap = soap_new1(kMode);
  purchaseOrder order;
  if (!Read(soap, peerdoc::PurchaseOrderText(), order)) {
    state.SkipWithError("gSOAP did not read the order");
    Free(soap);
    return;
  }
  soap_set_omode(soap, SOAP_XML_INDENT);  // indented, as the vxxml rows write
  std::size_t size = 0;
  for (auto _ : state) size = Write(soap, order).size();
  // What was written reads back to the same items.
  const std::string written = Write(soap, order);
  struct soap* check = soap_new1(kMode);
  purchaseOrder back;
  const bool same = Read(check, written, back) && Items(back) == Items(order) &&
                    back.items->item.front().USPrice == order.items->item.front().USPrice &&
                    back.items->item.back().partNum == order.items->item.back().partNum;
  Free(check);
  Free(soap);
  if (!same) state.SkipWithError("what gSOAP wrote does not read back to the order");
  SetDocumentBytes(state);
  state.counters["out_bytes"] = static_cast<double>(size);
}
BENCHMARK(BM_GsoapWriteObjects)->Unit(benchmark::kMillisecond);

}  // namespace
