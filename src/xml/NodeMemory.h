// Memory of the document tree's nodes. Every CXmlElement and CXmlAttribute
// sits behind a small header that says where its memory came from: the heap
// (plain `new`) or the arena of the document that parsed it. Deleting a node
// runs its destructor either way and returns heap memory at once; arena
// memory goes back in one piece when the document is cleaned up, which spares
// the reader a malloc and a free per node.
#ifndef VXXML_SRC_XML_NODEMEMORY_H
#define VXXML_SRC_XML_NODEMEMORY_H

#include <cstddef>
#include <new>

namespace VxXmlLib10 {
namespace detail {

// Nodes hold pointers and strings: eight-byte alignment is all they need, so
// the header costs eight bytes.
constexpr std::size_t kNodeAlignment = 8;

struct alignas(kNodeAlignment) NodeHeader {
  bool inArena;
};

inline NodeHeader* HeaderOf(const void* node) {
  return const_cast<NodeHeader*>(static_cast<const NodeHeader*>(node) - 1);
}

inline void* NewHeapNode(std::size_t size) {
  NodeHeader* header = static_cast<NodeHeader*>(::operator new(sizeof(NodeHeader) + size));
  header->inArena = false;
  return header + 1;
}

inline void DeleteNode(void* node) noexcept {
  if (!node) return;
  NodeHeader* header = HeaderOf(node);
  if (!header->inArena) ::operator delete(header);
}

inline bool InArena(const void* node) { return HeaderOf(node)->inArena; }

// Marks `block` (room for a header and `size` bytes) as arena memory and
// returns where the node goes.
inline void* PlaceArenaNode(void* block) {
  NodeHeader* header = static_cast<NodeHeader*>(block);
  header->inArena = true;
  return header + 1;
}

inline constexpr std::size_t ArenaNodeSize(std::size_t size) {
  return (sizeof(NodeHeader) + size + kNodeAlignment - 1) / kNodeAlignment * kNodeAlignment;
}

}  // namespace detail
}  // namespace VxXmlLib10

#endif  // VXXML_SRC_XML_NODEMEMORY_H
