// Fast Infoset options.
#include "vxxml/FastInfosetContext.h"

namespace VxXmlLib10 {

CFastInfosetContext::CFastInfosetContext()
    : m_defaultStringEncoding(0),
      m_attributeMaxAddLength(6),
      m_elementMaxAddLength(6),
      m_useGeneratedVocabulary(false) {
  for (auto& e : m_encodings) e = {EncodedCharacterString::Kind_String, 0};
}

CFastInfosetContext::~CFastInfosetContext() = default;

CFastInfosetContext::EncodedCharacterString CFastInfosetContext::GetEncoding(
    unsigned long itemType) const {
  if (itemType >= ENCODING_TABLE_SIZE) return {EncodedCharacterString::Kind_String, 0};
  return m_encodings[itemType];
}

void CFastInfosetContext::SetEncoding(unsigned long itemType, EncodedCharacterString encoding) {
  if (itemType < ENCODING_TABLE_SIZE) m_encodings[itemType] = encoding;
}

void CFastInfosetContext::SetSuggestedValues() {
  const auto algorithm = EncodedCharacterString::Kind_EncodingAlgorithm;
  const auto alphabet = EncodedCharacterString::Kind_RestrictedAlphabet;
  // Built-in algorithm numbers: 1 hexadecimal, 2 base64, 3 short, 4 int,
  // 5 long, 6 boolean, 7 float, 8 double. Unsigned kinds take the next wider
  // signed algorithm.
  const struct {
    ItemType type;
    EncodedCharacterString::Kind kind;
    unsigned long index;
  } suggested[] = {
      {ItemType_hexBinary, algorithm, 1}, {ItemType_base64Binary, algorithm, 2},
      {ItemType_i1, algorithm, 3},        {ItemType_i2, algorithm, 3},
      {ItemType_i4, algorithm, 4},        {ItemType_i8, algorithm, 5},
      {ItemType_ui1, algorithm, 3},       {ItemType_ui2, algorithm, 4},
      {ItemType_ui4, algorithm, 5},       {ItemType_ui8, algorithm, 5},
      {ItemType_r4, algorithm, 7},        {ItemType_r8, algorithm, 8},
      {ItemType_duration, EncodedCharacterString::Kind_String, 0},
      {ItemType_yearMonth, alphabet, 2},  {ItemType_monthDay, alphabet, 2},
      {ItemType_year, alphabet, 2},       {ItemType_month, alphabet, 2},
      {ItemType_day, alphabet, 2},        {ItemType_date, alphabet, 2},
      {ItemType_datetime, alphabet, 2},   {ItemType_time, alphabet, 2},
      {ItemType_boolean, algorithm, 6},   {ItemType_decimal, alphabet, 1},
      {ItemType_integer, alphabet, 1},
  };
  for (const auto& s : suggested) m_encodings[s.type] = {s.kind, s.index};
}

}  // namespace VxXmlLib10
