#include "PeerDocument.h"

#include <stdexcept>

#include "../BenchDocuments.h"

namespace peerdoc {

namespace {

// Drops the namespace declarations from the root's start tag and the "po:"
// prefix from every element name (the root and the global comment elements
// carry it; the local elements are unqualified).
std::string WithoutNamespace(const std::string& text) {
  const std::string prefix = "po:";
  std::string out;
  out.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const char c = text[i];
    out += c;
    ++i;
    if (c != '<') continue;
    if (i < text.size() && text[i] == '/') out += text[i++];
    if (text.compare(i, prefix.size(), prefix) == 0) i += prefix.size();
  }
  const std::size_t root = out.find("<purchaseOrder");
  if (root == std::string::npos) throw std::logic_error("the purchase order has no root element");
  for (std::size_t at; (at = out.find(" xmlns", root)) < out.find('>', root);) {
    const std::size_t close = out.find('"', out.find('"', at) + 1);
    out.erase(at, close + 1 - at);
  }
  if (out.find("xmlns") != std::string::npos || out.find(prefix) != std::string::npos)
    throw std::logic_error("the purchase order keeps a namespace");
  return out;
}

}  // namespace

int ItemCount() { return benchdoc::kPurchaseOrderItems; }

const std::string& PurchaseOrderText() {
  static const std::string text = WithoutNamespace(benchdoc::PurchaseOrderText());
  return text;
}

}  // namespace peerdoc
