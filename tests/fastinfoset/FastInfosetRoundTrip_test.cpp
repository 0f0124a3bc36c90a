// What the Fast Infoset writer produces reads back into the tree that the
// XML text writer's output of the same calls reads as, under every context
// setting; and every prefix of it fails with the end-of-file message.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "TestUtil.h"
#include "fastinfoset/FastInfosetOctets.h"
#include "fastinfoset/WriterScripts.h"
#include "vxxml/SerializationContext.h"
#include "xml/TreeDump.h"

using namespace VxXmlLib10;

namespace {

typedef CFastInfosetContext::EncodedCharacterString Encoding;
using namespace fi_test;

// Values in the canonical forms the encodings give back.
const Values kAllKinds = {
    {ItemType_hexBinary, "CAFE"}, {ItemType_base64Binary, "YWI="}, {ItemType_i1, "-5"},
    {ItemType_i2, "-2"}, {ItemType_i4, "42"}, {ItemType_i8, "-9000000000"}, {ItemType_ui1, "7"},
    {ItemType_ui2, "65535"}, {ItemType_ui4, "4000000000"}, {ItemType_ui8, "9000000000000000000"},
    {ItemType_r4, "1.5"}, {ItemType_r8, "2.25"}, {ItemType_duration, "P1D"},
    {ItemType_yearMonth, "2005-01"}, {ItemType_date, "2005-01-01"},
    {ItemType_datetime, "2005-01-01T10:00:00Z"}, {ItemType_time, "10:00:00"},
    {ItemType_string, "text"}, {ItemType_boolean, "true"}, {ItemType_boolean, "false"},
    {ItemType_decimal, "-12.5"}, {ItemType_integer, "123456789012345678901234567890"},
};

struct Setting {
  std::string name;
  std::function<void(CFastInfosetContext&)> apply;
  Values values;
};

std::vector<Setting> Settings() {
  std::vector<Setting> settings;
  settings.push_back({"default", [](CFastInfosetContext&) {}, kAllKinds});
  settings.push_back({"suggested", [](CFastInfosetContext& c) { c.SetSuggestedValues(); },
                      kAllKinds});
  // The scripts write strings; the encodings under test go to other kinds,
  // char standing for any text of the right form.
  const auto alphabet = [](std::vector<ItemType> types, unsigned long index) {
    return [=](CFastInfosetContext& c) {
      for (ItemType t : types) c.SetEncoding(t, {Encoding::Kind_RestrictedAlphabet, index});
    };
  };
  settings.push_back({"numeric alphabet",
                      alphabet({ItemType_i4, ItemType_r8, ItemType_decimal, ItemType_char}, 1),
                      {{ItemType_i4, "-42"}, {ItemType_r8, "1.5e-7"}, {ItemType_decimal, "3"},
                       {ItemType_char, "1 2 3 4.5 +6"}}});
  settings.push_back({"date alphabet",
                      alphabet({ItemType_date, ItemType_datetime, ItemType_char}, 2),
                      {{ItemType_date, "2005-01-01"}, {ItemType_datetime, "2005-01-01T10:00:00Z"},
                       {ItemType_char, "12:30 2"}}});
  const std::pair<unsigned long, std::vector<std::string>> algorithms[] = {
      {1, {"CAFE", "0123456789ABCDEF0123"}}, {2, {"YWI=", "SGVsbG8sIHdvcmxkIQ=="}},
      {3, {"-2", "32767"}},  {4, {"42", "-2147483648"}}, {5, {"-9000000000", "1"}},
      {6, {"true", "false"}}, {7, {"1.5", "-0.25"}},     {8, {"2.25", "1e+100"}},
      {9, {"00112233445566778899AABBCCDDEEFF"}},          {10, {"x<y & z", "caf\xC3\xA9"}},
  };
  for (const auto& a : algorithms) {
    const unsigned long index = a.first;
    Values values;
    for (const std::string& v : a.second) values.push_back({ItemType_char, v});
    settings.push_back({"algorithm " + std::to_string(index),
                        [index](CFastInfosetContext& c) {
                          c.SetEncoding(ItemType_char, {Encoding::Kind_EncodingAlgorithm, index});
                        },
                        values});
  }
  settings.push_back({"long values indexed", [](CFastInfosetContext& c) {
                        c.SetAttributeMaxAddLength(1000);
                        c.SetElementMaxAddLength(1000);
                      }, kAllKinds});
  settings.push_back({"generated vocabulary",
                      [](CFastInfosetContext& c) {
                        c.SetUseGeneratedVocabulary(true);
                        CFIVocabulary& v = c.GetVocabulary();
                        v.AddElement("", "", "typed");
                        v.AddElement("", "", "v");
                        v.AddAttribute("", "", "a");
                        v.AddElement("p", "urn:b", "d");
                        v.AddAttributeValue("text");
                        v.AddElementValue("42");
                      },
                      kAllKinds});
  return settings;
}

// Fixed scripts and random ones, whose namespace decisions are as varied as the
// interop test's.
std::vector<Script> Scripts() {
  std::vector<Script> scripts = {Texts, Repeats, NonAscii, LongNames};
  for (unsigned seed = 1; seed <= 40; ++seed) scripts.push_back(RandomScript(seed));
  return scripts;
}

// The trees of a script's Fast Infoset (also compressed) and XML text are the same.
void ExpectSameTree(const CFastInfosetContext& fi, const Script& script, const std::string& what,
                    FInfoDecl decl = FInfoDecl_None) {
  CXmlSerializationContext context;
  context.GetFIContext() = fi;
  const std::string bytes = FastInfoset(fi, script, decl);
  CXmlDocument text, doc(context);
  text.LoadXml(XmlText(script).c_str());
  const std::string expected = vxxml_test::DumpTree(text.GetDocumentElement(), true);
  for (const std::string& form : {bytes, vxxml_test::Gzip(bytes), vxxml_test::Zlib(bytes)}) {
    EXPECT_EQ(fi_test::Read(doc, form, true), expected) << what << ", " << form.size();
  }
}

}  // namespace

TEST(FastInfosetRoundTrip, EveryContextSettingReadsAsTheXmlText) {
  for (const Setting& s : Settings()) {
    CFastInfosetContext fi;
    s.apply(fi);
    EXPECT_EQ(vxtest::Failure([&] {
                ExpectSameTree(fi, Typed(s.values), s.name);
                for (const Script& script : Scripts()) ExpectSameTree(fi, script, s.name);
              }),
              "")
        << s.name;
  }
}

TEST(FastInfosetRoundTrip, EveryDeclaration) {
  for (int decl = FInfoDecl_None; decl <= FInfoDecl_Version11StandaloneNo; ++decl)
    ExpectSameTree(CFastInfosetContext(), RandomScript(decl), "declaration " + std::to_string(decl),
                   static_cast<FInfoDecl>(decl));
}

// Every prefix of the writer's documents and of hand-built ones (a
// declaration, double terminators, namespace attributes, UTF-16, a list of
// integers, a DOCTYPE, a user alphabet) fails with an exact message, read
// whole or streamed: past the header, the end of file; within it, the text
// reader's own.
TEST(FastInfosetRoundTrip, EveryPrefixFailsAtTheEndOfFile) {
  CFastInfosetContext suggested;
  suggested.SetSuggestedValues();
  const std::string documents[] = {
      FastInfoset(CFastInfosetContext(), RandomScript(12), FInfoDecl_Version10),
      FastInfoset(suggested, Typed(kAllKinds)),
      "<?xml encoding='finf'?>" + Doc(H("3C 00 61 FF")),
      Doc(H("3C 00 61 | 3C 00 62 | 3C 00 63 FF | 3C 00 64 FF | F0")),
      Doc(H("78 | CD 04 75 72 6E 3A 78 | CF 00 70 81 | F0 | 3D 81 00 61 |"
            "7B 80 80 03 6C 61 6E 67 41 66 72 F0 | FF")),
      Doc(H("7C 00 61 78 00 6B 13 00 61 00 E9 F0 86 01 D8 3D DE 00 | 8C 0E 01 00 00 00 2A | FF")),
      Doc(H("C6 04 73 2E 64 74 64 E1 00 74 40 78 F0 E2 42 68 65 79 3C 00 61 CB 00 65 00 73 00 70 "
            "F0 E2 81 F0")),
      H("E0 00 00 01 20 | 08 00 | 00 04 61 62 63 64 65 | 3C 00 61 88 3D 29 CF FF"),
  };
  CXmlDocument doc;
  for (const std::string& full : documents) {
    ASSERT_EQ(Read(doc, full).find("CVxException"), std::string::npos) << Read(doc, full);
    const size_t header = full.find("\xE0\x00\x00\x01", 0, 4) + 4;
    for (size_t n = 1; n < full.size(); ++n) {
      const std::string result = Read(doc, full.substr(0, n));
      EXPECT_EQ(Read(doc, full.substr(0, n), false, n % 7 + 1), result) << n;
      if (n > header)
        ASSERT_EQ(result, "CVxException: Failed to parse FastInfoset. Unexpected End of File.") << n;
      else
        ASSERT_EQ(result.substr(0, 14), "CVxException: ") << n << " " << result;
    }
  }
}
