// Loading documents into the document model: throughput per input form.
#include <benchmark/benchmark.h>

#include <clocale>
#include <string>

#include "ExpatBaseline.h"
#include "vxxml/BinaryData.h"
#include "vxxml/XmlDocument.h"

using namespace VxXmlLib10;

namespace {

// A record-oriented document of about `records` × 300 bytes: namespaces,
// attributes, short and multi-line text, a CDATA section.
std::string MakeDocument(int records) {
  std::string xml = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                    "<orders xmlns=\"urn:example:orders\" xmlns:x=\"urn:example:ext\">\n";
  for (int i = 0; i < records; ++i) {
    const std::string n = std::to_string(i);
    xml += "  <order id=\"" + n + "\" x:channel=\"web\" status=\"open\">\n"
           "    <customer>Customer n\xC2\xB0" + n + " &amp; Co.</customer>\n"
           "    <amount currency=\"EUR\">" + n + "9.95</amount>\n"
           "    <note>first line\n      second line</note>\n"
           "    <x:raw><![CDATA[<b>" + n + "</b>]]></x:raw>\n"
           "  </order>\n";
  }
  return xml + "</orders>\n";
}

const std::string& Document() {
  static const std::string xml = MakeDocument(5000);
  return xml;
}

void BM_LoadXmlString(benchmark::State& state) {
  const std::string& xml = Document();
  for (auto _ : state) {
    CXmlDocument doc;
    doc.LoadXml(xml.c_str());
    benchmark::DoNotOptimize(doc.GetDocumentElement());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * xml.size());
}
BENCHMARK(BM_LoadXmlString)->Unit(benchmark::kMillisecond);

void BM_LoadXmlStreamGzip(benchmark::State& state) {
  CBinaryData data(Document().c_str());
  CVxZip().CompressData(data, CompressionType_GZip);
  for (auto _ : state) {
    CXmlDocument doc;
    doc.LoadXmlStream(data.GetData(), data.GetLength());
    benchmark::DoNotOptimize(doc.GetDocumentElement());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * Document().size());
}
BENCHMARK(BM_LoadXmlStreamGzip)->Unit(benchmark::kMillisecond);

void BM_LoadXmlWide(benchmark::State& state) {
  const std::string& xml = Document();
  std::wstring wide(xml.begin() + xml.find("<orders"), xml.end());
  for (wchar_t& c : wide) c = static_cast<unsigned char>(c);  // ASCII and U+00C2/U+00B0
  for (auto _ : state) {
    CXmlDocument doc;
    doc.LoadXml(wide.c_str());
    benchmark::DoNotOptimize(doc.GetDocumentElement());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * xml.size());
}
BENCHMARK(BM_LoadXmlWide)->Unit(benchmark::kMillisecond);

// A locale that is not UTF-8: every name and text goes through the converter.
void BM_LoadXmlStringConverting(benchmark::State& state) {
  const std::string& xml = Document();
  const std::string saved = std::setlocale(LC_ALL, nullptr);
  std::setlocale(LC_ALL, "C");
  for (auto _ : state) {
    CXmlDocument doc;
    doc.LoadXml(xml.c_str());
    benchmark::DoNotOptimize(doc.GetDocumentElement());
  }
  std::setlocale(LC_ALL, saved.c_str());
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * xml.size());
}
BENCHMARK(BM_LoadXmlStringConverting)->Unit(benchmark::kMillisecond);

// expat's own parse of the same bytes with empty handlers.
void BM_ExpatBareParse(benchmark::State& state) { expatbaseline::Run(state, Document()); }
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "C.UTF-8");
  benchmark::Initialize(&argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
