// Writing a large document to a file: the streaming path (AsyncToXmlFile)
// keeps memory bounded by the 4096-character flush, the buffered path holds
// the whole document. Reports throughput and the growth of peak memory.
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <cstdio>
#include <string>

#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlWriter.h"

using namespace VxXmlLib10;

namespace {

// A bound object that writes `count` records under one root.
class Records : public CXmlObjectBase {
 public:
  explicit Records(long count) : m_count(count) {}
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return "urn:records"; }
  std::string GetNamespace() const override { return "urn:records"; }

 protected:
  void ToXml_Int(CXmlWriter* w, bool, const char* ns, const CXmlSerializationContext&,
                 bool) const override {
    w->SetDefaultNamespace(ns);
    w->WriteStartElement("records", ns);
    for (long i = 0; i < m_count; ++i) {
      w->WriteStartElement("record", ns);
      w->WriteAttributeString("id", "", std::to_string(i), ItemType_i4);
      w->WriteStartElement("name", ns);
      w->WriteString("A reasonably long name for record number " + std::to_string(i),
                     ItemType_string);
      w->WriteEndElement();
      w->WriteEndElement();
    }
    w->WriteEndElement();
  }
  CXmlElement* FromXml_Int(CXmlElement*, CXmlElement*, const CXmlSerializationContext&,
                           bool) override {
    return nullptr;
  }

 private:
  long m_count;
};

long PeakKiB() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

void WriteFile(benchmark::State& state, bool streaming) {
  const long count = state.range(0);
  Records records(count);
  const std::string path = "/tmp/vxxml_bench_records.xml";
  const long before = PeakKiB();
  AsyncToXmlFile(streaming);
  for (auto _ : state)
    records.ToXmlFile(path.c_str(), true, true, XmlEncoding_UTF8, EOLType_LF,
                      CXmlSerializationContext::m_defaultContext, CompressionType_None);
  AsyncToXmlFile(false);
  FILE* f = std::fopen(path.c_str(), "rb");
  std::fseek(f, 0, SEEK_END);
  const long bytes = std::ftell(f);
  std::fclose(f);
  std::remove(path.c_str());
  state.SetBytesProcessed(state.iterations() * bytes);
  state.counters["file_MB"] = bytes / 1e6;
  state.counters["peak_growth_MB"] = (PeakKiB() - before) / 1024.0;
}

// The streaming case runs first, so its peak growth is not hidden by the
// buffered case's larger peak.
void BM_ToXmlFileStreaming(benchmark::State& state) { WriteFile(state, true); }
void BM_ToXmlFileBuffered(benchmark::State& state) { WriteFile(state, false); }
BENCHMARK(BM_ToXmlFileStreaming)->Arg(400000)->Unit(benchmark::kMillisecond)->Iterations(2);
BENCHMARK(BM_ToXmlFileBuffered)->Arg(400000)->Unit(benchmark::kMillisecond)->Iterations(2);

}  // namespace
