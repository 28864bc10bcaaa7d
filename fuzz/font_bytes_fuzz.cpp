// Fuzzes the font engine over arbitrary font bytes: open them as a font file, through the stream
// the program reads every font file with, convert a few glyphs into native outlines and read
// them back. Nothing may crash, and every outline read keeps the invariants.
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/outline_invariants.h"
#include "native/native_reader.h"
#include "platform/font_engine.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const moji::fuzz::MemoryFile file(data, size);
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
      if (!moji::fuzz::IsWellFormed(glyph.Bytes)) std::abort();
      const moji::GlyphOutline outline = moji::WalkNativeOutline(glyph.Bytes, 1.0f / 32.0f, u"A");
      if (!moji::KeepsOutlineInvariants(outline)) std::abort();
    }
  }
  return 0;
}
