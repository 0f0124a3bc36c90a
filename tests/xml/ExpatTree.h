// Parses XML with expat (namespace processing, separator '|') into a small
// tree, so tests can compare what a writer meant with what a parser reads.
#ifndef VXXML_TESTS_XML_EXPATTREE_H
#define VXXML_TESTS_XML_EXPATTREE_H

#include <expat.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace vxxml_test {

struct Node {
  std::string name;                           // "uri|local" or "local"
  std::map<std::string, std::string> attrs;   // expanded name -> value
  std::string text;                           // all character data, concatenated
  std::vector<std::unique_ptr<Node>> children;
};

struct ParseResult {
  bool ok = false;
  std::string error;
  std::unique_ptr<Node> root;
};

inline ParseResult ParseXml(const void* data, size_t length) {
  struct State {
    std::unique_ptr<Node> root;
    std::vector<Node*> stack;
  } state;
  XML_Parser parser = XML_ParserCreateNS(nullptr, '|');
  XML_SetUserData(parser, &state);
  XML_SetElementHandler(
      parser,
      [](void* user, const XML_Char* name, const XML_Char** atts) {
        State* s = static_cast<State*>(user);
        auto node = std::make_unique<Node>();
        node->name = name;
        for (int i = 0; atts[i]; i += 2) node->attrs[atts[i]] = atts[i + 1];
        Node* raw = node.get();
        if (s->stack.empty())
          s->root = std::move(node);
        else
          s->stack.back()->children.push_back(std::move(node));
        s->stack.push_back(raw);
      },
      [](void* user, const XML_Char*) { static_cast<State*>(user)->stack.pop_back(); });
  XML_SetCharacterDataHandler(parser, [](void* user, const XML_Char* s, int len) {
    State* st = static_cast<State*>(user);
    if (!st->stack.empty()) st->stack.back()->text.append(s, static_cast<size_t>(len));
  });
  ParseResult result;
  result.ok = XML_Parse(parser, static_cast<const char*>(data), static_cast<int>(length), 1) ==
              XML_STATUS_OK;
  if (!result.ok)
    result.error = std::string(XML_ErrorString(XML_GetErrorCode(parser))) + " at line " +
                   std::to_string(XML_GetCurrentLineNumber(parser));
  XML_ParserFree(parser);
  result.root = std::move(state.root);
  return result;
}

}  // namespace vxxml_test

#endif  // VXXML_TESTS_XML_EXPATTREE_H
