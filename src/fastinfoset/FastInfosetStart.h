// How a Fast Infoset document starts, for callers that see the first bytes
// of an input before deciding how to read it.
#ifndef VXXML_SRC_FASTINFOSET_FASTINFOSETSTART_H
#define VXXML_SRC_FASTINFOSET_FASTINFOSETSTART_H

#include <cstddef>
#include <cstdint>

namespace VxXmlLib10 {
namespace detail {

/// The bytes that tell: a Fast Infoset document is recognised from at most
/// this many.
constexpr std::size_t kFastInfosetStartLength = 64;

/// Whether `n` first bytes of an input (all of it when shorter than
/// kFastInfosetStartLength) start a Fast Infoset document, as the reader
/// recognises one: the octets E0 00 00 01 and at least one more, possibly
/// after one of the XML declarations with encoding='finf'.
bool StartsLikeFastInfoset(const unsigned char* p, std::uint64_t n);

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_FASTINFOSET_FASTINFOSETSTART_H
