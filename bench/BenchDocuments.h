// The purchase order the headline benchmarks read and write, built at run
// time in this one place: the classes it is made of, the context it is
// written with, and its text form. A benchmark uses only what is declared
// here, so moving to other purchase-order classes means changing this file.
#ifndef VXXML_BENCH_BENCHDOCUMENTS_H
#define VXXML_BENCH_BENCHDOCUMENTS_H

#include <clocale>
#include <string>

#include "PurchaseOrder.h"  // examples/purchase_order
#include "vxxml/BinaryData.h"
#include "vxxml/SerializationContext.h"

namespace benchdoc {

using namespace VxXmlLib10;

using PurchaseOrder = po::PurchaseOrderType;

// The application's locale: local text is UTF-8, as in the tests.
inline const bool kUtf8Locale = std::setlocale(LC_ALL, "C.UTF-8") != nullptr;

// About 190 bytes of text each: the document comes to about 10 MB.
const int kPurchaseOrderItems = 53000;

// The number of items an order holds (what a reading benchmark keeps alive).
inline long ItemCount(PurchaseOrder& po) { return po.items->item->GetCount(); }

// The context the purchase order is written and read with: its namespace as
// the example's own prefixes; Fast Infoset with plain strings, or with the
// suggested typed encodings (numbers, dates and decimals in restricted
// alphabets).
inline CXmlSerializationContext PurchaseOrderContext(bool suggestedEncodings = false) {
  CXmlSerializationContext context = sample::Context();
  if (suggestedEncodings) context.GetFIContext().SetSuggestedValues();
  return context;
}

inline CSmartPtr<PurchaseOrder> MakePurchaseOrder(int items = kPurchaseOrderItems) {
  CSmartPtr<PurchaseOrder> order = new PurchaseOrder;
  order->orderDate = CDateTime(1999, 10, 20);
  for (po::USAddress* a : {order->shipTo.Get(), order->billTo.Get()}) {
    a->name = "Alice Smith";
    a->street = "123 Maple Street";
    a->city = "Mill Valley";
    a->state = "CA";
    a->zip = CDecimal("90952");
    a->country = "US";
  }
  for (int i = 0; i < items; ++i) {
    CSmartPtr<po::Item> item = new po::Item;
    item->partNum = "872-AA";
    item->productName = "Lawnmower, petrol, with grass box";
    item->quantity = 1 + i % 99;
    item->USPrice = CDecimal("148.95");
    if (i % 3 == 0) item->comment = "Confirm this is electric";
    if (i % 2 == 0) item->shipDate = CDateTime(1999, 5, 21);
    order->items->item->Add(item);
  }
  return order;
}

// The text form: UTF-8 with a declaration, indented, LF line ends.
inline CBinaryData WriteText(const PurchaseOrder& po, const CXmlSerializationContext& context) {
  return po.ToXmlStream(true, true, XmlEncoding_UTF8, EOLType_LF, context, CompressionType_None);
}

inline std::string ToString(const CBinaryData& data) {
  return std::string(reinterpret_cast<const char*>(data.GetData()), data.GetLength());
}

// The purchase order's text, built once.
inline const std::string& PurchaseOrderText() {
  static const std::string text =
      ToString(WriteText(*MakePurchaseOrder(), PurchaseOrderContext()));
  return text;
}

}  // namespace benchdoc

#endif  // VXXML_BENCH_BENCHDOCUMENTS_H
