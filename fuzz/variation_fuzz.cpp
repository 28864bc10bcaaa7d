// Fuzzes variable and Type 1 faces over arbitrary font bytes: open them as a font file through
// the program's block stream, read their design space, and convert glyphs at coordinates drawn
// from the input (within the axes, at their ends, far past them, at named instances) on the one
// open face, in a changing order. Nothing may crash or hang, and every outline is whole and keeps
// the invariants.
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>
#include <vector>

#include "fuzz_support.h"
#include "model/outline_invariants.h"
#include "native/native_reader.h"
#include "platform/font_engine.h"

namespace {

/// How many places of the design space each input is drawn at.
constexpr int kPlaces = 6;

/// A seed from every byte of the input (FNV-1a), so that any mutation moves the coordinates.
std::uint32_t SeedOf(const std::uint8_t* data, std::size_t size) {
  std::uint32_t hash = 2166136261u;
  for (std::size_t i = 0; i < size; ++i) hash = (hash ^ data[i]) * 16777619u;
  return hash;
}

/// A value for the axis: within its range mostly, sometimes at or far past its ends, or no number.
double ValueFor(const moji::VariationAxis& axis, std::minstd_rand& random) {
  const double range = axis.Maximum - axis.Minimum;
  switch (random() % 8) {
    case 0: return axis.Minimum;
    case 1: return axis.Maximum;
    case 2: return axis.Minimum - 1e6;
    case 3: return std::numeric_limits<double>::quiet_NaN();
    default: return axis.Minimum + range * static_cast<double>(random() % 1001) / 1000.0;
  }
}

/// A place of the design space: a named instance, axis values, or both.
moji::FaceVariation PlaceFor(const moji::FaceVariations& variations, std::minstd_rand& random) {
  moji::FaceVariation place;
  if (!variations.Instances.empty() && random() % 3 == 0) {
    place.Instance = variations.Instances[random() % variations.Instances.size()].EnglishName;
  }
  for (const moji::VariationAxis& axis : variations.Axes) {
    if (random() % 2 == 0) place.Axes.push_back({axis.Tag, ValueFor(axis, random)});
  }
  return place;
}

void CheckGlyph(moji::FontEngine& engine, const moji::FontFace& face, std::uint32_t codePoint) {
  const moji::NativeGlyph glyph = engine.Convert(face, 32, codePoint, true);
  if (glyph.Status != moji::GlyphStatus::Outline) {
    if (!glyph.Bytes.empty()) std::abort();
    return;
  }
  if (!moji::fuzz::IsWellFormed(glyph.Bytes)) std::abort();
  const moji::GlyphOutline outline = moji::WalkNativeOutline(glyph.Bytes, 1.0f / 32.0f, u"A");
  if (!moji::KeepsOutlineInvariants(outline)) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const moji::fuzz::MemoryFile file(data, size);
  if (file.Descriptor < 0) return 0;
  moji::FontEngine engine;
  const moji::FaceIdentity identity = moji::FaceIdentity::File(file.Path(), 0);
  const moji::FontFace* base = engine.Resolve(engine.FaceNameOf(identity));
  if (base == nullptr) std::abort();
  const moji::FaceVariations variations = engine.VariationsOf(*base);
  std::minstd_rand random(SeedOf(data, size));
  // The default instance between the others: each load sets the coordinates it needs.
  for (int place = 0; place < kPlaces; ++place) {
    const moji::FaceVariation variation =
        place % 3 == 2 ? moji::FaceVariation{} : PlaceFor(variations, random);
    const moji::FontFace* face = engine.Resolve(engine.FaceNameOf(identity.WithVariation(variation)));
    if (face == nullptr) std::abort();
    for (const std::uint32_t codePoint : {0x41u, 0x4Fu, 0x53u, 0x67u, 0x9F8Du}) {
      CheckGlyph(engine, *face, codePoint);
    }
  }
  return 0;
}
