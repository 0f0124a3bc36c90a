// Writing a ~10 MB document through the text writer into an in-memory text
// stream and encoding it to UTF-8, beside a plain std::string append of the
// same bytes.
#include <benchmark/benchmark.h>

#include <clocale>
#include <string>
#include <vector>

#include "ExpatBaseline.h"
#include "vxxml/Streams.h"
#include "vxxml/XmlTextWriter.h"

using namespace VxXmlLib10;

namespace {

const int kRecords = 42000;

// The application's locale: text in the local code page is UTF-8.
const bool kLocaleSet = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

struct Texts {
  std::vector<std::string> titles, descriptions, ids;
  Texts() {
    for (int i = 0; i < 16; ++i) {
      titles.push_back("The Art of Writing XML, volume " + std::to_string(i) + " & more");
      descriptions.push_back(
          "A long description of the item with caf\xc3\xa9 and na\xc3\xafve text, "
          "numbers 0123456789, a comparison a < b, and a line\nbreak, number " +
          std::to_string(i * 7919));
    }
    for (int i = 0; i < kRecords; ++i) ids.push_back(std::to_string(i));
  }
};

const Texts& GetTexts() {
  static const Texts texts;
  return texts;
}

// Names and namespaces as generated code holds them: built once.
struct Names {
  const std::string ns = "urn:bench", ext = "urn:ext", none, catalog = "catalog",
                    record = "record", id = "id", kind = "kind", book = "book",
                    title = "title", price = "price", currency = "currency", eur = "EUR",
                    amount = "12.50", description = "description";
};

void WriteDocument(CXmlTextWriter& w, const Texts& t) {
  static const Names n;
  w.WriteStartDocument();
  w.SetDefaultNamespace(n.ns);
  w.AddNamespace("x", n.ext);
  w.WriteStartElement(n.catalog, n.ns);
  for (int i = 0; i < kRecords; ++i) {
    w.WriteStartElement(n.record, n.ns);
    w.WriteAttributeString(n.id, n.none, t.ids[i], ItemType_i4);
    w.WriteAttributeString(n.kind, n.ext, n.book, ItemType_string);
    w.WriteStartElement(n.title, n.ns);
    w.WriteString(t.titles[i % 16], ItemType_string);
    w.WriteEndElement();
    w.WriteStartElement(n.price, n.ns);
    w.WriteAttributeString(n.currency, n.none, n.eur, ItemType_string);
    w.WriteString(n.amount, ItemType_decimal);
    w.WriteEndElement();
    w.WriteStartElement(n.description, n.ns);
    w.WriteString(t.descriptions[i % 16], ItemType_string);
    w.WriteEndElement();
    w.WriteEndElement();
  }
  w.WriteEndElement();
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      default: out += c;
    }
  }
  return out;
}

void BM_TextWriterToUtf8(benchmark::State& state) {
  const Texts& t = GetTexts();
  if (!kLocaleSet) state.SkipWithError("no C.UTF-8 locale");
  size_t bytes = 0;
  for (auto _ : state) {
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.Open();
    WriteDocument(writer, t);
    writer.Close();
    CBinaryData data = stream.GetEncodedStream();
    bytes = data.GetLength();
    benchmark::DoNotOptimize(data.GetData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_TextWriterToUtf8)->Unit(benchmark::kMillisecond);

void BM_PlainStringAppend(benchmark::State& state) {
  const Texts& t = GetTexts();
  std::vector<std::string> titles, descriptions;
  for (const auto& s : t.titles) titles.push_back(Escape(s));
  for (const auto& s : t.descriptions) descriptions.push_back(Escape(s));
  std::string writerOutput;
  {
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.Open();
    WriteDocument(writer, t);
    writer.Close();
    writerOutput = stream.GetText();
  }
  size_t bytes = 0;
  std::string last;
  for (auto _ : state) {
    std::string out;
    out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
    out += "<catalog xmlns=\"urn:bench\" xmlns:x=\"urn:ext\">\n";
    for (int i = 0; i < kRecords; ++i) {
      out += "\t<record";
      out += " id=\"";
      out += t.ids[i];
      out += "\" x:kind=\"book\">\n";
      out += "\t\t<title>";
      out += titles[i % 16];
      out += "</title>\n";
      out += "\t\t<price";
      out += " currency=\"EUR\">";
      out += "12.50";
      out += "</price>\n";
      out += "\t\t<description>";
      out += descriptions[i % 16];
      out += "</description>\n";
      out += "\t</record>\n";
    }
    out += "</catalog>\n";
    bytes = out.size();
    benchmark::DoNotOptimize(out.data());
    if (last.empty()) last.swap(out);
  }
  // The baseline must have produced exactly the writer's bytes.
  if (last != writerOutput) state.SkipWithError("baseline differs from the writer output");
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
  state.counters["MB"] = static_cast<double>(bytes) / 1e6;
}
BENCHMARK(BM_PlainStringAppend)->Unit(benchmark::kMillisecond);

}  // namespace

namespace {
void BM_TextWriterOnly(benchmark::State& state) {
  const Texts& t = GetTexts();
  size_t bytes = 0;
  for (auto _ : state) {
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.Open();
    WriteDocument(writer, t);
    writer.Close();
    bytes = stream.GetLength();
  }
  state.SetBytesProcessed(static_cast<int64_t>(bytes) * state.iterations());
}
BENCHMARK(BM_TextWriterOnly)->Unit(benchmark::kMillisecond);
}  // namespace

namespace {
void BM_EncodeOnly(benchmark::State& state) {
  const Texts& t = GetTexts();
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.Open();
  WriteDocument(writer, t);
  writer.Close();
  for (auto _ : state) {
    CBinaryData data = stream.GetEncodedStream();
    benchmark::DoNotOptimize(data.GetData());
  }
  state.SetBytesProcessed(static_cast<int64_t>(stream.GetLength()) * state.iterations());
}
BENCHMARK(BM_EncodeOnly)->Unit(benchmark::kMillisecond);
}  // namespace

namespace {
// expat's own parse of the text written, with empty handlers.
void BM_ExpatBareParse(benchmark::State& state) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.Open();
  WriteDocument(writer, GetTexts());
  writer.Close();
  expatbaseline::Run(state, stream.GetText());
}
BENCHMARK(BM_ExpatBareParse)->Unit(benchmark::kMillisecond);
}  // namespace

namespace {
// A document declaring N prefixes on its root, as a tool copying a document's
// declarations writes it: the cost per prefix must not grow with N.
void BM_DeclarePrefixes(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  std::vector<std::string> prefixes, uris;
  for (int i = 0; i < n; ++i) {
    prefixes.push_back("p" + std::to_string(i));
    uris.push_back("urn:ns:" + std::to_string(i));
  }
  for (auto _ : state) {
    CTextStream stream(XmlEncoding_UTF8);
    CXmlTextWriter writer(stream);
    writer.Open();
    for (int i = 0; i < n; ++i) writer.AddNamespace(prefixes[i], uris[i]);
    writer.WriteStartElement("r", "");
    writer.WriteStartElement("a", uris[0]);
    writer.WriteAttributeString("x", uris[n - 1], "1", ItemType_string);
    writer.WriteEndElement();
    writer.WriteEndElement();
    writer.Close();
    benchmark::DoNotOptimize(stream.GetLength());
  }
  // Prefixes per second: the same for both sizes when the cost is linear.
  state.SetItemsProcessed(static_cast<int64_t>(n) * state.iterations());
}
BENCHMARK(BM_DeclarePrefixes)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);
}  // namespace
