// vxxml: convert, inspect and round-trip XML documents with the vxxml library.
//
//   vxxml convert IN OUT [options]   XML text or Fast Infoset, plain or compressed, to either
//   vxxml info FILE                  what the file is and what it holds
//   vxxml roundtrip FILE             text -> Fast Infoset -> text, and whether the infoset survived
//
// Any input form is recognised by itself; "-" is standard input or output.
// Exit status: 0 success, 1 failure (the library's message chain on standard
// error), 2 bad usage.
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <clocale>
#include <cstdio>
#include <cstring>
#include <map>
#include <new>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include <zlib.h>

#include "vxxml/vxxml.h"

using namespace VxXmlLib10;

namespace {

const char kMainUsage[] =
    "usage: vxxml <command> [options]\n"
    "\n"
    "commands:\n"
    "  convert IN OUT   convert between XML text and Fast Infoset (any input form)\n"
    "  info FILE        describe a document: form, compression, encoding, size, counts\n"
    "  roundtrip FILE   text -> Fast Infoset -> text; report whether the infoset survived\n"
    "\n"
    "'vxxml <command> --help' describes a command. '-' stands for standard input/output.\n"
    "Reading is bounded (see --max-size, --max-ratio, --max-depth, --max-elements).\n";

// The bounds on reading, an option block every command takes.
#define VXXML_LIMIT_OPTIONS                                                              \
  "reading limits (0 for none; --max-size and --max-elements take K, M and G,\n"        \
  "powers of 1024):\n"                                                                   \
  "  --max-size N      most bytes compressed input may inflate to (default 1G)\n"        \
  "  --max-ratio N     most inflated bytes per compressed byte, past 4M (default 200)\n" \
  "  --max-depth N     deepest nesting of elements (default 10000)\n"                    \
  "  --max-elements N  most elements in the document (default 0, no bound)\n"

const char kConvertUsage[] =
    "usage: vxxml convert IN OUT [options]\n"
    "\n"
    "Reads IN (XML text or Fast Infoset, plain, gzip or zlib; recognised by itself) and\n"
    "writes OUT in the form the options choose. '-' is standard input or output.\n"
    "\n"
    "output form:\n"
    "  --to xml          XML text (default)\n"
    "  --to fi           Fast Infoset\n"
    "XML text options:\n"
    "  --indent          indent the output\n"
    "  --crlf            CR LF line ends (default LF)\n"
    "  --utf16           UTF-16 (little-endian, files start with FF FE; default UTF-8)\n"
    "  --no-decl         no XML declaration\n"
    "Fast Infoset options:\n"
    "  --fi-decl N       XML declaration in front of the document, 0 (none) to 9\n"
    "  --suggested       binary encodings for numbers and binary data, restricted\n"
    "                    alphabets for dates and decimals (the suggested settings)\n"
    "compression:\n"
    "  --gzip            gzip the output\n"
    "  --zlib            zlib the output (standard output only; not for files)\n"
    VXXML_LIMIT_OPTIONS;

const char kInfoUsage[] =
    "usage: vxxml info FILE [options]\n"
    "\n"
    "Prints what FILE is (XML text or Fast Infoset, compression, encoding), its size,\n"
    "and the element, attribute and text counts, depth, distinct names and namespaces.\n"
    "\n" VXXML_LIMIT_OPTIONS;

const char kRoundtripUsage[] =
    "usage: vxxml roundtrip FILE [options]\n"
    "\n"
    "Converts FILE to XML text, that text to Fast Infoset and the Fast Infoset back to\n"
    "text, reports the sizes and whether the infoset survived (exit status 1 if not).\n"
    "\n" VXXML_LIMIT_OPTIONS;

// Bad usage: one line on standard error, the message and where to find the
// command's usage.
struct UsageError {
  std::string message;
  const char* command;  // "" for the tool itself
};

// A count for a limit option: decimal digits, for sizes with an optional K,
// M or G (powers of 1024).
unsigned long long LimitValue(const std::string& option, const std::string& text, bool size,
                              unsigned long long most, const char* command) {
  size_t digits = 0;
  while (digits < text.size() && text[digits] >= '0' && text[digits] <= '9') ++digits;
  unsigned shift = 0;
  if (size && digits + 1 == text.size()) {
    const char unit = static_cast<char>(std::toupper(static_cast<unsigned char>(text.back())));
    shift = unit == 'K' ? 10 : unit == 'M' ? 20 : unit == 'G' ? 30 : 64;
  }
  unsigned long long value = 0;
  bool fits = digits > 0 && digits <= 19 && (digits == text.size() || shift < 64);
  for (size_t i = 0; fits && i < digits; ++i) value = value * 10 + (text[i] - '0');
  if (fits && shift) {
    fits = value <= (most >> shift);
    value <<= shift;
  }
  if (!fits || value > most)
    throw UsageError{option + " takes a number" + (size ? " (K, M or G may follow)" : "") +
                         ", not '" + text + "'",
                     command};
  return value;
}

// Takes the limit option at args[i] (and its value) into the context;
// false when args[i] is no limit option.
bool TakeLimitOption(const std::vector<std::string>& args, size_t& i,
                     CXmlSerializationContext& context, const char* command) {
  const std::string& a = args[i];
  if (a != "--max-size" && a != "--max-ratio" && a != "--max-depth" && a != "--max-elements")
    return false;
  if (i + 1 >= args.size()) throw UsageError{a + " needs a number", command};
  const std::string& v = args[++i];
  if (a == "--max-size")
    context.SetMaxDecompressedSize(LimitValue(a, v, true, ~0ULL, command));
  else if (a == "--max-elements")
    context.SetMaxElements(LimitValue(a, v, true, ~0ULL, command));
  else if (a == "--max-ratio")
    context.SetMaxCompressionRatio(static_cast<unsigned>(LimitValue(a, v, false, ~0U, command)));
  else
    context.SetMaxDepth(static_cast<unsigned>(LimitValue(a, v, false, ~0U, command)));
  return true;
}

// The single FILE argument of info and roundtrip ("-" is standard input),
// and their limit options.
std::string OneFile(const std::vector<std::string>& args, const char* command,
                    CXmlSerializationContext& context) {
  std::vector<std::string> files;
  for (size_t i = 0; i < args.size(); ++i) {
    if (TakeLimitOption(args, i, context, command)) continue;
    const std::string& a = args[i];
    if (a.size() > 1 && a[0] == '-') throw UsageError{"unknown option '" + a + "'", command};
    files.push_back(a);
  }
  if (files.size() != 1) throw UsageError{std::string(command) + " needs one FILE", command};
  return files[0];
}

// ---- progress ---------------------------------------------------------------

// Phase messages on standard error for inputs that take more than a moment,
// only when standard error is a terminal.
class Progress {
 public:
  void Enable(unsigned long long bytes) {
    m_on = bytes >= (8ULL << 20) && isatty(STDERR_FILENO);
    m_size = bytes;
  }
  void Phase(const char* what) {
    if (!m_on) return;
    std::fprintf(stderr, "\r\033[Kvxxml: %s (%.1f MB)...", what, m_size / 1e6);
    std::fflush(stderr);
  }
  void Done() {
    if (!m_on) return;
    std::fprintf(stderr, "\r\033[K");
    std::fflush(stderr);
  }

 private:
  bool m_on = false;
  unsigned long long m_size = 0;
};

Progress g_progress;

// ---- input ------------------------------------------------------------------

// What the input looked like before the document took it in: its size and
// compression, the size of the bytes the document parsed (after inflation)
// and, when asked for, their start: what tells their form.
struct Input {
  unsigned long long size = 0;
  const char* compression = "none";
  unsigned long long plainSize = 0;
  std::vector<unsigned char> plainHead;
};

bool LooksCompressed(const unsigned char* p, size_t n) {
  return n >= 2 && ((p[0] == 0x1F && p[1] == 0x8B) ||
                    ((p[0] & 0x0F) == 8 && (p[0] >> 4) <= 7 && ((p[0] << 8) | p[1]) % 31 == 0));
}

const size_t kHead = 256;   // plain bytes that tell the form
const size_t kPeek = 4096;  // compressed bytes that hold them

// The first plain bytes of compressed input, inflated from its first bytes
// alone: the document inflates the whole input, once, within its bounds.
std::vector<unsigned char> PlainHead(const unsigned char* p, size_t n) {
  std::vector<unsigned char> head(kHead);
  z_stream zs;
  std::memset(&zs, 0, sizeof zs);
  if (inflateInit2(&zs, 15 + 32) != Z_OK) return {};
  zs.next_in = const_cast<Bytef*>(p);
  zs.avail_in = static_cast<uInt>(n);
  zs.next_out = head.data();
  zs.avail_out = static_cast<uInt>(head.size());
  inflate(&zs, Z_SYNC_FLUSH);
  head.resize(head.size() - zs.avail_out);
  inflateEnd(&zs);
  return head;
}

// Notes the compression of the input from its first bytes and, for `info`,
// the start of its plain form.
void NoteForm(Input& input, const unsigned char* p, size_t n, bool noteForm) {
  const bool compressed = LooksCompressed(p, n);
  if (compressed) input.compression = p[0] == 0x1F ? "gzip" : "zlib";
  if (!noteForm) return;
  if (compressed)
    input.plainHead = PlainHead(p, n);
  else
    input.plainHead.assign(p, p + std::min(n, kHead));
}

std::vector<unsigned char> ReadAll(const std::string& path) {
  FILE* f = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (!f)
    throw CVxException(
        FormatString("Failed to open the file [%s]: %s", path.c_str(), std::strerror(errno)));
  std::vector<unsigned char> bytes;
  unsigned char chunk[1 << 16];
  size_t n;
  while ((n = std::fread(chunk, 1, sizeof chunk, f)) > 0) bytes.insert(bytes.end(), chunk, chunk + n);
  const int error = std::ferror(f) ? errno : 0;
  if (f != stdin) std::fclose(f);
  if (error)
    throw CVxException(
        FormatString("Failed to read the file [%s]: %s", path.c_str(), std::strerror(error)));
  return bytes;
}

// Loads the document from a file or standard input. A non-empty regular file
// is read by the document itself, straight into the one buffer it keeps, so
// the input is held once and not twice; standard input, pipes and anything
// else are read into memory and parsed (or inflated) where they lie.
Input LoadInput(CXmlDocument& document, const std::string& path, bool noteForm = false) {
  Input input;
  struct stat info;
  if (path != "-" && stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && info.st_size > 0) {
    input.size = static_cast<unsigned long long>(info.st_size);
    // One look at the first bytes: the compression header, and for `info`
    // the start of the text itself.
    unsigned char head[kPeek];
    size_t headLength = 0;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
      headLength = std::fread(head, 1, sizeof head, f);
      std::fclose(f);
    }
    NoteForm(input, head, headLength, noteForm);
    g_progress.Enable(input.size);
    g_progress.Phase("reading and parsing");
    document.Load(path.c_str());
  } else {
    const std::vector<unsigned char> bytes = ReadAll(path);
    input.size = bytes.size();
    NoteForm(input, bytes.data(), std::min(bytes.size(), kPeek), noteForm);
    g_progress.Enable(input.size);
    g_progress.Phase("parsing");
    document.LoadXmlStream(bytes.data(), static_cast<unsigned long>(bytes.size()));
  }
  input.plainSize = document.GetParsedLength();
  return input;
}

struct Form {
  std::string compression = "none";
  bool fastInfoset = false;
  std::string encoding;  // of XML text
  unsigned long long plainSize = 0;  // the bytes after inflation
};

bool StartsWith(const unsigned char* p, size_t size, const char* text, size_t n) {
  return size >= n && std::memcmp(p, text, n) == 0;
}

// Recognises Fast Infoset and the text encoding of an input from the first
// bytes of its plain form.
Form Sniff(const Input& input) {
  Form form;
  const unsigned char* p = input.plainHead.data();
  const size_t size = input.plainHead.size();
  form.plainSize = input.plainSize;
  form.compression = input.compression;
  if (StartsWith(p, size, "\xE0\x00\x00\x01", 4) || StartsWith(p, size, "\xE0\x00\x00\x02", 4)) {
    form.fastInfoset = true;
  } else if (StartsWith(p, size, "<?xml", 5)) {
    const std::string head(p, p + std::min<size_t>(size, 200));
    const size_t end = head.find("?>");
    if (end != std::string::npos && head.find("finf") < end) form.fastInfoset = true;
  }
  if (form.fastInfoset) return form;
  if (StartsWith(p, size, "\xFF\xFE", 2)) {
    form.encoding = "UTF-16LE (byte order mark)";
  } else if (StartsWith(p, size, "\xFE\xFF", 2)) {
    form.encoding = "UTF-16BE (byte order mark)";
  } else if (StartsWith(p, size, "\xEF\xBB\xBF", 3)) {
    form.encoding = "UTF-8 (byte order mark)";
  } else {
    form.encoding = "UTF-8";
    const std::string head(p, p + std::min<size_t>(size, 200));
    const size_t end = head.find("?>");
    const size_t at = head.find("encoding");
    if (StartsWith(p, size, "<?xml", 5) && at < end) {
      const size_t q = head.find_first_of("\"'", at);
      const size_t q2 = q == std::string::npos ? q : head.find(head[q], q + 1);
      if (q2 != std::string::npos) form.encoding = head.substr(q + 1, q2 - q - 1);
    }
  }
  return form;
}

bool IsBlank(const std::string& text) {
  return text.find_first_not_of(" \t\r\n") == std::string::npos;
}

// ---- writing a document through the library's writers -------------------------

// A bound object whose content is a loaded document: it writes the element
// tree through whichever writer the entry point sets up. Prefixes and the
// default namespace declared in the document are declared again on the root
// (the writer moves the default off the root when the root itself sits in no
// namespace); text that is only layout between child elements is dropped.
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
    if (!root) return;
    for (const auto& alias : m_document.GetNamespaceAliases()) {
      if (alias.first.empty()) {
        if (!alias.second.empty()) writer->SetDefaultNamespace(alias.second);
      } else if (alias.first != "xml" && !alias.second.empty()) {
        writer->AddNamespace(alias.first, alias.second);
      }
    }
    // Iterative walk: documents may nest deeper than the stack allows. Each
    // open element keeps whether its text is mixed with its children, decided
    // once rather than per child.
    std::vector<std::pair<const CXmlElement*, bool>> open;
    const CXmlElement* e = root;
    while (e) {
      const bool mixed = Start(writer, e);
      if (const CXmlElement* child = e->GetFirstElement()) {
        open.push_back({e, mixed});
        e = child;
        continue;
      }
      writer->WriteEndElement();
      for (;;) {
        if (e == root) {
          e = nullptr;
          break;
        }
        const CXmlElement* parent = open.back().first;
        if (open.back().second) TextAfter(writer, parent, e);
        if (const CXmlElement* next = e->GetNextSiblingElement()) {
          e = next;
          break;
        }
        e = parent;
        open.pop_back();
        writer->WriteEndElement();
      }
    }
  }
  CXmlElement* FromXml_Int(CXmlElement*, CXmlElement*, const CXmlSerializationContext&,
                           bool) override {
    return nullptr;
  }

 private:
  // Returns whether the element's text is mixed with child elements.
  static bool Start(CXmlWriter* writer, const CXmlElement* e) {
    writer->WriteStartElement(e->GetLocalName(), e->GetNamespaceURI());
    for (const CXmlAttribute* a : e->GetAttributes())
      if (!a->IsNamespaceAttribute())
        writer->WriteAttributeString(a->GetLocalName(), a->GetNamespaceURI(), a->GetValue(),
                                     ItemType_string);
    // Text runs stand where they stood among the children; whitespace alone
    // between children is layout, which the writer makes anew.
    const std::string& text = e->GetText();
    const CXmlElement* first = e->GetFirstElement();
    if (!first) {
      if (!text.empty()) writer->WriteString(text, ItemType_string);
      return false;
    }
    if (IsBlank(text)) return false;
    writer->SetMixedContent();
    if (first->GetTextOffset() > 0)
      writer->WriteString(text.substr(0, first->GetTextOffset()), ItemType_string);
    return true;
  }

  // The mixed parent's text between a child and the next one (or the end).
  static void TextAfter(CXmlWriter* writer, const CXmlElement* parent, const CXmlElement* child) {
    const std::string& text = parent->GetText();
    const CXmlElement* next = child->GetNextSiblingElement();
    const std::size_t from = std::min(child->GetTextOffset(), text.size());
    const std::size_t to = next ? std::min(next->GetTextOffset(), text.size()) : text.size();
    if (to > from) writer->WriteString(text.substr(from, to - from), ItemType_string);
  }

  const CXmlDocument& m_document;
};

// ---- infoset dump and statistics ------------------------------------------------

// One line per element, sorted attributes and significant text, for comparing
// two trees.
std::string Dump(const CXmlElement* root) {
  std::string out;
  std::vector<std::pair<const CXmlElement*, bool>> stack;  // element, children done
  if (root) stack.push_back({root, false});
  while (!stack.empty()) {
    auto& top = stack.back();
    const CXmlElement* e = top.first;
    if (top.second) {
      out += "end\n";
      stack.pop_back();
      continue;
    }
    top.second = true;
    out += "element {" + e->GetNamespaceURI() + "}" + e->GetLocalName() + "\n";
    std::vector<std::string> attributes;
    for (const CXmlAttribute* a : e->GetAttributes())
      if (!a->IsNamespaceAttribute())
        attributes.push_back("  {" + a->GetNamespaceURI() + "}" + a->GetLocalName() + "=" +
                             a->GetValue() + "\n");
    std::sort(attributes.begin(), attributes.end());
    for (const auto& a : attributes) out += a;
    if (!e->GetText().empty() && !(e->GetFirstElement() && IsBlank(e->GetText())))
      out += "  text " + e->GetText() + "\n";
    std::vector<const CXmlElement*> children;
    for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
      children.push_back(c);
    for (auto it = children.rbegin(); it != children.rend(); ++it) stack.push_back({*it, false});
  }
  return out;
}

struct Statistics {
  unsigned long long elements = 0, attributes = 0, texts = 0, textBytes = 0;
  size_t depth = 0;
  std::set<std::string> names, namespaces;
};

Statistics Count(const CXmlElement* root) {
  Statistics s;
  std::vector<std::pair<const CXmlElement*, size_t>> stack;
  if (root) stack.push_back({root, 1});
  while (!stack.empty()) {
    const CXmlElement* e = stack.back().first;
    const size_t depth = stack.back().second;
    stack.pop_back();
    ++s.elements;
    s.depth = std::max(s.depth, depth);
    s.names.insert("{" + e->GetNamespaceURI() + "}" + e->GetLocalName());
    if (!e->GetNamespaceURI().empty()) s.namespaces.insert(e->GetNamespaceURI());
    for (const CXmlAttribute* a : e->GetAttributes()) {
      if (a->IsNamespaceAttribute()) continue;
      ++s.attributes;
      if (!a->GetNamespaceURI().empty()) s.namespaces.insert(a->GetNamespaceURI());
    }
    if (!e->GetText().empty() && !(e->GetFirstElement() && IsBlank(e->GetText()))) {
      ++s.texts;
      s.textBytes += e->GetText().size();
    }
    for (const CXmlElement* c = e->GetFirstElement(); c; c = c->GetNextSiblingElement())
      stack.push_back({c, depth + 1});
  }
  return s;
}

// ---- output -----------------------------------------------------------------

void WriteAll(const std::string& path, const CBinaryData& data, bool byteOrderMark) {
  FILE* f = path == "-" ? stdout : std::fopen(path.c_str(), "wb");
  if (!f) throw CVxException(FormatString("Failed to write data to the file [%s]", path.c_str()));
  bool ok = true;
  if (byteOrderMark) ok = std::fwrite("\xFF\xFE", 1, 2, f) == 2;
  if (ok && data.GetLength())
    ok = std::fwrite(data.GetData(), 1, data.GetLength(), f) == data.GetLength();
  ok = (f == stdout ? std::fflush(f) == 0 : std::fclose(f) == 0) && ok;
  if (!ok) throw CVxException(FormatString("Failed to write data to the file [%s]", path.c_str()));
}

// ---- commands ---------------------------------------------------------------------

bool WantsHelp(const std::vector<std::string>& args) {
  return std::find(args.begin(), args.end(), "--help") != args.end() ||
         std::find(args.begin(), args.end(), "-h") != args.end();
}

int Convert(const std::vector<std::string>& args) {
  if (WantsHelp(args)) {
    std::fputs(kConvertUsage, stdout);
    return 0;
  }
  std::vector<std::string> files;
  CXmlSerializationContext context;
  bool toFastInfoset = false, indent = false, declaration = true, suggested = false;
  EOLType eol = EOLType_LF;
  XmlEncoding encoding = XmlEncoding_UTF8;
  CompressionType compression = CompressionType_None;
  FInfoDecl fiDeclaration = FInfoDecl_None;
  for (size_t i = 0; i < args.size(); ++i) {
    if (TakeLimitOption(args, i, context, "convert")) continue;
    const std::string& a = args[i];
    if (a == "--to") {
      if (i + 1 >= args.size()) throw UsageError{"--to needs xml or fi", "convert"};
      const std::string& v = args[++i];
      if (v == "fi" || v == "fastinfoset") toFastInfoset = true;
      else if (v == "xml") toFastInfoset = false;
      else throw UsageError{"--to takes xml or fi, not '" + v + "'", "convert"};
    } else if (a == "--indent") {
      indent = true;
    } else if (a == "--crlf") {
      eol = EOLType_CRLF;
    } else if (a == "--utf16") {
      encoding = XmlEncoding_UTF16;
    } else if (a == "--no-decl") {
      declaration = false;
    } else if (a == "--fi-decl") {
      if (i + 1 >= args.size()) throw UsageError{"--fi-decl needs a number 0 to 9", "convert"};
      const std::string& v = args[++i];
      if (v.size() != 1 || v[0] < '0' || v[0] > '9')
        throw UsageError{"--fi-decl takes a number 0 to 9, not '" + v + "'", "convert"};
      fiDeclaration = static_cast<FInfoDecl>(v[0] - '0');
    } else if (a == "--suggested") {
      suggested = true;
    } else if (a == "--gzip") {
      compression = CompressionType_GZip;
    } else if (a == "--zlib") {
      compression = CompressionType_ZLib;
    } else if (a.size() > 1 && a[0] == '-') {
      throw UsageError{"unknown option '" + a + "'", "convert"};
    } else {
      files.push_back(a);
    }
  }
  if (files.size() != 2) throw UsageError{"convert needs IN and OUT", "convert"};

  CXmlDocument document(context);
  LoadInput(document, files[0]);
  DocumentObject object(document);
  if (suggested) context.GetFIContext().SetSuggestedValues();
  g_progress.Phase("writing");
  const std::string& out = files[1];
  if (toFastInfoset) {
    if (out == "-")
      WriteAll(out, object.ToFastInfosetStream(fiDeclaration, context, compression), false);
    else
      object.ToFastInfosetFile(out.c_str(), fiDeclaration, context, compression);
  } else if (out == "-") {
    WriteAll(out, object.ToXmlStream(declaration, indent, encoding, eol, context, compression),
             encoding == XmlEncoding_UTF16 && compression == CompressionType_None);
  } else {
    object.ToXmlFile(out.c_str(), declaration, indent, encoding, eol, context, compression);
  }
  g_progress.Done();
  return 0;
}

int Info(const std::vector<std::string>& args) {
  if (WantsHelp(args)) {
    std::fputs(kInfoUsage, stdout);
    return 0;
  }
  CXmlSerializationContext context;
  const std::string file = OneFile(args, "info", context);
  CXmlDocument document(context);
  const Input input = LoadInput(document, file, true);
  const Form form = Sniff(input);
  g_progress.Phase("counting");
  const Statistics s = Count(document.GetDocumentElement());
  g_progress.Done();
  const CXmlElement* root = document.GetDocumentElement();
  std::printf("file:          %s\n", file.c_str());
  std::printf("form:          %s\n", form.fastInfoset ? "Fast Infoset" : "XML text");
  std::printf("compression:   %s\n", form.compression.c_str());
  if (!form.fastInfoset) std::printf("encoding:      %s\n", form.encoding.c_str());
  std::printf("size:          %llu bytes", input.size);
  if (form.compression != "none") std::printf(" (%llu bytes inflated)", form.plainSize);
  std::printf("\n");
  std::printf("root:          {%s}%s\n", root->GetNamespaceURI().c_str(),
              root->GetLocalName().c_str());
  std::printf("elements:      %llu\n", s.elements);
  std::printf("attributes:    %llu\n", s.attributes);
  std::printf("texts:         %llu (%llu bytes)\n", s.texts, s.textBytes);
  std::printf("depth:         %zu\n", s.depth);
  std::printf("distinct names: %zu\n", s.names.size());
  std::printf("namespaces:    %zu\n", s.namespaces.size());
  for (const std::string& ns : s.namespaces) std::printf("  %s\n", ns.c_str());
  return 0;
}

int Roundtrip(const std::vector<std::string>& args) {
  if (WantsHelp(args)) {
    std::fputs(kRoundtripUsage, stdout);
    return 0;
  }
  CXmlSerializationContext context;
  const std::string file = OneFile(args, "roundtrip", context);

  CXmlDocument original(context);
  const Input input = LoadInput(original, file);
  g_progress.Phase("writing text");
  const CBinaryData text = DocumentObject(original).ToXmlStream(
      true, false, XmlEncoding_UTF8, EOLType_LF, context, CompressionType_None);

  CXmlDocument fromText(context);
  fromText.LoadXmlStream(text.GetData(), text.GetLength());
  g_progress.Phase("writing Fast Infoset");
  const CBinaryData fi =
      DocumentObject(fromText).ToFastInfosetStream(FInfoDecl_None, context, CompressionType_None);

  CXmlDocument fromFi(context);
  g_progress.Phase("reading Fast Infoset");
  fromFi.LoadXmlStream(fi.GetData(), fi.GetLength());
  const CBinaryData back = DocumentObject(fromFi).ToXmlStream(
      true, false, XmlEncoding_UTF8, EOLType_LF, context, CompressionType_None);
  CXmlDocument fromBack(context);
  fromBack.LoadXmlStream(back.GetData(), back.GetLength());
  g_progress.Done();

  const std::string reference = Dump(original.GetDocumentElement());
  const bool survived = Dump(fromFi.GetDocumentElement()) == reference &&
                        Dump(fromBack.GetDocumentElement()) == reference;
  std::printf("input:         %llu bytes\n", input.size);
  std::printf("XML text:      %lu bytes (UTF-8)\n", text.GetLength());
  std::printf("Fast Infoset:  %lu bytes (%.1f%% of the text)\n", fi.GetLength(),
              text.GetLength() ? 100.0 * fi.GetLength() / text.GetLength() : 0.0);
  std::printf("back to text:  %lu bytes%s\n", back.GetLength(),
              back == text ? ", identical to the first text" : "");
  std::printf("infoset:       %s\n", survived ? "survived" : "CHANGED");
  return survived ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  // Text goes to a file while the tree is walked, not built in memory first
  // (uncompressed output; compressed output needs the whole text anyway).
  AsyncToXmlFile(true);
  std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) {
    std::fputs(kMainUsage, stderr);
    return 2;
  }
  const std::string command = args[0];
  args.erase(args.begin());
  try {
    if (command == "--help" || command == "-h" || command == "help") {
      std::fputs(kMainUsage, stdout);
      return 0;
    }
    if (command == "convert") return Convert(args);
    if (command == "info") return Info(args);
    if (command == "roundtrip") return Roundtrip(args);
    throw UsageError{"unknown command '" + command + "'", ""};
  } catch (const UsageError& e) {
    g_progress.Done();
    std::fprintf(stderr, "vxxml: %s (see 'vxxml %s%s--help')\n", e.message.c_str(), e.command,
                 *e.command ? " " : "");
    return 2;
  } catch (const CVxException& e) {
    g_progress.Done();
    std::fprintf(stderr, "vxxml: %s\n", e.GetFullMessage().c_str());
    return 1;
  } catch (const std::bad_alloc&) {
    g_progress.Done();
    std::fprintf(stderr, "vxxml: not enough memory\n");
    return 1;
  }
}
