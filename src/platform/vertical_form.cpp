#include "platform/vertical_form.h"

#include <ft2build.h>
#include <hb-ft.h>
#include <hb-ot.h>
#include <hb.h>

#include <memory>
#include <vector>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include "platform/font_engine.h"

namespace moji {
namespace {

struct FontDeleter {
  void operator()(hb_font_t* font) const { hb_font_destroy(font); }
};
using HbFont = std::unique_ptr<hb_font_t, FontDeleter>;

struct BufferDeleter {
  void operator()(hb_buffer_t* buffer) const { hb_buffer_destroy(buffer); }
};

/// A shaping font over the open face's tables, in font units, at the face's design coordinates.
/// Its glyph functions are HarfBuzz's own readers of the tables, so it leaves the FreeType slot
/// as it was.
HbFont ShapingFontOf(FT_Face ft, const FontFace& face) {
  hb_face_t* hbFace = hb_ft_face_create_referenced(ft);
  HbFont font(hb_font_create(hbFace));
  hb_face_destroy(hbFace);
  const int upem = static_cast<int>(ft->units_per_EM);
  hb_font_set_scale(font.get(), upem, upem);
  if (!face.Coordinates.empty()) {
    std::vector<float> design;
    for (const std::int32_t fixed : face.Coordinates) design.push_back(static_cast<float>(fixed) / 65536.0f);
    hb_font_set_var_coords_design(font.get(), design.data(), static_cast<unsigned>(design.size()));
  }
  return font;
}

/// Japanese text is kana or han to a font's layout tables; an ideograph is han, all else kana.
hb_script_t JapaneseScriptOf(std::uint32_t codePoint) {
  const hb_script_t script = hb_unicode_script(hb_unicode_funcs_get_default(), codePoint);
  return script == HB_SCRIPT_HAN ? HB_SCRIPT_HAN : HB_SCRIPT_KATAKANA;
}

std::uint32_t ShapedVertically(hb_font_t* font, std::uint32_t codePoint) {
  std::unique_ptr<hb_buffer_t, BufferDeleter> buffer(hb_buffer_create());
  const std::uint32_t text[] = {codePoint};
  hb_buffer_add_utf32(buffer.get(), text, 1, 0, 1);
  hb_buffer_set_direction(buffer.get(), HB_DIRECTION_TTB);
  hb_buffer_set_script(buffer.get(), JapaneseScriptOf(codePoint));
  hb_buffer_set_language(buffer.get(), hb_language_from_string("ja", -1));
  const hb_feature_t features[] = {{HB_TAG('v', 'e', 'r', 't'), 1, 0, static_cast<unsigned>(-1)},
                                   {HB_TAG('v', 'r', 't', '2'), 1, 0, static_cast<unsigned>(-1)}};
  hb_shape(font, buffer.get(), features, 2);
  unsigned count = 0;
  const hb_glyph_info_t* glyphs = hb_buffer_get_glyph_infos(buffer.get(), &count);
  return count == 0 ? 0 : glyphs[0].codepoint;
}

bool HasTable(FT_Face ft, FT_ULong tag) {
  FT_ULong length = 0;
  return FT_Load_Sfnt_Table(ft, tag, 0, nullptr, &length) == 0 && length > 0;
}

VerticalMetrics MetricsOfGlyph(FT_Face ft, hb_font_t* font, std::uint32_t glyphIndex) {
  VerticalMetrics metrics;
  metrics.HasVerticalTables = FT_HAS_VERTICAL(ft);
  metrics.HasVerticalOrigins = HasTable(ft, FT_MAKE_TAG('V', 'O', 'R', 'G'));
  hb_position_t x = 0, y = 0;
  hb_font_get_glyph_v_origin(font, glyphIndex, &x, &y);
  metrics.OriginX = x;
  metrics.OriginY = y;
  // HarfBuzz measures up: a column's advance is negative.
  metrics.Advance = -static_cast<double>(hb_font_get_glyph_v_advance(font, glyphIndex));
  hb_glyph_extents_t extents{};
  if (hb_font_get_glyph_extents(font, glyphIndex, &extents) != 0 && extents.height != 0) {
    metrics.TopSideBearing = static_cast<double>(y) - extents.y_bearing;
  }
  return metrics;
}

}  // namespace

std::optional<VerticalForm> VerticalFormOf(FontEngine& engine, const FontFace& face,
                                           std::uint32_t codePoint) {
  const FT_Face ft = engine.OpenedFace(face);
  if (ft == nullptr) return std::nullopt;
  const HbFont font = ShapingFontOf(ft, face);
  VerticalForm form;
  form.HorizontalIndex = FT_Get_Char_Index(ft, codePoint);
  form.GlyphIndex = form.HorizontalIndex == 0 ? 0 : ShapedVertically(font.get(), codePoint);
  // A face whose tables the shaper cannot read (a Type 1 font has none) shapes to no glyph:
  // vertical text sets the character's own glyph there.
  if (form.GlyphIndex == 0) form.GlyphIndex = form.HorizontalIndex;
  form.Metrics = MetricsOfGlyph(ft, font.get(), form.GlyphIndex);
  return form;
}

std::optional<VerticalMetrics> VerticalMetricsOf(FontEngine& engine, const FontFace& face,
                                                 std::uint32_t glyphIndex) {
  const FT_Face ft = engine.OpenedFace(face);
  if (ft == nullptr || glyphIndex >= static_cast<std::uint32_t>(ft->num_glyphs)) return std::nullopt;
  const HbFont font = ShapingFontOf(ft, face);
  return MetricsOfGlyph(ft, font.get(), glyphIndex);
}

}  // namespace moji
