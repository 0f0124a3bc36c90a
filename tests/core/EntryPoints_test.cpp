// The entry points, on a generated class and on untyped content.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "metadata/Shapes.h"

using namespace shapes_test;

namespace {

const CXmlSerializationContext& Default() { return CXmlSerializationContext::m_defaultContext; }

}  // namespace

TEST(EntryPoints, ReadingFromEveryShape) {
  const std::string text =
      "<billTo xmlns='urn:po' country='N'><name>caf\xC3\xA9 &amp; more</name></billTo>";
  CXmlDocument doc;
  doc.LoadXml(text.c_str());
  CSmartPtr<CElement> untyped = new CElement("billTo");
  untyped->FromXml(text.c_str());
  std::string bytes = text;
  const std::function<void(shapes::Address&)> reads[] = {
      [&](shapes::Address& a) { a.FromXml(text.c_str(), Default()); },
      [&](shapes::Address& a) {
        a.FromXml(L"<billTo xmlns='urn:po' country='N'><name>caf\u00E9 &amp; more</name></billTo>",
                  Default());
      },
      [&](shapes::Address& a) {
        a.FromXmlStream(reinterpret_cast<unsigned char*>(&bytes[0]),
                        static_cast<unsigned long>(bytes.size()), Default());
      },
      [&](shapes::Address& a) { a.FromXmlElement(doc.GetDocumentElement(), Default()); },
      [&](shapes::Address& a) { a.FromXmlElement(untyped.Get(), Default()); },
  };
  for (const auto& read : reads) {
    CSmartPtr<shapes::Address> a = new shapes::Address;
    read(*a);
    EXPECT_EQ(Write(*a, Default()), text);
  }
  vxtest::ExpectFailure<CVxException>([] { shapes::Address().FromXml("", Default()); },
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
  CSmartPtr<CElement> fromElement = new CElement("note");
  fromElement->FromXmlElement(original.Get(), Default());
  EXPECT_EQ(fromElement->ToXml(false, false, EOLType_LF, Default()), expected);
}
