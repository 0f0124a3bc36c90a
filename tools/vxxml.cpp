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

#include <fstream>
#include <istream>
#include <streambuf>
#include <string_view>

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
    "The document streams through: comments, processing instructions, text mixed\n"
    "with elements and namespace declarations stay where they were.\n"
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
    "  --index-max N     attribute values and texts of up to N bytes enter the tables,\n"
    "                    later ones are written as indices (default 64)\n"
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

// What the input looked like: its size and compression, the size of the
// bytes parsed (after inflation) and, for `info`, their start: what tells
// their form.
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
// alone.
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
void NoteForm(Input& input, const unsigned char* p, size_t n) {
  const bool compressed = LooksCompressed(p, n);
  if (compressed) input.compression = p[0] == 0x1F ? "gzip" : "zlib";
  if (compressed)
    input.plainHead = PlainHead(p, n);
  else
    input.plainHead.assign(p, p + std::min(n, kHead));
}

// A stream buffer over a file descriptor's bytes, the first of which were
// already read to look at them; it counts what passes.
class InputBuffer : public std::streambuf {
 public:
  InputBuffer(FILE* file, std::string head) : m_file(file), m_head(std::move(head)) {
    setg(&m_head[0], &m_head[0], &m_head[0] + m_head.size());
    count = m_head.size();
  }
  unsigned long long count;

 protected:
  int_type underflow() override {
    const size_t n = std::fread(m_buffer, 1, sizeof m_buffer, m_file);
    if (n == 0) return traits_type::eof();
    count += n;
    setg(m_buffer, m_buffer, m_buffer + n);
    return traits_type::to_int_type(m_buffer[0]);
  }

 private:
  FILE* m_file;
  std::string m_head;
  char m_buffer[1 << 16];
};

// Reads a file or standard input ("-") as events, in pieces.
Input ReadInput(const std::string& path, const CXmlSerializationContext& context,
                CXmlEventHandler& handler) {
  FILE* f = path == "-" ? stdin : std::fopen(path.c_str(), "rb");
  if (!f)
    throw CVxException(
        FormatString("Failed to open the file [%s]: %s", path.c_str(), std::strerror(errno)));
  struct Closer {
    FILE* f;
    ~Closer() {
      if (f != stdin) std::fclose(f);
    }
  } closer{f};
  struct stat info;
  if (fstat(fileno(f), &info) == 0 && S_ISDIR(info.st_mode))
    throw CVxException(
        FormatString("Failed to read the file [%s]: %s", path.c_str(), std::strerror(EISDIR)));
  std::string head(kPeek, '\0');
  head.resize(std::fread(&head[0], 1, head.size(), f));
  if (std::ferror(f))
    throw CVxException(
        FormatString("Failed to read the file [%s]: %s", path.c_str(), std::strerror(errno)));
  Input input;
  NoteForm(input, reinterpret_cast<const unsigned char*>(head.data()), head.size());
  InputBuffer buffer(f, std::move(head));
  std::istream in(&buffer);
  if (S_ISREG(info.st_mode)) g_progress.Enable(static_cast<unsigned long long>(info.st_size));
  g_progress.Phase("converting");
  ReadXmlEvents(in, context, handler, XML_EVENT_PIECE_SIZE, &input.plainSize);
  input.size = buffer.count;
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

bool IsBlank(std::string_view text) {
  return text.find_first_not_of(" \t\r\n") == std::string_view::npos;
}

// ---- output -----------------------------------------------------------------

// A file or standard output, written as the bytes come, through deflate when
// compressed.
class Output {
 public:
  Output(const std::string& path, CompressionType compression)
      : m_path(path), m_compression(compression) {
    if (compression == CompressionType_ZLib && path != "-")
      throw CVxException("ZLIB Compression only available for To Stream methods.");
    m_file = path == "-" ? stdout : std::fopen(path.c_str(), "wb");
    if (!m_file) Fail();
    if (compression != CompressionType_None) {
      std::memset(&m_zs, 0, sizeof m_zs);
      const int bits = compression == CompressionType_GZip ? 15 + 16 : 15;
      if (deflateInit2(&m_zs, 1, Z_DEFLATED, bits, 8, Z_DEFAULT_STRATEGY) != Z_OK) Fail();
      m_deflating = true;
    }
  }
  ~Output() {
    if (m_deflating) deflateEnd(&m_zs);
    if (m_file && m_file != stdout) std::fclose(m_file);
  }
  void Write(const unsigned char* p, size_t n) {
    m_written += n;
    if (!m_deflating) {
      if (n && std::fwrite(p, 1, n, m_file) != n) Fail();
      return;
    }
    m_zs.next_in = const_cast<Bytef*>(p);
    m_zs.avail_in = static_cast<uInt>(n);
    Deflate(Z_NO_FLUSH);
  }
  void Finish() {
    if (m_deflating) Deflate(Z_FINISH);
    const bool ok = m_file == stdout ? std::fflush(m_file) == 0 : std::fclose(m_file) == 0;
    if (m_file != stdout) m_file = nullptr;
    if (!ok) Fail();
  }
  unsigned long long Written() const { return m_written; }

 private:
  void Deflate(int flush) {
    unsigned char out[1 << 16];
    int code;
    do {
      m_zs.next_out = out;
      m_zs.avail_out = sizeof out;
      code = deflate(&m_zs, flush);
      const size_t n = sizeof out - m_zs.avail_out;
      if (n && std::fwrite(out, 1, n, m_file) != n) Fail();
    } while (m_zs.avail_out == 0 || (flush == Z_FINISH && code != Z_STREAM_END));
  }
  [[noreturn]] void Fail() {
    throw CVxException(FormatString("Failed to write data to the file [%s]", m_path.c_str()));
  }

  std::string m_path;
  CompressionType m_compression;
  FILE* m_file = nullptr;
  z_stream m_zs;
  bool m_deflating = false;
  unsigned long long m_written = 0;
};

// Text handed to the output encoded, a buffer at a time.
class OutputTextStream : public CTextStream {
 public:
  OutputTextStream(XmlEncoding encoding, Output& out) : CTextStream(encoding), m_out(out) {}
  void Open() override {
    CTextStream::Open();
    static const unsigned char kByteOrderMark[2] = {0xFF, 0xFE};
    if (m_encoding == XmlEncoding_UTF16) m_out.Write(kByteOrderMark, 2);
  }
  void Flush() override {
    if (m_buffer.GetLength() == 0) return;
    const CBinaryData encoded = GetEncodedStream();
    m_buffer.Empty();
    m_out.Write(encoded.GetData(), encoded.GetLength());
  }
  void Close() override { Flush(); }

 private:
  Output& m_out;
};

// Bytes handed to the output whenever the buffer fills.
class OutputBinaryStream : public CBinaryStream {
 public:
  explicit OutputBinaryStream(Output& out) : m_out(out) {}
  void Finish() { Drain(); }

 protected:
  bool Drain() override {
    m_out.Write(Data(), static_cast<size_t>(GetLength()));
    Rewind();
    return true;
  }

 private:
  Output& m_out;
};

// ---- counting and comparing events ----------------------------------------------

struct Statistics {
  unsigned long long elements = 0, attributes = 0, texts = 0, textBytes = 0;
  size_t depth = 0;
  std::set<std::string> names, namespaces;
};

// Counts as the events pass: an element's text counts once, unless it is
// only layout between child elements.
class Counter : public CXmlEventHandler {
 public:
  Statistics s;
  std::string root;

  void StartElement(const CXmlStartElement& e) override {
    if (!m_open.empty()) m_open.back().hasChild = true;
    m_open.push_back({});
    ++s.elements;
    s.depth = std::max(s.depth, m_open.size());
    m_name.assign("{").append(e.namespaceURI).append("}").append(e.localName);
    if (s.elements == 1) root = m_name;
    s.names.insert(m_name);
    if (!e.namespaceURI.empty()) s.namespaces.emplace(e.namespaceURI);
    for (size_t i = 0; i < e.attributeCount; ++i) {
      const CXmlEventAttribute& a = e.attributes[i];
      if (IsNamespaceAttribute(a)) continue;
      ++s.attributes;
      if (!a.namespaceURI.empty()) s.namespaces.emplace(a.namespaceURI);
    }
  }
  void EndElement() override {
    const Open e = m_open.back();
    m_open.pop_back();
    if (e.bytes && !(e.hasChild && e.blank)) {
      ++s.texts;
      s.textBytes += e.bytes;
    }
  }
  void Characters(std::string_view text) override {
    if (m_open.empty()) return;
    m_open.back().bytes += text.size();
    if (m_open.back().blank && !IsBlank(text)) m_open.back().blank = false;
  }
  void StartCDATA() override { Characters("<![CDATA["); }
  void EndCDATA() override { Characters("]]>"); }

 private:
  static bool IsNamespaceAttribute(const CXmlEventAttribute& a) {
    const bool ns = a.namespaceURI == "http://www.w3.org/2001/XMLSchema-instance" ||
                    a.namespaceURI == "http://www.w3.org/2000/xmlns/";
    return ns && (a.localName == "xmlns" || a.localName == "type" ||
                  a.localName == "schemaLocation" || a.localName == "noNamespaceSchemaLocation");
  }
  struct Open {
    unsigned long long bytes = 0;
    bool blank = true, hasChild = false;
  };
  std::vector<Open> m_open;
  std::string m_name;
};

// The infoset as a sequence of items: elements with their attributes in
// order, text (adjacent runs as one, whatever the pieces), comments,
// processing instructions and the document type's identifiers. Prefixes,
// where declarations are made, CDATA boundaries and the document type's name
// are left out: the forms may carry them differently. An item is readable
// text, its strings quoted with every quote, backslash and control character
// escaped, so that two different events never give the same item.
class InfosetItems : public CXmlEventHandler {
 public:
  void DocumentType(std::string_view, std::string_view systemId,
                    std::string_view publicId) override {
    m_item = "<!DOCTYPE ";
    Quote(systemId);
    m_item += ' ';
    Quote(publicId);
    Item();
  }
  void StartElement(const CXmlStartElement& e) override {
    m_item = "<";
    Name(e.namespaceURI, e.localName);
    for (size_t i = 0; i < e.attributeCount; ++i) {
      m_item += ' ';
      Name(e.attributes[i].namespaceURI, e.attributes[i].localName);
      m_item += '=';
      Quote(e.attributes[i].value);
    }
    m_item += '>';
    Item();
  }
  void EndElement() override {
    m_item = "</>";
    Item();
  }
  void Characters(std::string_view text) override {
    if (!text.empty()) Text(text);
  }
  void Comment(std::string_view text) override {
    m_item = "<!--";
    Quote(text);
    Item();
  }
  void ProcessingInstruction(std::string_view target, std::string_view data) override {
    m_item = "<?";
    Quote(target);
    m_item += ' ';
    Quote(data);
    Item();
  }
  void EndDocument() override {
    m_item = "end of document";
    Item();
  }

 protected:
  // m_item is complete.
  virtual void Item() = 0;
  virtual void Text(std::string_view text) = 0;
  std::string m_item;

 private:
  void Name(std::string_view uri, std::string_view local) {
    if (!uri.empty()) {
      m_item += '{';
      m_item.append(uri);
      m_item += '}';
    }
    m_item.append(local);
  }
  void Quote(std::string_view text) {
    m_item += '"';
    for (char c : text) {
      const unsigned char u = static_cast<unsigned char>(c);
      if (c == '"' || c == '\\') {
        m_item += '\\';
        m_item += c;
      } else if (u < 0x20 || u == 0x7F) {
        static const char kHex[] = "0123456789abcdef";
        m_item += "\\x";
        m_item += kHex[u >> 4];
        m_item += kHex[u & 15];
      } else {
        m_item += c;
      }
    }
    m_item += '"';
  }
};

// Writes the items of one reading to a file as it goes: 'I' or 'T' (a piece
// of text), a 32-bit length, the bytes.
class ItemLog : public InfosetItems {
 public:
  explicit ItemLog(const std::string& path) : m_file(std::fopen(path.c_str(), "wb")) {
    if (!m_file) throw CVxException("Cannot write " + path + ": " + std::strerror(errno));
  }
  ~ItemLog() override {
    if (m_file) std::fclose(m_file);
  }
  void Close() {
    const bool failed = std::fclose(m_file) != 0;
    m_file = nullptr;
    if (failed) throw CVxException("Cannot write the items of the round trip");
  }

 private:
  void Item() override { Put('I', m_item); }
  void Text(std::string_view text) override {
    for (; text.size() > kMostText; text.remove_prefix(kMostText)) Put('T', text.substr(0, kMostText));
    Put('T', text);
  }
  void Put(char kind, std::string_view bytes) {
    const uint32_t n = static_cast<uint32_t>(bytes.size());
    unsigned char head[5] = {static_cast<unsigned char>(kind), static_cast<unsigned char>(n),
                             static_cast<unsigned char>(n >> 8), static_cast<unsigned char>(n >> 16),
                             static_cast<unsigned char>(n >> 24)};
    if (std::fwrite(head, 1, 5, m_file) != 5 || std::fwrite(bytes.data(), 1, n, m_file) != n)
      throw CVxException("Cannot write the items of the round trip");
  }
  static constexpr size_t kMostText = size_t(1) << 30;
  FILE* m_file;
};

// Compares the items of another reading with a log, item by item, and keeps
// the first difference: where it is (the path of elements), what the log has
// there and what this reading has.
class ItemCompare : public InfosetItems {
 public:
  explicit ItemCompare(const std::string& path) : m_file(std::fopen(path.c_str(), "rb")) {
    if (!m_file) throw CVxException("Cannot read " + path + ": " + std::strerror(errno));
  }
  ~ItemCompare() override { std::fclose(m_file); }
  ItemCompare(const ItemCompare&) = delete;
  ItemCompare& operator=(const ItemCompare&) = delete;

  void StartElement(const CXmlStartElement& e) override {
    InfosetItems::StartElement(e);
    m_path.push_back(m_path.empty() ? 0 : m_path.back());
    m_names += '/';
    if (!e.prefix.empty()) m_names.append(e.prefix).append(":");
    m_names.append(e.localName);
    m_path.back() = m_names.size();
  }
  void EndElement() override {
    InfosetItems::EndElement();
    if (m_path.empty()) return;
    m_path.pop_back();
    m_names.resize(m_path.empty() ? 0 : m_path.back());
  }
  // After the whole document: anything left in the log is a difference.
  bool Same() {
    if (m_differs.empty() && (m_textLeft || Next())) Differ("nothing more");
    return m_differs.empty();
  }
  const std::string& Difference() const { return m_differs; }

 private:
  void Item() override {
    if (!m_differs.empty()) return;
    if (m_textLeft) {
      m_logItem = PeekText();
      return Differ(m_item);
    }
    if (!Next() || m_kind != 'I') return Differ(m_item);
    if (m_logItem != m_item) Differ(m_item);
  }
  void Text(std::string_view text) override {
    while (m_differs.empty() && !text.empty()) {
      if (!m_textLeft && (!Next() || m_kind != 'T')) return Differ(Snippet(text));
      const size_t n = std::min<size_t>(text.size(), m_textLeft);
      m_buffer.resize(n);
      if (std::fread(&m_buffer[0], 1, n, m_file) != n) return Differ(Snippet(text));
      m_textLeft -= n;
      if (m_buffer != text.substr(0, n)) {
        size_t at = 0;
        while (m_buffer[at] == text[at]) ++at;
        m_logItem = Snippet(std::string_view(m_buffer).substr(at)) + " (at that point of the text)";
        return Differ(Snippet(text.substr(at)) + " (at that point of the text)");
      }
      text.remove_prefix(n);
    }
  }
  // Reads the next record of the log; false at its end. An item is read
  // whole, text only its length.
  bool Next() {
    unsigned char head[5];
    if (std::fread(head, 1, 5, m_file) != 5) {
      m_logItem = "nothing more";
      return false;
    }
    m_kind = static_cast<char>(head[0]);
    const size_t n = head[1] | size_t(head[2]) << 8 | size_t(head[3]) << 16 | size_t(head[4]) << 24;
    if (m_kind == 'T') {
      m_textLeft = n;
      m_logItem = PeekText();
      return true;
    }
    m_logItem.resize(n);
    if (n && std::fread(&m_logItem[0], 1, n, m_file) != n) m_logItem = "nothing more";
    return true;
  }
  // The log's text from where it is, for a message; the file stays where it
  // was.
  std::string PeekText() {
    std::string start(std::min<size_t>(m_textLeft, 61), '\0');
    const long at = std::ftell(m_file);
    if (std::fread(&start[0], 1, start.size(), m_file) != start.size()) start.clear();
    std::fseek(m_file, at, SEEK_SET);
    return Snippet(start);
  }
  static std::string Snippet(std::string_view text) {
    std::string s = "text \"";
    for (char c : text.substr(0, 60)) {
      if (static_cast<unsigned char>(c) < 0x20) {
        static const char kHex[] = "0123456789abcdef";
        s += "\\x";
        s += kHex[static_cast<unsigned char>(c) >> 4];
        s += kHex[c & 15];
      } else {
        s += c;
      }
    }
    return s + (text.size() > 60 ? "...\"" : "\"");
  }
  void Differ(const std::string& ours) {
    m_differs = "in " + (m_names.empty() ? std::string("the document") : m_names) +
                ":\n  read from the input:        " + m_logItem +
                "\n  read from the Fast Infoset: " + ours;
  }

  FILE* m_file;
  char m_kind = 0;
  size_t m_textLeft = 0;
  std::string m_logItem, m_buffer, m_differs, m_names;
  std::vector<size_t> m_path;  // where each open element's name ends in m_names
};

// Hands every event to two handlers.
class Tee : public CXmlEventHandler {
 public:
  Tee(CXmlEventHandler& a, CXmlEventHandler& b) : m_a(a), m_b(b) {}
  void StartDocument() override { m_a.StartDocument(); m_b.StartDocument(); }
  void EndDocument() override { m_a.EndDocument(); m_b.EndDocument(); }
  void DocumentType(std::string_view n, std::string_view s, std::string_view p) override {
    m_a.DocumentType(n, s, p);
    m_b.DocumentType(n, s, p);
  }
  void StartElement(const CXmlStartElement& e) override { m_a.StartElement(e); m_b.StartElement(e); }
  void EndElement() override { m_a.EndElement(); m_b.EndElement(); }
  void Characters(std::string_view t) override { m_a.Characters(t); m_b.Characters(t); }
  void StartCDATA() override { m_a.StartCDATA(); m_b.StartCDATA(); }
  void EndCDATA() override { m_a.EndCDATA(); m_b.EndCDATA(); }
  void Comment(std::string_view t) override { m_a.Comment(t); m_b.Comment(t); }
  void ProcessingInstruction(std::string_view t, std::string_view d) override {
    m_a.ProcessingInstruction(t, d);
    m_b.ProcessingInstruction(t, d);
  }

 private:
  CXmlEventHandler& m_a;
  CXmlEventHandler& m_b;
};

// ---- commands ---------------------------------------------------------------------

bool WantsHelp(const std::vector<std::string>& args) {
  return std::find(args.begin(), args.end(), "--help") != args.end() ||
         std::find(args.begin(), args.end(), "-h") != args.end();
}

// Values and chunks up to `most` bytes enter the tables (the writer indexes
// those shorter than the bound it is given), within a bound on their memory
// that keeps it the same whatever the document's size.
void IndexValues(CFastInfosetContext& fi, unsigned long most) {
  fi.SetAttributeMaxAddLength(most + 1);
  fi.SetElementMaxAddLength(most + 1);
  fi.SetValueTableMemory(16ULL << 20);
}

// Writes the events of IN through the writer of the output form, with no
// tree in between: memory does not grow with the document.
class Converter {
 public:
  bool toFastInfoset = false, indent = false, declaration = true;
  EOLType eol = EOLType_LF;
  XmlEncoding encoding = XmlEncoding_UTF8;
  FInfoDecl fiDeclaration = FInfoDecl_None;

  // Reads `in` (a path or "-") into `out`, also handing every event to
  // `also` when given; returns what the input was.
  Input Run(const std::string& in, Output& out, const CXmlSerializationContext& context,
            CXmlEventHandler* also = nullptr) {
    Input input;
    if (toFastInfoset) {
      OutputBinaryStream stream(out);
      CFastInfosetWriter writer(context.GetFIContext(), stream);
      writer.Open();
      writer.WriteStartDocument(fiDeclaration);
      input = Read(in, context, writer, also);
      writer.WriteEndDocument();
      writer.Close();
      stream.Finish();
    } else {
      OutputTextStream stream(encoding, out);
      CXmlTextWriter writer(stream);
      writer.SetFormat(indent);
      writer.SetEOLType(eol);
      writer.Open();
      if (declaration) writer.WriteStartDocument();
      input = Read(in, context, writer, also);
      writer.Close();
      stream.Close();
    }
    out.Finish();
    return input;
  }

 private:
  static Input Read(const std::string& in, const CXmlSerializationContext& context,
                    CXmlWriter& writer, CXmlEventHandler* also) {
    CXmlWriterHandler handler(writer);
    if (!also) return ReadInput(in, context, handler);
    Tee tee(handler, *also);
    return ReadInput(in, context, tee);
  }
};

int Convert(const std::vector<std::string>& args) {
  if (WantsHelp(args)) {
    std::fputs(kConvertUsage, stdout);
    return 0;
  }
  std::vector<std::string> files;
  CXmlSerializationContext context;
  Converter converter;
  bool suggested = false;
  unsigned long indexMax = 64;
  CompressionType compression = CompressionType_None;
  for (size_t i = 0; i < args.size(); ++i) {
    if (TakeLimitOption(args, i, context, "convert")) continue;
    const std::string& a = args[i];
    if (a == "--to") {
      if (i + 1 >= args.size()) throw UsageError{"--to needs xml or fi", "convert"};
      const std::string& v = args[++i];
      if (v == "fi" || v == "fastinfoset") converter.toFastInfoset = true;
      else if (v == "xml") converter.toFastInfoset = false;
      else throw UsageError{"--to takes xml or fi, not '" + v + "'", "convert"};
    } else if (a == "--indent") {
      converter.indent = true;
    } else if (a == "--crlf") {
      converter.eol = EOLType_CRLF;
    } else if (a == "--utf16") {
      converter.encoding = XmlEncoding_UTF16;
    } else if (a == "--no-decl") {
      converter.declaration = false;
    } else if (a == "--fi-decl") {
      if (i + 1 >= args.size()) throw UsageError{"--fi-decl needs a number 0 to 9", "convert"};
      const std::string& v = args[++i];
      if (v.size() != 1 || v[0] < '0' || v[0] > '9')
        throw UsageError{"--fi-decl takes a number 0 to 9, not '" + v + "'", "convert"};
      converter.fiDeclaration = static_cast<FInfoDecl>(v[0] - '0');
    } else if (a == "--index-max") {
      if (i + 1 >= args.size()) throw UsageError{"--index-max needs a number", "convert"};
      indexMax = static_cast<unsigned long>(LimitValue(a, args[++i], false, 1UL << 20, "convert"));
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
  CFastInfosetContext& fi = context.GetFIContext();
  if (suggested) fi.SetSuggestedValues();
  IndexValues(fi, indexMax);
  Output out(files[1], compression);
  converter.Run(files[0], out, context);
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
  Counter counter;
  const Input input = ReadInput(file, context, counter);
  const Form form = Sniff(input);
  g_progress.Done();
  const Statistics& s = counter.s;
  std::printf("file:          %s\n", file.c_str());
  std::printf("form:          %s\n", form.fastInfoset ? "Fast Infoset" : "XML text");
  std::printf("compression:   %s\n", form.compression.c_str());
  if (!form.fastInfoset) std::printf("encoding:      %s\n", form.encoding.c_str());
  std::printf("size:          %llu bytes", input.size);
  if (form.compression != "none") std::printf(" (%llu bytes inflated)", form.plainSize);
  std::printf("\n");
  std::printf("root:          %s\n", counter.root.c_str());
  std::printf("elements:      %llu\n", s.elements);
  std::printf("attributes:    %llu\n", s.attributes);
  std::printf("texts:         %llu (%llu bytes)\n", s.texts, s.textBytes);
  std::printf("depth:         %zu\n", s.depth);
  std::printf("distinct names: %zu\n", s.names.size());
  std::printf("namespaces:    %zu\n", s.namespaces.size());
  for (const std::string& ns : s.namespaces) std::printf("  %s\n", ns.c_str());
  return 0;
}

// Files beside nothing: the temporary forms of a round trip, removed at the end.
struct TempFile {
  std::string path;
  explicit TempFile(const char* stem) {
    const char* dir = std::getenv("TMPDIR");
    path = std::string(dir && *dir ? dir : "/tmp") + "/vxxml-" + std::to_string(getpid()) +
           "-" + stem;
  }
  ~TempFile() { std::remove(path.c_str()); }
};

bool SameBytes(const std::string& a, const std::string& b) {
  FILE* fa = std::fopen(a.c_str(), "rb");
  FILE* fb = std::fopen(b.c_str(), "rb");
  bool same = fa && fb;
  while (same) {
    unsigned char x[1 << 15], y[1 << 15];
    const size_t n = std::fread(x, 1, sizeof x, fa), m = std::fread(y, 1, sizeof y, fb);
    same = n == m && std::memcmp(x, y, n) == 0;
    if (n == 0) break;
  }
  if (fa) std::fclose(fa);
  if (fb) std::fclose(fb);
  return same;
}

int Roundtrip(const std::vector<std::string>& args) {
  if (WantsHelp(args)) {
    std::fputs(kRoundtripUsage, stdout);
    return 0;
  }
  CXmlSerializationContext context;
  const std::string file = OneFile(args, "roundtrip", context);
  IndexValues(context.GetFIContext(), 64);
  // The input goes to text, the text to Fast Infoset, the Fast Infoset back
  // to text, each a stream of events. The infoset of the input's events goes
  // to a log as it is read, and the Fast Infoset's events are compared with
  // it item by item: memory stays the same whatever the document's size.
  TempFile text("text.xml"), fi("text.fi"), back("back.xml"), items("items");
  Converter toText, toFi, backToText;
  toFi.toFastInfoset = true;
  Output textOut(text.path, CompressionType_None);
  ItemLog original(items.path);
  const Input input = toText.Run(file, textOut, context, &original);
  original.Close();
  g_progress.Phase("writing Fast Infoset");
  Output fiOut(fi.path, CompressionType_None);
  toFi.Run(text.path, fiOut, context);
  g_progress.Phase("reading Fast Infoset");
  Output backOut(back.path, CompressionType_None);
  ItemCompare fromFi(items.path);
  backToText.Run(fi.path, backOut, context, &fromFi);
  g_progress.Done();

  const bool survived = fromFi.Same();
  const unsigned long long textSize = textOut.Written(), fiSize = fiOut.Written();
  std::printf("input:         %llu bytes\n", input.size);
  std::printf("XML text:      %llu bytes (UTF-8)\n", textSize);
  std::printf("Fast Infoset:  %llu bytes (%.1f%% of the text)\n", fiSize,
              textSize ? 100.0 * fiSize / textSize : 0.0);
  std::printf("back to text:  %llu bytes%s\n", backOut.Written(),
              SameBytes(text.path, back.path) ? ", identical to the first text" : "");
  std::printf("infoset:       %s\n", survived ? "survived" : "CHANGED");
  if (!survived) std::printf("first difference %s\n", fromFi.Difference().c_str());
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
