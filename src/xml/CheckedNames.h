// Names the metadata has checked once, when its infos were made, written
// without the text writer checking them again on every occurrence. Names
// from anywhere else (untyped content, the document tree, applications) are
// checked as they are written.
#ifndef VXXML_SRC_XML_CHECKEDNAMES_H
#define VXXML_SRC_XML_CHECKEDNAMES_H

#include <string>

#include "vxxml/ItemType.h"
#include "vxxml/XmlWriter.h"

namespace VxXmlLib10 {
namespace detail {

struct CheckedNames {
  /// WriteStartElement; `checked`: the local name is an ASCII NCName
  /// (IsAsciiNCName), which no writer needs to check.
  static void WriteStartElement(CXmlWriter& writer, const std::string& localName,
                                const std::string& namespaceURI, bool checked) {
    Mark mark(writer, checked);
    writer.WriteStartElement(localName, namespaceURI);
  }
  /// WriteAttributeString, likewise.
  static void WriteAttributeString(CXmlWriter& writer, const std::string& localName,
                                   const std::string& namespaceURI, const std::string& value,
                                   ItemType type, bool checked) {
    Mark mark(writer, checked);
    writer.WriteAttributeString(localName, namespaceURI, value, type);
  }
  /// For a writer that checks names: whether the name of the call being
  /// made is known to be valid. Asked once, first thing in the call.
  static bool Take(CXmlWriter& writer) {
    const bool checked = writer.m_nameChecked;
    writer.m_nameChecked = false;
    return checked;
  }

 private:
  // Set for one call, and cleared however it ends (a writer that does not
  // check names never takes the mark).
  struct Mark {
    CXmlWriter& writer;
    Mark(CXmlWriter& w, bool checked) : writer(w) { writer.m_nameChecked = checked; }
    ~Mark() { writer.m_nameChecked = false; }
    Mark(const Mark&) = delete;
    Mark& operator=(const Mark&) = delete;
  };
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_CHECKEDNAMES_H
