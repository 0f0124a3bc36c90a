// The command-line tool, run as a user would run it.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>

#include <cstdio>
#include <string>

#include "TestUtil.h"

#ifdef VXXML_TOOL_PATH

namespace {

struct ToolRun {
  int status;
  std::string out;
};

// Runs the tool with `args` (shell words) in a fixed locale, so that system
// error texts are the English ones; standard error is captured too.
ToolRun Tool(const std::string& args) {
  const std::string command =
      "LC_ALL=C.UTF-8 " + std::string(VXXML_TOOL_PATH) + " " + args + " 2>&1";
  FILE* pipe = popen(command.c_str(), "r");
  ToolRun run{-1, {}};
  if (!pipe) return run;
  char buffer[4096];
  size_t n;
  while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0) run.out.append(buffer, n);
  const int status = pclose(pipe);
  run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

std::string Temp(const char* name) { return vxtest::TempPath(std::string("cli_") + name); }

using vxtest::ReadFile;
using vxtest::WriteFile;

const std::string kSample = std::string(VXXML_SOURCE_DIR) + "/samples/purchaseOrder.xml";

}  // namespace

TEST(Cli, UsageAndHelp) {
  for (const char* command : {"--help", "convert --help", "info --help", "roundtrip --help"})
    EXPECT_EQ(Tool(command).out.find("usage: vxxml"), 0u) << command;
  for (const char* command : {"", "frobnicate", "convert onlyone", "info"})
    EXPECT_EQ(Tool(command).status, 2) << command;
}

TEST(Cli, BadInputGivesOneLineAndTheStatus) {
  const std::string dir = Temp("dir"), missing = Temp("missing.xml"), out = Temp("bad_out.xml");
  const std::string broken = Temp("broken.xml"), empty = Temp("empty.xml"), fi = Temp("whole.fi"),
                    half = Temp("half.fi");
  ASSERT_EQ(Tool("convert " + kSample + " " + fi + " --to fi").status, 0);
  const std::string whole = ReadFile(fi);
  ASSERT_GT(whole.size(), 100u);
  WriteFile(half, whole.substr(0, whole.size() / 2));
  const std::string gz = Temp("po.xml.gz"), junk = Temp("junk.gz");
  ASSERT_EQ(Tool("convert " + kSample + " " + gz + " --gzip").status, 0);
  WriteFile(junk, ReadFile(gz) + "<a/>");
  WriteFile(broken, "<a>\n<b>\n</a>\n");
  WriteFile(empty, "");
  ASSERT_EQ(mkdir(dir.c_str(), 0700), 0) << "cannot create " << dir;
  const struct {
    std::string args;
    int status;
    std::string out;
  } cases[] = {
      {"convert " + missing + " " + out, 1,
       "vxxml: Failed to open the file [" + missing + "]: No such file or directory\n"},
      {"info " + dir, 1, "vxxml: Failed to read the file [" + dir + "]: Is a directory\n"},
      {"roundtrip " + broken, 1, "vxxml: mismatched tag at line 3\n"},
      {"convert " + half + " " + out, 1,
       "vxxml: Failed to parse FastInfoset. Unexpected End of File.\n"},
      {"info " + empty, 1, "vxxml: XML Stream is empty!\n"},
      {"convert - " + out + " < " + empty, 1, "vxxml: XML Stream is empty!\n"},
      {"convert " + kSample + " " + out + " --bogus", 2,
       "vxxml: unknown option '--bogus' (see 'vxxml convert --help')\n"},
      {"convert a b --to pdf", 2,
       "vxxml: --to takes xml or fi, not 'pdf' (see 'vxxml convert --help')\n"},
      {"convert " + kSample + " " + dir + "/no/out.xml", 1,
       "vxxml: Failed to write data to the file [" + dir + "/no/out.xml]\n"},
      {"convert " + kSample + " " + out + " --zlib", 1,
       "vxxml: ZLIB Compression only available for To Stream methods.\n"},
      {"convert " + junk + " " + out, 1,
       "vxxml: Failed to decompress data. [data follows the end of the compressed stream]\n"},
      {"info --max-size 1000 " + gz, 1,
       "vxxml: Decompressed data exceeds the limit MaxDecompressedSize [1000 bytes]\n"},
      {"info " + kSample + " --max-depth 3", 1,
       "vxxml: Element nesting exceeds the limit MaxDepth [3]\n"},
      {"info " + kSample + " --max-ratio x", 2,
       "vxxml: --max-ratio takes a number, not 'x' (see 'vxxml info --help')\n"},
  };
  for (const auto& c : cases) {
    const ToolRun r = Tool(c.args);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
  for (const auto& f : {broken, empty, fi, half, out, gz, junk}) std::remove(f.c_str());
  std::remove(dir.c_str());
}

TEST(Cli, ConvertTextForms) {
  const std::string out = Temp("plain.xml");
  ASSERT_EQ(Tool("convert " + kSample + " " + out + " --no-decl").status, 0);
  // The comment before the root, and the root's declarations, stay as written.
  const std::string root = "<!-- A purchase order: the classic data-binding example. -->\n"
                           "<po:purchaseOrder xmlns:po=\"http://www.example.com/PO1\"";
  EXPECT_EQ(ReadFile(out).rfind(root, 0), 0u);
  EXPECT_EQ(Tool("convert " + out + " - --indent --crlf").out.rfind(
                "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\r\n" + root.substr(0, 60) + "\r" +
                root.substr(60), 0),
            0u);
  const std::string utf16 = Temp("utf16.xml");
  ASSERT_EQ(Tool("convert " + kSample + " " + utf16 + " --utf16 --gzip").status, 0);
  const std::string info = Tool("info " + utf16).out;
  EXPECT_NE(info.find("compression:   gzip\nencoding:      UTF-16LE (byte order mark)"),
            std::string::npos) << info;
  EXPECT_NE(info.find("elements:      30"), std::string::npos) << info;
  std::remove(out.c_str());
  std::remove(utf16.c_str());
}

TEST(Cli, DefaultNamespaceOfAPrefixedRootIsKept) {
  // Elements in the document's default namespace stay unprefixed, through
  // text and through Fast Infoset alike.
  const std::string in = Temp("default.xml"), fi = Temp("default.fi");
  WriteFile(in, "<p:r xmlns:p='urn:p' xmlns='urn:d'><a k='1'/><a/></p:r>");
  const std::string expected = "<p:r xmlns:p=\"urn:p\" xmlns=\"urn:d\"><a k=\"1\"/><a/></p:r>";
  EXPECT_EQ(Tool("convert " + in + " - --no-decl").out, expected);
  ASSERT_EQ(Tool("convert " + in + " " + fi + " --to fi").status, 0);
  EXPECT_EQ(Tool("convert " + fi + " - --no-decl").out, expected);
  std::remove(in.c_str());
  std::remove(fi.c_str());
}

TEST(Cli, FastInfosetBothWaysAndRoundtrip) {
  const std::string fi = Temp("po.fi"), back = Temp("back.xml"), plain = Temp("plain2.xml");
  ASSERT_EQ(Tool("convert " + kSample + " " + fi + " --to fi --suggested --fi-decl 4").status, 0);
  EXPECT_EQ(ReadFile(fi).rfind("<?xml version='1.0' encoding='finf'?>", 0), 0u);
  EXPECT_NE(Tool("info " + fi).out.find("form:          Fast Infoset"), std::string::npos);
  ASSERT_EQ(Tool("convert " + fi + " " + back + " --no-decl").status, 0);
  ASSERT_EQ(Tool("convert " + kSample + " " + plain + " --no-decl").status, 0);
  EXPECT_EQ(ReadFile(back), ReadFile(plain));
  // Compressed Fast Infoset through standard output, read back from a file.
  const std::string packed = Temp("po.fi.z");
  ASSERT_EQ(Tool("convert " + kSample + " - --to fi --zlib > " + packed).status, 0);
  EXPECT_NE(Tool("info " + packed).out.find("compression:   zlib"), std::string::npos);
  const ToolRun rt = Tool("roundtrip " + kSample);
  EXPECT_TRUE(rt.status == 0 && rt.out.find("infoset:       survived") != std::string::npos)
      << rt.out;
  for (const auto& f : {fi, back, plain, packed}) std::remove(f.c_str());
}

#endif  // VXXML_TOOL_PATH
