#include "vxxml/Untyped.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "vxxml/Exception.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlTextWriter.h"

using namespace VxXmlLib10;

namespace {

// The whole message of what `f` throws, when it is exactly an E.
template <class E>
std::string Failure(const std::function<void()>& f) {
  const std::string failure = vxtest::Failure(f), prefix = vxtest::Named<E>("");
  return failure.compare(0, prefix.size(), prefix) == 0 ? failure.substr(prefix.size())
                                                         : "wrong class: " + failure;
}

const CXmlSerializationContext& Default() { return CXmlSerializationContext::m_defaultContext; }

// Writes the object as a document through the XML text writer.
std::string Text(const CXmlObjectBase* object, bool format = false, EOLType eol = EOLType_LF,
                 const char* defaultNamespace = nullptr) {
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.SetFormat(format);
  writer.SetEOLType(eol);
  writer.Open();
  if (defaultNamespace) writer.SetDefaultNamespace(defaultNamespace);
  CXmlObjectBase::ToXml_Int(object, &writer, true, "", Default(), false);
  writer.Close();
  return std::string(stream.GetText(), static_cast<size_t>(stream.GetLength()));
}

CSmartPtr<CElement> Read(const char* xml) {
  CSmartPtr<CElement> element = new CElement("unread");
  element->FromXml(xml);
  return element;
}

}  // namespace

TEST(Untyped, ConstructionAndItsFailures) {
  // A namespace given alone is also the element's rule; without one any is allowed.
  EXPECT_EQ(CElement("a").GetNamespaceRestriction(), "##any");
  EXPECT_EQ(CElement("b", "urn:b").GetNamespaceRestriction(), "urn:b");
  const std::string invalid = "Invalid namespace [urn:x]. The namespace must be one of [";
  struct {
    std::string message;
    std::string expected;
  } cases[] = {
      {Failure<CVxInvalidNamespaceException>([] { CElement(static_cast<const char*>(nullptr)); }),
       "Element Name must have a value"},
      {Failure<CVxInvalidNamespaceException>([] { CElement("a", "", nullptr, ""); }),
       "Namespace Restriction must have a value"},
      {Failure<CVxInvalidNamespaceException>([] { CElement("a", "", "##any", nullptr); }),
       "Target Namespace must have a value"},
      {Failure<CVxInvalidNamespaceException>([] { CElement("a", "urn:x", "##local", "urn:t"); }),
       invalid + "##local] where the target namespace is [urn:t]"},
      {Failure<CVxInvalidNamespaceException>([] { CElementCol("urn:x", "##other", "urn:x", 0, -1); }),
       invalid + "##other] where the target namespace is [urn:x]"},
      {Failure<CVxInvalidParamException>(
           [] { CElement(static_cast<CXmlObjectBase*>(nullptr), ""); }),
       "An element can not be built from a NULL object"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.message, c.expected);
  // A rule token is no namespace.
  for (const char* token : {"##any", "##other", "##local", "##targetNamespace"}) {
    EXPECT_EQ(Failure<CVxInvalidNamespaceException>([&] { CElement("a", token); }),
              std::string("Invalid Namespace [") + token + "]");
  }
  CElement empty("", "");  // empty texts are allowed
  EXPECT_EQ(empty.GetName(), "");
}

TEST(Untyped, AddingUnderRules) {
  CSmartPtr<CElementCol> col = new CElementCol("urn:t", "##targetNamespace ##local", "urn:t", 0, -1);
  EXPECT_EQ(col->Add("a")->GetNamespace(), "urn:t");
  EXPECT_EQ(col->Add("b", "")->GetNamespace(), "");
  EXPECT_EQ(col->Add(new CElement("c", "urn:t"))->GetName(), "c");
  EXPECT_EQ(col->Item(2)->GetName(), "c");

  CSmartPtr<CElementCol> bare = new CElementCol("", "##any", "", 0, -1);
  CSmartPtr<CAttributeCol> attributes = new CAttributeCol("urn:x", "##local", "");
  const std::string rule = "]. The namespace must be one of [##targetNamespace ##local] where the "
                           "target namespace is [urn:t]";
  const std::string local = "]. The namespace must be one of [##local] where the target "
                            "namespace is []";
  struct {
    std::string message;
    std::string expected;
  } cases[] = {
      {Failure<CVxInvalidNamespaceException>([&] { col->Add("d", "urn:x"); }),
       "Invalid namespace [urn:x" + rule},
      {Failure<CVxInvalidNamespaceException>([&] { col->Add(new CElement("d", "urn:y")); }),
       "Invalid namespace [urn:y" + rule},
      {Failure<CVxInvalidStateException>([&] { bare->Add("d"); }),
       "A Namespace has not been set for this Collection"},
      {Failure<CVxInvalidNamespaceException>([&] { attributes->Add("k", "v"); }),
       "Invalid namespace [urn:x" + local},
      {Failure<CVxInvalidNamespaceException>([&] { attributes->Add("k", "v", "urn:y"); }),
       "Invalid namespace [urn:y" + local},
  };
  for (const auto& c : cases) EXPECT_EQ(c.message, c.expected);
  EXPECT_EQ(col->GetCount(), 3);
  attributes->Add("k", "v", "");
  attributes->Add(new CAttribute("any", "w", "urn:anything"));  // no test
  EXPECT_EQ(attributes->Item(1)->GetNamespace(), "urn:anything");
}

TEST(Untyped, Iteration) {
  CSmartPtr<CElement> e = Read("<r><a/><b/><c/></r>");
  std::string names;
  for (CElement* child : *e->GetElements()) names += child->GetName();
  EXPECT_EQ(names, "abc");
  CElementCol::iterator it = e->GetElements()->begin();
  EXPECT_EQ((*it++)->GetName(), "a");
  EXPECT_EQ((*++it)->GetName(), "c");
  ++it;
  EXPECT_TRUE(it == e->GetElements()->end());
  EXPECT_EQ(Failure<CVxException>([&] { *it; }), "No More Elements in the Collection");
  EXPECT_EQ(Failure<CVxException>([&] { ++it; }), "No More Elements in the Collection");
}

// Text written by the XML text writer, read into a CElement and written back,
// comes out byte for byte.
TEST(Untyped, TextRoundTrips) {
  for (const char* xml : {
           "<a k=\"v\" l=\"&lt;&amp;&quot;&gt;\">text &amp; &lt; more</a>",
           "<AA:a xmlns:AA=\"urn:a\"><AA:b>t</AA:b><c>u</c></AA:a>",
           "<a xmlns:AA=\"urn:x\" AA:k=\"v\" k=\"w\"/>",
           "<AA:a xmlns:AA=\"urn:a\" xmlns:AB=\"urn:b\" AB:k=\"1\" AA:l=\"2\"><AB:b AB:m=\"3\"/></AA:a>",
           "<r><c>t</c><d><e/></d>tail</r>",
           // The document's own declarations, default namespace included.
           "<r xmlns=\"urn:q\" xmlns:p=\"urn:p\" p:k=\"1\"><p:a xmlns=\"\"><b/></p:a><c/></r>"}) {
    CSmartPtr<CElement> e = Read(xml);
    EXPECT_EQ(Text(e), xml);
    EXPECT_EQ(Text(e->Clone()), xml);  // a deep copy writes the same
  }
  // Formatting whitespace read back is text of the element, so formatted
  // output is checked from a tree read without it.
  CSmartPtr<CElement> e =
      Read("<r xmlns='urn:r'><c k='v'>t</c><d xmlns='urn:d'><e/></d><e xmlns=''><f/></e></r>");
  EXPECT_EQ(Text(e, true, EOLType_CRLF, "urn:r"),
            "<r xmlns=\"urn:r\">\r\n\t<c k=\"v\">t</c>\r\n\t<d xmlns=\"urn:d\">\r\n"
            "\t\t<e/>\r\n\t</d>\r\n\t<e xmlns=\"\">\r\n\t\t<f/>\r\n\t</e>\r\n</r>\r\n");
}

// Reading again replaces the content; a copy is deep.
TEST(Untyped, RereadingAndCloning) {
  CSmartPtr<CElement> e = Read("<p:r xmlns:p='urn:p' q='1'><p:a>one</p:a>end</p:r>");
  e->FromXml("<x y='z'/>");
  EXPECT_EQ(Text(e), "<x y=\"z\"/>");
  e = Read("<a k='v'><b>t</b></a>");
  CSmartPtr<CElement> copy = e->Clone();
  copy->GetElements()->Item(0)->SetText("changed");
  copy->GetAttributes()->Item(0)->SetValue("w");
  copy->GetElements()->Add(new CElement("c"));
  EXPECT_EQ(Text(e), "<a k=\"v\"><b>t</b></a>");
  EXPECT_EQ(Text(copy), "<a k=\"w\"><b>changed</b><c/></a>");
}

TEST(Untyped, RulesDecideWhatIsRead) {
  CXmlDocument document;
  document.LoadXml(
      "<r xmlns='urn:t'><a/><b xmlns=''/><c xmlns='urn:x'/><d/></r>");
  CXmlElement* first = document.GetDocumentElement()->GetFirstElement();

  // A single element refuses an element outside its rule and leaves it.
  CSmartPtr<CElement> other = new CElement("e", "", "##other", "urn:t");
  EXPECT_EQ(CXmlObjectBase::FromXml_Int(other, nullptr, first, Default()), first);
  EXPECT_EQ(other->GetName(), "e");

  // The rules themselves are tested in NamespaceRules_test.cpp.
  CSmartPtr<CElementCol> any = new CElementCol("", "##any", "urn:t", 0, -1);
  EXPECT_EQ(CXmlObjectBase::FromXml_Int(any, nullptr, first, Default()), nullptr);
  EXPECT_EQ(any->GetCount(), 4);
  const char* const rule = "##targetNamespace ##local";
  CSmartPtr<CElementCol> some = new CElementCol("", rule, "urn:t", 0, -1);
  EXPECT_EQ(CXmlObjectBase::FromXml_Int(some, nullptr, first, Default())->GetLocalName(), "c");
  EXPECT_EQ(some->GetCount(), 2);
  for (CElement* e : *some) EXPECT_EQ(e->GetNamespaceRestriction(), rule);

  // The named run takes equal names and namespaces only.
  CSmartPtr<CElementCol> named = new CElementCol("", "##any", "urn:t", 0, -1);
  CXmlDocument run;
  run.LoadXml("<r xmlns='urn:t'><a>1</a><a>2</a><a xmlns=''>3</a><a>4</a></r>");
  CXmlElement* left = named->FromXmlLockElementName_Int(
      "a", "urn:t", nullptr, run.GetDocumentElement()->GetFirstElement(), Default());
  EXPECT_EQ(named->GetCount(), 2);
  EXPECT_EQ(named->Item(1)->GetText(), "2");
  ASSERT_NE(left, nullptr);
  EXPECT_EQ(left->GetText(), "3");
  EXPECT_EQ(named->FromXmlLockElementName_Int("b", "urn:t", nullptr, left, Default()), left);

  // Attributes in a namespace outside the collection's rule are refused.
  CSmartPtr<CAttributeCol> local = new CAttributeCol("", "##local", "urn:t");
  CXmlDocument attributes;
  attributes.LoadXml("<r xmlns:p='urn:p' a='1' p:b='2'/>");
  EXPECT_EQ(Failure<CVxInvalidNamespaceException>([&] {
              CXmlObjectBase::FromXml_Int(local, attributes.GetDocumentElement(), nullptr,
                                          Default());
            }),
            "Invalid Attribute [b]. The attributes namespace is Inappropriate.");
  EXPECT_EQ(local->GetCount(), 1);
  // A single attribute is never read alone.
  CSmartPtr<CAttribute> attribute = new CAttribute("a", "1", "");
  EXPECT_EQ(Failure<CVxException>([&] {
              CXmlObjectBase::FromXml_Int(attribute, attributes.GetDocumentElement(), nullptr,
                                          Default());
            }),
            "This should be done by the collection");
}

TEST(Untyped, CountsAreCheckedOnWritingElementsOnly) {
  CSmartPtr<CElementCol> col = new CElementCol("urn:a", "##any", "", 2, 3);
  col->Add("x");
  CTextStream stream;
  CXmlTextWriter writer(stream);
  writer.Open();
  writer.WriteStartElement("r", "");
  EXPECT_EQ(Failure<CVxValidationException>([&] {
              CXmlObjectBase::ToXml_Int(col, &writer, false, "", Default(), false);
            }),
            "The Minimum number of [] elements allowed in this collection is 2");
  CXmlSerializationContext lenient;
  lenient.SetIgnoreInvalidCollectionCounts(true);
  CXmlObjectBase::ToXml_Int(col, &writer, false, "", lenient, false);
  // Attribute collections have no bounds.
  CSmartPtr<CAttributeCol> attributes = new CAttributeCol("", "##any", "");
  CXmlObjectBase::ToXml_Int(attributes, &writer, false, "", Default(), false);
  writer.WriteEndElement();
  writer.Close();
  EXPECT_STREQ(stream.GetText(), "<r>\n\t<AA:x xmlns:AA=\"urn:a\"/>\n</r>\n");
}

TEST(Untyped, NamespaceRestrictionChecks) {
  CSmartPtr<CElement> e = Read(
      "<a xmlns='urn:a'><b xmlns='urn:t' xmlns:p='urn:p' p:k='v'/></a>");
  e->SetNamespaceRestrictions("##any", "");
  EXPECT_EQ(Failure<CVxInvalidNamespaceException>(
                [&] { e->SetNamespaceRestrictions("##local", "urn:t"); }),
            "The namespace urn:a in the class a is invalid against restriction ##local\n"
            "Invalid namespace [urn:a]. The namespace must be one of [##local] where the target "
            "namespace is [urn:t]");
  // The child's own namespace fails wrapped, its attribute's unwrapped.
  EXPECT_EQ(Failure<CVxInvalidNamespaceException>(
                [&] { e->SetNamespaceRestrictions("urn:a", "urn:t"); }),
            "The namespace urn:t in the class b is invalid against restriction urn:a\n"
            "Invalid namespace [urn:t]. The namespace must be one of [urn:a] where the target "
            "namespace is [urn:t]");
  EXPECT_EQ(Failure<CVxInvalidNamespaceException>(
                [&] { e->SetNamespaceRestrictions("urn:a ##targetNamespace", "urn:t"); }),
            "Invalid namespace [urn:p]. The namespace must be one of [urn:a ##targetNamespace] "
            "where the target namespace is [urn:t]");
  EXPECT_EQ(e->GetNamespaceRestriction(), "##any");  // nothing is stored
  EXPECT_EQ(Failure<CVxInvalidNamespaceException>([&] {
              CSmartPtr<CElement> f = new CElement("f", "urn:f");
              f->SetNamespace("urn:g");
            }),
            "Invalid namespace [urn:g]. The namespace must be one of [urn:f] where the target "
            "namespace is []");
}

TEST(Untyped, CopiesADocumentElement) {
  // Without namespace processing the declarations are plain attributes; the
  // default one is also kept as the element's default namespace.
  CXmlSerializationContext raw;
  raw.SetSchemaType(SchemaType_NoNamespaces);
  CXmlDocument document(raw);
  document.LoadXml("<a xmlns='urn:x' k='v'>t<b><c/></b></a>");
  CSmartPtr<CElement> e = new CElement("old", "urn:old");
  e->GetElements()->Add("gone");
  e->CopyXmlElement(document.GetDocumentElement());
  EXPECT_EQ(e->GetDefaultNamespace(), "urn:x");
  // The attribute declares the namespace again, the element in none; the
  // text stays where it stood.
  EXPECT_EQ(Text(e), "<a xmlns=\"urn:x\" k=\"v\">t<b><c/></b></a>");
}

// An element declares what it declared in its document, its attributes
// written, wherever it stands and through either writer.
TEST(Untyped, DeclarationsThroughEitherWriter) {
  CSmartPtr<CElement> source = Read("<a xmlns='urn:d' k='v'><b>t</b><c xmlns=''/></a>");
  CSmartPtr<CElement> copy = new CElement(source, "urn:d");
  CSmartPtr<CElement> parent = new CElement("p", "urn:p");
  parent->GetElements()->Add(copy);
  parent->GetElements()->Add("q", "");
  EXPECT_EQ(Text(parent, true, EOLType_CRLF),
            "<AA:p xmlns:AA=\"urn:p\">\r\n\t<a xmlns=\"urn:d\" k=\"v\">\r\n\t\t<b>t</b>\r\n"
            "\t\t<c xmlns=\"\"/>\r\n\t</a>\r\n\t<q/>\r\n</AA:p>\r\n");

  const CBinaryData fi =
      parent->ToFastInfosetStream(FInfoDecl_None, Default(), CompressionType_None);
  CXmlDocument document;
  document.LoadXmlStream(fi.GetData(), fi.GetLength());
  const CXmlElement* a = document.GetDocumentElement()->GetFirstElement();
  EXPECT_EQ(a->GetNamespaceDeclarations(), CXmlElement::NamespaceDeclarations({{"", "urn:d"}}));
  EXPECT_EQ(a->GetAttribute("k", ""), "v");
}

TEST(Untyped, DepthIsBounded) {
  std::string deepest;
  for (int i = 0; i < 1000; ++i) deepest = "<a>" + deepest + "</a>";
  const std::string tooDeep = "<a>" + deepest + "</a>";
  for (int round = 0; round < 2; ++round) {  // a failure leaves no depth behind
    CSmartPtr<CElement> e = new CElement("x");
    EXPECT_EQ(Failure<CVxValidationException>([&] { e->FromXml(tooDeep.c_str()); }),
              "The element [a] is nested more than 1000 levels deep");
    e->FromXml(deepest.c_str());
    EXPECT_EQ(Text(e), deepest.substr(0, 999 * 3) + "<a/>" + deepest.substr(1000 * 3 + 4));
  }
  CXmlDocument document;
  document.LoadXml(tooDeep.c_str());
  CSmartPtr<CElement> copy = new CElement("x");
  EXPECT_EQ(Failure<CVxValidationException>(
                [&] { copy->CopyXmlElement(document.GetDocumentElement()); }),
            "The element [a] is nested more than 1000 levels deep");
}
