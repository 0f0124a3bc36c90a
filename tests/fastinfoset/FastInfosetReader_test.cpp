// The Fast Infoset reader on hand-built documents: every integer and length
// form, literal and indexed names and strings, restricted alphabets of any
// width, the encoding algorithms, the skipped items, the optional components
// and the initial vocabulary, UTF-16, and every refusal.
#include "vxxml/FastInfosetReader.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "TestUtil.h"
#include "fastinfoset/FastInfosetOctets.h"
#include "vxxml/SerializationContext.h"

using namespace VxXmlLib10;
using fi_test::Doc;
using fi_test::H;
using fi_test::Oct;
using fi_test::Octets2;
using fi_test::Pack;
using fi_test::Read;

namespace {

struct Case {
  std::string bytes;
  std::string expected;  // the tree, or "CVxException: <message>"
};

// Read whole, and streamed through windows of 1 to 7 octets.
void Check(const std::vector<Case>& cases) {
  for (size_t i = 0; i < cases.size(); ++i)
    for (size_t window = 0; window <= 7; ++window)
      EXPECT_EQ(Read(cases[i].bytes, window), cases[i].expected) << i << " " << window;
}

std::string Fails(const std::string& message) {
  return "CVxException: Failed to parse FastInfoset. " + message;
}

// A character chunk of packed octets in restricted alphabet `index`.
std::string AlphabetChunk(unsigned index, const std::string& packed) {
  const size_t n = packed.size();
  std::string out = Oct(0x88 | ((index - 1) >> 6));
  const unsigned second = ((index - 1) & 0x3F) << 2;
  if (n <= 2) return out + Oct(second | unsigned(n - 1)) + packed;
  return out + Oct(second | 0x02) + Oct(unsigned(n - 3)) + packed;  // up to 258 octets
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
  std::string deep = kA;
  for (int i = 1; i <= 500; ++i) deep += std::string(2 * i, ' ') + "{}a\n";
  Check({
      {H("E0 00 00 01 00 38 F0 3C 00 61 F0 F0"), kA},  // separate terminators
      {Doc(H("3C 00 61 | 00 | FF F0")), "{}a\n  {}a\n"},  // the name by index
      // FF after c closes c and b; a goes on with d.
      {Doc(H("3C 00 61 | 3C 00 62 | 3C 00 63 FF | 3C 00 64 FF | F0")),
       "{}a\n  {}b\n    {}c\n  {}d\n"},
      // Attributes, then by index; value index 0 is the empty value.
      {Doc(H("7C 00 61 78 00 6B 40 76 F0 | 40 00 80 78 00 65 FF | FF | FF")),
       "{}a @{}k=\"v\"\n  {}a @{}k=\"v\" @{}e=\"\"\n"},
      // A value by index, then one that grows (and moves) the values table.
      {Doc(H("7C 00 61 78 00 6B 40 76 78 00 65 40 77 F0 | 40 00 80 01 40 78 FF | FF")),
       "{}a @{}k=\"v\" @{}e=\"w\"\n  {}a @{}k=\"v\" @{}e=\"x\"\n"},
      // Character chunks literal, added, by index; CR kept.
      {Doc(H("3C 00 61 91 68 69 A0 82 00 61 0D 62 FF")), "{}a \"hihia\rb\"\n"},
      {Doc(H("3C 00 61") + std::string(500, '\0') + std::string(250, '\xFF') + H("F0 F0")), deep},
      // Skipped: a DOCTYPE with a PI, comments and PIs (literal and by index), an
      // entity reference with system and public identifiers.
      {Doc(H("C6 04 73 2E 64 74 64 E1 00 74 40 78 F0 | E2 42 68 65 79 | E1 00 74 40 78 |"
             "3C 00 61 | E2 80 | E1 80 FF | CB 00 65 00 73 00 70 | 91 68 69 | E2 42 68 65 79 |"
             "F0 | E2 81 | E1 00 75 40 79 | F0")),
       "{}a \"hi\"\n"},
      // Every optional component and every table of the initial vocabulary.
      {H("E0 00 00 01 7F |"
         "00 00 69 00 64 |"                                    // additional data
         "1F FF | 00 75 | 00 01 61 62 | 00 00 78 |"            // external, alphabet, algorithm
         "00 00 70 | 00 04 75 72 6E 3A 7A | 01 00 61 00 62 |"  // prefix, namespace, local names
         "00 00 6E | 00 00 75 |"                               // other NCName, other URI
         "00 00 76 | 00 00 74 | 00 00 73 |"                    // value, chunk, other string
         "00 03 01 01 00 | 00 00 01 |"                         // element and attribute names
         "C3 00 6E 00 73 00 70 F0 |"                           // notations
         "D1 00 65 00 73 00 70 00 6E F0 |"                     // unparsed entities
         "04 55 54 46 2D 38 | 01 | 42 31 2E 30 |"              // encoding, standalone, version
         "40 00 80 F0 | A0 | 88 3C 1F | FF"),                  // <p:a b="v">t ab</p:a>
       "{urn:z}a @{}b=\"v\" \"tab\"\n"},
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

// Indices beyond their tables are refused with the index as read, which
// shows the integer forms decoded.
TEST(FastInfosetReader, IntegerFormsAndIndexChecks) {
  const std::string root = "3C 00 61 |";
  const std::string withAttribute = "7C 00 61 | 78 00 6B |";
  auto beyond = [](unsigned long n, const char* table) {
    return Fails("Index [" + std::to_string(n) + "] beyond the end of the " + table + " table.");
  };
  auto invalid = [](const char* from, const char* bit) {
    return Fails(std::string("Invalid Encoding of integers ") + from + " To 2^20 type  on the " +
                 bit + " bit of an octet.");
  };
  const char* elements = "element names";
  const char* attributes = "attribute names";
  const char* values = "attribute values";
  const char* chunks = "character chunks";
  // The forms that documents of a test's size do not reach, and the invalid ones.
  Check({
      // Element names: from the third bit.
      {Doc(H(root + "2F FF FF")), beyond(526368, elements)},
      {Doc(H(root + "30 00 00 00")), beyond(526369, elements)},
      {Doc(H(root + "30 07 F7 DF")), beyond(1048576, elements)},
      {Doc(H(root + "31 00 00 00")), invalid("1", "third")},
      {Doc(H(root + "34")), invalid("1", "third")},
      {Doc(H("38 F0 38")), invalid("1", "third")},
      {Doc(H("00")), beyond(1, elements)},
      // Attribute names: from the second bit.
      {Doc(H("7C 00 61 | 3F")), beyond(64, attributes)},
      {Doc(H("7C 00 61 | 6F DF BF")), beyond(1048576, attributes)},
      {Doc(H("7C 00 61 | 70")), invalid("1", "second")},
      // Attribute values: 0 to 2^20 from the second bit.
      {Doc(H(withAttribute + "E0 00 00")), beyond(8257, values)},
      {Doc(H(withAttribute + "F0")), invalid("0", "second")},
      {Doc(H(withAttribute + "FE")), invalid("0", "second")},
      // Character chunks: from the fourth bit.
      {Doc(H(root + "AF")), beyond(16, chunks)},
      {Doc(H(root + "B7 FF FF")), beyond(263184, chunks)},
      {Doc(H(root + "B8 00 00 00")), beyond(263185, chunks)},
      {Doc(H(root + "B9 00 00 00")), invalid("1", "fourth")},
      {Doc(H(root + "BC")), invalid("1", "fourth")},
      // Prefixes, namespace names and local names of a literal name.
      {Doc(H("3F 81 81 00 61")), beyond(2, "prefixes")},
      {Doc(H("3D 81 00 61")), beyond(2, "namespace names")},
      {Doc(H("3C 80")), beyond(1, "local names")},
      {Doc(H("3C C0 00")), beyond(65, "local names")},
      {Doc(H("3C F0")), invalid("1", "second")},
      // Tables that are only counted: comments, processing instructions, document types.
      {Doc(H("E2 80")), beyond(1, "other strings")},
      {Doc(H("E1 80")), beyond(1, "other NCNames")},
      {Doc(H("C6 80")), beyond(1, "other URIs")},
  });
}

// Built-in alphabets take four bits per character, 0xF padding an odd count;
// a user alphabet of five characters, three.
TEST(FastInfosetReader, RestrictedAlphabets) {
  const std::string tooSmall = Fails(
      "Invalid Encoding of Restricted Alphabet. Alphabet must contain between 2 and 2^20 "
      "characters.");
  Check({
      {Doc(H("7C 00 61 78 00 6B | 20 02 A1 C5 D3 | FF F0")), "{}a @{}k=\"-1.5e3\"\n"},
      {Doc(H("7C 00 61 78 00 6B | 20 01 12 3F | FF F0")), "{}a @{}k=\"123\"\n"},
      {Doc(H("3C 00 61 | 88 06 00 12 B3 0D | FF")), "{}a \"12:30Z\"\n"},
      {UserAlphabetDocument("ab\xC3\xA9" "de", Pack({2, 0, 4, 4, 1, 2, 3}, 3)),
       "{}a \"\xC3\xA9\x61\x65\x65\x62\xC3\xA9\x64\"\n"},
      {UserAlphabetDocument("abcde", Pack({0, 5}, 3)),
       Fails("Character [5] beyond the end of restricted alphabet [16] of [5] characters.")},
      {UserAlphabetDocument("a", H("3F")), tooSmall},
      // A reserved index.
      {H("E0 00 00 01 20 | 08 00 | 00 01 61 62 | 3C 00 61") + AlphabetChunk(5, H("00")) + H("FF"),
       tooSmall},
      {Doc(H("3C 00 61 | 88 08 00 | FF")),
       Fails("Index [3] beyond the end of the restricted alphabets table.")},
      // The padding ends the string: positions 0 and 3.
      {UserAlphabetDocument("abcde", H("0F")), "{}a \"ad\"\n"},
  });
}

// Single values of every algorithm come back from the writer's documents; lists
// (of shorts, of booleans with unused bits) only from others'.
TEST(FastInfosetReader, EncodingAlgorithms) {
  Check({
      {Doc(H("7C 00 61 78 00 6B 30 23 00 01 FF FF FF F0")), "{}a @{}k=\"1 -1\"\n"},
      {Doc(H("3C 00 61 8C 15 1A C0 FF")),
       "{}a \"true false true false true true false false false false false\"\n"},
      {Doc(H("7C 00 61 78 00 6B 30 A0 00 FF F0")), "CVxException: Unknown byte encoding."},
      {Doc(H("7C 00 61 78 00 6B 30 22 00 00 00 FF F0")),
       "CVxException: Invalid value for SHORT byte encoding."},
  });
}

TEST(FastInfosetReader, Refusals) {
  std::string manyAttributes = "7C 00 61";
  for (char i = '0'; i <= '9'; ++i) manyAttributes += std::string(" 78 01 61 3") + i + " 40 76";
  Check({
      {Doc(H("3E 00 70 00 61")), Fails("Invalid QName type Prefix without Namespace.")},
      {Doc(H("3C 00 61 E0")), Fails("Invalid Encoding of Element type.")},
      {Doc(H("3C 00 61 C0")), Fails("Invalid Encoding of Element type.")},
      {Doc(H("80")), Fails("Invalid Encoding of Document child type.")},
      {Doc(H("3C 00 61 F0 00 F0")), Fails("More than one document element.")},
      {Doc(H("E2 40 61 F0")), Fails("No document element.")},
      {Doc(H("38 CC 3C 00 61 FF")), Fails("Invalid terminator of the namespace attributes.")},
      {Doc(H("7C 00 61 78 00 6B 40 76 80")), Fails("Invalid terminator of the attributes.")},
      {Doc(H("C4 E2")), Fails("Invalid terminator of the document type declaration.")},
      {H("E0 00 00 01 10 80"), Fails("Invalid terminator of the notations.")},
      {H("E0 00 00 01 08 80"), Fails("Invalid terminator of the unparsed entities.")},
      {Doc(H("3C 41")), Fails("Invalid NonEmptyOctetString type  on the second bit of an octet.")},
      {Doc(H("7C 00 61 78 00 6B 09")),
       Fails("Invalid NonEmptyOctetString type  on the fifth bit of an octet.")},
      {Doc(H("3C 60 FF FF FF FF 61")), Fails("Unexpected End of File.")},
      // What XML cannot carry.
      {Doc(H("3C 01 61 3C")), Fails("Invalid XML name [a<].")},
      {Doc(H("3C 00 FF")), Fails("Invalid XML name [\\xFF].")},
      {Doc(H("3C 02 61 3A 62")), Fails("Invalid XML name [a:b].")},
      {Doc(H("3C 03 72 EF BB BF")), Fails("Invalid XML name [r\xEF\xBB\xBF].")},
      {Doc(H("3C 00 61 80 00")), Fails("Character U+0000 is not allowed in XML 1.0.")},
      // Short texts are checked a word at a time, the last word overlapping:
      // the fault in the middle of 3 octets, at the end of 5 and of 9.
      {Doc(H("3C 00 61 82 00 61 01 62")), Fails("Character U+0001 is not allowed in XML 1.0.")},
      {Doc(H("3C 00 61 82 02 61 62 63 64 0B")),
       Fails("Character U+000B is not allowed in XML 1.0.")},
      {Doc(H("3C 00 61 82 06 61 62 63 64 65 66 67 68 1F")),
       Fails("Character U+001F is not allowed in XML 1.0.")},
      {Doc(H("7C 00 61 78 00 6B 00 01")), Fails("Character U+0001 is not allowed in XML 1.0.")},
      {Doc(H("3C 00 61 80 FF")), Fails("Ill-formed UTF-8 sequence starting with the octet 0xFF.")},
      {Doc(H("3C 00 61 85 D8 00")), Fails("Unpaired UTF-16 surrogate U+D800.")},
      {Doc(H("3C 00 61 86 01 DC 00 00 61")), Fails("Unpaired UTF-16 surrogate U+DC00.")},
      {Doc(H("3C 00 61 84 00")), Fails("UTF-16 string of an odd number [1] of octets.")},
      {Doc(H("7C 00 61 78 00 6B 40 76 00 40 77 F0")),
       Fails("The attribute [k] of the namespace [] appears twice on one element.")},
      {Doc(H(manyAttributes + " 08 40 76 F0")),
       Fails("The attribute [a8] of the namespace [] appears twice on one element.")},
      {Doc(H("7C 00 61 78 04 78 6D 6C 6E 73 40 76 F0")),
       Fails("An attribute named [xmlns] without a namespace is not allowed.")},
      {Doc(H("3D") + Octets2("http://www.w3.org/2000/xmlns/") + H("00 61")),
       Fails("The namespace [http://www.w3.org/2000/xmlns/] is reserved for namespace "
             "declarations.")},
      {Doc(H("38 CF 04 78 6D 6C 6E 73 04 75 72 6E 3A 78 F0 3C 00 61")),
       Fails("Invalid namespace declaration of the prefix [xmlns] as [urn:x].")},
      {Doc(H("38 CE 00 70 F0 3C 00 61")),
       Fails("Invalid namespace declaration of the prefix [p] as [].")},
      {Doc(H("38 CF 00 70 04 75 72 6E 3A 78 CF 81 81 F0 3C 00 61")),
       Fails("The prefix [p] is declared twice on one element.")},
  });
}

// Streamed, a document costs memory only as its octets arrive, whatever
// length it claims; a file comes by path.
TEST(FastInfosetReader, StreamedSources) {
  // A local name claiming 4 GB, cut after 100 000 octets pulled 1000 at a time.
  const std::string cut = Doc(H("3C 60 FF FF FF F0")) + std::string(100000, 'a');
  size_t at = 0, largest = 0;
  auto pull = [&](unsigned char* buffer, size_t capacity) {
    largest = std::max(largest, capacity);
    const size_t n = std::min<size_t>({capacity, 1000, cut.size() - at});
    std::memcpy(buffer, cut.data() + at, n);
    return at += n, n;
  };
  const std::string path = vxtest::TempPath("streamed.fi"), dir = ::testing::TempDir();
  vxtest::WriteFile(path, Doc(H("3C 00 61 91 68 69 FF")));
  CXmlDocument doc;
  const CFastInfosetContext context;
  CFastInfosetReader reader(context, doc);
  const std::pair<std::function<bool()>, std::string> cases[] = {
      {[&] { return reader.Parse(pull, 16); },
       "Failed to parse FastInfoset. Unexpected End of File."},
      {[&] { return reader.ParseFile(path.c_str(), 1); }, "{}a \"hi\"\n"},
      {[&] { return reader.ParseFile("/no/such.fi"); }, "Failed to open the file [/no/such.fi]"},
      {[&] { return reader.ParseFile(dir.c_str()); },
       "Failed to read the contents of the file [" + dir + "] Error [21]"},
      {[&] { return reader.Parse(static_cast<FILE*>(nullptr)); },
       "Failed to parse FastInfoset. The input could not be read."},
  };
  for (const auto& c : cases) {
    doc.Cleanup();
    const std::string failure = vxtest::Failure(c.first);
    EXPECT_EQ(failure.empty() ? vxxml_test::DumpTree(doc.GetDocumentElement(), false) : failure,
              c.second[0] == '{' ? c.second : vxtest::Named<CVxException>(c.second));
  }
  EXPECT_LT(largest, cut.size());
}
