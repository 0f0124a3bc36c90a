// Fuzz target for the writers: whatever loads (XML text or Fast Infoset,
// plain or compressed) is written through the library's writers as XML text
// and as Fast Infoset, and each output must load again to the same infoset
// (names, namespaces, attributes, text). An input that does not load is fine;
// anything else aborts with the output, except that the text writer may
// refuse a character XML 1.0 cannot carry, with a message naming it.
//
// The input's length picks the output forms, so every document meets each:
//   bit 0  text in UTF-16 instead of UTF-8
//   bit 1  CRLF line ends instead of LF
//   bit 2  Fast Infoset with an XML declaration in front, and values of up
//          to 64 characters (not 6) entered in the tables and then indexed
#include <clocale>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "FuzzTree.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Exception.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlWriter.h"

using namespace VxXmlLib10;

namespace {

// A loaded document as a bound object: it writes the element tree through
// whichever writer the entry point sets up, with every attribute and all the
// text of each element (before its children), and the document's own prefix
// and default namespace declarations on the root.
class DocumentObject : public CXmlObjectBase {
 public:
  explicit DocumentObject(const CXmlDocument& document) : m_document(document) {}
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override {
    const CXmlElement* root = m_document.GetDocumentElement();
    return root ? root->GetNamespaceURI() : std::string();
  }
  std::string GetNamespace() const override { return GetTargetNamespace(); }

 protected:
  void ToXml_Int(CXmlWriter* writer, bool, const char*, const CXmlSerializationContext&,
                 bool) const override {
    const CXmlElement* root = m_document.GetDocumentElement();
    for (const auto& alias : m_document.GetNamespaceAliases()) {
      if (alias.second.empty()) continue;
      if (alias.first.empty()) writer->SetDefaultNamespace(alias.second);
      else writer->AddNamespace(alias.first, alias.second);
    }
    // Iterative: documents may nest deeper than the stack allows.
    std::vector<const CXmlElement*> open;
    for (const CXmlElement* e = root; e;) {
      writer->WriteStartElement(e->GetLocalName(), e->GetNamespaceURI());
      for (const CXmlAttribute* a : e->GetAttributes())
        writer->WriteAttributeString(a->GetLocalName(), a->GetNamespaceURI(), a->GetValue(),
                                     ItemType_string);
      if (!e->GetText().empty()) writer->WriteString(e->GetText(), ItemType_string);
      if (e->GetFirstElement()) {
        open.push_back(e);
        e = e->GetFirstElement();
        continue;
      }
      writer->WriteEndElement();
      while (e != root && !e->GetNextSiblingElement()) {
        e = open.back();
        open.pop_back();
        writer->WriteEndElement();
      }
      e = e == root ? nullptr : e->GetNextSiblingElement();
    }
  }
  CXmlElement* FromXml_Int(CXmlElement*, CXmlElement*, const CXmlSerializationContext&,
                           bool) override {
    return nullptr;
  }

 private:
  const CXmlDocument& m_document;
};

[[noreturn]] void Fail(const char* form, const char* what, const CBinaryData& output,
                       const std::string& detail) {
  const std::string written(reinterpret_cast<const char*>(output.GetData()), output.GetLength());
  std::fprintf(stderr, "writer_fuzz: %s: %s\n--- written:\n%s\n--- %s\n", form, what,
               fuzz::Printable(written).c_str(), fuzz::Printable(detail).c_str());
  std::abort();
}

// The one refusal allowed: a character that XML 1.0 cannot carry.
bool NamesACharacter(const CVxException& e) {
  const std::string message = e.GetFullMessage();
  return message.find("character") != std::string::npos ||
         message.find("Character") != std::string::npos;
}

// Writes the document in one form, loads the output and compares.
template <class Write>
void Check(const char* form, const std::string& expected, bool textWriter, Write write) {
  CBinaryData output;
  try {
    output = write();
  } catch (const CVxException& e) {
    if (textWriter && NamesACharacter(e)) return;
    Fail(form, "a document that loaded cannot be written", output, e.GetFullMessage());
  }
  CXmlDocument again;
  try {
    again.LoadXmlStream(output.GetData(), output.GetLength());
  } catch (const CVxException& e) {
    Fail(form, "the output does not load", output, e.GetFullMessage());
  }
  const std::string dump = fuzz::Dump(again.GetDocumentElement());
  if (dump != expected)
    Fail(form, "the infoset changed", output, "expected:\n" + expected + "--- got:\n" + dump);
}

// Names, values and texts travel in the local code page: UTF-8 here, so
// nothing is lost on the way.
const bool kUtf8Locale = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  (void)kUtf8Locale;
  if (size == 0) return 0;
  CXmlDocument document;
  try {
    document.LoadXmlStream(data, static_cast<unsigned long>(size));
  } catch (const CVxException&) {
    return 0;
  }
  if (!document.GetDocumentElement()) return 0;
  const std::string expected = fuzz::Dump(document.GetDocumentElement());
  const DocumentObject object(document);

  const XmlEncoding encoding = size & 1 ? XmlEncoding_UTF16 : XmlEncoding_UTF8;
  const EOLType eol = size & 2 ? EOLType_CRLF : EOLType_LF;
  Check("text", expected, true, [&] {
    return object.ToXmlStream(true, false, encoding, eol, CXmlSerializationContext::m_defaultContext,
                              CompressionType_None);
  });
  CXmlSerializationContext context;
  FInfoDecl declaration = FInfoDecl_None;
  if (size & 4) {
    context.GetFIContext().SetAttributeMaxAddLength(64);
    context.GetFIContext().SetElementMaxAddLength(64);
    declaration = FInfoDecl_Version10;
  }
  Check("Fast Infoset", expected, false, [&] {
    return object.ToFastInfosetStream(declaration, context, CompressionType_None);
  });
  return 0;
}

#include "FuzzReplay.h"
