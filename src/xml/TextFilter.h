// What a reader may ask a handler about the text between tags.
//
// Indentation reaches a reader as runs of text between every two tags, and
// expat reports each line end as a run of its own. A handler that drops the
// text where it stands can say so through a flag: while the flag is set, a
// run would change nothing, and the reader does not deliver it. The flag is
// the handler's to keep exact; a reader only reads it, before each run.
#ifndef VXXML_SRC_XML_TEXTFILTER_H
#define VXXML_SRC_XML_TEXTFILTER_H

namespace VxXmlLib10 {
namespace detail {

class CTextFilter {
 public:
  /// The flag, for a reader that will read it.
  const bool* WatchDropsText() {
    m_watched = true;
    return &m_dropsText;
  }

 protected:
  ~CTextFilter() = default;
  bool m_dropsText = false;
  bool m_watched = false;  // a reader reads the flag: worth setting early
};

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_TEXTFILTER_H
