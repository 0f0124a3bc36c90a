// vxxml-gen: the schema compiler. Reads XML Schema documents and writes the
// C++ classes that bind them to the vxxml runtime.
//
// Exit status: 0 success, 1 a schema or output failure (one message naming
// file and line), 2 bad usage.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "Binding.h"
#include "Emitter.h"
#include "Schema.h"

namespace {

namespace fs = std::filesystem;

const char kUsage[] =
    "usage: vxxml-gen SCHEMA.xsd... -o OUTDIR [--namespace-map URI=cpp::ns]... [-I DIR]...\n"
    "                 [--file-per-type] [--quiet] [--unity FILE] [--depfile FILE]\n"
    "\n"
    "Writes the C++ classes for the schemas (and every schema they include or import)\n"
    "into OUTDIR: one header and one source per target namespace, or per type as well\n"
    "with --file-per-type. Nothing is written unless the whole set is read and checked.\n"
    "\n"
    "  -o OUTDIR              where the files go (created if needed)\n"
    "  --namespace-map U=NS   the C++ namespace for the target namespace U (default: the\n"
    "                         last word of U, lower case)\n"
    "  -I DIR                 where to look for included and imported schemas after the\n"
    "                         including file's directory (remote locations by file name)\n"
    "  --file-per-type        a header and source per class besides the namespace's files\n"
    "  --unity FILE           also write FILE in OUTDIR, a source including every source\n"
    "  --depfile FILE         write the schemas read as a make dependency file\n"
    "  --list                 write nothing; print the files that would be written and,\n"
    "                         after a line \"--\", the schemas read\n"
    "  --quiet                no warnings\n";

int Usage(const std::string& message) {
  std::cerr << "vxxml-gen: " << message << "\n" << kUsage;
  return 2;
}

bool ValidNamespace(const std::string& name) {
  if (name.empty()) return false;
  std::string part;
  for (std::size_t i = 0; i <= name.size(); ++i) {
    if (i == name.size() || name.compare(i, 2, "::") == 0) {
      if (part.empty() || std::isdigit(static_cast<unsigned char>(part[0]))) return false;
      part.clear();
      if (i < name.size()) ++i;
      continue;
    }
    const char c = name[i];
    if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    part += c;
  }
  return true;
}

std::string ReadAll(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return in ? text.str() : std::string();
}

// Writes the file unless it already holds the same bytes, so that builds
// depending on it are not redone; true when it wrote.
bool WriteIfChanged(const fs::path& path, const std::string& content) {
  std::error_code ignored;
  if (fs::exists(path, ignored) && ReadAll(path) == content) return false;
  const fs::path temporary = path.string() + ".tmp";
  {
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << content;
    if (!out) throw vxgen::Error({path.string(), 0}, "cannot write the file");
  }
  fs::rename(temporary, path);
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> schemas;
  std::string outdir, unity, depfile;
  bool list = false;
  vxgen::LoadOptions load;
  vxgen::BindOptions bind;
  vxgen::EmitOptions emit;
  std::map<std::string, std::string> mapped;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&](const char* what) -> const char* {
      if (i + 1 >= argc) return nullptr;
      (void)what;
      return argv[++i];
    };
    if (arg == "-h" || arg == "--help") {
      std::cout << kUsage;
      return 0;
    } else if (arg == "-o") {
      const char* v = value("-o");
      if (!v) return Usage("-o needs a directory");
      outdir = v;
    } else if (arg == "-I") {
      const char* v = value("-I");
      if (!v) return Usage("-I needs a directory");
      load.includeDirs.push_back(v);
    } else if (arg.compare(0, 2, "-I") == 0 && arg.size() > 2) {
      load.includeDirs.push_back(arg.substr(2));
    } else if (arg == "--namespace-map") {
      const char* v = value("--namespace-map");
      const std::string entry = v ? v : "";
      const std::string::size_type eq = entry.rfind('=');
      if (eq == std::string::npos) return Usage("--namespace-map needs URI=cpp::namespace");
      const std::string uri = entry.substr(0, eq), name = entry.substr(eq + 1);
      if (!ValidNamespace(name)) return Usage("[" + name + "] is not a C++ namespace name");
      auto inserted = mapped.emplace(uri, name);
      if (!inserted.second && inserted.first->second != name) {
        std::cerr << "vxxml-gen: conflicting --namespace-map entries for [" << uri << "]: ["
                  << inserted.first->second << "] and [" << name << "]\n";
        return 1;
      }
    } else if (arg == "--file-per-type") {
      emit.filePerType = true;
    } else if (arg == "--list") {
      list = true;
    } else if (arg == "--quiet") {
      load.quiet = true;
    } else if (arg == "--unity") {
      const char* v = value("--unity");
      if (!v) return Usage("--unity needs a file name");
      unity = v;
    } else if (arg == "--depfile") {
      const char* v = value("--depfile");
      if (!v) return Usage("--depfile needs a file name");
      depfile = v;
    } else if (!arg.empty() && arg[0] == '-') {
      return Usage("unknown option [" + arg + "]");
    } else {
      schemas.push_back(arg);
    }
  }
  if (schemas.empty()) return Usage("no schema given");
  if (outdir.empty() && !list) return Usage("no output directory given (-o)");
  bind.namespaceMap = mapped;

  try {
    vxgen::SchemaSet set;
    vxgen::LoadSchemas(schemas, load, set);
    vxgen::ResolveSchemas(set);
    vxgen::Binding binding;
    vxgen::Bind(set, bind, binding);
    std::map<std::string, std::string> files = vxgen::Emit(binding, emit);
    if (!unity.empty()) {
      std::string text = "// Generated by vxxml-gen: every generated source in one. Do not edit.\n";
      for (const auto& f : files)
        if (f.first.size() > 4 && f.first.compare(f.first.size() - 4, 4, ".cpp") == 0)
          text += "#include \"" + f.first + "\"\n";
      files[unity] = text;
    }
    if (list) {
      for (const auto& f : files) std::cout << f.first << "\n";
      std::cout << "--\n";
      std::set<std::string> read;
      for (const auto& s : set.schemas) read.insert(s->path);
      for (const std::string& path : read) std::cout << path << "\n";
      return 0;
    }
    // Everything is known: only now does the output directory change.
    std::error_code error;
    fs::create_directories(outdir, error);
    if (error) throw vxgen::Error({outdir, 0}, "cannot create the directory: " + error.message());
    bool changed = false;
    for (const auto& f : files)
      if (f.first != unity) changed = WriteIfChanged(fs::path(outdir) / f.first, f.second) || changed;
    // A build that compiles the unity source learns of changed sources and
    // headers only through it: it is written anew whenever anything changed.
    if (!unity.empty()) {
      const fs::path path = fs::path(outdir) / unity;
      if (!WriteIfChanged(path, files[unity]) && changed)
        fs::last_write_time(path, fs::file_time_type::clock::now());
    }
    if (!depfile.empty()) {
      std::set<std::string> read;
      for (const auto& s : set.schemas) read.insert(s->path);
      std::string text = (fs::path(outdir) / (unity.empty() ? files.begin()->first : unity)).string() + ":";
      for (const std::string& path : read) {
        std::string escaped;
        for (char c : path) escaped += c == ' ' ? std::string("\\ ") : std::string(1, c);
        text += " \\\n  " + escaped;
      }
      WriteIfChanged(depfile, text + "\n");
    }
  } catch (const std::exception& e) {
    std::cerr << e.what() << "\n";
    return 1;
  }
  return 0;
}
