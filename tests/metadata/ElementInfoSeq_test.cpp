#include "vxxml/ElementInfoSeq.h"

#include <gtest/gtest.h>

#include <string>

#include "metadata/Shapes.h"

using namespace shapes_test;
using vxtest::Named;

namespace {

const char kFullOrder[] =
    "<order xmlns='urn:po' xmlns:xsi='http://www.w3.org/2001/XMLSchema-instance' "
    "orderDate='1999-10-20'>\n"
    "\t<shipTo country='US'>\n"
    "\t\t<name>Alice Smith</name>\n"
    "\t\t<zip>90952</zip>\n"
    "\t</shipTo>\n"
    "\t<status>shipped</status>\n"
    "\t<size>M</size>\n"
    "\t<note>fragile</note>\n"
    "\t<rating>L</rating>\n"
    "\t<tip>ring</tip>\n"
    "\t<tip>twice</tip>\n"
    "\t<payment xsi:type='Card'>\n"
    "\t\t<amount>1.5</amount>\n"
    "\t\t<number>4111</number>\n"
    "\t</payment>\n"
    "\t<weight unit='kg' scale='2'>7</weight>\n"
    "\t<giftWrap xsi:nil='true'/>\n"
    "\t<tag>garden</tag>\n"
    "\t<tag>baby</tag>\n"
    "\t<item partNum='872-AA'>\n"
    "\t\t<productName>Lawnmower</productName>\n"
    "\t\t<quantity>1</quantity>\n"
    "\t\t<shipDate>1999-05-21</shipDate>\n"
    "\t</item>\n"
    "\t<codes>\n"
    "\t\t<num>1</num>\n"
    "\t</codes>\n"
    "\t<AA:stamp xmlns:AA='urn:other'>x1</AA:stamp>\n"
    "</order>\n";

TEST(ElementInfoSeq, EveryMemberShapeRoundTrips) {
  const CXmlSerializationContext ctx;
  EXPECT_EQ(Write(*Read(kFullOrder, ctx), ctx, true), kFullOrder);
}

const std::string kShip = "<shipTo><name>A</name></shipTo>";
const std::string kHead = kShip + "<status>pending</status>";

std::string Left(const char* element) {
  return Named<CVxValidationException>(
      std::string("Failed to process the element [order]\n"
                  "Failed read all the elements held within the element [order]. The "
                  "unexpected element [") +
      element + "] remains un processed");
}

std::string Failed(const std::string& chain) {
  return Named<CVxValidationException>("Failed to process the element [order]\n" + chain);
}

// Each row reads one order; "=" means it was written back as read.
TEST(ElementInfoSeq, ReadingRulesAndTheIgnoreOptions) {
  enum Option { None, Unknown, Missing, Namespaces };
  const auto context = [](Option option) {
    CXmlSerializationContext ctx;
    ctx.SetIgnoreUnknownElements(option == Unknown);
    ctx.SetIgnoreMissingMandatoryElements(option == Missing);
    ctx.SetIgnoreNamespaces(option == Namespaces);
    return ctx;
  };
  const std::string unknownInside = "<shipTo><name>A</name><x/></shipTo><status>pending</status>";
  const std::string otherNs = "<shipTo xmlns='urn:x'><name>A</name></shipTo><status>pending</status>";
  const std::string leftInShipTo =
      Failed("Failed to process the element [shipTo]\nFailed read all the elements held within "
             "the element [shipTo]. The unexpected element [x] remains un processed");
  const struct {
    Option option;
    std::string body;
    std::string expected;
  } cases[] = {
      {None, kHead, "="},
      {None, kHead + "<hint>h</hint>", "="},
      {None, kHead + "<giftWrap xsi:nil='true'/><remark xsi:nil='true'/>", "="},
      {None, kShip, Failed("Failed to find a required element [status]")},
      {Unknown, kShip, Failed("Failed to find a required element [status]")},
      {Missing, kShip, kHead},
      {Missing, "<status>shipped</status>", "<shipTo><name/></shipTo><status>shipped</status>"},
      {None, unknownInside, leftInShipTo},
      {Missing, unknownInside, leftInShipTo},
      {Unknown, unknownInside, kHead},
      {None, otherNs, Failed("Failed to find a required element [shipTo]")},
      {Namespaces, otherNs,
       "<AA:shipTo xmlns='urn:x' xmlns:AA='urn:po'><AA:name>A</AA:name></AA:shipTo>"
       "<status>pending</status>"},
      // A member that did not match is asked again past the skipped element,
      // and a later pass resumes at the last member that consumed something.
      {Unknown, "<x/>" + kHead + "<x/><tip>t</tip><tip/><tag>a</tag><y/><tag>b</tag><z/>",
       kHead + "<tip>t</tip><tip/><tag>a</tag><tag>b</tag>"},
      {Unknown,
       kHead + "<hint/><item partNum='1'><x/><productName>P</productName><y/>"
               "<quantity>2</quantity><z/></item>",
       kHead + "<hint/><item partNum='1'><productName>P</productName><quantity>2</quantity></item>"},
      {None, kHead + "<item partNum='1'><productName>P</productName><quantity>x</quantity></item>",
       Failed("Failed to process the element [item]\n"
              "The value [x] can not be converted to a i4")},
      {None, "<shipTo xsi:nil='true'/><status>pending</status>",
       Failed("Failed to process the element [shipTo]\n"
              "Invalid use of 'nil' attibute in non-nillable element [shipTo]")},
      {None, kHead + "<weight unit='g' xsi:nil='yes'/>",
       Failed("Failed to process the element [weight]\n"
              "Unexpected Value [yes] for 'nil' Attribute found.")},
      {None, kHead + "<giftWrap xsi:nil='maybe'/>",
       Failed("Unexpected Value [maybe] for 'nil' Attribute found.")},
      {None, kHead + "<tag>1</tag><tag>2</tag><tag>3</tag><tag>4</tag>",
       Failed("The Maximum number of [tag] elements allowed in this collection is 3")},
      {None, kHead + "<codes/>",
       Failed("Failed to process the element [codes]\n"
              "No child elements within the element [codes] were populated. The element "
              "represents a choice, so one and only one element should be populated. The "
              "element contained no sutable child elements")},
      // No class for the xsi:type, a group member out of place, an element
      // the wildcard refuses: each is left over.
      {None, kHead + "<payment xsi:type='Cheque'/>", Left("payment")},
      {None, kHead + "<rating>S</rating>", Left("rating")},
      {None, kHead + "<tip/>", Left("tip")},  // too few for the choice's collection
      {None, kHead + "<stamp/>", Left("stamp")},
  };
  for (const auto& c : cases)
    EXPECT_EQ(Outcome("order", c.body, context(c.option)), c.expected) << c.option << c.body;

  // Mandatory substitutable, tagless and untyped members; a named untyped
  // collection takes only its name (<v/> would be a third <blob>).
  const std::string wallet = "<payment xsi:type='Cash'><amount>1</amount></payment><cash>1</cash>";
  EXPECT_EQ(Outcome("wallet", wallet + "<voucher xsi:type='Card'><amount>2</amount><number>n</number>"
                                       "</voucher><o:x/><body>b<i/></body><blob/><blob/><v/>"),
            "=");
  const auto failed = [](const std::string& message) {
    return Named<CVxValidationException>("Failed to process the element [wallet]\n" + message);
  };
  EXPECT_EQ(Outcome("wallet", wallet + "<x/><body/>"),
            failed("Failed to find the required element from namespace []"));
  EXPECT_EQ(Outcome("wallet", "<cash>1</cash>"),
            failed("Failed to find a suitable substitution element for [payment]"));
  EXPECT_EQ(Outcome("wallet", "<payment xsi:type='Cash'><amount>1</amount></payment>"),
            failed("Failed to find a required element [choice]"));
}

// Runs of a tagless group (a new item for each element until one takes
// nothing) and a list of values in one element.
TEST(ElementInfoSeq, GroupRunsAndLists) {
  const auto failed = [](const std::string& message) {
    return Named<CVxValidationException>("Failed to process the element [route]\n" + message);
  };
  const auto left = [&](const char* element) {
    return failed(std::string("Failed read all the elements held within the element [route]. "
                              "The unexpected element [") +
                  element + "] remains un processed");
  };
  const std::string legs = "<from>a</from><from>b</from><to>c</to>";
  const struct {
    std::string body;
    std::string expected;
  } cases[] = {
      {legs + "<from>d</from><stops>1 2 3</stops><end>e</end>", "="},
      {"<stops> 4\n\t5  6 </stops>", "<stops>4 5 6</stops>"},
      {"<stops/><end/>", "<end/>"},
      {legs + "<from>d</from><from>e</from>",
       failed("The Maximum number of [Leg] elements allowed in this collection is 3")},
      {"<to>c</to>", left("to")},
      {legs + "<to>d</to>", left("to")},
      {"<stops>1 x</stops>", failed("The value [x] can not be converted to a i4")},
      {"<stops>1 100</stops>", failed("Invalid Value for stops [100]")},
      {"<stops>1</stops><stops>2</stops>", left("stops")},
  };
  for (const auto& c : cases) EXPECT_EQ(Outcome("route", c.body), c.expected) << c.body;
}

}  // namespace
