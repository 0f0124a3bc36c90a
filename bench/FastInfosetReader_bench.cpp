// Loading the same document from Fast Infoset and from XML text, as plain
// strings and with the suggested typed encodings, and Fast Infoset streamed.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <clocale>
#include <cstring>
#include <string>

#include "ExpatBaseline.h"
#include "vxxml/FastInfosetReader.h"
#include "vxxml/FastInfosetWriter.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlTextWriter.h"

using namespace VxXmlLib10;

namespace {

// About `records` × 250 bytes of XML text: namespaces, repeated names,
// attributes, numbers, dates and free text.
void Write(CXmlWriter& w, int records) {
  w.SetDefaultNamespace("urn:example:orders");
  w.AddNamespace("x", "urn:example:ext");
  w.WriteStartElement("orders", "urn:example:orders");
  for (int i = 0; i < records; ++i) {
    const std::string n = std::to_string(i);
    w.WriteStartElement("order", "urn:example:orders");
    w.WriteAttributeString("id", "", n, ItemType_i4);
    w.WriteAttributeString("channel", "urn:example:ext", "web", ItemType_string);
    w.WriteAttributeString("status", "", i % 3 ? "open" : "closed", ItemType_string);
    w.WriteStartElement("customer", "urn:example:orders");
    w.WriteString("Customer number " + n + " & Co.", ItemType_string);
    w.WriteEndElement();
    w.WriteStartElement("amount", "urn:example:orders");
    w.WriteAttributeString("currency", "", "EUR", ItemType_string);
    w.WriteString(n + "9.95", ItemType_decimal);
    w.WriteEndElement();
    w.WriteStartElement("date", "urn:example:orders");
    w.WriteString("2024-05-17", ItemType_date);
    w.WriteEndElement();
    w.WriteStartElement("note", "urn:example:orders");
    w.WriteString("first line\nsecond line of a longer note " + n, ItemType_string);
    w.WriteEndElement();
    w.WriteEndElement();
  }
  w.WriteEndElement();
}

const int kRecords = 20000;

std::string Text() {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetFormat(false);
  writer.Open();
  writer.WriteStartDocument();
  Write(writer, kRecords);
  writer.Close();
  return stream.GetText();
}

CBinaryData Fi(bool suggested) {
  CFastInfosetContext context;
  if (suggested) context.SetSuggestedValues();
  CBinaryStream stream;
  CFastInfosetWriter writer(context, stream);
  writer.Open();
  writer.WriteStartDocument(FInfoDecl_None);
  Write(writer, kRecords);
  writer.WriteEndDocument();
  writer.Close();
  return stream.GetBinaryStream();
}

void Load(benchmark::State& state, const unsigned char* bytes, size_t length, size_t textSize) {
  std::setlocale(LC_ALL, "C.UTF-8");
  for (auto _ : state) {
    CXmlDocument doc;
    doc.LoadXmlStream(bytes, length);
    benchmark::DoNotOptimize(doc.GetDocumentElement());
  }
  // Bytes of the equivalent XML text, so the rates compare.
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * textSize);
  state.counters["input_bytes"] = static_cast<double>(length);
}

void BM_LoadXmlText(benchmark::State& state) {
  static const std::string text = Text();
  Load(state, reinterpret_cast<const unsigned char*>(text.data()), text.size(), text.size());
}
BENCHMARK(BM_LoadXmlText)->Unit(benchmark::kMillisecond);

void BM_LoadFastInfoset(benchmark::State& state) {
  static const std::string text = Text();
  static const CBinaryData fi = Fi(false);
  Load(state, fi.GetData(), fi.GetLength(), text.size());
}
BENCHMARK(BM_LoadFastInfoset)->Unit(benchmark::kMillisecond);

void BM_LoadFastInfosetSuggested(benchmark::State& state) {
  static const std::string text = Text();
  static const CBinaryData fi = Fi(true);
  Load(state, fi.GetData(), fi.GetLength(), text.size());
}
BENCHMARK(BM_LoadFastInfosetSuggested)->Unit(benchmark::kMillisecond);

// The same document pulled through the reader's 64 KB window, from a
// callback that copies it out of memory as a stream would deliver it.
void BM_LoadFastInfosetStreamed(benchmark::State& state) {
  static const std::string text = Text();
  static const CBinaryData fi = Fi(false);
  std::setlocale(LC_ALL, "C.UTF-8");
  for (auto _ : state) {
    CXmlDocument doc;
    CFastInfosetReader reader(CXmlSerializationContext::m_defaultContext.GetFIContext(), doc);
    size_t at = 0;
    reader.Parse([&](unsigned char* buffer, size_t capacity) {
      const size_t n = std::min<size_t>(capacity, fi.GetLength() - at);
      std::memcpy(buffer, fi.GetData() + at, n);
      at += n;
      return n;
    });
    benchmark::DoNotOptimize(doc.GetDocumentElement());
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * text.size());
  state.counters["input_bytes"] = static_cast<double>(fi.GetLength());
}
BENCHMARK(BM_LoadFastInfosetStreamed)->Unit(benchmark::kMillisecond);

// expat's own parse of the XML text with empty handlers.
void BM_ExpatBareParse(benchmark::State& state) {
  static const std::string text = Text();
  expatbaseline::Run(state, text);
}
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond);

}  // namespace
