// The window of the Fast Infoset reader, and the ways a document reaches it
// in pieces: a callback, a std::istream, a FILE* or a file named by path.
#include "fastinfoset/FastInfosetByteSource.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <istream>
#include <utility>

#include "fastinfoset/FastInfosetReaderState.h"
#include "fastinfoset/Messages.h"
#include "vxxml/FastInfosetReader.h"
#include "xml/Messages.h"

namespace VxXmlLib10 {
namespace detail {

FIByteSource::FIByteSource(Pull pull, size_t window)
    : p(nullptr), end(nullptr), m_pull(std::move(pull)), m_size(std::max<size_t>(window, 1)) {}

void FIByteSource::Reallocate(size_t capacity) {
  const size_t have = static_cast<size_t>(end - p);
  std::unique_ptr<unsigned char[]> window(new unsigned char[capacity]);
  if (have) std::memcpy(window.get(), p, have);
  m_window = std::move(window);
  m_capacity = capacity;
  p = m_window.get();
  end = p + have;
}

bool FIByteSource::Fill(uint64_t n) {
  size_t have = static_cast<size_t>(end - p);
  if (have >= n) return true;
  if (!m_pull || m_ended) return false;
  // The unread octets go to the start of the window: fewer than `n`, so
  // moving them costs less than reading the item. The window takes its
  // usual size on first use and again after a longer item.
  if (!m_window || (m_capacity > m_size && n <= m_size)) {
    Reallocate(m_size);
  } else if (p != m_window.get()) {
    std::memmove(m_window.get(), p, have);
    p = m_window.get();
    end = p + have;
  }
  while (have < n) {
    // A longer item doubles the window, and only once the octets read have
    // filled it: a claimed length costs memory only as its octets arrive.
    if (have == m_capacity)
      Reallocate(static_cast<size_t>(std::min<uint64_t>(n, 2 * uint64_t(m_capacity))));
    const size_t room = m_capacity - have;
    const size_t got = std::min(m_pull(m_window.get() + have, room), room);
    if (got == 0) {
      m_ended = true;
      return false;
    }
    have += got;
    end += got;
  }
  return true;
}

// Here rather than beside the decoders, so that it is never inlined into
// them: their fast path stays as short as it is over a buffer in memory.
const unsigned char* FIReaderState::TakeRefilled(uint64_t n) {
  if (!m_in.Fill(n)) ThrowFIEndOfFile();
  const unsigned char* start = m_in.p;
  m_in.p += n;
  return start;
}

}  // namespace detail

// ---- the ways in ----------------------------------------------------------------

namespace {

detail::FIByteSource::Pull FilePull(FILE* file, const char* path) {
  return [file, path](unsigned char* buffer, size_t capacity) -> size_t {
    errno = 0;
    const size_t got = std::fread(buffer, 1, capacity, file);
    if (got == 0 && std::ferror(file)) detail::ThrowFileReadFailed(path, errno);
    return got;
  };
}

}  // namespace

bool CFastInfosetReader::Parse(const Source& source, size_t window) {
  return detail::FIReaderRun::Parse(*this, detail::FIByteSource(source, window));
}

bool CFastInfosetReader::Parse(CXmlEventHandler& handler, const Source& source, size_t window) {
  return detail::FIReaderRun::Parse(*this, detail::FIByteSource(source, window), handler);
}

bool CFastInfosetReader::Parse(std::istream& input, size_t window) {
  return detail::FIReaderRun::Parse(*this, detail::FIByteSource(
      [&input](unsigned char* buffer, size_t capacity) -> size_t {
        input.read(reinterpret_cast<char*>(buffer), static_cast<std::streamsize>(capacity));
        if (input.bad()) detail::ThrowFIReadFailed();
        return static_cast<size_t>(input.gcount());
      },
      window));
}

bool CFastInfosetReader::Parse(FILE* file, size_t window) {
  if (!file) detail::ThrowFIReadFailed();
  return detail::FIReaderRun::Parse(*this, detail::FIByteSource(FilePull(file, ""), window));
}

bool CFastInfosetReader::ParseFile(const char* path, size_t window) {
  FILE* file = path ? std::fopen(path, "rb") : nullptr;
  if (!file) detail::ThrowFileOpenFailed(path);
  try {
    const bool parsed =
        detail::FIReaderRun::Parse(*this, detail::FIByteSource(FilePull(file, path), window));
    std::fclose(file);
    return parsed;
  } catch (...) {
    std::fclose(file);
    throw;
  }
}

}  // namespace VxXmlLib10
