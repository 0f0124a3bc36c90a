// The writer of generated classes: root material and the choice rules.
#include "vxxml/GeneratedClass.h"

#include <gtest/gtest.h>

#include <string>

#include "core/GeneratedFixtures.h"
#include "metadata/Shapes.h"

using namespace shapes_test;
using vxtest::Failure;
using vxtest::Named;

namespace {

CSmartPtr<shapes::Order> SmallOrder() {
  CSmartPtr<shapes::Order> o = new shapes::Order;
  o->shipTo->name = "Ann";
  o->status = shapes::Status::shipped;
  CSmartPtr<shapes::Card> card = new shapes::Card("payment");
  card->number = "4111";
  o->payment = card.Get();
  return o;
}

TEST(GeneratedClassWrite, RootMaterialInOrderAndOnlyOnTheRoot) {
  CXmlSerializationContext ctx;
  ctx.GetProcessingInstructions().push_back("<?one a?>");
  ctx.GetProcessingInstructions().push_back("<?two?>");
  ctx.GetNamespaceAliases().Add("z", "urn:z");
  ctx.GetNamespaceAliases().Add("t", "urn:po");
  ctx.GetNamespaceAliases().Add("a", "urn:a");
  ctx.SetDefaultNamespaceURI("urn:d");
  ctx.SetInLineSchema("<xs:schema/>");
  ctx.GetAdditionalRootAttributes()->Add("k", "root-attr", "");
  const char* const body =
      "<t:shipTo><t:name>Ann</t:name></t:shipTo><t:status>shipped</t:status>"
      "<t:payment%s><t:amount>0</t:amount><t:number>4111</t:number></t:payment></t:order>";
  const std::string root =
      "<?one a?>\n\n<?two?>\n\n<t:order xmlns='urn:d' xmlns:a='urn:a' xmlns:t='urn:po' "
      "xmlns:z='urn:z' k='root-attr'> \n<xs:schema/>\n";
  EXPECT_EQ(Write(*SmallOrder(), ctx), root + FormatString(body, " xmlns:AA='http://www.w3.org/"
                                                                 "2001/XMLSchema-instance' "
                                                                 "AA:type='t:Card'"));
  ctx.SetWriteTypeAttribute(false);
  EXPECT_EQ(Write(*SmallOrder(), ctx), root + FormatString(body, ""));
  // The same calls drive the Fast Infoset writer; processing instructions and
  // the inline schema are for text only.
  const CBinaryData fi = SmallOrder()->ToFastInfosetStream(FInfoDecl_None, ctx,
                                                           CompressionType_None);
  const std::string bytes(reinterpret_cast<const char*>(fi.GetData()), fi.GetLength());
  EXPECT_NE(bytes.find("4111"), std::string::npos);
  EXPECT_NE(bytes.find("root-attr"), std::string::npos);
  EXPECT_EQ(bytes.find("xs:schema"), std::string::npos);
  EXPECT_EQ(bytes.find("one a"), std::string::npos);
}

TEST(GeneratedClassWrite, ChoiceRules) {
  const std::string none =
      "This element is a choice, and as such must have at one (and only one) valid item, "
      "currently there are none set";
  CXmlSerializationContext ctx, ignoring;
  ctx.SetDefaultNamespaceURI(kNs);
  ignoring.SetDefaultNamespaceURI(kNs);
  ignoring.SetIgnoreMissingChoice(true);
  CSmartPtr<shapes::Codes> codes = new shapes::Codes;
  EXPECT_EQ(Failure([&] { Write(*codes, ctx); }),
            Named<CVxValidationException>("Failed to convert the element [codes] to XML\n" + none));
  EXPECT_EQ(Write(*codes, ignoring), "<codes xmlns='urn:po'/>");
  // The flag a member hands down: a choice alternative may hold an empty
  // choice, a sequence member may not.
  CSmartPtr<shapes::Pick> pick = new shapes::Pick;
  pick->codes = new shapes::Codes;
  EXPECT_EQ(Write(*pick, ctx), "<pick xmlns='urn:po'><codes/></pick>");
  CSmartPtr<shapes::Order> order = SmallOrder();
  order->codes = new shapes::Codes;
  EXPECT_EQ(Failure([&] { Write(*order, ctx); }),
            Named<CVxValidationException>("Failed to convert the element [order] to XML\n"
                                          "Failed to convert the element [codes] to XML\n" +
                                          none));
  // The first member that holds a value is written; an empty collection
  // holds none; one whose minimum is 0 lets the choice be empty.
  codes->word->Add("w");
  EXPECT_EQ(Write(*codes, ctx), "<codes xmlns='urn:po'><word>w</word></codes>");
  codes->num->Add("n");
  EXPECT_EQ(Write(*codes, ctx), "<codes xmlns='urn:po'><num>n</num></codes>");
  codes->num = new CstringCol("num", kNs, 0, 2, nullptr, -1, -1, nullptr, nullptr, nullptr,
                              nullptr, -1, CWhitespaceUtils::WhitespaceRule_Preserve, nullptr);
  codes->word->Clear();
  EXPECT_EQ(Write(*codes, ctx), "<codes xmlns='urn:po'/>");
}

}  // namespace
