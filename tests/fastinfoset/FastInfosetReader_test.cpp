// The Fast Infoset reader on hand-built documents: every integer and length
// form, literal and indexed names and strings, restricted alphabets of any
// width, the encoding algorithms, the skipped items, the optional components
// and the initial vocabulary, UTF-16, and every refusal.
#include "vxxml/FastInfosetReader.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "fastinfoset/FastInfosetOctets.h"
#include "vxxml/SerializationContext.h"

using namespace VxXmlLib10;
using fi_test::Oct;
using fi_test::Doc;
using fi_test::H;
using fi_test::Octets2;
using fi_test::Pack;
using fi_test::Read;

namespace {

struct Case {
  const char* name;
  std::string bytes;
  std::string expected;  // the tree, or "CVxException: <message>"
};

void Check(const std::vector<Case>& cases) {
  for (const Case& c : cases) EXPECT_EQ(Read(c.bytes), c.expected) << c.name;
}

std::string Utf8(uint32_t cp) {
  std::string s;
  if (cp < 0x80) {
    s += Oct(cp);
  } else if (cp < 0x800) {
    s += Oct(0xC0 | (cp >> 6));
    s += Oct(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    s += Oct(0xE0 | (cp >> 12));
    s += Oct(0x80 | ((cp >> 6) & 0x3F));
    s += Oct(0x80 | (cp & 0x3F));
  } else {
    s += Oct(0xF0 | (cp >> 18));
    s += Oct(0x80 | ((cp >> 12) & 0x3F));
    s += Oct(0x80 | ((cp >> 6) & 0x3F));
    s += Oct(0x80 | (cp & 0x3F));
  }
  return s;
}

// A character chunk of `n` packed octets in restricted alphabet `index`.
std::string AlphabetChunk(unsigned index, const std::string& packed) {
  const size_t n = packed.size();
  std::string out = Oct(0x88 | ((index - 1) >> 6));
  const unsigned second = ((index - 1) & 0x3F) << 2;
  if (n <= 2) return out + Oct(second | unsigned(n - 1)) + packed;
  if (n <= 258) return out + Oct(second | 0x02) + Oct(unsigned(n - 3)) + packed;
  return out + Oct(second | 0x03) + fi_test::Be32(n - 259) + packed;
}

// A document whose initial vocabulary carries one restricted alphabet
// (index 16) and whose element <a> holds one chunk packed in it.
std::string UserAlphabetDocument(const std::string& alphabet, const std::string& packed) {
  return H("E0 00 00 01 20 | 08 00 | 00") + Octets2(alphabet) + H("3C 00 61") +
         AlphabetChunk(16, packed) + H("FF");
}

const std::string kA = "{}a\n";

}  // namespace

TEST(FastInfosetReader, DocumentStructure) {
  Check({
      {"eleven octets", H("E0 00 00 01 00 38 F0 3C 00 61 FF"), kA},
      {"no namespace section", Doc(H("3C 00 61 FF")), kA},
      {"separate terminators", Doc(H("3C 00 61 F0 F0")), kA},
      {"declaration", "<?xml version='1.0' encoding='finf'?>" + Doc(H("3C 00 61 FF")), kA},
      {"standalone declaration",
       "<?xml version='1.1' encoding='finf' standalone='yes'?>" + Doc(H("3C 00 61 FF")), kA},
      {"name by index", Doc(H("3C 00 61 | 00 | FF F0")), "{}a\n  {}a\n"},
      // FF after c closes c and b; a goes on with d.
      {"double terminator",
       Doc(H("3C 00 61 | 3C 00 62 | 3C 00 63 FF | 3C 00 64 FF | F0")),
       "{}a\n  {}b\n    {}c\n  {}d\n"},
      {"attributes, then by index; index 0 is the empty value",
       Doc(H("7C 00 61 78 00 6B 40 76 F0 | 40 00 80 78 00 65 FF | FF | FF")),
       "{}a @{}k=\"v\"\n  {}a @{}k=\"v\" @{}e=\"\"\n"},
      {"character chunks literal, added, by index; CR kept",
       Doc(H("3C 00 61 91 68 69 A0 82 00 61 0D 62 FF")), "{}a \"hihia\rb\"\n"},
      {"deep nesting closes in order",
       Doc(H("3C 00 61") + std::string(500, '\0') + std::string(250, '\xFF') + H("F0 F0")),
       [] {
         std::string s = kA;
         for (int i = 1; i <= 500; ++i) s += std::string(2 * i, ' ') + "{}a\n";
         return s;
       }()},
  });
}

TEST(FastInfosetReader, NamespaceAttributesOnAnyElement) {
  // a declares the default namespace urn:x and p -> urn:x, b declares
  // q -> urn:y; names refer to them by index.
  const std::string bytes =
      Doc(H("78 | CD 04 75 72 6E 3A 78 | CF 00 70 81 | F0 | 3D 81 00 61 |"
            "7B 80 80 03 6C 61 6E 67 41 66 72 F0 |"
            "78 | CF 00 71 04 75 72 6E 3A 79 | F0 | 3F 82 82 00 62 | 7B 81 81 00 6B 40 76 FF |"
            "FF"));
  CXmlDocument doc;
  EXPECT_EQ(Read(doc, bytes),
            "{urn:x}a @{http://www.w3.org/XML/1998/namespace}lang=\"fr\"\n"
            "  {urn:y}b @{urn:x}k=\"v\"\n");
  EXPECT_EQ(doc.LookupNamespaceFromAlias(""), "urn:x");
  EXPECT_EQ(doc.LookupNamespaceFromAlias("p"), "urn:x");
  EXPECT_EQ(doc.LookupNamespaceFromAlias("q"), "urn:y");
  // Each element holds its own declarations.
  const CXmlElement* a = doc.GetDocumentElement();
  EXPECT_EQ(a->GetNamespaceDeclarations(),
            CXmlElement::NamespaceDeclarations({{"", "urn:x"}, {"p", "urn:x"}}));
  EXPECT_EQ(a->GetFirstElement()->GetNamespaceDeclarations(),
            CXmlElement::NamespaceDeclarations({{"q", "urn:y"}}));
}

TEST(FastInfosetReader, LengthForms) {
  std::vector<Case> cases;
  auto x = [](size_t n) { return std::string(n, 'x'); };
  // Names: length from the second bit (1, 64 | 65, 320 | 321, beyond).
  const struct {
    const char* prefix;
    size_t n;
  } names[] = {{"00", 1}, {"3F", 64}, {"40 00", 65}, {"40 FF", 320},
               {"60 00 00 00 00", 321}, {"60 00 00 01 17", 600}};
  for (const auto& c : names)
    cases.push_back({c.prefix, Doc(H("3C") + H(c.prefix) + x(c.n) + H("FF")), "{}" + x(c.n) + "\n"});
  // Attribute values: from the fifth bit (1, 8 | 9, 264 | 265, beyond).
  const struct {
    const char* prefix;
    size_t n;
  } values[] = {{"00", 1}, {"07", 8}, {"08 00", 9}, {"08 FF", 264},
                {"0C 00 00 00 00", 265}, {"0C 00 00 00 23", 300}};
  for (const auto& c : values)
    cases.push_back({c.prefix, Doc(H("7C 00 61 78 00 6B") + H(c.prefix) + x(c.n) + H("FF F0")),
                     "{}a @{}k=\"" + x(c.n) + "\"\n"});
  // Character chunks: from the seventh bit (1, 2 | 3, 258 | 259, beyond).
  const struct {
    const char* prefix;
    size_t n;
  } chunks[] = {{"80", 1}, {"81", 2}, {"82 00", 3}, {"82 FF", 258},
                {"83 00 00 00 00", 259}, {"83 00 00 00 8D", 400}};
  for (const auto& c : chunks)
    cases.push_back({c.prefix, Doc(H("3C 00 61") + H(c.prefix) + x(c.n) + H("FF")),
                     "{}a \"" + x(c.n) + "\"\n"});
  Check(cases);
}

// Indices beyond their tables are refused with the index as read, which
// shows each integer form decoded at its boundaries.
TEST(FastInfosetReader, IntegerFormsAndIndexChecks) {
  const std::string root = "3C 00 61 |";
  const std::string withAttribute = "7C 00 61 | 78 00 6B |";
  auto beyond = [](unsigned long n, const char* table) {
    return "CVxException: Failed to parse FastInfoset. Index [" + std::to_string(n) +
           "] beyond the end of the " + table + " table.";
  };
  const char* elements = "element names";
  const char* attributes = "attribute names";
  const char* values = "attribute values";
  const char* chunks = "character chunks";
  const std::string third =
      "CVxException: Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  "
      "on the third bit of an octet.";
  const std::string second1 =
      "CVxException: Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  "
      "on the second bit of an octet.";
  const std::string second0 =
      "CVxException: Failed to parse FastInfoset. Invalid Encoding of integers 0 To 2^20 type  "
      "on the second bit of an octet.";
  const std::string fourth =
      "CVxException: Failed to parse FastInfoset. Invalid Encoding of integers 1 To 2^20 type  "
      "on the fourth bit of an octet.";
  Check({
      // Element names: from the third bit.
      {"e2", Doc(H(root + "01")), beyond(2, elements)},
      {"e32", Doc(H(root + "1F")), beyond(32, elements)},
      {"e33", Doc(H(root + "20 00")), beyond(33, elements)},
      {"e2080", Doc(H(root + "27 FF")), beyond(2080, elements)},
      {"e2081", Doc(H(root + "28 00 00")), beyond(2081, elements)},
      {"e526368", Doc(H(root + "2F FF FF")), beyond(526368, elements)},
      {"e526369", Doc(H(root + "30 00 00 00")), beyond(526369, elements)},
      {"e1048576", Doc(H(root + "30 07 F7 DF")), beyond(1048576, elements)},
      {"e bad 31", Doc(H(root + "31 00 00 00")), third},
      {"e bad 34", Doc(H(root + "34")), third},
      {"e bad after namespaces", Doc(H("38 F0 38")), third},
      {"first element by index", Doc(H("00")), beyond(1, elements)},
      // Attribute names: from the second bit.
      {"a1", Doc(H("7C 00 61 | 00")), beyond(1, attributes)},
      {"a64", Doc(H("7C 00 61 | 3F")), beyond(64, attributes)},
      {"a65", Doc(H("7C 00 61 | 40 00")), beyond(65, attributes)},
      {"a8256", Doc(H("7C 00 61 | 5F FF")), beyond(8256, attributes)},
      {"a8257", Doc(H("7C 00 61 | 60 00 00")), beyond(8257, attributes)},
      {"a1048576", Doc(H("7C 00 61 | 6F DF BF")), beyond(1048576, attributes)},
      {"a bad", Doc(H("7C 00 61 | 70")), second1},
      // Attribute values: 0 to 2^20 from the second bit.
      {"v1", Doc(H(withAttribute + "80")), beyond(1, values)},
      {"v64", Doc(H(withAttribute + "BF")), beyond(64, values)},
      {"v65", Doc(H(withAttribute + "C0 00")), beyond(65, values)},
      {"v8257", Doc(H(withAttribute + "E0 00 00")), beyond(8257, values)},
      {"v bad", Doc(H(withAttribute + "F0")), second0},
      {"v bad 7E", Doc(H(withAttribute + "FE")), second0},
      // Character chunks: from the fourth bit.
      {"c1", Doc(H(root + "A0")), beyond(1, chunks)},
      {"c16", Doc(H(root + "AF")), beyond(16, chunks)},
      {"c17", Doc(H(root + "B0 00")), beyond(17, chunks)},
      {"c1040", Doc(H(root + "B3 FF")), beyond(1040, chunks)},
      {"c1041", Doc(H(root + "B4 00 00")), beyond(1041, chunks)},
      {"c263184", Doc(H(root + "B7 FF FF")), beyond(263184, chunks)},
      {"c263185", Doc(H(root + "B8 00 00 00")), beyond(263185, chunks)},
      {"c bad B9", Doc(H(root + "B9 00 00 00")), fourth},
      {"c bad BC", Doc(H(root + "BC")), fourth},
      // Prefixes, namespace names and local names of a literal name.
      {"prefix", Doc(H("3F 81 81 00 61")), beyond(2, "prefixes")},
      {"namespace", Doc(H("3D 81 00 61")), beyond(2, "namespace names")},
      {"local", Doc(H("3C 80")), beyond(1, "local names")},
      {"local long form", Doc(H("3C C0 00")), beyond(65, "local names")},
      {"local bad", Doc(H("3C F0")), second1},
      // Indices into the tables that are only counted.
      {"comment", Doc(H("E2 80")), beyond(1, "other strings")},
      {"processing instruction", Doc(H("E1 80")), beyond(1, "other NCNames")},
      {"document type", Doc(H("C6 80")), beyond(1, "other URIs")},
  });
}

TEST(FastInfosetReader, RestrictedAlphabets) {
  // Built-in alphabets, four bits per character, 0xF padding an odd count.
  Check({
      {"numeric attribute", Doc(H("7C 00 61 78 00 6B | 20 02 A1 C5 D3 | FF F0")),
       "{}a @{}k=\"-1.5e3\"\n"},
      {"numeric odd", Doc(H("7C 00 61 78 00 6B | 20 01 12 3F | FF F0")), "{}a @{}k=\"123\"\n"},
      {"date chunk", Doc(H("3C 00 61 | 88 06 00 12 B3 0D | FF")), "{}a \"12:30Z\"\n"},
  });

  // User alphabets carried in the initial vocabulary, of every width.
  struct Alphabet {
    std::vector<uint32_t> chars;
    unsigned width;
  };
  auto range = [](uint32_t first, size_t n, unsigned width) {
    Alphabet a{{}, width};
    for (size_t i = 0; i < n; ++i) a.chars.push_back(first + uint32_t(i));
    return a;
  };
  const Alphabet alphabets[] = {
      range('a', 2, 2),       range('a', 3, 2),       range('a', 4, 3),
      range('a', 7, 3),       range('a', 8, 4),       range('A', 16, 5),
      range(' ', 33, 6),      range(' ', 90, 7),      range(0xA0, 200, 8),
      range(0x100, 300, 9),   range(0x400, 1000, 10), range(0x10000, 70000, 17),
  };
  for (const Alphabet& a : alphabets) {
    std::string source;
    for (uint32_t c : a.chars) source += Utf8(c);
    const unsigned n = unsigned(a.chars.size());
    const std::vector<std::vector<unsigned>> strings = {
        {0}, {n - 1}, {0, 1, n - 1, n / 2, 1}, std::vector<unsigned>(11, n - 1)};
    for (const auto& positions : strings) {
      std::string expected;
      for (unsigned p : positions) expected += Utf8(a.chars[p]);
      EXPECT_EQ(Read(UserAlphabetDocument(source, Pack(positions, a.width))),
                "{}a \"" + expected + "\"\n")
          << n << " characters";
    }
    // The first position past the end is refused.
    if ((1u << a.width) - 1 > n) {
      EXPECT_EQ(Read(UserAlphabetDocument(source, Pack({0, n}, a.width))),
                "CVxException: Failed to parse FastInfoset. Character [" + std::to_string(n) +
                    "] beyond the end of restricted alphabet [16] of [" + std::to_string(n) +
                    "] characters.");
    }
  }

  const std::string tooSmall =
      "CVxException: Failed to parse FastInfoset. Invalid Encoding of Restricted Alphabet. "
      "Alphabet must contain between 2 and 2^20 characters.";
  Check({
      {"one character", UserAlphabetDocument("a", H("3F")), tooSmall},
      {"reserved index",
       H("E0 00 00 01 20 | 08 00 | 00 01 61 62 | 3C 00 61") + AlphabetChunk(5, H("00")) + H("FF"),
       tooSmall},
      {"beyond the table", Doc(H("3C 00 61 | 88 08 00 | FF")),
       "CVxException: Failed to parse FastInfoset. Index [3] beyond the end of the restricted "
       "alphabets table."},
      {"padding ends the string", UserAlphabetDocument("abcde", H("0F")) /* positions 0, 3 */,
       "{}a \"ad\"\n"},
  });
}

TEST(FastInfosetReader, AlphabetAndVocabularyOfTheContext) {
  CXmlSerializationContext context;
  CFastInfosetContext& fi = context.GetFIContext();
  fi.SetUseGeneratedVocabulary(true);
  fi.GetVocabulary().AddElement("g", "urn:g", "root");
  fi.GetVocabulary().AddAttribute("", "", "k");
  fi.GetVocabulary().AddAttributeValue("value");
  fi.GetVocabulary().AddElementValue("chunk");
  fi.GetVocabulary().GetRestrictedAlphabets().push_back("xy");  // index 3
  // Everything by index: element 1, attribute 1 = value 1, chunk 1, and a
  // chunk in alphabet 3.
  const std::string bytes = H("E0 00 00 01 20 10 00 00 75 | 40 00 80 F0 A0 88 08 17 FF");
  CXmlDocument doc(context);
  EXPECT_EQ(Read(doc, bytes), "{urn:g}root @{}k=\"value\" \"chunkxyy\"\n");
  // Without the generated vocabulary the same indices refer to nothing.
  EXPECT_EQ(Read(bytes),
            "CVxException: Failed to parse FastInfoset. Index [1] beyond the end of the element "
            "names table.");
}

TEST(FastInfosetReader, EncodingAlgorithms) {
  const struct {
    unsigned algorithm;
    const char* octets;
    const char* text;
  } cases[] = {
      {1, "CA FE", "CAFE"},
      {2, "61 62", "YWI="},
      {3, "FF FE", "-2"},
      {3, "00 01 FF FF", "1 -1"},
      {4, "00 00 00 2A", "42"},
      {5, "FF FF FF FF FF FF FF FF", "-1"},
      {6, "38", "true"},
      {6, "1A C0", "true false true false true true false false false false false"},
      {7, "3F C0 00 00", "1.5"},
      {8, "3F F8 00 00 00 00 00 00", "1.5"},
      {9, "00 11 22 33 44 55 66 77 88 99 AA BB CC DD EE FF", "00112233445566778899AABBCCDDEEFF"},
      {10, "78 3C 79", "x<y"},
  };
  for (const auto& c : cases) {
    const std::string octets = H(c.octets);
    const size_t n = octets.size();
    // As an attribute value (index and length from the fifth bit) ...
    std::string value = Oct(0x30) + Oct(((c.algorithm - 1) << 4) |
                                          (n <= 8 ? unsigned(n - 1) : 0x08));
    if (n > 8) value += Oct(unsigned(n - 9));
    EXPECT_EQ(Read(Doc(H("7C 00 61 78 00 6B") + value + octets + H("FF F0"))),
              std::string("{}a @{}k=\"") + c.text + "\"\n")
        << c.algorithm;
    // ... and as a character chunk (from the seventh bit).
    std::string chunk = Oct(0x8C) + Oct(((c.algorithm - 1) << 2) |
                                          (n <= 2 ? unsigned(n - 1) : 0x02));
    if (n > 2) chunk += Oct(unsigned(n - 3));
    EXPECT_EQ(Read(Doc(H("3C 00 61") + chunk + octets + H("FF"))),
              std::string("{}a \"") + c.text + "\"\n")
        << c.algorithm;
  }
  Check({
      {"unknown algorithm", Doc(H("7C 00 61 78 00 6B 30 A0 00 FF F0")),
       "CVxException: Unknown byte encoding."},
      {"short of three octets", Doc(H("7C 00 61 78 00 6B 30 22 00 00 00 FF F0")),
       "CVxException: Invalid value for SHORT byte encoding."},
  });
}

TEST(FastInfosetReader, Utf16Strings) {
  Check({
      {"attribute and chunk",
       Doc(H("7C 00 61 78 00 6B 13 00 61 00 E9 F0 86 01 D8 3D DE 00 FF")),
       "{}a @{}k=\"a\xC3\xA9\" \"\xF0\x9F\x98\x80\"\n"},
  });
}

TEST(FastInfosetReader, SkippedItems) {
  const std::string body =
      "C6 04 73 2E 64 74 64 E1 00 74 40 78 F0 |"  // DOCTYPE SYSTEM "s.dtd" with a PI
      "E2 42 68 65 79 |"                          // comment "hey"
      "E1 00 74 40 78 |"                          // PI t x
      "3C 00 61 |"                                // <a>
      "E2 80 | E1 80 FF |"                        // comment and PI by index
      "CB 00 65 00 73 00 70 |"                    // &e; with system and public identifiers
      "91 68 69 |"                                // "hi"
      "E2 42 68 65 79 |"                          // comment
      "F0 | E2 81 | E1 00 75 40 79 | F0";         // </a>, comment, PI
  Check({{"skipped", Doc(H(body.c_str())), "{}a \"hi\"\n"}});
}

TEST(FastInfosetReader, OptionalComponentsAndInitialVocabulary) {
  const std::string bytes = H(
      "E0 00 00 01 7F |"
      "00 00 69 00 64 |"                                  // additional data
      "1F FF | 00 75 | 00 01 61 62 | 00 00 78 |"          // vocabulary: external, alphabet, algorithm
      "00 00 70 | 00 04 75 72 6E 3A 7A | 01 00 61 00 62 |"  // prefix, namespace, local names
      "00 00 6E | 00 00 75 |"                             // other NCName, other URI
      "00 00 76 | 00 00 74 | 00 00 73 |"                  // attribute value, chunk, other string
      "00 03 01 01 00 | 00 00 01 |"                       // element and attribute name surrogates
      "C3 00 6E 00 73 00 70 F0 |"                         // notations
      "D1 00 65 00 73 00 70 00 6E F0 |"                   // unparsed entities
      "04 55 54 46 2D 38 | 01 | 42 31 2E 30 |"            // encoding scheme, standalone, version
      "40 00 80 F0 | A0 | 88 3C 1F | FF");                // <p:a b="v">t ab</p:a>
  Check({{"all", bytes, "{urn:z}a @{}b=\"v\" \"tab\"\n"}});
}

TEST(FastInfosetReader, Refusals) {
  auto fails = [](const char* message) { return std::string("CVxException: ") + message; };
  Check({
      {"prefix without namespace", Doc(H("3E 00 70 00 61")),
       fails("Failed to parse FastInfoset. Invalid QName type Prefix without Namespace.")},
      {"element content", Doc(H("3C 00 61 E0")),
       fails("Failed to parse FastInfoset. Invalid Encoding of Element type.")},
      {"element content C0", Doc(H("3C 00 61 C0")),
       fails("Failed to parse FastInfoset. Invalid Encoding of Element type.")},
      {"document child", Doc(H("80")),
       fails("Failed to parse FastInfoset. Invalid Encoding of Document child type.")},
      {"second document element", Doc(H("3C 00 61 F0 00 F0")),
       fails("Failed to parse FastInfoset. More than one document element.")},
      {"no document element", Doc(H("E2 40 61 F0")),
       fails("Failed to parse FastInfoset. No document element.")},
      {"namespace attributes", Doc(H("38 CC 3C 00 61 FF")),
       fails("Failed to parse FastInfoset. Invalid terminator of the namespace attributes.")},
      {"attributes", Doc(H("7C 00 61 78 00 6B 40 76 80")),
       fails("Failed to parse FastInfoset. Invalid terminator of the attributes.")},
      {"document type", Doc(H("C4 E2")),
       fails("Failed to parse FastInfoset. Invalid terminator of the document type declaration.")},
      {"notations", H("E0 00 00 01 10 80"),
       fails("Failed to parse FastInfoset. Invalid terminator of the notations.")},
      {"unparsed entities", H("E0 00 00 01 08 80"),
       fails("Failed to parse FastInfoset. Invalid terminator of the unparsed entities.")},
      {"name length", Doc(H("3C 41")),
       fails("Failed to parse FastInfoset. Invalid NonEmptyOctetString type  on the second bit "
             "of an octet.")},
      {"value length", Doc(H("7C 00 61 78 00 6B 09")),
       fails("Failed to parse FastInfoset. Invalid NonEmptyOctetString type  on the fifth bit of "
             "an octet.")},
      {"end of file", Doc(H("3C 00 61")),
       fails("Failed to parse FastInfoset. Unexpected End of File.")},
      {"long length beyond the end", Doc(H("3C 60 FF FF FF FF 61")),
       fails("Failed to parse FastInfoset. Unexpected End of File.")},
      // What XML cannot carry.
      {"not a name", Doc(H("3C 01 61 3C")),
       fails("Failed to parse FastInfoset. Invalid XML name [a<].")},
      {"octet FF in a name", Doc(H("3C 00 FF")),
       fails("Failed to parse FastInfoset. Invalid XML name [\\xFF].")},
      {"colon in a local name", Doc(H("3C 02 61 3A 62")),
       fails("Failed to parse FastInfoset. Invalid XML name [a:b].")},
      {"U+0000 in text", Doc(H("3C 00 61 80 00")),
       fails("Failed to parse FastInfoset. Character U+0000 is not allowed in XML 1.0.")},
      {"U+0001 in an attribute value", Doc(H("7C 00 61 78 00 6B 00 01")),
       fails("Failed to parse FastInfoset. Character U+0001 is not allowed in XML 1.0.")},
      {"ill-formed UTF-8", Doc(H("3C 00 61 80 FF")),
       fails("Failed to parse FastInfoset. Ill-formed UTF-8 sequence starting with the octet "
             "0xFF.")},
      {"lone high surrogate", Doc(H("3C 00 61 85 D8 00")),
       fails("Failed to parse FastInfoset. Unpaired UTF-16 surrogate U+D800.")},
      {"lone low surrogate", Doc(H("3C 00 61 86 01 DC 00 00 61")),
       fails("Failed to parse FastInfoset. Unpaired UTF-16 surrogate U+DC00.")},
      {"odd UTF-16 length", Doc(H("3C 00 61 84 00")),
       fails("Failed to parse FastInfoset. UTF-16 string of an odd number [1] of octets.")},
      {"attribute twice", Doc(H("7C 00 61 78 00 6B 40 76 00 40 77 F0")),
       fails("Failed to parse FastInfoset. The attribute [k] of the namespace [] appears twice "
             "on one element.")},
      {"attribute twice among many", Doc(H([] {
         std::string hex = "7C 00 61";
         for (char i = '0'; i <= '9'; ++i) hex += std::string(" 78 01 61 3") + i + " 40 76";
         return hex + " 08 40 76 F0";
       }())),
       fails("Failed to parse FastInfoset. The attribute [a8] of the namespace [] appears twice "
             "on one element.")},
      {"attribute named xmlns", Doc(H("7C 00 61 78 04 78 6D 6C 6E 73 40 76 F0")),
       fails("Failed to parse FastInfoset. An attribute named [xmlns] without a namespace is "
             "not allowed.")},
      {"name in the xmlns namespace",
       Doc(H("3D") + Octets2("http://www.w3.org/2000/xmlns/") + H("00 61")),
       fails("Failed to parse FastInfoset. The namespace [http://www.w3.org/2000/xmlns/] is "
             "reserved for namespace declarations.")},
      {"prefix xmlns declared", Doc(H("38 CF 04 78 6D 6C 6E 73 04 75 72 6E 3A 78 F0 3C 00 61")),
       fails("Failed to parse FastInfoset. Invalid namespace declaration of the prefix [xmlns] "
             "as [urn:x].")},
      {"prefix undeclared", Doc(H("38 CE 00 70 F0 3C 00 61")),
       fails("Failed to parse FastInfoset. Invalid namespace declaration of the prefix [p] as "
             "[].")},
      {"prefix declared twice", Doc(H("38 CF 00 70 04 75 72 6E 3A 78 CF 81 81 F0 3C 00 61")),
       fails("Failed to parse FastInfoset. The prefix [p] is declared twice on one element.")},
  });
}

// Every prefix of every document above fails with an exact message: past
// the header, the end of file; within it, the text reader's own message.
TEST(FastInfosetReader, TruncatedDocumentsFailCleanly) {
  const std::string documents[] = {
      H("E0 00 00 01 00 38 F0 3C 00 61 FF"),
      "<?xml encoding='finf'?>" + Doc(H("3C 00 61 FF")),
      Doc(H("3C 00 61 | 3C 00 62 | 3C 00 63 FF | 3C 00 64 FF | F0")),
      Doc(H("78 | CD 04 75 72 6E 3A 78 | CF 00 70 81 | F0 | 3D 81 00 61 |"
            "7B 80 80 03 6C 61 6E 67 41 66 72 F0 | FF")),
      Doc(H("7C 00 61 78 00 6B 13 00 61 00 E9 F0 86 01 D8 3D DE 00 | 8C 0E 01 00 00 00 2A | FF")),
      Doc(H("C6 04 73 2E 64 74 64 E1 00 74 40 78 F0 E2 42 68 65 79 3C 00 61 CB 00 65 00 73 00 70 "
            "F0 E2 81 F0")),
      UserAlphabetDocument("abcde", Pack({1, 2, 3, 4}, 3)),
  };
  CXmlDocument doc;
  for (const std::string& full : documents) {
    ASSERT_NE(Read(doc, full).substr(0, 13), "CVxException:") << Read(doc, full);
    const size_t header = full.find(H("E0 00 00 01")) + 4;
    for (size_t n = 1; n < full.size(); ++n) {
      const std::string result = Read(doc, full.substr(0, n));
      if (n > header)
        EXPECT_EQ(result, "CVxException: Failed to parse FastInfoset. Unexpected End of File.")
            << n;
      else
        EXPECT_EQ(result.substr(0, 14), "CVxException: ") << n << " " << result;
    }
  }
}
