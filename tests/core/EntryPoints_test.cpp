// The entry points, exercised with a small hand-written bound object that
// writes a fixed tree and records what it reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <iterator>
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
using vxtest::ReadFile;
using vxtest::TempPath;

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

std::string Bytes(const CBinaryData& d) {
  return std::string(reinterpret_cast<const char*>(d.GetData()), d.GetLength());
}

void ExpectRead(Note& n) {
  EXPECT_EQ(n.readRootNamespace, "urn:n");
  EXPECT_EQ(n.id, "7");
  EXPECT_EQ(n.to, "Tove");
  EXPECT_EQ(n.body, "caf\xC3\xA9 & more");
}

const CXmlSerializationContext& Default() { return CXmlSerializationContext::m_defaultContext; }

}  // namespace

TEST(EntryPoints, ToXmlWithAndWithoutDeclaration) {
  Note n;
  EXPECT_EQ(n.ToXml(false, false, EOLType_LF, Default()), kPlain);
  EXPECT_EQ(n.ToXml(true, false, EOLType_CRLF, Default()),
            std::string("<?xml version=\"1.0\"?>\r\n") + kPlain);
  EXPECT_EQ(n.ToXml(true, true, EOLType_LF, Default()),
            "<?xml version=\"1.0\"?>\n<note xmlns=\"urn:n\" id=\"7\">\n\t<to>Tove</to>\n"
            "\t<body>caf\xC3\xA9 &amp; more</body>\n</note>\n");
  try {
    n.ToXml(false, false, static_cast<EOLType>(2), Default());
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetFullMessage(), "Invalid EOL type.");
  }
}

TEST(EntryPoints, ToXmlStreamEncodingsAndCompression) {
  Note n;
  EXPECT_EQ(Bytes(n.ToXmlStream(true, false, XmlEncoding_UTF8, EOLType_LF, Default(),
                                CompressionType_None)),
            std::string("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n") + kPlain);
  const std::string utf16 = Bytes(n.ToXmlStream(true, false, XmlEncoding_UTF16NoDecl,
                                                EOLType_LF, Default(), CompressionType_None));
  ASSERT_GE(utf16.size(), 4u);
  EXPECT_EQ(utf16.substr(0, 4), std::string("<\0?\0", 4));  // no byte order mark in buffers
  EXPECT_EQ(utf16.find(std::string("e\0n\0c\0", 6)), std::string::npos);  // no encoding named
  EXPECT_EQ(Bytes(n.ToXmlStream(false, false, XmlEncoding_UTF16, EOLType_LF, Default(),
                                CompressionType_None)),
            utf16.substr(utf16.find(std::string("<\0n\0", 4))));

  for (CompressionType c : {CompressionType_GZip, CompressionType_ZLib}) {
    CBinaryData big;
    Note large;
    large.body.assign(20000, 'x');  // large enough to shrink under compression
    CBinaryData packed =
        large.ToXmlStream(false, false, XmlEncoding_UTF8, EOLType_LF, Default(), c);
    EXPECT_EQ(packed.GetData()[0], c == CompressionType_GZip ? 0x1F : 0x78);
    Note back;
    back.FromXmlStream(packed, Default());
    EXPECT_EQ(back.body, large.body);
  }
  try {
    n.ToXmlStream(false, false, XmlEncoding_None, EOLType_LF, Default(), CompressionType_None);
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetFullMessage().rfind("Unknown Encoding, select UTF-8", 0), 0u)
        << e.GetFullMessage();
  }
}

TEST(EntryPoints, FilesOnBothPaths) {
  Note n;
  const std::string buffered = TempPath("buffered.xml");
  const std::string streamed = TempPath("streamed.xml");
  for (XmlEncoding enc : {XmlEncoding_UTF8, XmlEncoding_UTF16, XmlEncoding_UTF16NoDecl}) {
    AsyncToXmlFile(false);
    n.ToXmlFile(buffered.c_str(), true, true, enc, EOLType_CRLF, Default(), CompressionType_None);
    AsyncToXmlFile(true);
    n.ToXmlFile(streamed.c_str(), true, true, enc, EOLType_CRLF, Default(), CompressionType_None);
    AsyncToXmlFile(false);
    const std::string a = ReadFile(buffered), b = ReadFile(streamed);
    EXPECT_EQ(a, b) << enc;
    if (enc != XmlEncoding_UTF8) {
      EXPECT_EQ(a.substr(0, 2), "\xFF\xFE");
    }
    Note back;
    back.FromXmlFile(buffered.c_str(), Default());
    ExpectRead(back);
  }
  Note large;  // a document too small to shrink cannot be compressed at all
  large.body.assign(20000, 'y');
  large.ToXmlFile(buffered.c_str(), false, false, XmlEncoding_UTF8, EOLType_LF, Default(),
                  CompressionType_GZip);
  EXPECT_EQ(ReadFile(buffered).substr(0, 2), "\x1F\x8B");
  Note back;
  back.FromXmlFile(buffered.c_str(), Default());
  EXPECT_EQ(back.body, large.body);
  // Compressed UTF-16: the byte order mark is inside the compressed text, so
  // the file inflates to an ordinary UTF-16 file and reads back.
  large.ToXmlFile(buffered.c_str(), true, false, XmlEncoding_UTF16, EOLType_LF, Default(),
                  CompressionType_GZip);
  EXPECT_EQ(ReadFile(buffered).substr(0, 2), "\x1F\x8B");
  Note back16;
  back16.FromXmlFile(buffered.c_str(), Default());
  EXPECT_EQ(back16.body, large.body);
  try {
    n.ToXmlFile(buffered.c_str(), false, false, XmlEncoding_UTF8, EOLType_LF, Default(),
                CompressionType_GZip);
    FAIL();
  } catch (const CVxException& e) {
    // zlib's own status; which one depends on how far deflate got.
    EXPECT_EQ(e.GetFullMessage().rfind("Failed to compress data. [Error Code: ", 0), 0u);
  }

  const std::string zlib = TempPath("zlib.xml");
  std::remove(zlib.c_str());
  try {
    n.ToXmlFile(zlib.c_str(), false, false, XmlEncoding_UTF8, EOLType_LF, Default(),
                CompressionType_ZLib);
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetFullMessage(), "ZLIB Compression only available for To Stream methods.");
  }
  EXPECT_EQ(std::fopen(zlib.c_str(), "rb"), nullptr);  // no file was created
  try {
    n.ToFastInfosetFile(zlib.c_str(), FInfoDecl_None, Default(), CompressionType_ZLib);
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetFullMessage(), "ZLIB Compression only available for To Stream methods.");
  }
  try {
    n.ToXmlFile("/nonexistent-dir/x.xml", false, false, XmlEncoding_UTF8, EOLType_LF, Default(),
                CompressionType_None);
    FAIL();
  } catch (const CVxException& e) {
    EXPECT_EQ(e.GetFullMessage(), "Failed to write data to the file [/nonexistent-dir/x.xml]");
  }
  std::remove(buffered.c_str());
  std::remove(streamed.c_str());
}

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
  try {
    Note e;
    e.FromXml("", Default());
    FAIL();
  } catch (const CVxException& ex) {
    EXPECT_EQ(ex.GetFullMessage(), "XML String is empty!");
  }
}

TEST(EntryPoints, FastInfosetOutput) {
  Note n;
  CBinaryData plain = n.ToFastInfosetStream(FInfoDecl_None, Default(), CompressionType_None);
  ASSERT_GE(plain.GetLength(), 4u);
  EXPECT_EQ(Bytes(plain).substr(0, 4), std::string("\xE0\x00\x00\x01", 4));
  CBinaryData declared =
      n.ToFastInfosetStream(FInfoDecl_Version10, Default(), CompressionType_None);
  EXPECT_EQ(Bytes(declared).rfind("<?xml version='1.0' encoding='finf'?>", 0), 0u);
  Note large;
  large.body.assign(20000, 'z');
  CBinaryData packed =
      large.ToFastInfosetStream(FInfoDecl_None, Default(), CompressionType_ZLib);
  EXPECT_EQ(packed.GetData()[0], 0x78);
  const std::string file = TempPath("doc.finf");
  large.ToFastInfosetFile(file.c_str(), FInfoDecl_None, Default(), CompressionType_None);
  EXPECT_EQ(ReadFile(file),
            Bytes(large.ToFastInfosetStream(FInfoDecl_None, Default(), CompressionType_None)));
  std::remove(file.c_str());
}

TEST(EntryPoints, FromUntypedElement) {
  CSmartPtr<CElement> element = new CElement("note");
  element->FromXml(kPlain);
  Note n;
  n.FromXmlElement(element.Get(), Default());
  ExpectRead(n);
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
