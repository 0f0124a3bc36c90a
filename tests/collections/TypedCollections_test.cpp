#include "vxxml/TypedCollections.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>
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

std::string Vx(const std::string& m) { return vxtest::Named<CVxException>(m); }
std::string Param(const std::string& m) { return vxtest::Named<CVxInvalidParamException>(m); }

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
  std::function<CXmlTypeCollection*(int, int)> make;
  std::vector<const char*> texts;  // valid texts, read and added in order
  const char* written;             // the elements they write
  const char* refused = nullptr;   // a text that converts but breaks a facet
  const char* shown = nullptr;     // how its message shows the value, when not as read
};

Facets Min(const char* b) { Facets f; f.minInclusive = b; return f; }
Facets Max(const char* b) { Facets f; f.maxInclusive = b; return f; }
Facets MinEx(const char* b) { Facets f; f.minExclusive = b; return f; }
Facets MaxEx(const char* b) { Facets f; f.maxExclusive = b; return f; }
Facets Format(Facets f, const char* format) { f.format = format; return f; }
Facets Lengths(int minLength, int maxLength, int length, const char* pattern = nullptr) {
  Facets f;
  f.minLength = minLength, f.maxLength = maxLength, f.length = length, f.pattern = pattern;
  return f;
}

// One row per class: the plain kinds share one template, so a row is what
// shows each class wired to its own conversions and facet check.
std::vector<KindCase> Kinds() {
  return {
      {Maker<Ci1Col>(Max("100")), {"-128", " 7 "}, "<v>-128</v><v>7</v>", "101"},
      {Maker<Ci2Col>(MinEx("-5")), {"-4", "300"}, "<v>-4</v><v>300</v>", "-5"},
      {Maker<Ci4Col>(Max("99")), {"1", "99"}, "<v>1</v><v>99</v>", "100"},
      {Maker<Ci8Col>(MaxEx("10000000000")), {"9999999999"}, "<v>9999999999</v>", "10000000000"},
      {Maker<Cui1Col>(Max("200")), {"200"}, "<v>200</v>", "201"},
      {Maker<Cui2Col>(Min("10")), {"10"}, "<v>10</v>", "9"},
      {Maker<Cui4Col>(Max("4000000000")), {"4000000000"}, "<v>4000000000</v>", "4000000001"},
      {Maker<Cui8Col>(MinEx("0")), {"18446744073709551615"}, "<v>18446744073709551615</v>", "0"},
      {Maker<Cr4Col>(Format(Max("1.5"), "%.1f")), {"1.5", "-2"}, "<v>1.5</v><v>-2.0</v>", "1.75",
       "1.750000"},
      {Maker<Cr8Col>(Format(Min("0"), "%.3f")), {"0.5"}, "<v>0.500</v>", "-0.1", "-0.100000"},
      {Maker<CbooleanCol>(Facets()), {"true", "0"}, "<v>true</v><v>false</v>"},
      {Maker<CstringCol>(Lengths(-1, 3, -1, "[a-z]+")), {"abc", " x  "}, "<v>abc</v><v>x</v>",
       "abcd"},
      {Maker<CdecimalCol>(Max("10.5")), {"10.50", "-3"}, "<v>10.5</v><v>-3</v>", "10.51"},
      {Maker<CintegerCol>(Min("-100000000000000000000")), {"123456789012345678901234567890"},
       "<v>123456789012345678901234567890</v>", "-100000000000000000001"},
      {Maker<Cbase64BinaryCol>(Lengths(-1, -1, 3)), {"QUJD"}, "<v>QUJD</v>", "QUI=", "4142"},
      {Maker<ChexBinaryCol>(Lengths(1, 2, -1)), {"0aff"}, "<v>0AFF</v>", "010203"},
      {Maker<CdurationCol>(Max("P1D")), {"PT1H"}, "<v>PT1H</v>", "P2D"},
      {Maker<CyearCol>(Min("0999")), {"0999", "2024"}, "<v>0999</v><v>2024</v>", "0998", "998"},
      {Maker<CmonthCol>(Max("--06")), {"--05"}, "<v>--05</v>", "--07", "7"},
      {Maker<CdayCol>(Min("---10")), {"---10"}, "<v>---10</v>", "---09", "9"},
      {Maker<CdateCol>(MaxEx("2025-01-01")), {"2024-12-31"}, "<v>2024-12-31</v>", "2025-01-01"},
      {Maker<CdatetimeCol>(Min("2024-01-01T00:00:00")), {"2024-06-01T12:00:00"},
       "<v>2024-06-01T12:00:00</v>", "2023-12-31T23:59:59"},
      {Maker<CtimeCol>(Max("12:00:00")), {"08:30:00"}, "<v>08:30:00</v>", "12:00:01"},
      {Maker<CyearMonthCol>(Min("2024-01")), {"2024-02"}, "<v>2024-02</v>", "2023-12"},
      {Maker<CmonthDayCol>(Max("--06-30")), {"--01-15"}, "<v>--01-15</v>", "--07-01"},
  };
}

TEST(TypedCollections, EveryKindAddsWritesReadsAndRefuses) {
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kNs);
  const std::vector<KindCase> kinds = Kinds();
  for (const KindCase& c : kinds) {
    g_make = c.make;
    CSmartPtr<Holder> h(new Holder);
    h->Init();
    CXmlTypeCollection* col = h->Col();
    for (const char* t : c.texts) col->AddFromString(t);
    const std::string written = Wrap(c.written);
    EXPECT_EQ(WriteRoot(h, ctx, false), written) << c.written;
    // Read back and write again: the same bytes.
    CSmartPtr<Holder> back(new Holder);
    Read(back, written, ctx);
    EXPECT_EQ(WriteRoot(back, ctx, false), written) << c.written;
    if (!c.refused) continue;
    const std::string message =
        std::string("Invalid Value for v [") + (c.shown ? c.shown : c.refused) + "]";
    EXPECT_EQ(vxtest::Failure([&] { col->AddFromString(c.refused); }), Vx(message)) << c.written;
    EXPECT_EQ(col->GetCount(), static_cast<int>(c.texts.size())) << c.written;
    // Reading goes through the same check.
    const std::string bad = Wrap(std::string(c.written) + "<v>" + c.refused + "</v>");
    EXPECT_EQ(vxtest::Failure([&] { Read(back, bad, ctx); }),
              vxtest::Named<CVxValidationException>("Failed to process the element [h]\n" +
                                                    message))
        << c.written;
  }
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
  EXPECT_EQ(AddBeyondRange<Ci4Col>(2147483647L, 2147483648L),
            Param(within + "-2147483648 - 2147483647 [2147483648]"));
  EXPECT_EQ(AddBeyondRange<Cui4Col>(4294967295UL, 4294967296UL),
            Param(within + "0 - 4294967295 [4294967296]"));
  EXPECT_EQ((AddBeyondRange<CyearCol, unsigned short>(1, 0)), Param(within + "1 - 9999 [0]"));
  EXPECT_EQ((AddBeyondRange<CmonthCol, unsigned char>(12, 13)), Param(within + "1 - 12 [13]"));
  EXPECT_EQ((AddBeyondRange<CdayCol, unsigned char>(31, 32)), Param(within + "1 - 31 [32]"));
}

TEST(TypedCollections, ConversionFailuresOnReading) {
  CXmlSerializationContext ctx;
  g_make = Maker<Ci4Col>(Facets());
  CSmartPtr<Holder> h(new Holder);
  h->Init();
  EXPECT_EQ(vxtest::Failure([&] { Read(h, "<h xmlns='urn:c'><v>1</v><v>x</v></h>", ctx); }),
            vxtest::Named<CVxValidationException>(
                "Failed to process the element [h]\nThe value [x] can not be converted to a i4"));
  // A run of values ends at the first other element, which the next property reads.
  Read(h, "<h xmlns='urn:c'><v>1</v><v> 2</v><v>3 </v><w>x</w></h>", ctx);
  ASSERT_EQ(h->Col()->GetCount(), 3);
  EXPECT_EQ(static_cast<Ci4Col*>(h->Col())->Item(2), 3);
  EXPECT_EQ(h->props[2].GetString(), "x");
}

// Records the events a collection fires.
class Recorder : public IEventSink {
 public:
  std::string events;
  void OnEvent(CXmlObjectBase*, MsgType type, void* data) override {
    static const char* names[] = {"change", "add", "added", "remove", "removed"};
    events += names[type];
    if ((type == MsgType_CollectionRemove || type == MsgType_CollectionRemoveComplete) && data)
      events += " " + std::to_string(*static_cast<int*>(data));
    if ((type == MsgType_CollectionAdd || type == MsgType_CollectionAddComplete) && data)
      events += " " + std::to_string(*static_cast<long*>(data));
    events += ";";
  }
  std::string Take() { return std::exchange(events, ""); }
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
    std::string message;
    const char* events;
  } cases[] = {
      {[&] { col->AddAt(4, 5); }, Param("Index out of range"), "add 5;"},
      {[&] { col->AddAt(3, 500); }, Vx("Invalid Value for v [500]"), "add 500;"},
      {[&] { col->Item(-1); }, Param("Index -1 is out of range, use 0 - 3"), ""},
      {[&] { col->Remove(3); }, Param("Index 3 is out of range, use 0 - 3"), "remove 3;"},
      {[&] { col->Remove(-1); }, Param("Index -1 is out of range, use 0 - 3"), "remove;"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(vxtest::Failure(c.call), c.message);
    EXPECT_EQ(r.Take(), c.events) << c.message;
    EXPECT_EQ(col->GetCount(), 3);
  }
  // AddAt at the count appends.
  col->AddAt(3, 3);
  r.Take();
  col->Remove(2);
  EXPECT_EQ(r.Take(), "remove 2;removed 2;change;");
  EXPECT_EQ(col->Item(0) * 100 + col->Item(1) * 10 + col->Item(2), 13);
  col->Clear();
  EXPECT_EQ(r.Take(), "remove 0;removed 0;change;remove 0;removed 0;change;"
                      "remove 0;removed 0;change;");
}

TEST(TypedCollections, DatesOfTheWrongKindAreRefusedBeforeAnyEvent) {
  CDateTime date, time;
  date.ParseXSDDate("2024-05-06");
  time.ParseXSDTime("07:08:09");
  const struct {
    std::function<CXmlTypeCollection*(int, int)> make;
    const char* kind;
  } cases[] = {{Maker<CdateCol>(Facets()), "dt_date"},
               {Maker<CdatetimeCol>(Facets()), "dt_dateTime"},
               {Maker<CtimeCol>(Facets()), "dt_time"},
               {Maker<CyearMonthCol>(Facets()), "dt_gYearMonth"},
               {Maker<CmonthDayCol>(Facets()), "dt_gMonthDay"}};
  for (const auto& c : cases) {
    CSmartPtr<CdatetimeBaseCol> col(static_cast<CdatetimeBaseCol*>(c.make(0, -1)));
    Recorder r;
    col->AddEventListener(&r);
    EXPECT_EQ(vxtest::Failure([&] { col->Add(std::string(c.kind) == "dt_time" ? date : time); }),
              Param(std::string("Dates added to this collection must be of type ") + c.kind));
    EXPECT_EQ(r.Take(), "") << c.kind;
    col->RemoveEventListener(&r);
  }
}

// An empty collection writes nothing; one beyond its bounds refuses to write
// unless the context lets it.
TEST(TypedCollections, CountsCheckedOnWriting) {
  CXmlSerializationContext ctx;
  ctx.SetDefaultNamespaceURI(kNs);
  g_make = Maker<CstringCol>(Facets());
  CSmartPtr<Holder> empty(new Holder);
  empty->Init();
  EXPECT_EQ(WriteRoot(empty, ctx, false), "<h xmlns=\"urn:c\"/>");
  g_minOccurs = 2;
  CSmartPtr<Holder> h(new Holder);
  h->Init();
  g_minOccurs = 0;
  h->Col()->AddFromString("a");
  EXPECT_EQ(vxtest::Failure([&] { WriteRoot(h, ctx, false); }),
            vxtest::Named<CVxValidationException>(
                "Failed to convert the element [h] to XML\n"
                "The Minimum number of [v] elements allowed in this collection is 2"));
  ctx.SetIgnoreInvalidCollectionCounts(true);
  EXPECT_EQ(WriteRoot(h, ctx, false), "<h xmlns=\"urn:c\"><v>a</v></h>");
}

}  // namespace
