#include "vxxml/TypedCollections.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <typeinfo>
#include <vector>

#include "TestUtil.h"
#include "core/GeneratedFixtures.h"
#include "vxxml/Conversions.h"
#include "vxxml/ElementInfoSeq.h"
#include "vxxml/XmlDocument.h"

using namespace vxxml_test;

namespace {

const char kNs[] = "urn:c";

// The facet arguments of a collection's constructor.
struct Facets {
  const char* pattern = nullptr;
  int minLength = -1;
  int maxLength = -1;
  const char* minInclusive = nullptr;
  const char* maxInclusive = nullptr;
  const char* minExclusive = nullptr;
  const char* maxExclusive = nullptr;
  int length = -1;
  const char* format = nullptr;
};

template <class Col>
std::function<CXmlTypeCollection*(int, int)> Maker(Facets f) {
  return [f](int minOccurs, int maxOccurs) -> CXmlTypeCollection* {
    return new Col("v", kNs, minOccurs, maxOccurs, f.pattern, f.minLength, f.maxLength,
                   f.minInclusive, f.maxInclusive, f.minExclusive, f.maxExclusive, f.length,
                   CWhitespaceUtils::WhitespaceRule_Collapse, f.format);
  };
}

// How the holder's reset makes its collection.
std::function<CXmlTypeCollection*(int, int)> g_make;
int g_minOccurs = 0;

// <h xmlns="urn:c"><v>..</v>...<w>..</w></h>: a repeated simple value, then an
// optional string.
class Holder : public TestClass<Holder> {
 public:
  Holder() { SetElementName("h"); }
  void Init() override {
    props.clear();
    SetCollection(1, g_make(g_minOccurs, -1));
  }
  CXmlTypeCollection* Col() {
    VxVariant v;
    AccessProperty(1, true, v);
    return static_cast<CXmlTypeCollection*>(v.GetXmlCollection().Get());
  }
  static void Build(Metadata& m) {
    m.elements = new CElementInfo*[3]{
        new CElementInfoSeqPrimCol("v", kNs, 1),
        new CElementInfoSeqPrimOpt("w", kNs, 2, false, ItemType_string, nullptr,
                                   CWhitespaceUtils::WhitespaceRule_None,
                                   CPrimitiveRestrictions()),
        nullptr};
    m.attributes = new CAttributeInfo*[1]{nullptr};
    m.info = new CParentElementInfo(XmlElementGroupType_Sequence, XmlElementType_Element,
                                    "HolderType", kNs, true, false, -1, ItemType_none, nullptr,
                                    false);
  }
};

std::string FullMessage(const std::function<void()>& f, std::string* type = nullptr) {
  try {
    f();
  } catch (const CVxException& e) {
    if (type) *type = typeid(e).name();
    return e.GetFullMessage();
  }
  return "no exception";
}

void Read(Holder* h, const std::string& xml, const CXmlSerializationContext& ctx) {
  CXmlDocument doc;
  doc.LoadXml(xml.c_str());
  CXmlElement* root = doc.GetDocumentElement();
  CXmlObjectBase::FromXml_Int(h, root, root->GetFirstElement(), ctx);
}

std::string Wrap(const std::string& values) {
  return "<h xmlns=\"urn:c\">" + values + "</h>";
}

struct KindCase {
  const char* kind;
  std::function<CXmlTypeCollection*(int, int)> make;
  std::vector<const char*> texts;  // valid texts, read and added in order
  const char* written;             // the elements they write
  const char* refused;             // a text that converts but breaks a facet
  const char* message;             // ... and its message
};

Facets Min(const char* b) { Facets f; f.minInclusive = b; return f; }
Facets Max(const char* b) { Facets f; f.maxInclusive = b; return f; }
Facets MinEx(const char* b) { Facets f; f.minExclusive = b; return f; }
Facets MaxEx(const char* b) { Facets f; f.maxExclusive = b; return f; }
Facets Format(Facets f, const char* format) { f.format = format; return f; }
Facets Lengths(int minLength, int maxLength, int length) {
  Facets f;
  f.minLength = minLength;
  f.maxLength = maxLength;
  f.length = length;
  return f;
}
Facets Pattern(const char* p, int maxLength) {
  Facets f;
  f.pattern = p;
  f.maxLength = maxLength;
  return f;
}

std::vector<KindCase> Kinds() {
  return {
      {"i1", Maker<Ci1Col>(Max("100")), {"-128", " 7 "}, "<v>-128</v><v>7</v>", "101",
       "Invalid Value for v [101]"},
      {"i2", Maker<Ci2Col>(MinEx("-5")), {"-4", "300"}, "<v>-4</v><v>300</v>", "-5",
       "Invalid Value for v [-5]"},
      {"i4", Maker<Ci4Col>(Max("99")), {"1", "99"}, "<v>1</v><v>99</v>", "100",
       "Invalid Value for v [100]"},
      {"i8", Maker<Ci8Col>(MaxEx("10000000000")), {"9999999999"}, "<v>9999999999</v>",
       "10000000000", "Invalid Value for v [10000000000]"},
      {"ui1", Maker<Cui1Col>(Max("200")), {"200"}, "<v>200</v>", "201",
       "Invalid Value for v [201]"},
      {"ui2", Maker<Cui2Col>(Min("10")), {"10"}, "<v>10</v>", "9", "Invalid Value for v [9]"},
      {"ui4", Maker<Cui4Col>(Max("4000000000")), {"4000000000"}, "<v>4000000000</v>",
       "4000000001", "Invalid Value for v [4000000001]"},
      {"ui8", Maker<Cui8Col>(MinEx("0")), {"18446744073709551615"},
       "<v>18446744073709551615</v>", "0", "Invalid Value for v [0]"},
      {"r4", Maker<Cr4Col>(Format(Max("1.5"), "%.1f")), {"1.5", "-2"},
       "<v>1.5</v><v>-2.0</v>", "1.75", "Invalid Value for v [1.750000]"},
      {"r8", Maker<Cr8Col>(Format(Min("0"), "%.3f")), {"0.5"}, "<v>0.500</v>", "-0.1",
       "Invalid Value for v [-0.100000]"},
      {"boolean", Maker<CbooleanCol>(Facets()), {"true", "0"}, "<v>true</v><v>false</v>",
       nullptr, nullptr},
      {"string", Maker<CstringCol>(Pattern("[a-z]+", 3)), {"abc", " x  "},
       "<v>abc</v><v>x</v>", "abcd", "Invalid Value for v [abcd]"},
      {"decimal", Maker<CdecimalCol>(Max("10.5")), {"10.50", "-3"}, "<v>10.5</v><v>-3</v>",
       "10.51", "Invalid Value for v [10.51]"},
      {"integer", Maker<CintegerCol>(Min("-100000000000000000000")),
       {"123456789012345678901234567890"}, "<v>123456789012345678901234567890</v>",
       "-100000000000000000001", "Invalid Value for v [-100000000000000000001]"},
      {"base64Binary", Maker<Cbase64BinaryCol>(Lengths(-1, -1, 3)), {"QUJD"}, "<v>QUJD</v>",
       "QUI=", "Invalid Value for v [4142]"},
      {"hexBinary", Maker<ChexBinaryCol>(Lengths(1, 2, -1)), {"0aff"}, "<v>0AFF</v>",
       "010203", "Invalid Value for v [010203]"},
      {"duration", Maker<CdurationCol>(Max("P1D")), {"PT1H"}, "<v>PT1H</v>", "P2D",
       "Invalid Value for v [P2D]"},
      {"year", Maker<CyearCol>(Min("0999")), {"0999", "2024"}, "<v>0999</v><v>2024</v>", "0998",
       "Invalid Value for v [998]"},
      {"month", Maker<CmonthCol>(Max("--06")), {"--05"}, "<v>--05</v>", "--07",
       "Invalid Value for v [7]"},
      {"day", Maker<CdayCol>(Min("---10")), {"---10"}, "<v>---10</v>", "---09",
       "Invalid Value for v [9]"},
      {"date", Maker<CdateCol>(MaxEx("2025-01-01")), {"2024-12-31"}, "<v>2024-12-31</v>",
       "2025-01-01", "Invalid Value for v [2025-01-01]"},
      {"datetime", Maker<CdatetimeCol>(Min("2024-01-01T00:00:00")), {"2024-06-01T12:00:00"},
       "<v>2024-06-01T12:00:00</v>", "2023-12-31T23:59:59",
       "Invalid Value for v [2023-12-31T23:59:59]"},
      {"time", Maker<CtimeCol>(Max("12:00:00")), {"08:30:00"}, "<v>08:30:00</v>", "12:00:01",
       "Invalid Value for v [12:00:01]"},
      {"yearMonth", Maker<CyearMonthCol>(Min("2024-01")), {"2024-02"}, "<v>2024-02</v>",
       "2023-12", "Invalid Value for v [2023-12]"},
      {"monthDay", Maker<CmonthDayCol>(Max("--06-30")), {"--01-15"}, "<v>--01-15</v>",
       "--07-01", "Invalid Value for v [--07-01]"},
  };
}

TEST(TypedCollections, EveryKindAddsWritesReadsAndRefuses) {
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kNs);
  const std::vector<KindCase> kinds = Kinds();
  ASSERT_EQ(kinds.size(), 25u);
  for (const KindCase& c : kinds) {
    g_make = c.make;
    CSmartPtr<Holder> h(new Holder);
    h->Init();
    CXmlTypeCollection* col = h->Col();
    for (const char* t : c.texts) col->AddFromString(t);
    EXPECT_EQ(col->GetCount(), static_cast<int>(c.texts.size())) << c.kind;
    const std::string written = Wrap(c.written);
    EXPECT_EQ(WriteRoot(h, ctx, false), written) << c.kind;

    // Read back and write again: the same bytes.
    CSmartPtr<Holder> back(new Holder);
    Read(back, written, ctx);
    EXPECT_EQ(WriteRoot(back, ctx, false), written) << c.kind;

    if (!c.refused) continue;
    std::string type;
    EXPECT_EQ(FullMessage([&] { col->AddFromString(c.refused); }, &type), c.message) << c.kind;
    EXPECT_EQ(type, typeid(CVxException).name()) << c.kind;
    EXPECT_EQ(col->GetCount(), static_cast<int>(c.texts.size())) << c.kind;
    // Reading goes through the same check.
    const std::string bad = Wrap(std::string(c.written) + "<v>" + c.refused + "</v>");
    EXPECT_EQ(FullMessage([&] { Read(back, bad, ctx); }),
              std::string("Failed to process the element [h]\n") + c.message)
        << c.kind;
  }
}

TEST(TypedCollections, TypedAddChecksFacetsToo) {
  Facets f = Max("99");
  f.minInclusive = "1";
  CSmartPtr<Ci4Col> col(static_cast<Ci4Col*>(Maker<Ci4Col>(f)(0, -1)));
  col->Add(5);
  col->AddAt(0, 99);
  EXPECT_EQ(FullMessage([&] { col->Add(0); }), "Invalid Value for v [0]");
  EXPECT_EQ(FullMessage([&] { col->AddAt(1, 100); }), "Invalid Value for v [100]");
  ASSERT_EQ(col->GetCount(), 2);
  EXPECT_EQ(col->Item(0), 99);
  EXPECT_EQ(col->Item(1), 5);

  CSmartPtr<CstringCol> strings(
      static_cast<CstringCol*>(Maker<CstringCol>(Pattern("[a-z]+", -1))(0, -1)));
  strings->Add("ok");
  EXPECT_EQ(FullMessage([&] { strings->Add("No"); }), "Invalid Value for v [No]");
  EXPECT_EQ(strings->Item(0), "ok");
}

// Adds `last` (the last value of the kind's range) and then `beyond`; what
// the second add throws, the collection unchanged.
template <class Col, class V>
std::string AddBeyondRange(V last, V beyond) {
  CSmartPtr<Col> col(static_cast<Col*>(Maker<Col>(Facets())(0, -1)));
  col->Add(last);
  const std::string failure = vxtest::Failure([&] { col->Add(beyond); });
  EXPECT_EQ(col->GetCount(), 1);
  return failure;
}

TEST(TypedCollections, ValuesWhoseTextWouldNotReadBackAreRefused) {
  // i4 and ui4 are held in a long; year, month and day in wider types too.
  const std::string within = "Values added to this collection must be within ";
  struct Case {
    std::string failure;
    const char* range;
  } cases[] = {
      {AddBeyondRange<Ci4Col>(2147483647L, 2147483648L), "-2147483648 - 2147483647 [2147483648]"},
      {AddBeyondRange<Ci4Col>(-2147483648L, -2147483649L),
       "-2147483648 - 2147483647 [-2147483649]"},
      {AddBeyondRange<Cui4Col>(4294967295UL, 4294967296UL), "0 - 4294967295 [4294967296]"},
      {AddBeyondRange<CyearCol, unsigned short>(1, 0), "1 - 9999 [0]"},
      {AddBeyondRange<CyearCol, unsigned short>(9999, 10000), "1 - 9999 [10000]"},
      {AddBeyondRange<CmonthCol, unsigned char>(1, 0), "1 - 12 [0]"},
      {AddBeyondRange<CmonthCol, unsigned char>(12, 13), "1 - 12 [13]"},
      {AddBeyondRange<CdayCol, unsigned char>(1, 0), "1 - 31 [0]"},
      {AddBeyondRange<CdayCol, unsigned char>(31, 32), "1 - 31 [32]"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(c.failure, vxtest::Named<CVxInvalidParamException>(within + c.range));
  }
}

TEST(TypedCollections, ConversionFailuresOnReading) {
  CXmlSerializationContext ctx;
  g_make = Maker<Ci4Col>(Facets());
  CSmartPtr<Holder> h(new Holder);
  std::string type;
  EXPECT_EQ(FullMessage([&] { h->Init(); h->Col()->AddFromString("4x"); }, &type),
            "The value [4x] can not be converted to a i4");
  EXPECT_EQ(type, typeid(CVxInvalidValueException).name());
  EXPECT_EQ(FullMessage([&] { Read(h, "<h xmlns='urn:c'><v>1</v><v>x</v></h>", ctx); }),
            "Failed to process the element [h]\nThe value [x] can not be converted to a i4");
}

// Records the events a collection fires.
class Recorder : public IEventSink {
 public:
  std::vector<std::string> events;
  void OnEvent(CXmlObjectBase*, MsgType type, void* data) override {
    static const char* names[] = {"change", "add", "added", "remove", "removed"};
    std::string e = names[type];
    if ((type == MsgType_CollectionRemove || type == MsgType_CollectionRemoveComplete) && data)
      e += " " + std::to_string(*static_cast<int*>(data));
    if ((type == MsgType_CollectionAdd || type == MsgType_CollectionAddComplete) && data)
      e += " " + std::to_string(*static_cast<long*>(data));
    events.push_back(e);
  }
  std::string Take() {
    std::string all;
    for (const std::string& e : events) all += e + ";";
    events.clear();
    return all;
  }
};

TEST(TypedCollections, EventsAndIndexErrors) {
  CSmartPtr<Ci4Col> col(static_cast<Ci4Col*>(Maker<Ci4Col>(Max("99"))(0, -1)));
  Recorder r;
  col->AddEventListener(&r);
  col->Add(1);
  col->Add(2);
  col->AddAt(0, 0);
  EXPECT_EQ(r.Take(), "add 1;added 1;change;add 2;added 2;change;add 0;added 0;change;");

  struct Case {
    std::function<void()> call;
    const char* message;
    const char* events;
  } cases[] = {
      {[&] { col->AddAt(-1, 5); }, "Index out of range", "add 5;"},
      {[&] { col->AddAt(4, 5); }, "Index out of range", "add 5;"},
      {[&] { col->AddAt(3, 500); }, "Invalid Value for v [500]", "add 500;"},
      {[&] { col->Item(3); }, "Index 3 is out of range, use 0 - 3", ""},
      {[&] { col->Item(-1); }, "Index -1 is out of range, use 0 - 3", ""},
      {[&] { col->Remove(3); }, "Index 3 is out of range, use 0 - 3", "remove 3;"},
      {[&] { col->Remove(-1); }, "Index -1 is out of range, use 0 - 3", "remove;"},
  };
  for (const Case& c : cases) {
    std::string type;
    EXPECT_EQ(FullMessage(c.call, &type), c.message);
    if (std::string(c.message).rfind("Index", 0) == 0) {
      EXPECT_EQ(type, typeid(CVxInvalidParamException).name()) << c.message;
    }
    EXPECT_EQ(r.Take(), c.events) << c.message;
    EXPECT_EQ(col->GetCount(), 3);
  }
  // AddAt at the count appends.
  col->AddAt(3, 3);
  r.Take();
  col->Remove(2);
  EXPECT_EQ(r.Take(), "remove 2;removed 2;change;");
  EXPECT_EQ(col->Item(2), 3);
  col->Clear();
  EXPECT_EQ(r.Take(), "remove 0;removed 0;change;remove 0;removed 0;change;"
                      "remove 0;removed 0;change;");
  EXPECT_EQ(col->GetCount(), 0);
}

TEST(TypedCollections, DatesOfTheWrongKindAreRefusedBeforeAnyEvent) {
  const CDateTime dateTime = CConversions::datetimeFromString(
      "2024-05-06T07:08:09", CWhitespaceUtils::WhitespaceRule_None);
  const CDateTime date =
      CConversions::dateFromString("2024-05-06", CWhitespaceUtils::WhitespaceRule_None);
  struct Case {
    std::function<CXmlTypeCollection*(int, int)> make;
    CDateTime good;
    const char* message;
  } cases[] = {
      {Maker<CdateCol>(Facets()), date, "Dates added to this collection must be of type dt_date"},
      {Maker<CdatetimeCol>(Facets()), dateTime,
       "Dates added to this collection must be of type dt_dateTime"},
      {Maker<CtimeCol>(Facets()),
       CConversions::timeFromString("07:08:09", CWhitespaceUtils::WhitespaceRule_None),
       "Dates added to this collection must be of type dt_time"},
      {Maker<CyearMonthCol>(Facets()),
       CConversions::yearMonthFromString("2024-05", CWhitespaceUtils::WhitespaceRule_None),
       "Dates added to this collection must be of type dt_gYearMonth"},
      {Maker<CmonthDayCol>(Facets()),
       CConversions::monthDayFromString("--05-06", CWhitespaceUtils::WhitespaceRule_None),
       "Dates added to this collection must be of type dt_gMonthDay"},
  };
  for (const Case& c : cases) {
    CSmartPtr<CdatetimeBaseCol> col(static_cast<CdatetimeBaseCol*>(c.make(0, -1)));
    Recorder r;
    col->AddEventListener(&r);
    const CDateTime& wrong = c.good.GetType() == CDateTime::dt_date ? dateTime : date;
    std::string type;
    EXPECT_EQ(FullMessage([&] { col->Add(wrong); }, &type), c.message);
    EXPECT_EQ(type, typeid(CVxInvalidParamException).name()) << c.message;
    EXPECT_TRUE(r.events.empty()) << c.message;
    col->Add(c.good);
    col->AddAt(0, c.good);
    EXPECT_EQ(col->GetCount(), 2);
    EXPECT_EQ(col->Item(1).GetType(), c.good.GetType());
    EXPECT_EQ(col->ItemToString(col->Item(0)), col->ItemToString(c.good));
    r.events.clear();
    // The index is checked after the add event.
    EXPECT_EQ(FullMessage([&] { col->AddAt(3, c.good); }), "Index out of range");
    EXPECT_EQ(r.events.size(), 1u);
    EXPECT_EQ(FullMessage([&] { col->Item(2); }), "Index 2 is out of range, use 0 - 2");
    col->RemoveEventListener(&r);
  }
}

TEST(TypedCollections, CountsCheckedOnWriting) {
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kNs);
  g_make = Maker<CstringCol>(Facets());
  CSmartPtr<Holder> empty(new Holder);
  empty->Init();
  // An empty collection writes nothing.
  EXPECT_EQ(WriteRoot(empty, ctx, false), "<h xmlns=\"urn:c\"/>");
  g_minOccurs = 2;
  CSmartPtr<Holder> h(new Holder);
  h->Init();
  g_minOccurs = 0;
  h->Col()->AddFromString("a");
  std::string type;
  EXPECT_EQ(FullMessage([&] { WriteRoot(h, ctx, false); }, &type),
            "Failed to convert the element [h] to XML\n"
            "The Minimum number of [v] elements allowed in this collection is 2");
  ctx.SetIgnoreInvalidCollectionCounts(true);
  EXPECT_EQ(WriteRoot(h, ctx, false), "<h xmlns=\"urn:c\"><v>a</v></h>");

  CSmartPtr<Ci4Col> most(new Ci4Col("n", "", 0, 1, nullptr, -1, -1, nullptr, nullptr, nullptr,
                                    nullptr, -1, CWhitespaceUtils::WhitespaceRule_None,
                                    nullptr));
  most->Add(1);
  most->Add(2);
  CTextStream stream(XmlEncoding_UTF8);
  CXmlTextWriter writer(stream);
  writer.Open();
  CXmlSerializationContext strict;
  EXPECT_EQ(FullMessage([&] { CXmlObjectBase::ToXml_Int(most, &writer, false, "", strict, false); },
                        &type),
            "The Maximum number of [n] elements allowed in this collection is 1");
  EXPECT_EQ(type, typeid(CVxValidationException).name());
}

TEST(TypedCollections, ReadingStopsAtTheFirstOtherElement) {
  CXmlSerializationContext ctx;
  g_make = Maker<Ci4Col>(Facets());
  CSmartPtr<Holder> h(new Holder);
  Read(h, "<h xmlns='urn:c'><v>1</v><v> 2</v><v>3 </v><w>x</w></h>", ctx);
  ASSERT_EQ(h->Col()->GetCount(), 3);
  EXPECT_EQ(static_cast<Ci4Col*>(h->Col())->Item(2), 3);
  EXPECT_EQ(h->props[2].GetString(), "x");

  // Directly: the collection hands back the element that ended its run; an
  // element in another namespace ends it too.
  CXmlDocument doc;
  doc.LoadXml("<h xmlns='urn:c'><v>4</v><v xmlns='urn:o'>5</v><v>6</v></h>");
  CSmartPtr<Ci4Col> col(static_cast<Ci4Col*>(Maker<Ci4Col>(Facets())(0, -1)));
  CXmlElement* root = doc.GetDocumentElement();
  CXmlElement* rest = CXmlObjectBase::FromXml_Int(col, root, root->GetFirstElement(), ctx);
  ASSERT_NE(rest, nullptr);
  EXPECT_EQ(rest->GetNamespaceURI(), "urn:o");
  EXPECT_EQ(col->GetCount(), 1);
}

}  // namespace
