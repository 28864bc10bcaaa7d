// Fuzzes the font engine over arbitrary font bytes: open them as a font file, through the stream
// the program reads every font file with, convert a few glyphs into native outlines and read
// them back. Nothing may crash, and every outline read keeps the invariants.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "model/outline_invariants.h"
#include "native/native_reader.h"
#include "native/native_records.h"
#include "platform/font_engine.h"

namespace {

// True when the engine's buffer is exactly a sequence of whole polygons, each filled exactly by
// whole curve records of at least one point (two for a quadratic run, whole segments of three
// for a cubic one), so that nothing of it is lost when it is read back.
bool IsWellFormed(const std::vector<std::uint8_t>& bytes) {
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
  std::string Path() const { return "/proc/self/fd/" + std::to_string(Descriptor); }
  int Descriptor;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const MemoryFile file(data, size);
  if (file.Descriptor < 0) return 0;
  // An engine of its own for each input: nothing is kept from one font to the next.
  moji::FontEngine engine;
  const moji::FontFace* face =
      engine.Resolve(engine.FaceNameOf(moji::FaceIdentity::File(file.Path(), 0)));
  if (face == nullptr) std::abort();
  // The characters of the seed fonts, one beyond them, and both height conventions.
  for (const std::uint32_t codePoint : {0x9F8Du, 0x41u, 0x3042u, 0x6Fu, 0x25u, 0x20u}) {
    for (const std::int32_t height : {32, -32, 100000}) {
      const moji::NativeGlyph glyph = engine.Convert(*face, height, codePoint);
      if (glyph.Status != moji::GlyphStatus::Outline) continue;
      if (!IsWellFormed(glyph.Bytes)) std::abort();
      const moji::GlyphOutline outline = moji::WalkNativeOutline(glyph.Bytes, 1.0f / 32.0f, u"A");
      if (!moji::KeepsOutlineInvariants(outline)) std::abort();
    }
  }
  return 0;
}
