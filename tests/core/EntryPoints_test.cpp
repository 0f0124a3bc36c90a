// The entry points, exercised with a small hand-written bound object that
// writes a fixed tree and records what it reads.
#include <gtest/gtest.h>

#include <string>

#include "vxxml/BinaryData.h"
#include "vxxml/Exception.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Untyped.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlWriter.h"
#include "TestUtil.h"

using namespace VxXmlLib10;

namespace {

// <note xmlns="urn:n" id="7"><to>Tove</to><body>caf&#xE9; &amp; more</body></note>
class Note : public CXmlObjectBase {
 public:
  CXmlObjectBase* GetBase() override { return this; }
  std::string GetTargetNamespace() const override { return "urn:n"; }
  std::string GetNamespace() const override { return "urn:n"; }

  std::string to = "Tove";
  std::string body = "caf\xC3\xA9 & more";
  std::string id = "7";
  std::string readRootNamespace;

 protected:
  void ToXml_Int(CXmlWriter* w, bool isRoot, const char* ns, const CXmlSerializationContext&,
                 bool) const override {
    if (isRoot) w->SetDefaultNamespace(ns);
    w->WriteStartElement("note", ns);
    w->WriteAttributeString("id", "", id, ItemType_i4);
    w->WriteStartElement("to", ns);
    w->WriteString(to, ItemType_string);
    w->WriteEndElement();
    w->WriteStartElement("body", ns);
    w->WriteString(body, ItemType_string);
    w->WriteEndElement();
    w->WriteEndElement();
  }
  CXmlElement* FromXml_Int(CXmlElement* e, CXmlElement* child, const CXmlSerializationContext&,
                           bool) override {
    readRootNamespace = e->GetNamespaceURI();
    id = e->GetAttribute("id", "");
    to = child ? child->GetText() : "";
    CXmlElement* next = child ? child->GetNextSiblingElement() : nullptr;
    body = next ? next->GetText() : "";
    return nullptr;
  }
};

const char kPlain[] =
    "<note xmlns=\"urn:n\" id=\"7\"><to>Tove</to><body>caf\xC3\xA9 &amp; more</body></note>";

void ExpectRead(Note& n) {
  EXPECT_EQ(n.readRootNamespace, "urn:n");
  EXPECT_EQ(n.id, "7");
  EXPECT_EQ(n.to, "Tove");
  EXPECT_EQ(n.body, "caf\xC3\xA9 & more");
}

const CXmlSerializationContext& Default() { return CXmlSerializationContext::m_defaultContext; }

}  // namespace

TEST(EntryPoints, ReadingFromEveryShape) {
  Note a;
  a.FromXml(kPlain, Default());
  ExpectRead(a);
  Note b;
  b.FromXml(L"<note xmlns=\"urn:n\" id=\"7\"><to>Tove</to><body>caf\u00E9 &amp; more</body></note>",
            Default());
  ExpectRead(b);
  Note c;
  std::string text = kPlain;
  c.FromXmlStream(reinterpret_cast<unsigned char*>(&text[0]),
                  static_cast<unsigned long>(text.size()), Default());
  ExpectRead(c);

  CXmlDocument doc;
  doc.LoadXml(kPlain);
  Note d;
  d.FromXmlElement(doc.GetDocumentElement(), Default());
  ExpectRead(d);
  vxtest::ExpectFailure<CVxException>([] { Note().FromXml("", Default()); },
                                      "XML String is empty!");
}

TEST(EntryPoints, UntypedContentReadsTheDocumentElementInEveryForm) {
  const char text[] =
      "<note xmlns='urn:n' lang='en'><to a='1'>Ann</to><p:x xmlns:p='urn:p' p:b='2'>t</p:x></note>";
  CSmartPtr<CElement> original = new CElement("note");
  original->FromXml(text);
  const std::string expected = original->ToXml(false, false, EOLType_LF, Default());
  EXPECT_EQ(expected,
            "<note xmlns=\"urn:n\" lang=\"en\"><to a=\"1\">Ann</to>"
            "<p:x xmlns:p=\"urn:p\" p:b=\"2\">t</p:x></note>");
  const CBinaryData forms[] = {
      original->ToFastInfosetStream(FInfoDecl_None, Default(), CompressionType_None),
      original->ToXmlStream(true, false, XmlEncoding_UTF16, EOLType_CRLF, Default(),
                            CompressionType_None),
  };
  for (const CBinaryData& bytes : forms) {
    CSmartPtr<CElement> copy = new CElement("note");
    copy->FromXmlStream(bytes, Default());
    EXPECT_EQ(copy->ToXml(false, false, EOLType_LF, Default()), expected);
  }
  CSmartPtr<CElement> viaBase = new CElement("note");
  viaBase->FromXml(text, Default());
  EXPECT_EQ(viaBase->ToXml(false, false, EOLType_LF, Default()), expected);
  CSmartPtr<CElement> fromElement = new CElement("note");
  fromElement->FromXmlElement(original.Get(), Default());
  EXPECT_EQ(fromElement->ToXml(false, false, EOLType_LF, Default()), expected);
}
