// Writing a document of about 10 MB (as XML text) as Fast Infoset, against
// writing it as XML text. Throughput counts the bytes of the XML text form of
// the same writer calls (the "input infoset"); the counters give the sizes of
// the Fast Infoset form, the XML text and its gzip form, and their ratios.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

#include "ExpatBaseline.h"
#include "vxxml/BinaryData.h"
#include "vxxml/FastInfosetWriter.h"
#include "vxxml/XmlTextWriter.h"

using namespace VxXmlLib10;

namespace {

// One writer call, recorded so that building the strings is not timed.
struct Event {
  enum Kind { Start, Attribute, Text, End, Type, Nil } kind;
  std::string name;
  std::string ns;
  std::string value;
  ItemType type;
};

const char kNs[] = "urn:example:orders";
const char kNsExt[] = "urn:example:extensions";

std::vector<Event> MakeDocument() {
  std::vector<Event> e;
  auto start = [&](const char* name, const char* ns) {
    e.push_back({Event::Start, name, ns, "", ItemType_none});
  };
  auto attr = [&](const char* name, const char* ns, std::string value, ItemType type) {
    e.push_back({Event::Attribute, name, ns, std::move(value), type});
  };
  auto leaf = [&](const char* name, const char* ns, std::string value, ItemType type) {
    e.push_back({Event::Start, name, ns, "", ItemType_none});
    e.push_back({Event::Text, "", "", std::move(value), type});
    e.push_back({Event::End, "", "", "", ItemType_none});
  };
  auto end = [&] { e.push_back({Event::End, "", "", "", ItemType_none}); };

  static const char* const kCities[] = {"Amsterdam", "Berlin", "Chicago", "Dublin", "Edinburgh",
                                        "Florence", "Geneva", "Helsinki"};
  static const char* const kProducts[] = {"Widget", "Gadget", "Sprocket", "Flange",
                                          "Grommet", "Bracket", "Hinge"};
  char buf[160];
  unsigned seed = 12345;
  auto next = [&seed] {
    seed = seed * 1103515245u + 12345u;
    return (seed >> 8) & 0xFFFFF;
  };
  start("orders", kNs);
  for (int order = 0; order < 16000; ++order) {
    start("order", kNs);
    std::snprintf(buf, sizeof buf, "%d", 100000 + order);
    attr("id", "", buf, ItemType_i4);
    attr("status", "", order % 7 ? "shipped" : "open", ItemType_string);
    if (order % 50 == 0) e.push_back({Event::Type, "SpecialOrder", kNsExt, "", ItemType_string});
    std::snprintf(buf, sizeof buf, "2024-%02d-%02dT%02d:%02d:00Z", 1 + order % 12, 1 + order % 28,
                  order % 24, order % 60);
    leaf("placed", kNs, buf, ItemType_datetime);
    start("customer", kNs);
    std::snprintf(buf, sizeof buf, "Customer number %u with a longer display name", next() % 5000);
    leaf("name", kNs, buf, ItemType_string);
    leaf("city", kNs, kCities[next() % 8], ItemType_string);
    std::snprintf(buf, sizeof buf, "%u Long Street, Apartment %u, Postal district %u", next() % 900,
                  next() % 90, next() % 40);
    leaf("street", kNs, buf, ItemType_string);
    end();
    const int items = 1 + static_cast<int>(next() % 6);
    for (int i = 0; i < items; ++i) {
      start("item", kNs);
      leaf("product", kNs, kProducts[next() % 7], ItemType_string);
      std::snprintf(buf, sizeof buf, "%u", 1 + next() % 20);
      leaf("quantity", kNs, buf, ItemType_i4);
      std::snprintf(buf, sizeof buf, "%u.%02u", next() % 500, next() % 100);
      leaf("price", kNs, buf, ItemType_decimal);
      leaf("gift", kNs, next() % 5 ? "false" : "true", ItemType_boolean);
      if (next() % 4 == 0) {
        start("note", kNsExt);
        e.push_back({Event::Text, "", "",
                     "Please deliver between nine and five; ring the bell twice & wait.",
                     ItemType_string});
        end();
      }
      end();
    }
    if (order % 97 == 0) {
      start("discount", kNs);
      e.push_back({Event::Nil, "", "", "", ItemType_none});
      end();
    }
    end();
  }
  end();
  return e;
}

void Replay(CXmlWriter& w, const std::vector<Event>& events) {
  for (const Event& e : events) {
    switch (e.kind) {
      case Event::Start: w.WriteStartElement(e.name, e.ns); break;
      case Event::Attribute: w.WriteAttributeString(e.name, e.ns, e.value, e.type); break;
      case Event::Text: w.WriteString(e.value, e.type); break;
      case Event::End: w.WriteEndElement(); break;
      case Event::Type: w.WriteAttributeType(e.ns, e.name, e.type); break;
      case Event::Nil: w.WriteAttributeNil(); break;
    }
  }
}

const std::vector<Event>& Document() {
  static const std::vector<Event> events = MakeDocument();
  return events;
}

CBinaryData WriteFastInfoset(const CFastInfosetContext& context) {
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.Open();
  writer.WriteStartDocument(FInfoDecl_None);
  writer.SetDefaultNamespace(kNs);
  Replay(writer, Document());
  writer.WriteEndDocument();
  writer.Close();
  return stream.GetBinaryStream();
}

CBinaryData WriteXmlText() {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetFormat(false);
  writer.Open();
  writer.WriteStartDocument();
  writer.SetDefaultNamespace(kNs);
  Replay(writer, Document());
  writer.Close();
  return stream.GetEncodedStream();
}

struct Sizes {
  double xml, gzip;
};

const Sizes& ReferenceSizes() {
  static const Sizes sizes = [] {
    CBinaryData xml = WriteXmlText();
    const double xmlSize = static_cast<double>(xml.GetLength());
    CVxZip zip;
    zip.CompressData(xml, CompressionType_GZip);
    return Sizes{xmlSize, static_cast<double>(xml.GetLength())};
  }();
  return sizes;
}

void Report(benchmark::State& state, double size) {
  const Sizes& ref = ReferenceSizes();
  if (size == 0) return;  // the warm-up call
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) *
                          static_cast<int64_t>(ref.xml));
  state.counters["bytes"] = size;
  state.counters["xml_bytes"] = ref.xml;
  state.counters["xml_gzip_bytes"] = ref.gzip;
  state.counters["vs_xml"] = size / ref.xml;
  state.counters["vs_gzip"] = size / ref.gzip;
}

void BM_FastInfoset(benchmark::State& state) {
  Report(state, 0);  // builds the document and the reference sizes untimed
  CFastInfosetContext context;
  double size = 0;
  for (auto _ : state) size = static_cast<double>(WriteFastInfoset(context).GetLength());
  Report(state, size);
}

void BM_FastInfosetSuggestedEncodings(benchmark::State& state) {
  CFastInfosetContext context;
  context.SetSuggestedValues();
  double size = 0;
  for (auto _ : state) size = static_cast<double>(WriteFastInfoset(context).GetLength());
  Report(state, size);
}

void BM_FastInfosetGzip(benchmark::State& state) {
  CFastInfosetContext context;
  double size = 0;
  CVxZip zip;
  for (auto _ : state) {
    CBinaryData data = WriteFastInfoset(context);
    zip.CompressData(data, CompressionType_GZip);
    size = static_cast<double>(data.GetLength());
  }
  Report(state, size);
}

void BM_XmlText(benchmark::State& state) {
  double size = 0;
  for (auto _ : state) size = static_cast<double>(WriteXmlText().GetLength());
  Report(state, size);
}

void BM_XmlTextGzip(benchmark::State& state) {
  double size = 0;
  CVxZip zip;
  for (auto _ : state) {
    CBinaryData data = WriteXmlText();
    zip.CompressData(data, CompressionType_GZip);
    size = static_cast<double>(data.GetLength());
  }
  Report(state, size);
}

// expat's own parse of the XML text written, with empty handlers.
void BM_ExpatBareParse(benchmark::State& state) {
  const CBinaryData xml = WriteXmlText();
  expatbaseline::Run(state, std::string(reinterpret_cast<const char*>(xml.GetData()),
                                        xml.GetLength()));
}

}  // namespace

BENCHMARK(BM_FastInfoset)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FastInfosetSuggestedEncodings)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FastInfosetGzip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlText)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_XmlTextGzip)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond);
