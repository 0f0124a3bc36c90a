// The schema compiler: classes generated at build time from
// tests/generator/schemas read their documents and write them back byte for
// byte, hold the values in typed members and refuse every defect with the
// exact message; and vxxml-gen itself, run as a user runs it.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "TestUtil.h"
#include "cov.h"
#include "values.h"

using namespace VxXmlLib10;
using vxtest::ReadFile;

namespace {

namespace fs = std::filesystem;

const std::string kDir = std::string(VXXML_SOURCE_DIR) + "/tests/generator/";

CXmlSerializationContext Context(const std::string& file) {
  if (file == "values.xml") return values::Context();
  CXmlSerializationContext context = cov::Context();
  context.GetNamespaceAliases().Add("x", "urn:vx:ext");  // the wildcards' content
  return context;
}

CSmartPtr<CXmlGeneratedClass> Read(const std::string& file, const std::string& bytes) {
  CBinaryData data(reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data())),
                   static_cast<unsigned long>(bytes.size()), false);
  return file == "values.xml" ? values::ReadDocument(data, Context(file))
                              : cov::ReadDocument(data, Context(file));
}

std::string Text(const std::string& file, const CXmlGeneratedClass& object) {
  const CBinaryData data = object.ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF,
                                              Context(file), CompressionType_None);
  return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::string::size_type at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "not in the document: " << from;
  else text.replace(at, from.size(), to);
  return text;
}

}  // namespace

TEST(Generated, DocumentsRoundTripByteForByte) {
  for (const char* file : {"library.xml", "values.xml"}) {
    SCOPED_TRACE(file);
    const std::string text = ReadFile(kDir + "documents/" + file);
    ASSERT_FALSE(text.empty());
    CSmartPtr<CXmlGeneratedClass> object = Read(file, text);
    EXPECT_EQ(Text(file, *object), text);
    const CBinaryData fi = object->ToFastInfosetStream(FInfoDecl_None, Context(file),
                                                       CompressionType_GZip);
    EXPECT_EQ(Text(file, *Read(file, std::string(reinterpret_cast<const char*>(fi.GetData()),
                                                 fi.GetLength()))),
              text);
  }
}

TEST(Generated, ValuesArriveInTypedMembers) {
  CSmartPtr<CXmlGeneratedClass> read = Read("library.xml", ReadFile(kDir + "documents/library.xml"));
  auto* library = dynamic_cast<cov::Library*>(read.Get());
  ASSERT_NE(library, nullptr);
  EXPECT_EQ(library->founded, 1895);
  EXPECT_EQ(library->status, cov::Status::under_repair);
  ASSERT_EQ(library->media->GetCount(), 3);
  EXPECT_EQ(library->media->Get(0)->book->pages, 320);
  EXPECT_NE(dynamic_cast<cov::ShortBook*>(library->media->Get(2)->book.Get()), nullptr);
  EXPECT_EQ(library->media->Get(1)->disc->tracks->Item(3).ToString(), "10");
  EXPECT_EQ(library->shelfMark->Get(1)->barcode.value_or(""), "0042");
  EXPECT_EQ(library->section->Get(0)->section->Get(1)->heading, "Poetry");
  EXPECT_EQ(library->Contact->choice->email.value_or(""), "desk@library.example");
  EXPECT_EQ(library->choice->Get(1)->rating, 5);
  EXPECT_EQ(library->hours->close.ToString(), "20:00:00");
  EXPECT_EQ(library->extra->key->Item(1), "cafe");
  EXPECT_EQ(library->discount->value.ToString(), "15");
  EXPECT_EQ(library->owner->Person->name, "City of Mill Valley");
  EXPECT_TRUE(library->opened_nil);
  EXPECT_EQ(library->template_->first_name, "f");
  EXPECT_EQ(library->template_->class_Attribute.value_or(""), "odd");
  EXPECT_TRUE(library->template_->InitElement);
  EXPECT_EQ(library->anyAttribute->GetCount(), 1);

  read = Read("values.xml", ReadFile(kDir + "documents/values.xml"));
  auto* v = dynamic_cast<values::Values*>(read.Get());
  ASSERT_NE(v, nullptr);
  EXPECT_EQ(v->string, " two  spaces ");
  EXPECT_EQ(v->integer.ToString(), "123456789012345678901234567890");
  EXPECT_EQ(v->unsignedLong, 18446744073709551615ull);
  EXPECT_EQ(v->byte, -128);
  EXPECT_EQ(v->level, values::Level::_2);
  EXPECT_EQ(v->sizeOrNumber, "42");
  EXPECT_EQ(v->reading->GetCount(), 2);
  EXPECT_EQ(v->numbers->Item(2), 6);
  EXPECT_EQ(v->sizeAttribute, values::Size::large);
  // Init puts the members back as their types make them, the exact numbers
  // (reset where they stand) too.
  ASSERT_NE(v->decimal, CDecimal());
  v->Init();
  EXPECT_EQ(v->decimal, CDecimal());
  EXPECT_EQ(v->decimal.GetDivider(), CDecimal().GetDivider());
  EXPECT_EQ(v->integer.ToString(), "0");
}

// Each case damages one document in one place.
TEST(Generated, DefectsGiveTheExactMessage) {
  const std::string lib = "Failed to process the element [library]\n";
  // A member of a tagless group (a choice, a substitution group) is read by the
  // group's object, which reports the element it reads in as well.
  const std::string group = lib + lib;
  const std::string vals = "Failed to process the element [values]\n";
  const struct {
    const char* file;
    const char* from;
    const char* to;
    std::string message;
  } cases[] = {
      {"library.xml", "<c:isbn>0141321059</c:isbn>", "<c:isbn>014132105</c:isbn>",
       group + "Failed to process the element [book]\nInvalid Value for isbn [014132105]"},
      {"library.xml", "status=\"under-repair\"", "status=\"mended\"",
       lib + "Invalid Status value [mended]"},
      {"library.xml", "<c:rating>5</c:rating>", "<c:rating>6</c:rating>",
       group + "Invalid Value for rating [6]"},
      {"library.xml", " founded=\"1895\"", "", lib + "Failed to find the required Attribute [founded]"},
      {"library.xml", "<c:name>Mill Valley Public Library</c:name>", "",
       lib + "Failed to find a required element [name]"},
      {"library.xml", "<c:motto>Read more</c:motto>", "<c:motto>Read more</c:motto><c:bogus/>",
       lib + "Failed read all the elements held within the element [library]. The unexpected "
             "element [bogus] remains un processed"},
      {"library.xml", "<c:locked>reference only</c:locked>",
       "<c:lockedAlias>reference only</c:lockedAlias>",
       lib + "Failed read all the elements held within the element [library]. The unexpected "
             "element [lockedAlias] remains un processed"},
      {"library.xml", "xsi:type=\"c:ShortBook\"", "xsi:type=\"c:Magazine\"",
       lib + "Failed read all the elements held within the element [library]. The unexpected "
             "element [book] remains un processed"},
      {"library.xml", "<c:discount currency=\"USD\">15",
       "<c:discount currency=\"USD\">150",
       lib + "Failed to process the element [discount]\nInvalid Value for discount [150]"},
      {"library.xml", "<c:open>09:00:00</c:open>", "",
       lib + "Failed to process the element [hours]\nFailed to find the mandatory element [open]"},
      {"library.xml", "<bare>2</bare>", "<bare>2</bare><x:foreign/>",
       lib + "Failed to process the element [openContent]\nFailed read all the elements held "
             "within the element [openContent]. The unexpected element [foreign] remains un "
             "processed"},
      {"library.xml", "<c:tracks>1 2 3 10</c:tracks>", "<c:tracks>1 2 0</c:tracks>",
       group + "Failed to process the element [disc]\nInvalid Value for tracks [0]"},
      {"library.xml", "<c:note>", "<c:note xsi:nil=\"true\">",
       lib + "Invalid use of 'nil' attibute in non-nillable element [note]"},
      {"library.xml", "<c:barcode>0042</c:barcode>",
       "<c:barcode>0042</c:barcode><c:barcode>1</c:barcode><c:barcode>2</c:barcode>",
       lib + "The Maximum number of [shelfMark] elements allowed in this collection is 3"},
      {"values.xml", "<date>2026-12-07</date>", "<date>2026-13-07</date>",
       vals + "Invalid Month [13] (1 <= month <= 12)"},
      {"values.xml", "<int>-2147483648</int>", "<int>-2147483649</int>",
       vals + "The value [-2147483649] is to large to fit in a i4"},
      {"values.xml", "<code>AB-12</code>", "<code>ab-1</code>", vals + "Invalid Value for code [ab-1]"},
      {"values.xml", "<shortText>abc</shortText>", "<shortText>abcdef</shortText>",
       vals + "Invalid Value for shortText [abcdef]"},
      {"values.xml", "<level>2</level>", "<level>4</level>", vals + "Invalid Level value [4]"},
      {"values.xml", "<quick>PT59M</quick>", "<quick>PT1H</quick>",
       vals + "Invalid Value for quick [PT1H]"},
      {"values.xml", "<digest>DEADBEEF</digest>", "<digest>DEAD</digest>",
       vals + "Invalid Value for digest [DEAD]"},
      {"values.xml", "<reading>1</reading>", "<reading>1</reading><reading>3</reading><reading>4</reading><reading>5</reading>",
       vals + "The Maximum number of [reading] elements allowed in this collection is 4"},
      {"values.xml", "<mood>small</mood>", "<mood>tiny</mood>", vals + "Invalid Value for mood [tiny]"},
      {"values.xml", "", "<v:other xmlns:v='urn:vx:values'/>",
       "The document element [other] in the namespace [urn:vx:values] is not a global element of "
       "the schema"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.to);
    const std::string damaged =
        *c.from ? Replace(ReadFile(kDir + "documents/" + c.file), c.from, c.to) : c.to;
    EXPECT_EQ(vxtest::Failure([&] { Read(c.file, damaged); }),
              vxtest::Named<CVxValidationException>(c.message));
  }
}

// ---- the command ----------------------------------------------------------------

namespace {

struct GenRun {
  int status;
  std::string out;
};

// Runs vxxml-gen with `args` (shell words) in `dir`, standard error included.
GenRun Gen(const std::string& args, const std::string& dir = ".") {
  const std::string command = "cd " + dir + " && " + VXXML_GEN_PATH + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  GenRun run{-1, {}};
  if (!pipe) return run;
  char buffer[4096];
  for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Listing(const fs::path& dir) {
  std::string out;
  for (const auto& entry : fs::directory_iterator(dir))
    out += entry.path().filename().string() + "=" + ReadFile(entry.path().string()) + "\n";
  return out;
}

}  // namespace

TEST(Generator, BadSchemasGiveOneMessageAndLeaveTheOutputAlone) {
  const fs::path dir = vxtest::TempPath("gen");  // unique to this process
  fs::remove_all(dir);
  fs::create_directories(dir / "out");
  vxtest::WriteFile((dir / "out" / "keep.h").string(), "untouched");
  const std::string head =
      "<xs:schema xmlns:xs='http://www.w3.org/2001/XMLSchema' xmlns:t='urn:t' "
      "targetNamespace='urn:t'>\n";
  const struct {
    const char* name;
    std::string text;
    std::string args;
    int status;
    std::string message;
  } cases[] = {
      {"broken.xsd", head + "<xs:element name='a'>\n</xs:schema>\n", "", 1,
       "broken.xsd:3: mismatched tag\n"},
      {"plain.xsd", "<schema/>\n", "", 1,
       "plain.xsd:1: the document is not an XML Schema (xs:schema)\n"},
      {"type.xsd", head + "<xs:element name='a' type='t:Missing'/>\n</xs:schema>\n", "", 1,
       "type.xsd:2: unknown simple type [{urn:t}Missing]\n"},
      {"cycle.xsd",
       head + "<xs:complexType name='A'><xs:complexContent><xs:extension base='t:B'/>"
              "</xs:complexContent></xs:complexType>\n<xs:complexType name='B'>"
              "<xs:complexContent><xs:extension base='t:A'/></xs:complexContent>"
              "</xs:complexType>\n</xs:schema>\n",
       "", 1, "cycle.xsd:2: the type [{urn:t}A] derives from itself\n"},
      {"include.xsd", head + "<xs:include schemaLocation='nowhere.xsd'/>\n</xs:schema>\n", "",
       1, "include.xsd:2: cannot find the schema [nowhere.xsd]\n"},
      {"prefix.xsd", head + "<xs:element name='a' type='q:T'/>\n</xs:schema>\n", "", 1,
       "prefix.xsd:2: the prefix [q] of [q:T] is not declared\n"},
      {"assert.xsd",
       head + "<xs:complexType name='A'>\n<xs:assert test='true()'/></xs:complexType>\n"
              "</xs:schema>\n",
       "", 1, "assert.xsd:3: the construct [xs:assert] is not supported\n"},
      {"map.xsd", head + "</xs:schema>\n", "--namespace-map urn:t=a --namespace-map urn:t=b", 1,
       "vxxml-gen: conflicting --namespace-map entries for [urn:t]: [a] and [b]\n"},
      {"usage.xsd", head + "</xs:schema>\n", "--bogus", 2, "vxxml-gen: unknown option [--bogus]\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    vxtest::WriteFile((dir / c.name).string(), c.text);
    const GenRun r = Gen(std::string(c.name) + " -o out " + c.args, dir.string());
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out.substr(0, c.message.size()), c.message);
    EXPECT_EQ(Listing(dir / "out"), "keep.h=untouched\n");
  }
  EXPECT_EQ(Gen("").status, 2);
  EXPECT_EQ(Gen("--help").status, 0);
  // What is left out is said, unless asked not to.
  vxtest::WriteFile((dir / "redefine.xsd").string(),
                    head + "<xs:redefine schemaLocation='x.xsd'/>\n</xs:schema>\n");
  EXPECT_EQ(Gen("redefine.xsd -o gen", dir.string()).out,
            "redefine.xsd:2: warning: xs:redefine is not supported; it is ignored\n");
  EXPECT_EQ(Gen("redefine.xsd -o gen --quiet", dir.string()).out, "");
  fs::remove_all(dir);
}

TEST(Generator, OutputIsTheSameWhateverTheOrderOfItsInputs) {
  const fs::path dir = vxtest::TempPath("gen_order");
  fs::remove_all(dir);
  const std::string schemas = kDir + "schemas/";
  const GenRun first = Gen(schemas + "coverage.xsd " + schemas + "values.xsd -I " + schemas +
                        "lib -o " + (dir / "a").string() + " --file-per-type --quiet");
  const GenRun second = Gen(schemas + "values.xsd --quiet -I " + schemas + "lib " + schemas +
                         "coverage.xsd -o " + (dir / "b").string() + " --file-per-type");
  ASSERT_EQ(first.status, 0) << first.out;
  ASSERT_EQ(second.status, 0) << second.out;
  EXPECT_EQ(Listing(dir / "a"), Listing(dir / "b"));
  EXPECT_GT(Listing(dir / "a").size(), 10000u);
  fs::remove_all(dir);
}
