// count_elements: counts the elements of a document of any size, in constant
// memory, through the event handler.
//
//   count_elements FILE    XML text or Fast Infoset, plain, gzip or zlib
//
// Prints the number of elements, then for the five most frequent names how
// often each occurs.
#include <algorithm>
#include <clocale>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "vxxml/vxxml.h"

using namespace VxXmlLib10;

namespace {

class ElementCounter : public CXmlEventHandler {
 public:
  void StartElement(const CXmlStartElement& element) override {
    ++total;
    // The views are valid during the call only: the map keeps copies.
    ++byName[std::string(element.localName)];
  }

  unsigned long long total = 0;
  std::map<std::string, unsigned long long> byName;
};

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  if (argc != 2) {
    std::fprintf(stderr, "usage: count_elements FILE\n");
    return 2;
  }
  ElementCounter counter;
  CXmlSerializationContext context;
  context.SetMaxDepth(0);  // no bound on nesting: nothing is kept per level
  try {
    ReadXmlEvents(argv[1], context, counter);
  } catch (const CVxException& e) {
    std::fprintf(stderr, "count_elements: %s\n", e.GetFullMessage().c_str());
    return 1;
  }
  std::printf("%llu elements\n", counter.total);
  std::vector<std::pair<unsigned long long, std::string>> names;
  for (const auto& n : counter.byName) names.emplace_back(n.second, n.first);
  std::sort(names.rbegin(), names.rend());
  for (size_t i = 0; i < names.size() && i < 5; ++i)
    std::printf("%12llu %s\n", names[i].first, names[i].second.c_str());
  return 0;
}
