// Reads a purchase order into the example classes, adds an item and writes
// it back as XML text.   usage: po_example purchaseOrder.xml
#include <clocale>
#include <iostream>

#include "PurchaseOrder.h"

using namespace VxXmlLib10;

int main(int argc, char** argv) {
  std::setlocale(LC_ALL, "");
  if (argc != 2) return std::cerr << "usage: po_example FILE\n", 2;
  try {
    CSmartPtr<po::PurchaseOrderType> order = new po::PurchaseOrderType;
    order->FromXmlFile(argv[1], sample::Context());
    std::cout << "Ship to " << order->shipTo->name << ", " << order->items->item->GetCount()
              << " items\n";

    CSmartPtr<po::Item> item = new po::Item;
    item->partNum = "123-XY";
    item->productName = "Garden hose";
    item->quantity = 2;
    item->USPrice = CDecimal("19.99");
    order->items->item->Add(item);

    std::cout << order->ToXml(true, true, EOLType_LF, sample::Context());
  } catch (const CVxException& e) {
    std::cerr << e.GetFullMessage() << '\n';
    return 1;
  }
}
