#include "platform/hinted_glyph.h"

#include <ft2build.h>

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <span>
#include <string_view>
#include <utility>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H

namespace moji {
namespace {

/// Embedded bitmaps are never used: the outline is what is hinted and rendered.
constexpr FT_Int32 kUnscaledLoad = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;
constexpr FT_Int32 kUnhintedLoad = FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

/// Which hinter the load runs, and what it hints for: the autohinter forced even where the font
/// has hints, or the font's hints with the autohinter kept out.
FT_Int32 HintedLoadFlags(const HintingRequest& request) {
  const FT_Int32 target =
      request.Antialias == Antialiasing::Mono ? FT_LOAD_TARGET_MONO : FT_LOAD_TARGET_NORMAL;
  switch (request.Hinting) {
    case HintingMode::None: return kUnhintedLoad;
    case HintingMode::Light: return FT_LOAD_NO_BITMAP | FT_LOAD_FORCE_AUTOHINT | FT_LOAD_TARGET_LIGHT;
    case HintingMode::Auto: return FT_LOAD_NO_BITMAP | FT_LOAD_FORCE_AUTOHINT | target;
    case HintingMode::Font: return FT_LOAD_NO_BITMAP | FT_LOAD_NO_AUTOHINT | target;
  }
  return kUnhintedLoad;
}

/// Whether the load runs the font's TrueType instructions.
bool RunsTrueTypeInstructions(FT_Face ft, const HintingRequest& request) {
  const char* format = FT_Get_Font_Format(ft);
  return request.Hinting == HintingMode::Font && format != nullptr &&
         std::string_view(format) == "TrueType";
}

PointKind KindOfTag(char tag) {
  const int curve = FT_CURVE_TAG(tag);
  if (curve == FT_CURVE_TAG_ON) return PointKind::OnCurve;
  return curve == FT_CURVE_TAG_CUBIC ? PointKind::CubicControl : PointKind::QuadraticControl;
}

/// The points, kinds and contour ends of a loaded outline; false when its counts do not hold
/// together (contour ends out of order or past the points).
bool ReadOutline(const FT_Outline& outline, ScaledOutline& out) {
  if (outline.n_points < 0 || outline.n_contours < 0) return false;
  if (outline.n_points > 0 && (outline.points == nullptr || outline.tags == nullptr)) return false;
  if (outline.n_contours > 0 && outline.contours == nullptr) return false;
  for (int p = 0; p < outline.n_points; ++p) {
    out.Points.push_back({outline.points[p].x, outline.points[p].y});
    out.Kinds.push_back(KindOfTag(outline.tags[p]));
  }
  // Read as long: the contour ends are short in older FreeType releases, unsigned short in newer.
  long previous = -1;
  for (int c = 0; c < outline.n_contours; ++c) {
    const long end = outline.contours[c];
    if (end <= previous || end >= outline.n_points) return false;
    out.Ends.push_back(static_cast<std::size_t>(end));
    previous = end;
  }
  return true;
}

/// Loads the glyph with `flags` into the face's slot and reads its outline; false, with `out`
/// empty, when FreeType refuses the load or gives no outline.
bool LoadOutline(FT_Face ft, FT_UInt index, FT_Int32 flags, ScaledOutline& out) {
  out = {};
  if (FT_Load_Glyph(ft, index, flags) == 0 && ft->glyph->format == FT_GLYPH_FORMAT_OUTLINE &&
      ReadOutline(ft->glyph->outline, out)) {
    return true;
  }
  out = {};
  return false;
}

/// The font's number of each point: the k-th point of a contour is the k-th point of the same
/// contour unscaled. A contour's closing point that lands on its first point is left out of a
/// load; where the unscaled load left it out and this one kept it (CFF hints can move the two
/// apart), it has the first point's number. Nothing is numbered where the contours differ more.
std::vector<std::int32_t> NumbersOf(const ScaledOutline& scaled,
                                    std::span<const std::size_t> unscaledEnds) {
  std::vector<std::int32_t> numbers(scaled.Points.size(), -1);
  if (scaled.Ends.size() != unscaledEnds.size()) return numbers;
  std::size_t first = 0;
  std::size_t unscaledFirst = 0;
  for (std::size_t c = 0; c < scaled.Ends.size(); ++c) {
    const std::size_t unscaledCount = unscaledEnds[c] + 1 - unscaledFirst;
    for (std::size_t p = first; p <= scaled.Ends[c] && p - first <= unscaledCount; ++p) {
      const std::size_t k = p - first < unscaledCount ? p - first : 0;
      numbers[p] = static_cast<std::int32_t>(unscaledFirst + k);
    }
    first = scaled.Ends[c] + 1;
    unscaledFirst = unscaledEnds[c] + 1;
  }
  return numbers;
}

/// FreeType's rendering of the glyph in the slot; an empty bitmap when it renders none.
GlyphBitmap RenderedBitmap(FT_GlyphSlot slot, Antialiasing mode) {
  GlyphBitmap bitmap;
  bitmap.Mode = mode;
  const FT_Render_Mode renderMode =
      mode == Antialiasing::Mono ? FT_RENDER_MODE_MONO : FT_RENDER_MODE_NORMAL;
  if (FT_Render_Glyph(slot, renderMode) != 0) return bitmap;
  const FT_Bitmap& rendered = slot->bitmap;
  constexpr unsigned kMostRows = std::numeric_limits<std::int32_t>::max();
  if (rendered.buffer == nullptr || rendered.rows > kMostRows || rendered.width > kMostRows) {
    return bitmap;
  }
  bitmap.Width = static_cast<std::int32_t>(rendered.width);
  bitmap.Rows = static_cast<std::int32_t>(rendered.rows);
  bitmap.Pitch = rendered.pitch;
  bitmap.Left = slot->bitmap_left;
  bitmap.Top = slot->bitmap_top;
  const std::size_t bytes = std::size_t{rendered.rows} * static_cast<std::size_t>(std::abs(rendered.pitch));
  bitmap.Pixels.assign(rendered.buffer, rendered.buffer + bytes);
  return bitmap;
}

/// What a request finds where the face has no outline glyph.
HintedGlyph NoGlyph(const HintingRequest& request) {
  HintedGlyph glyph;
  glyph.Request = request;
  glyph.Request.Ppem = std::clamp(request.Ppem, kSmallestPpem, kLargestPpem);
  return glyph;
}

/// The hinted load and its rendering into `glyph`; false, with `glyph` untouched, where hinting
/// fails.
bool LoadHinted(FontEngine& engine, FT_Face ft, FT_UInt index, HintedGlyph& glyph) {
  const HintingRequest& request = glyph.Request;
  FT_Int32 flags = HintedLoadFlags(request);
  if (RunsTrueTypeInstructions(ft, request)) {
    // Past a failing instruction FreeType goes on and leaves the glyph hinted in part; a
    // pedantic load fails instead, and where no instruction fails it hints as any load does.
    const unsigned version = request.Interpreter == TrueTypeInterpreter::V35 ? 35 : 40;
    if (!engine.UseTrueTypeInterpreter(version)) return false;
    flags |= FT_LOAD_PEDANTIC;
  }
  ScaledOutline hinted;
  if (!LoadOutline(ft, index, flags, hinted)) return false;
  glyph.Hinted = std::move(hinted);
  glyph.HintedAdvance = ft->glyph->advance.x;
  glyph.Bitmap = RenderedBitmap(ft->glyph, request.Antialias);
  return true;
}

}  // namespace

HintedGlyph LoadHintedGlyph(FontEngine& engine, const FontFace& face, std::uint32_t codePoint,
                            const HintingRequest& request) {
  const FT_Face ft = engine.OpenedFace(face);
  const FT_UInt index = ft == nullptr ? 0 : FT_Get_Char_Index(ft, codePoint);
  if (index == 0) return NoGlyph(request);
  return LoadHintedGlyphByIndex(engine, face, index, request);
}

HintedGlyph LoadHintedGlyphByIndex(FontEngine& engine, const FontFace& face, std::uint32_t glyphIndex,
                                   const HintingRequest& request) {
  HintedGlyph glyph = NoGlyph(request);
  const FT_Face ft = engine.OpenedFace(face);
  if (ft == nullptr || glyphIndex >= static_cast<std::uint32_t>(ft->num_glyphs)) return glyph;
  const FT_UInt index = glyphIndex;
  ScaledOutline unscaled;
  if (FT_Set_Pixel_Sizes(ft, 0, static_cast<FT_UInt>(glyph.Request.Ppem)) != 0 ||
      !LoadOutline(ft, index, kUnscaledLoad, unscaled)) {
    return glyph;
  }
  const bool hinting = glyph.Request.Hinting != HintingMode::None;
  const bool hinted = hinting && LoadHinted(engine, ft, index, glyph);
  // The unhinted load comes last, so that where nothing was hinted its slot is what is rendered.
  if (!LoadOutline(ft, index, kUnhintedLoad, glyph.Unhinted)) return NoGlyph(glyph.Request);
  glyph.UnhintedAdvance = ft->glyph->advance.x;
  if (!hinted) {
    glyph.Hinted = glyph.Unhinted;
    glyph.HintedAdvance = glyph.UnhintedAdvance;
    glyph.Bitmap = RenderedBitmap(ft->glyph, glyph.Request.Antialias);
  }
  glyph.Unhinted.Numbers = NumbersOf(glyph.Unhinted, unscaled.Ends);
  glyph.Hinted.Numbers = NumbersOf(glyph.Hinted, unscaled.Ends);
  glyph.Found = true;
  glyph.GlyphIndex = index;
  glyph.HintingFailed = hinting && !hinted;
  return glyph;
}

}  // namespace moji
