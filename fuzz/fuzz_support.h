#pragma once
// What the fuzz targets over font bytes share: the bytes as a file in memory, through the stream
// the program reads every font file with, and the check that a native outline is whole.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "native/native_records.h"

namespace moji::fuzz {

// True when the engine's buffer is exactly a sequence of whole polygons, each filled exactly by
// whole curve records of at least one point (two for a quadratic run, whole segments of three
// for a cubic one), so that nothing of it is lost when it is read back.
inline bool IsWellFormed(const std::vector<std::uint8_t>& bytes) {
  std::size_t offset = 0;
  while (offset < bytes.size()) {
    moji::TTPOLYGONHEADER header;
    if (bytes.size() - offset < sizeof header) return false;
    std::memcpy(&header, bytes.data() + offset, sizeof header);
    if (header.cb < sizeof header || header.cb > bytes.size() - offset) return false;
    if (header.dwType != moji::TT_POLYGON_TYPE) return false;
    const std::size_t end = offset + header.cb;
    for (offset += sizeof header; offset < end;) {
      std::uint16_t head[2];
      if (end - offset < sizeof head) return false;
      std::memcpy(head, bytes.data() + offset, sizeof head);
      const std::size_t points = head[1];
      const bool known = head[0] == moji::TT_PRIM_LINE || head[0] == moji::TT_PRIM_QSPLINE ||
                         head[0] == moji::TT_PRIM_CSPLINE;
      if (!known || points == 0 || (head[0] == moji::TT_PRIM_QSPLINE && points < 2) ||
          (head[0] == moji::TT_PRIM_CSPLINE && points % 3 != 0)) {
        return false;
      }
      offset += sizeof head;
      if (points * moji::kPointSize > end - offset) return false;
      offset += points * moji::kPointSize;
    }
  }
  return true;
}

/// A file in memory holding the bytes, closed with the object.
struct MemoryFile {
  explicit MemoryFile(const std::uint8_t* data, std::size_t size)
      : Descriptor(memfd_create("font", MFD_CLOEXEC)) {
    for (std::size_t done = 0; Descriptor >= 0 && done < size;) {
      const ssize_t written = write(Descriptor, data + done, size - done);
      if (written <= 0) std::abort();
      done += static_cast<std::size_t>(written);
    }
  }
  ~MemoryFile() {
    if (Descriptor >= 0) close(Descriptor);
  }
  MemoryFile(const MemoryFile&) = delete;
  MemoryFile& operator=(const MemoryFile&) = delete;
  std::string Path() const { return "/proc/self/fd/" + std::to_string(Descriptor); }
  int Descriptor;
};

}  // namespace moji::fuzz
