// Whitespace treatments and text helpers.
#include "vxxml/Whitespace.h"

#include <cstdio>
#include <cstring>

#include "types/Messages.h"

namespace VxXmlLib10 {

std::string CWhitespaceUtils::Preserve(const std::string& text) {
  return Preserve(text.data(), static_cast<int>(text.size()));
}

std::string CWhitespaceUtils::Preserve(const char* text, int length) {
  if (!text || length <= 0) return std::string();
  // Most texts hold no carriage return and are copied in one piece.
  const char* cr = static_cast<const char*>(std::memchr(text, '\r', length));
  if (!cr) return std::string(text, length);
  std::string out(text, cr - text);
  out.reserve(length);
  for (int i = static_cast<int>(cr - text); i < length; ++i) {
    if (text[i] == '\r') {
      out += '\n';
      if (i + 1 < length && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::string CWhitespaceUtils::Replace(const std::string& text) {
  size_t first = 0;
  while (first < text.size() && text[first] != '\r' && text[first] != '\n' && text[first] != '\t')
    ++first;
  if (first == text.size()) return text;
  std::string out(text, 0, first);
  out.reserve(text.size());
  for (size_t i = first; i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\r') {
      out += ' ';
      if (i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else if (c == '\n' || c == '\t') {
      out += ' ';
    } else {
      out += c;
    }
  }
  return out;
}

std::string CWhitespaceUtils::Collapse(const std::string& text) {
  // Already collapsed (no whitespace at either end, no whitespace but single
  // spaces inside): a plain copy.
  bool collapsed = text.empty() || (!IsWhiteSpace(text.front()) && !IsWhiteSpace(text.back()));
  for (std::size_t i = 0; collapsed && i < text.size(); ++i) {
    const char c = text[i];
    if (c == '\t' || c == '\n' || c == '\r' || (c == ' ' && text[i + 1] == ' '))
      collapsed = false;
  }
  if (collapsed) return text;
  std::string out;
  out.reserve(text.size());
  bool inRun = false;
  for (char c : text) {
    if (IsWhiteSpace(c)) {
      inRun = true;
      continue;
    }
    if (inRun && !out.empty()) out += ' ';
    inRun = false;
    out += c;
  }
  return out;
}

std::string CWhitespaceUtils::ApplyRule(WhitespaceRule rule, const std::string& text) {
  switch (rule) {
    case WhitespaceRule_None: return text;
    case WhitespaceRule_Preserve: return Preserve(text);
    case WhitespaceRule_Replace: return Replace(text);
    case WhitespaceRule_Collapse: return Collapse(text);
  }
  detail::ThrowUnknownWhitespaceRule();
}

std::string PadZero(int value, unsigned char width) {
  char buf[48];
  std::snprintf(buf, sizeof buf, "%0*d", static_cast<int>(width), value);
  return buf;
}

std::string ToFracString(unsigned short milli, unsigned short micro, unsigned short nano) {
  if (milli == 0 && micro == 0 && nano == 0) return std::string();
  if (nano != 0)
    return "." + PadZero(milli, 3) + PadZero(micro, 3) + TrimTrainingZeros(PadZero(nano, 3));
  if (micro != 0) return "." + PadZero(milli, 3) + TrimTrainingZeros(PadZero(micro, 3));
  return "." + TrimTrainingZeros(PadZero(milli, 3));
}

std::string TrimTrainingZeros(std::string text) {
  size_t end = text.size();
  while (end > 1 && text[end - 1] == '0') --end;
  text.resize(end);
  return text;
}

template <class S>
static void FindReplaceImpl(S& text, const S& what, const S& with) {
  if (what.empty()) return;
  // The result equals restarting every search at the beginning of the text:
  // no match can start before the replaced place minus what.size() - 1, so the
  // search resumes there, and a replacement that joins neighbouring text into
  // a new match is still replaced.
  for (size_t pos = text.find(what); pos != S::npos;) {
    text.replace(pos, what.size(), with);
    pos = text.find(what, pos >= what.size() - 1 ? pos - (what.size() - 1) : 0);
  }
}

void FindReplace(std::string& text, const std::string& what, const std::string& with) {
  FindReplaceImpl(text, what, with);
}
void FindReplace(std::wstring& text, const std::wstring& what, const std::wstring& with) {
  FindReplaceImpl(text, what, with);
}

}  // namespace VxXmlLib10
