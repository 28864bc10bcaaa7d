#include "platform/glyph_components.h"

#include <ft2build.h>
#include FT_FONT_FORMATS_H
#include FT_FREETYPE_H

#include <string_view>

namespace moji {
namespace {

/// What a component is loaded as: one level only, unscaled, unhinted.
constexpr FT_Int32 kComponentLoad = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

/// The most components read of one glyph: a composite of more is a broken one.
constexpr FT_UInt kMostComponents = 1024;

double FromFixed(FT_Fixed value) { return static_cast<double>(value) / 65536.0; }

std::string NameOf(FT_Face face, FT_UInt index) {
  char name[128] = {};
  if (!FT_HAS_GLYPH_NAMES(face) || FT_Get_Glyph_Name(face, index, name, sizeof name) != 0) return {};
  return name;
}

/// How many contours the glyph has once flattened; 0 for one that cannot be loaded.
std::int32_t FlattenedContours(FT_Face face, FT_UInt index) {
  if (FT_Load_Glyph(face, index, kComponentLoad) != 0 || face->glyph->format != FT_GLYPH_FORMAT_OUTLINE) {
    return 0;
  }
  return face->glyph->outline.n_contours > 0 ? face->glyph->outline.n_contours : 0;
}

/// Whether the face's glyphs can be composites FreeType reads the parts of: TrueType glyphs, and
/// Type 1 accented characters (seac). A CFF face's accents are resolved inside its driver.
bool HasComposites(FT_Face face) {
  const char* format = FT_Get_Font_Format(face);
  return format != nullptr && (std::string_view(format) == "TrueType" || std::string_view(format) == "Type 1");
}

}  // namespace

std::vector<GlyphComponent> ComponentsOfGlyph(FT_FaceRec_* face, std::uint32_t glyphIndex) {
  std::vector<GlyphComponent> components;
  if (face == nullptr || glyphIndex >= static_cast<std::uint32_t>(face->num_glyphs) || !HasComposites(face) ||
      FT_Load_Glyph(face, glyphIndex, kComponentLoad | FT_LOAD_NO_RECURSE) != 0) {
    return components;
  }
  const FT_GlyphSlot slot = face->glyph;
  if (slot->format != FT_GLYPH_FORMAT_COMPOSITE || slot->num_subglyphs > kMostComponents) return components;
  for (FT_UInt sub = 0; sub < slot->num_subglyphs; ++sub) {
    FT_Int index = 0;
    FT_UInt flags = 0;
    FT_Int argument1 = 0, argument2 = 0;
    FT_Matrix matrix{0x10000, 0, 0, 0x10000};
    if (FT_Get_SubGlyph_Info(slot, sub, &index, &flags, &argument1, &argument2, &matrix) != 0) break;
    GlyphComponent component;
    component.GlyphIndex = static_cast<std::uint32_t>(index);
    component.Argument1 = argument1;
    component.Argument2 = argument2;
    component.XX = FromFixed(matrix.xx);
    component.XY = FromFixed(matrix.xy);
    component.YX = FromFixed(matrix.yx);
    component.YY = FromFixed(matrix.yy);
    component.Flags = flags;
    components.push_back(component);
  }
  // Each component's own glyph is loaded only now: a load replaces the composite's subglyphs.
  std::int32_t contour = 0;
  for (GlyphComponent& component : components) {
    component.GlyphName = NameOf(face, component.GlyphIndex);
    component.FirstContour = contour;
    component.ContourCount = FlattenedContours(face, component.GlyphIndex);
    contour += component.ContourCount;
  }
  return components;
}

std::vector<std::string> ComponentFlagNames(const GlyphComponent& component) {
  std::vector<std::string> names;
  names.emplace_back(component.ArgsAreXYValues() ? "ARGS_ARE_XY_VALUES" : "POINT_MATCHING");
  if (component.HasFlag(kComponentRoundXYToGrid)) names.emplace_back("ROUND_XY_TO_GRID");
  if (component.HasFlag(kComponentUseMyMetrics)) names.emplace_back("USE_MY_METRICS");
  if (component.HasFlag(kComponentScaledOffset)) names.emplace_back("SCALED_COMPONENT_OFFSET");
  if (component.HasFlag(kComponentUnscaledOffset)) names.emplace_back("UNSCALED_COMPONENT_OFFSET");
  return names;
}

}  // namespace moji
