#pragma once
// The parts of a composite glyph, as the font's glyph table records them.

#include <cstdint>
#include <string>
#include <vector>

struct FT_FaceRec_;

namespace moji {

/// The flags of one component, as the glyph table spells them.
inline constexpr std::uint32_t kComponentArgsAreXYValues = 0x0002;
inline constexpr std::uint32_t kComponentRoundXYToGrid = 0x0004;
inline constexpr std::uint32_t kComponentUseMyMetrics = 0x0200;
inline constexpr std::uint32_t kComponentScaledOffset = 0x0800;
inline constexpr std::uint32_t kComponentUnscaledOffset = 0x1000;

/// One component of a composite glyph: the glyph it places, where and how, and which contours
/// of the flattened outline it gives.
struct GlyphComponent {
  std::uint32_t GlyphIndex = 0;
  /// The placed glyph's name, where the face names its glyphs.
  std::string GlyphName;
  /// With ArgsAreXYValues, the offset in font units; else the number of a point of the glyph
  /// built so far and of a point of this component, which are made to meet.
  std::int32_t Argument1 = 0;
  std::int32_t Argument2 = 0;
  /// The linear part: x' = XX x + XY y, y' = YX x + YY y.
  double XX = 1, XY = 0, YX = 0, YY = 1;
  /// The flags as the glyph table records them (the kComponent bits and the argument sizes).
  std::uint32_t Flags = 0;
  /// The contours this component gives the flattened outline: its first and how many.
  std::int32_t FirstContour = 0;
  std::int32_t ContourCount = 0;

  bool ArgsAreXYValues() const { return (Flags & kComponentArgsAreXYValues) != 0; }
  bool HasFlag(std::uint32_t flag) const { return (Flags & flag) != 0; }
  friend bool operator==(const GlyphComponent&, const GlyphComponent&) = default;
};

/// The components of glyph `glyphIndex` of an open face, in the order the font places them;
/// none for a glyph that is no composite or cannot be loaded. Loads glyphs into the face's slot.
std::vector<GlyphComponent> ComponentsOfGlyph(FT_FaceRec_* face, std::uint32_t glyphIndex);

/// The flags' names, in the glyph table's words ("USE_MY_METRICS", "ARGS_ARE_XY_VALUES" or
/// "POINT_MATCHING", ...), for the list of components and the JSON.
std::vector<std::string> ComponentFlagNames(const GlyphComponent& component);

}  // namespace moji
