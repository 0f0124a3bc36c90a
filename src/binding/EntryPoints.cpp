// The public entry points: every bound object is written and read through
// these, which set up a writer or a document and hand over to the object's
// own ToXml_Int / FromXml_Int.
#include <cstring>
#include <memory>

#include "binding/EventBinder.h"
#include "binding/Messages.h"
#include "vxxml/BinaryData.h"
#include "vxxml/Exception.h"
#include "vxxml/ExpatReader.h"
#include "vxxml/FastInfosetWriter.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/SerializationContext.h"
#include "vxxml/Streams.h"
#include "vxxml/Untyped.h"
#include "vxxml/XmlDocument.h"
#include "vxxml/XmlEventReader.h"
#include "vxxml/XmlTextWriter.h"

namespace VxXmlLib10 {

bool ASYNC_TOXMLFILE = false;
bool ASYNC_FROMXMLFILE = false;
void AsyncToXmlFile(bool async) { ASYNC_TOXMLFILE = async; }
void AsyncFromXmlFile(bool async) { ASYNC_FROMXMLFILE = async; }
bool BIND_FROM_EVENTS = true;
void BindFromEvents(bool bind) { BIND_FROM_EVENTS = bind; }

namespace {

// Writes `object` as the document root through a text writer over `stream`.
void WriteText(const CXmlObjectBase& object, CTextStream& stream, bool includeDeclaration,
               bool formatted, EOLType eol, const CXmlSerializationContext& context) {
  CXmlTextWriter writer(stream);
  writer.Open();
  writer.SetFormat(formatted);
  writer.SetEOLType(eol);
  if (includeDeclaration) writer.WriteStartDocument();
  const std::string ns = object.GetTargetNamespace();
  CXmlObjectBase::ToXml_Int(&object, &writer, true, ns.c_str(), context, false);
  writer.Close();
}

void Compress(CBinaryData& data, CompressionType compression) {
  if (compression != CompressionType_None) {
    CVxZip zip;
    zip.CompressData(data, compression);
  }
}

// Reads `object` from the document element of a loaded document.
void ReadDocument(CXmlObjectBase& object, CXmlDocument& document,
                  const CXmlSerializationContext& context) {
  CXmlElement* root = document.GetDocumentElement();
  CXmlObjectBase::FromXml_Int(&object, root, root ? root->GetFirstElement() : nullptr, context);
}

// Reads `object` from the input: first straight from the events `events`
// produces, when the object's class allows it; if the binder gives up, or
// anything fails, from the tree `load` builds, from scratch, so that every
// failure is the tree's own. A tree that fails to load leaves the object as
// it was before the events touched it.
template <class Events, class Load>
void Read(CXmlObjectBase& object, const CXmlSerializationContext& context, Events events,
          Load load) {
  CXmlGeneratedClass* target =
      BIND_FROM_EVENTS ? detail::CEventBinder::Target(object, context) : nullptr;
  std::unique_ptr<detail::CEventBinder> binder;
  if (target) {
    binder.reset(new detail::CEventBinder(*target, context));
    try {
      events(*binder);
      if (binder->IsComplete()) return;
    } catch (...) {
      // read again below, through the tree
    }
  }
  CXmlDocument document(context);
  try {
    load(document);
  } catch (...) {
    if (binder) binder->RestoreRoot();
    throw;
  }
  ReadDocument(object, document, context);
}

}  // namespace

std::string CXmlObjectBase::ToXml(bool includeDeclaration, bool formatted, EOLType eol,
                                  const CXmlSerializationContext& context) const {
  CTextStream stream(XmlEncoding_None);
  WriteText(*this, stream, includeDeclaration, formatted, eol, context);
  return std::string(stream.GetText(), stream.GetLength());
}

CBinaryData CXmlObjectBase::ToXmlStream(bool includeDeclaration, bool formatted,
                                        XmlEncoding encoding, EOLType eol,
                                        const CXmlSerializationContext& context,
                                        CompressionType compression) const {
  CTextStream stream(encoding);
  WriteText(*this, stream, includeDeclaration, formatted, eol, context);
  CBinaryData data = stream.GetEncodedStream();
  Compress(data, compression);
  return data;
}

void CXmlObjectBase::ToXmlFile(const char* fileName, bool includeDeclaration, bool formatted,
                               XmlEncoding encoding, EOLType eol,
                               const CXmlSerializationContext& context,
                               CompressionType compression) const {
  if (compression == CompressionType_ZLib) detail::ThrowZlibToFile();
  if (ASYNC_TOXMLFILE && compression == CompressionType_None) {
    CFileTextStream stream(fileName, encoding);
    WriteText(*this, stream, includeDeclaration, formatted, eol, context);
    return;
  }
  if (compression != CompressionType_None &&
      (encoding == XmlEncoding_UTF16 || encoding == XmlEncoding_UTF16NoDecl)) {
    // The byte order mark belongs to the text, so it goes inside the
    // compressed data: the file then inflates to an ordinary UTF-16 file, and
    // reads back, instead of starting with two bytes no inflater expects.
    CTextStream stream(encoding);
    WriteText(*this, stream, includeDeclaration, formatted, eol, context);
    CBinaryData data("\xFF\xFE");
    data.Append(stream.GetEncodedStream());
    Compress(data, compression);
    CFileBinaryStream file(fileName, XmlEncoding_None, data);
    file.ToFile();
    return;
  }
  CBinaryData data =
      ToXmlStream(includeDeclaration, formatted, encoding, eol, context, compression);
  CFileBinaryStream file(fileName, encoding, data);
  file.ToFile();
}

CBinaryData CXmlObjectBase::ToFastInfosetStream(FInfoDecl declaration,
                                                const CXmlSerializationContext& context,
                                                CompressionType compression) const {
  CBinaryStream stream;
  {
    CFastInfosetWriter writer(context.GetFIContext(), stream);
    writer.Open();
    writer.WriteStartDocument(declaration);
    const std::string ns = GetTargetNamespace();
    CXmlObjectBase::ToXml_Int(this, &writer, true, ns.c_str(), context, false);
    writer.WriteEndDocument();
    writer.Close();
  }
  CBinaryData data = stream.GetBinaryStream();
  Compress(data, compression);
  return data;
}

void CXmlObjectBase::ToFastInfosetFile(const char* fileName, FInfoDecl declaration,
                                       const CXmlSerializationContext& context,
                                       CompressionType compression) const {
  if (compression == CompressionType_ZLib) detail::ThrowZlibToFile();
  CBinaryData data = ToFastInfosetStream(declaration, context, compression);
  CFileBinaryStream file(fileName, XmlEncoding_None, data);
  file.ToFile();
}

void CXmlObjectBase::FromXmlFile(const char* fileName, const CXmlSerializationContext& context) {
  Read(
      *this, context,
      [&](CXmlEventHandler& handler) {
        if (!fileName) detail::ThrowBindingAbandoned();
        ReadXmlEvents(fileName, context, handler);
      },
      [&](CXmlDocument& document) { document.Load(fileName); });
}

void CXmlObjectBase::FromXml(const char* xmlText, const CXmlSerializationContext& context) {
  Read(
      *this, context,
      [&](CXmlEventHandler& handler) {
        const std::size_t length = xmlText ? std::strlen(xmlText) : 0;
        if (length == 0) detail::ThrowBindingAbandoned();
        CExpatReader reader(context, handler);
        reader.Parse(xmlText, length, true);
      },
      [&](CXmlDocument& document) { document.LoadXml(xmlText); });
}

void CXmlObjectBase::FromXml(const wchar_t* xmlText, const CXmlSerializationContext& context) {
  Read(
      *this, context,
      [&](CXmlEventHandler& handler) {
        CXmlDocument input(context);  // holds the text as UTF-16
        input.LoadXml(xmlText, handler);
      },
      [&](CXmlDocument& document) { document.LoadXml(xmlText); });
}

void CXmlObjectBase::FromXmlStream(unsigned char* data, unsigned long length,
                                   const CXmlSerializationContext& context) {
  Read(
      *this, context,
      [&](CXmlEventHandler& handler) {
        CXmlDocument input(context);  // holds the bytes inflated, when they are compressed
        input.LoadXmlStream(data, length, handler);
      },
      [&](CXmlDocument& document) { document.LoadXmlStream(data, length); });
}

void CXmlObjectBase::FromXmlStream(const CBinaryData& data,
                                   const CXmlSerializationContext& context) {
  FromXmlStream(data.GetData(), data.GetLength(), context);
}

void CXmlObjectBase::FromXmlElement(const CXmlElement* element,
                                    const CXmlSerializationContext& context) {
  CXmlElement* e = const_cast<CXmlElement*>(element);
  CXmlObjectBase::FromXml_Int(this, e, e ? e->GetFirstElement() : nullptr, context);
}

void CXmlObjectBase::FromXmlElement(const CElement* element,
                                    const CXmlSerializationContext& context) {
  const std::string text =
      element->ToXml(false, false, EOLType_LF, CXmlSerializationContext::m_defaultContext);
  FromXml(text.c_str(), context);  // virtual: untyped content reads the element itself
}

}  // namespace VxXmlLib10
