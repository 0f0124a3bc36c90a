// The reader of generated classes: attribute pass, xsi:nil, the choice
// reader's rules, the simple body value and the message chain (the member
// rules of each group are in tests/metadata).
#include <gtest/gtest.h>

#include <string>
#include <thread>
#include <vector>

#include "metadata/Shapes.h"

using namespace shapes_test;
using vxtest::Named;

namespace {

TEST(GeneratedClassRead, ChoiceRules) {
  CXmlSerializationContext plain, unknown, missing;
  unknown.SetIgnoreUnknownElements(true);
  missing.SetIgnoreMissingChoice(true);
  const auto failed = [](const std::string& message) {
    return Named<CVxValidationException>("Failed to process the element [codes]\n" + message);
  };
  const std::string empty = failed(
      "No child elements within the element [codes] were populated. The element represents a "
      "choice, so one and only one element should be populated. The element contained no "
      "sutable child elements");
  const auto leftOver = [&](const char* element) {
    return failed(std::string("Failed read all the elements held within the element [codes]. The "
                              "unexpected element [") +
                  element + "] remains un processed");
  };
  struct Case {
    const char* body;
    const CXmlSerializationContext* ctx;
    std::string expected;
  } cases[] = {
      {"<word>2</word>", &plain, "="},
      {"", &plain, empty},
      {"", &missing, "<codes xmlns='urn:po' xmlns:o='urn:other' "
                     "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance'/>"},
      {"<x/>", &missing, leftOver("x")},
      {"<x/><word>2</word>", &plain, empty},
      {"<x/><word>2</word><y/>", &unknown, "<word>2</word>"},
      {"<num>1</num><word>2</word>", &plain, leftOver("word")},
      {"<x/>", &unknown, empty},
  };
  for (const Case& c : cases) EXPECT_EQ(Outcome("codes", c.body, *c.ctx), c.expected) << c.body;
}

TEST(GeneratedClassRead, NilAttributesAndBody) {
  const auto failed = [](const std::string& message) {
    return Named<CVxValidationException>("Failed to process the element [weight]\n" + message);
  };
  struct Case {
    const char* root;
    const char* body;
    std::string expected;
  } cases[] = {
      // The body and the children of a nil element are not read.
      {"weight unit='v' scale='3' xsi:nil='TRUE'", "<junk/>7",
       "<weight xmlns='urn:po' xmlns:o='urn:other' "
       "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' unit='v' scale='3' xsi:nil='true'/>"},
      {"weight unit='v' xsi:nil='0'", "7",
       "<weight xmlns='urn:po' xmlns:o='urn:other' "
       "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' unit='v'>7</weight>"},
      {"weight unit='v' xsi:nil='yes'", "7",
       failed("Unexpected Value [yes] for 'nil' Attribute found.")},
      {"weight unit='v' xsi:type='Measure' xsi:schemaLocation='a b'", "7",
       "<weight xmlns='urn:po' xmlns:o='urn:other' "
       "xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' unit='v'>7</weight>"},
      {"weight scale='1'", "7", failed("Failed to find the required Attribute [unit]")},
      // The body is converted with no whitespace rule.
      {"weight unit='v'", " 7 ", failed("The value [ 7 ] can not be converted to a i4")},
      // Text kept as written.
      {"raw", " not &lt; a number ", "="},
  };
  for (const Case& c : cases) EXPECT_EQ(Outcome(c.root, c.body), c.expected) << c.root;
  // Nor is it stored, which the writer, leaving out a nil body, cannot show.
  const auto nil = Read(Doc(cases[0].root, cases[0].body), CXmlSerializationContext());
  EXPECT_EQ(dynamic_cast<shapes::Measure&>(*nil).value, 0);
}

// One tree per thread, one shared context.
TEST(GeneratedClassRead, ThreadsShareOneContext) {
  const CXmlSerializationContext ctx;
  std::vector<std::thread> threads;
  std::vector<std::string> results(4);
  for (int t = 0; t < 4; ++t)
    threads.emplace_back([&, t] {
      for (int i = 0; i < 25; ++i) {
        const std::string body = "<memo/><card>" + std::to_string(t) + "</card><id>" +
                                 std::to_string(i + 1) + "</id><shipTo><name>n</name></shipTo>" +
                                 "<color>red</color>";
        results[t] = Outcome("sale", body, ctx);
      }
    });
  for (std::thread& t : threads) t.join();
  for (int t = 0; t < 4; ++t)
    EXPECT_EQ(results[t], "<id>25</id><color>red</color><shipTo><name>n</name></shipTo><memo/>"
                          "<card>" + std::to_string(t) + "</card>");
}

}  // namespace
