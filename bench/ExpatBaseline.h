// expat's own parse of a document with empty handlers: namespace processing
// on, the element, namespace declaration and character data handlers set as
// the library's text reader sets them, the whole buffer in one XML_Parse call.
// That is the floor under any reader built on expat, so each benchmark file
// that parses or produces a document runs it on the same bytes
// (BM_ExpatBareParse) and the report puts the two figures side by side.
#ifndef VXXML_BENCH_EXPATBASELINE_H
#define VXXML_BENCH_EXPATBASELINE_H

#include <benchmark/benchmark.h>
#include <expat.h>

#include <climits>
#include <cstdint>
#include <string>

// The one pass of a benchmark whose instructions scripts/bench-instructions.sh
// counts under callgrind: a function of its own (never inlined into the
// benchmark loop), found there by its name.
#define BENCH_COUNTED __attribute__((noinline))

namespace expatbaseline {

inline void XMLCALL StartElement(void*, const XML_Char*, const XML_Char**) {}
inline void XMLCALL EndElement(void*, const XML_Char*) {}
inline void XMLCALL StartNamespace(void*, const XML_Char*, const XML_Char*) {}
inline void XMLCALL EndNamespace(void*, const XML_Char*) {}
inline void XMLCALL Text(void*, const XML_Char*, int) {}

// Parses the bytes once; false when expat rejects them.
BENCH_COUNTED inline bool Parse(const char* data, std::size_t length) {
  if (length > static_cast<std::size_t>(INT_MAX)) return false;
  XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
  if (!parser) return false;
  XML_SetElementHandler(parser, StartElement, EndElement);
  XML_SetNamespaceDeclHandler(parser, StartNamespace, EndNamespace);
  XML_SetCharacterDataHandler(parser, Text);
  const bool ok =
      XML_Parse(parser, data, static_cast<int>(length), XML_TRUE) == XML_STATUS_OK;
  XML_ParserFree(parser);
  return ok;
}

// The benchmark body: bytes per second of the document given.
inline void Run(benchmark::State& state, const std::string& document) {
  for (auto _ : state) {
    if (!Parse(document.data(), document.size())) {
      state.SkipWithError("expat rejected the document");
      break;
    }
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations()) *
                          static_cast<std::int64_t>(document.size()));
  state.counters["doc_bytes"] = static_cast<double>(document.size());
}

}  // namespace expatbaseline

#endif  // VXXML_BENCH_EXPATBASELINE_H
