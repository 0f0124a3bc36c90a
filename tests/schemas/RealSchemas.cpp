// Public schemas (XHTML 1.0 Strict, WSDL 1.1 with SOAP, XLink, the XML Schema
// meta-schema, DocBook 5, XML Signature and Encryption), compiled at build
// time: every document of tests/generator/documents/<set> reads into the
// classes and writes back with the same infoset, and the invalid one of each
// set is refused with the exact message.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "TestUtil.h"
#include "docbook.h"
#include "ds.h"
#include "links.h"
#include "wsdl.h"
#include "xenc.h"
#include "xhtml.h"
#include "xsd.h"

using namespace VxXmlLib10;

namespace {

namespace fs = std::filesystem;

using Reader = CSmartPtr<CXmlGeneratedClass> (*)(const CBinaryData&,
                                                 const CXmlSerializationContext&);
using MakeContext = CXmlSerializationContext (*)();

struct Set {
  const char* dir;
  Reader read;
  MakeContext context;
};

const Set kSets[] = {
    {"xhtml", xhtml::ReadDocument, xhtml::Context},  {"wsdl", wsdl::ReadDocument, wsdl::Context},
    {"xlink", links::ReadDocument, links::Context},  {"xsd", xsd::ReadDocument, xsd::Context},
    {"docbook", docbook::ReadDocument, docbook::Context},
    {"xmldsig", ds::ReadDocument, ds::Context},      {"xmlenc", xenc::ReadDocument, xenc::Context},
};

const std::string kDocuments = std::string(VXXML_SOURCE_DIR) + "/tests/generator/documents/";

CBinaryData Bytes(const std::string& text) {
  return CBinaryData(reinterpret_cast<unsigned char*>(const_cast<char*>(text.data())),
                     static_cast<unsigned long>(text.size()), false);
}

std::string Text(const CXmlGeneratedClass& object, const CXmlSerializationContext& context) {
  const CBinaryData data = object.ToXmlStream(true, false, XmlEncoding_UTF8, EOLType_LF, context,
                                              CompressionType_None);
  return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

// The infoset in one text: names, namespaces, attributes (xsi:type aside: it
// is written where the class differs from the member's) and text in document
// order. Whitespace is left out: the canonical form of a value (Base64 line
// breaks, a collapsed token) may lay it out otherwise.
void Dump(const CXmlElement* e, std::string& out) {
  auto text = [&](const std::string& t, size_t from, size_t to) {
    for (size_t i = from; i < to && i < t.size(); ++i)
      if (!std::isspace(static_cast<unsigned char>(t[i]))) out += t[i];
  };
  out += "<{" + e->GetNamespaceURI() + "}" + e->GetLocalName();
  std::vector<std::string> attributes;
  for (const CXmlAttribute* a : e->GetAttributes())
    if (a->GetLocalName() != "type" ||
        a->GetNamespaceURI() != "http://www.w3.org/2001/XMLSchema-instance")
      attributes.push_back(" {" + a->GetNamespaceURI() + "}" + a->GetLocalName() + "=" +
                           a->GetValue());
  std::sort(attributes.begin(), attributes.end());
  for (const std::string& a : attributes) out += a;
  out += ">";
  size_t at = 0;
  for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement()) {
    text(e->GetText(), at, c->GetTextOffset());
    at = std::max(at, c->GetTextOffset());
    Dump(c, out);
  }
  text(e->GetText(), at, e->GetText().size());
  out += "</>";
}

std::string Infoset(const std::string& xml) {
  CXmlDocument document;
  document.LoadXml(xml.c_str());
  std::string out;
  Dump(document.GetDocumentElement(), out);
  return out;
}

}  // namespace

TEST(RealSchemas, DocumentsReadAndWriteBackWithTheSameInfoset) {
  int documents = 0;
  for (const Set& set : kSets) {
    for (const auto& entry : fs::directory_iterator(kDocuments + set.dir)) {
      const std::string name = entry.path().filename().string();
      if (entry.path().extension() != ".xml" || name.find("-invalid") != std::string::npos)
        continue;
      SCOPED_TRACE(std::string(set.dir) + "/" + name);
      const std::string text = vxtest::ReadFile(entry.path().string());
      const CXmlSerializationContext context = set.context();
      CSmartPtr<CXmlGeneratedClass> object;
      ASSERT_EQ(vxtest::Failure([&] { object = set.read(Bytes(text), context); }), "");
      const std::string written = Text(*object, context);
      EXPECT_EQ(Infoset(written), Infoset(text));
      // What the classes write they read again, to the same bytes.
      EXPECT_EQ(Text(*set.read(Bytes(written), context), context), written);
      ++documents;
    }
  }
  EXPECT_GE(documents, 16);
}

TEST(RealSchemas, InvalidDocumentsAreRefusedWithTheExactMessage) {
  auto path = [](const std::vector<std::string>& names) {
    std::string out;
    for (const std::string& n : names) out += "Failed to process the element [" + n + "]\n";
    return out;
  };
  const struct {
    const char* dir;
    const char* file;
    std::string message;
  } cases[] = {
      {"xhtml", "release-notes-invalid.xml",
       path({"html", "body", "body", "table", "table", "tbody", "tr"}) +
           "Invalid Valign value [center]"},
      {"wsdl", "stockquote-invalid.xml",
       path({"definitions", "definitions", "binding"}) +
           "Failed to find the required Attribute [type]"},
      {"xlink", "catalogue-invalid.xml",
       path({"catalogue", "route", "route", "route", "leg"}) + "Invalid showType value [popup]"},
      {"xsd", "library-invalid.xml",
       path({"schema", "schema", "schema", "element", "element", "complexType", "complexType",
             "complexType", "complexType", "sequence"}) +
           "Failed read all the elements held within the element [sequence]. The unexpected "
           "element [attribute] remains un processed"},
      {"docbook", "article-invalid.xml",
       path({"article", "article", "article", "section", "section", "section", "section",
             "orderedlist"}) +
           "Invalid Numeration value [roman]"},
      {"xmldsig", "enveloping-rsa-invalid.xml",
       path({"Signature", "SignedInfo", "Reference"}) +
           "Failed to find the required element from namespace "
           "[http://www.w3.org/2000/09/xmldsig#]"},
      {"xmlenc", "encrypted-data-invalid.xml",
       path({"EncryptedData", "CipherData"}) +
           "Failed read all the elements held within the element [CipherData]. The unexpected "
           "element [CipherReference] remains un processed"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.file);
    for (const Set& set : kSets) {
      if (std::string(set.dir) != c.dir) continue;
      const std::string text = vxtest::ReadFile(kDocuments + c.dir + "/" + c.file);
      ASSERT_FALSE(text.empty());
      std::string message = c.message;
      EXPECT_EQ(vxtest::Failure([&] { set.read(Bytes(text), set.context()); }),
                vxtest::Named<CVxValidationException>(message));
    }
  }
}
