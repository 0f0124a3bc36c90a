// The worked purchase-order binding in examples/purchase_order: its documents
// survive text -> objects -> text byte for byte in every output form, every
// reading failure reports the whole element path, and each ignore option
// relaxes exactly its own rule.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "PurchaseOrder.h"
#include "TestUtil.h"

using namespace VxXmlLib10;
using vxtest::Bytes;
using vxtest::ReadFile;

namespace {

const std::string kDir = std::string(VXXML_SOURCE_DIR) + "/examples/purchase_order/";

CSmartPtr<po::PurchaseOrderType> Read(const std::string& bytes,
                                  const CXmlSerializationContext& context = sample::Context()) {
  CSmartPtr<po::PurchaseOrderType> order = new po::PurchaseOrderType;
  order->FromXmlStream(reinterpret_cast<unsigned char*>(const_cast<char*>(bytes.data())),
                       static_cast<unsigned long>(bytes.size()), context);
  return order;
}

std::string WriteUtf8(const po::PurchaseOrderType& order, bool formatted = true,
                      EOLType eol = EOLType_LF,
                      CompressionType compression = CompressionType_None) {
  return Bytes(order.ToXmlStream(true, formatted, XmlEncoding_UTF8, eol, sample::Context(),
                                 compression));
}

std::string Replace(std::string text, const std::string& from, const std::string& to) {
  const std::string::size_type at = text.find(from);
  if (at == std::string::npos) ADD_FAILURE() << "not in the document: " << from;
  else text.replace(at, from.size(), to);
  return text;
}

const char* const kDocuments[] = {"po.xml", "po-extended.xml", "po-invoice.xml"};

}  // namespace

TEST(PurchaseOrderExample, DocumentsRoundTripInEveryTextForm) {
  for (const char* name : kDocuments) {
    SCOPED_TRACE(name);
    const std::string file = ReadFile(kDir + name);
    ASSERT_FALSE(file.empty());
    CSmartPtr<po::PurchaseOrderType> order = Read(file);
    // The files are stored as the library writes them.
    EXPECT_EQ(WriteUtf8(*order), file);

    for (bool formatted : {true, false}) {
      for (EOLType eol : {EOLType_CRLF, EOLType_LF}) {
        SCOPED_TRACE(::testing::Message() << "formatted " << formatted << " eol " << eol);
        const std::string text = order->ToXml(true, formatted, eol, sample::Context());
        CSmartPtr<po::PurchaseOrderType> again = new po::PurchaseOrderType;
        again->FromXml(text.c_str(), sample::Context());
        EXPECT_EQ(again->ToXml(true, formatted, eol, sample::Context()), text);

        const std::string utf8 = WriteUtf8(*order, formatted, eol);
        EXPECT_EQ(WriteUtf8(*Read(utf8), formatted, eol), utf8);
      }
    }

    const std::string utf16 =
        Bytes(order->ToXmlStream(true, true, XmlEncoding_UTF16, EOLType_CRLF, sample::Context(),
                                 CompressionType_None));
    EXPECT_EQ(Bytes(Read(utf16)->ToXmlStream(true, true, XmlEncoding_UTF16, EOLType_CRLF,
                                             sample::Context(), CompressionType_None)),
              utf16);
    EXPECT_EQ(WriteUtf8(*Read(utf16)), file);

    for (CompressionType compression : {CompressionType_GZip, CompressionType_ZLib}) {
      const std::string packed = WriteUtf8(*order, true, EOLType_LF, compression);
      EXPECT_NE(packed, file);
      EXPECT_EQ(WriteUtf8(*Read(packed), true, EOLType_LF, compression), packed);
    }

    const std::string fi =
        Bytes(order->ToFastInfosetStream(FInfoDecl_None, sample::Context(), CompressionType_None));
    EXPECT_EQ(WriteUtf8(*Read(fi)), file);
  }
}

// A plain file goes through a file stream; a compressed one holds the byte order mark inside.
TEST(PurchaseOrderExample, FilesOfEveryFormReadBack) {
  CSmartPtr<po::PurchaseOrderType> order = new po::PurchaseOrderType;
  order->FromXmlFile((kDir + "po-extended.xml").c_str(), sample::Context());
  const std::string path = vxtest::TempPath("po_example_roundtrip.xml");
  for (XmlEncoding encoding : {XmlEncoding_UTF8, XmlEncoding_UTF16}) {
    order->ToXmlFile(path.c_str(), true, true, encoding, EOLType_LF, sample::Context(),
                     encoding == XmlEncoding_UTF8 ? CompressionType_None : CompressionType_GZip);
    CSmartPtr<po::PurchaseOrderType> again = new po::PurchaseOrderType;
    again->FromXmlFile(path.c_str(), sample::Context());
    EXPECT_EQ(WriteUtf8(*again), ReadFile(kDir + "po-extended.xml")) << encoding;
  }
  std::remove(path.c_str());
}

// Each case damages the extended document in one place. `relaxedBy` names the
// one context option that lets the document read (none: nothing does); every
// other option must leave the failure exactly as it is.
TEST(PurchaseOrderExample, ReadingFailuresNameThePathAndOnlyTheirOptionRelaxesThem) {
  enum Option { None, UnknownAttributes, UnknownElements, MissingChoice, MissingMandatory,
                CollectionCounts };
  const std::string po = "Failed to process the element [purchaseOrder]\n";
  const std::string items = po + "Failed to process the element [items]\n";
  struct Case {
    const char* from;
    const char* to;
    std::string message;
    Option relaxedBy;
  } cases[] = {
      {"<item partNum=\"926-AA\">", "<item>",
       items + "Failed to process the element [item]\n"
               "Failed to find the required Attribute [partNum]",
       None},
      {"<item partNum=\"926-AA\">", "<item partNum=\"926-AA\" colour=\"red\">",
       items + "Failed to process the element [item]\nUnexpected Attribute [colour] found.",
       UnknownAttributes},
      {"<quantity>2</quantity>", "<quantity xsi:nil=\"true\"/>",
       items + "Failed to process the element [item]\n"
               "Invalid use of 'nil' attibute in non-nillable element [quantity]",
       None},
      {"<USPrice>39.98</USPrice>", "<USPrice>39,98</USPrice>",
       items + "Failed to process the element [item]\n"
               "The string representing a Decimal, contained an invalid char at position 2 [39,98]",
       None},
      {"\t\t<city>Old Town</city>\n", "",
       po + "Failed to process the element [billTo]\nFailed to find a required element [city]",
       MissingMandatory},
      {"<zip>95819</zip>", "<zip>95819</zip><county>Berks</county>",
       po + "Failed to process the element [billTo]\n"
            "Failed read all the elements held within the element [billTo]. The unexpected "
            "element [county] remains un processed",
       UnknownElements},
      {"<payment xsi:type=\"po:CreditCardPayment\">", "<payment xsi:type=\"po:BankTransfer\">",
       // No class fits, so the payment stays for the ##other wildcard, which
       // admits unqualified elements, and the tracking after it is left over.
       po + "Failed read all the elements held within the element [purchaseOrder]. The "
            "unexpected element [tracking] remains un processed",
       UnknownElements},
      {"<deliveryDay>2026-12-04</deliveryDay>",
       "<deliveryDay>2026-12-04</deliveryDay><deliveryDay>2026-12-05</deliveryDay>"
       "<deliveryDay>2026-12-06</deliveryDay>",
       po + "Failed to process the element [tracking]\n"
            "The Maximum number of [deliveryDay] elements allowed in this collection is 2",
       CollectionCounts},
      {"<temperature>21</temperature>", "<temperature>81</temperature>",
       po + "Failed to process the element [tracking]\nInvalid Value for temperature [81.000000]",
       None},
      // Without its nested choice the optional gift group does not match at
      // all; the wildcard then takes the unqualified <giftMessage>.
      {"<ribbon>gold</ribbon>", "",
       po + "Failed read all the elements held within the element [purchaseOrder]. The "
            "unexpected element [payment] remains un processed",
       UnknownElements},
      // A member of an all group is read once; its second element is left over.
      {"<vip>true</vip>", "<vip>true</vip><vip>false</vip>",
       po + "Failed to process the element [customer]\nFailed read all the elements held within "
            "the element [customer]. The unexpected element [vip] remains un processed",
       UnknownElements},
      // Mandatory members of an all group are not relaxed by any option.
      {"<name>Alice Smith</name>\n\t\t<email>", "<email>",
       po + "Failed to process the element [customer]\nFailed to find the mandatory element [name]",
       None},
      {"ext:channel=\"web\"", "po:channel=\"web\"",
       po + "Unexpected Attribute [channel] found.", UnknownAttributes},
      {"<status>shipped</status>", "<status>lost</status>",
       po + "Invalid OrderStatus value [lost]", None},
  };

  const std::string file = ReadFile(kDir + "po-extended.xml");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.to);
    const std::string damaged = Replace(file, c.from, c.to);
    for (Option option : {None, UnknownAttributes, UnknownElements, MissingChoice,
                          MissingMandatory, CollectionCounts}) {
      CXmlSerializationContext context = sample::Context();
      context.SetIgnoreUnknownAttributes(option == UnknownAttributes);
      context.SetIgnoreUnknownElements(option == UnknownElements);
      context.SetIgnoreMissingChoice(option == MissingChoice);
      context.SetIgnoreMissingMandatoryElements(option == MissingMandatory);
      context.SetIgnoreInvalidCollectionCounts(option == CollectionCounts);
      const bool relaxed = option != None && option == c.relaxedBy;
      EXPECT_EQ(vxtest::Failure([&] { Read(damaged, context); }),
                relaxed ? "" : vxtest::Named<CVxValidationException>(c.message))
          << "option " << option;
    }
  }
}
