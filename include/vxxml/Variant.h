// A tagged value of any simple kind, or a counted reference to a bound object
// or collection. Metadata reads and writes properties through it, the facet
// checks take it, and the writers turn it into text.
#ifndef VXXML_VARIANT_H
#define VXXML_VARIANT_H

#include <cstdint>
#include <string>

#include "vxxml/Collection.h"
#include "vxxml/Export.h"
#include "vxxml/ItemType.h"
#include "vxxml/ObjectBase.h"
#include "vxxml/Whitespace.h"

namespace VxXmlLib10 {

class CBinaryData;
class CBigInteger;
class CDecimal;
class CDateTime;
class CDateTimeSpan;
class VxVariant;

template <ItemType Kind>
struct CValueKind;  // GeneratedCode.h

namespace detail {
struct VariantAccess;  // the library's own reads of the held value
}  // namespace detail

class VXXML_API VxVariant {
 public:
  VxVariant();
  VxVariant(const VxVariant& other);
  VxVariant& operator=(const VxVariant& other);
  virtual ~VxVariant();

  /// Drops the value: type 0, not nil.
  void Clear();
  /// True when a value of some kind is held, or the value is nil.
  bool IsValid() const { return m_type != ItemType_none || m_nil; }
  void SetInvalid() { Clear(); }
  /// Nil keeps the type but holds no value.
  void SetNil();
  bool IsNil() const { return m_nil; }
  ItemType GetItemType() const { return m_type; }

  void SetHexBinary(const CBinaryData& value);
  void SetBase64Binary(const CBinaryData& value);
  void SetI1(char value);
  void SetI2(short value);
  void SetI4(long value);
  void SetI8(long long value);
  void SetUI1(unsigned char value);
  void SetUI2(unsigned short value);
  void SetUI4(unsigned long value);
  void SetUI8(unsigned long long value);
  void SetR4(float value);
  void SetR8(double value);
  void SetDuration(const CDateTimeSpan& value);
  void SetYearMonth(const CDateTime& value);
  void SetMonthDay(const CDateTime& value);
  void SetYear(unsigned short value);
  void SetMonth(unsigned char value);
  void SetDay(unsigned char value);
  void SetDate(const CDateTime& value);
  void SetDateTime(const CDateTime& value);
  void SetTime(const CDateTime& value);
  void SetChar(char value);
  void SetString(std::string value);
  void SetBoolean(bool value);
  void SetDecimal(const CDecimal& value);
  void SetInteger(const CBigInteger& value);
  /// Takes a reference on a non-null object.
  void SetXmlObject(CXmlObjectBase* value);
  /// Takes a reference on a non-null collection (kind 28).
  void SetXmlCollection(CXmlCollectionBase* value);

  // Getters do not check the type: read the kind that is held.
  CBinaryData GetHexBinary() const;
  CBinaryData GetBase64Binary() const;
  char GetI1() const { return m_value.c; }
  short GetI2() const { return m_value.s; }
  long GetI4() const { return m_value.l; }
  long long GetI8() const { return m_value.ll; }
  unsigned char GetUI1() const { return m_value.uc; }
  unsigned short GetUI2() const { return m_value.us; }
  unsigned long GetUI4() const { return m_value.ul; }
  unsigned long long GetUI8() const { return m_value.ull; }
  float GetR4() const { return m_value.f; }
  double GetR8() const { return m_value.d; }
  CDateTimeSpan GetDuration() const;
  CDateTime GetYearMonth() const;
  CDateTime GetMonthDay() const;
  unsigned short GetYear() const { return m_value.us; }
  unsigned char GetMonth() const { return m_value.uc; }
  unsigned char GetDay() const { return m_value.uc; }
  CDateTime GetDate() const;
  CDateTime GetDateTime() const;
  CDateTime GetTime() const;
  char GetChar() const { return m_value.c; }
  std::string GetString() const;
  bool GetBoolean() const { return m_value.b; }
  CDecimal GetDecimal() const;
  CBigInteger GetInteger() const;
  CSmartPtr<CXmlObjectBase> GetXmlObject() const;
  CSmartPtr<CXmlCollectionBase> GetXmlCollection() const;

  /// The kind's name ("i4", "datetime", ...); throws CVxException
  /// "Invalid Type %d" for 0, 27, 28 and unknown values.
  std::string GetType() const;
  /// The canonical text of the value; `format` (null is "") goes to the r4,
  /// r8 and decimal conversions. Throws "Invalid Type %d to convert to string"
  /// for kinds outside 1 to 26.
  std::string ToString(const char* format) const;
  /// Converts `text` as `type` and stores it; conversion failures pass out
  /// and leave the variant unchanged.
  void FromString(const std::string& text, ItemType type, CWhitespaceUtils::WhitespaceRule rule);

  /// Lets the accessor of a generated class hand this variant its members'
  /// strings, dates, decimals, big integers and binary data by reference
  /// instead of copies. The writers allow it on the variant of one value,
  /// which they read while the object lives unchanged; a copy of the
  /// variant always owns its value.
  void AllowLending() { m_lendable = true; }

 private:
  template <ItemType Kind>
  friend struct CValueKind;
  friend struct detail::VariantAccess;

  void CopyFrom(const VxVariant& other);
  // Holds `value`, a live object of the class `type` is held as, by
  // reference (lending is allowed).
  void Lend(ItemType type, const void* value) {
    Clear();
    m_value.p = const_cast<void*>(value);
    m_type = type;
    m_lent = true;
  }

  bool m_nil;
  bool m_lendable = false;  // AllowLending
  bool m_lent = false;      // m_value.p is not owned
  ItemType m_type;
  union Value {
    char c;
    short s;
    long l;
    long long ll;
    unsigned char uc;
    unsigned short us;
    unsigned long ul;
    unsigned long long ull;
    float f;
    double d;
    bool b;
    void* p;
  } m_value;
};

}  // namespace VxXmlLib10

#endif  // VXXML_VARIANT_H
