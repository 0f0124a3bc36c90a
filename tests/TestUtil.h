// Helpers the test files share: exact exception checks, files and temporary paths.
#ifndef VXXML_TESTS_TESTUTIL_H
#define VXXML_TESTS_TESTUTIL_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>
#include <typeinfo>

#include "vxxml/BinaryData.h"
#include "vxxml/Exception.h"

namespace vxtest {

// Passes when `f` throws exactly class E whose whole message chain is `message`.
template <class E, class F>
::testing::AssertionResult Throws(F&& f, const std::string& message) {
  try {
    f();
  } catch (const VxXmlLib10::CVxException& e) {
    if (typeid(e) != typeid(E))
      return ::testing::AssertionFailure()
             << "wrong class " << typeid(e).name() << " for: " << e.GetFullMessage();
    if (e.GetFullMessage() != message)
      return ::testing::AssertionFailure()
             << "message\n  got:  " << e.GetFullMessage() << "\n  want: " << message;
    return ::testing::AssertionSuccess();
  } catch (...) {
    return ::testing::AssertionFailure() << "foreign exception";
  }
  return ::testing::AssertionFailure() << "no exception, want: " << message;
}

// The same as a statement.
template <class E, class F>
void ExpectFailure(F&& f, const std::string& message) {
  EXPECT_TRUE(Throws<E>(f, message));
}

// "<exception class>: <full message>" for what `f` throws, "" when nothing is thrown.
template <class F>
std::string Failure(F&& f) {
  try {
    f();
  } catch (const VxXmlLib10::CVxException& e) {
    return std::string(typeid(e).name()) + ": " + e.GetFullMessage();
  }
  return "";
}

// What Failure gives for an exception of class E with `message`.
template <class E>
std::string Named(const std::string& message) {
  return std::string(typeid(E).name()) + ": " + message;
}

// The bytes of a binary value; a binary value over the bytes of a string, not copied.
inline std::string Bytes(const VxXmlLib10::CBinaryData& d) {
  return d.GetLength() ? std::string(reinterpret_cast<const char*>(d.GetData()), d.GetLength())
                       : std::string();
}
inline VxXmlLib10::CBinaryData FromBytes(const std::string& s) {
  return VxXmlLib10::CBinaryData(reinterpret_cast<unsigned char*>(const_cast<char*>(s.data())),
                                 static_cast<unsigned long>(s.size()), false);
}

inline std::string ReadFile(const std::string& path) {
  std::string bytes;
  if (FILE* f = std::fopen(path.c_str(), "rb")) {
    char buf[4096];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) bytes.append(buf, n);
    std::fclose(f);
  }
  return bytes;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "wb");
  ASSERT_NE(f, nullptr) << path;
  std::fwrite(bytes.data(), 1, bytes.size(), f);
  std::fclose(f);
}

// A path in the temporary directory, unique to this process; any old file is removed.
inline std::string TempPath(const std::string& name) {
  const std::string path = ::testing::TempDir() + "vxxml_" + std::to_string(getpid()) + "_" + name;
  std::remove(path.c_str());
  return path;
}

}  // namespace vxtest

#endif  // VXXML_TESTS_TESTUTIL_H
