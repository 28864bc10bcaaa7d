#include "platform/font_engine.h"

#include <fontconfig/fontconfig.h>

#include <algorithm>
#include <map>
#include <memory>
#include <optional>
#include <unordered_map>
#include <utility>
#include FT_TRUETYPE_TABLES_H
#include FT_TRUETYPE_TAGS_H

#include "platform/installed_faces.h"
#include "platform/native_outline_builder.h"

namespace moji {
namespace {

/// Unscaled, unhinted outlines with composite glyphs resolved; never an embedded bitmap.
constexpr FT_Int32 kOutlineLoadFlags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

/// What FreeType's sfnt loader stores in an OS/2 record's version when the font has no OS/2 table.
constexpr FT_UShort kMissingTableVersion = 0xFFFF;

struct NameHash {
  using is_transparent = void;
  std::size_t operator()(std::string_view name) const {
    return std::hash<std::string_view>{}(name);
  }
};

FaceUnits UnitsOf(FT_Face ft) {
  FaceUnits units;
  units.Em = ft->units_per_EM;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
  if (os2 != nullptr && os2->version == kMissingTableVersion) os2 = nullptr;
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    units.Ascent = os2->usWinAscent;
    units.Descent = os2->usWinDescent;
  } else if (hhea != nullptr && hhea->Ascender - hhea->Descender > 0) {
    units.Ascent = hhea->Ascender;
    units.Descent = -hhea->Descender;
  } else {
    units.Ascent = units.Em;
  }
  if (hhea != nullptr) {
    units.LineGap = hhea->Line_Gap;
    units.MaxWidth = hhea->advance_Width_Max;
  }
  if (os2 != nullptr) {
    units.AverageWidth = os2->xAvgCharWidth;
    units.Weight = os2->usWeightClass;
    units.FirstChar = os2->usFirstCharIndex;
    units.LastChar = os2->usLastCharIndex;
  }
  return units;
}

bool HasTrueTypeOutlines(FT_Face ft) {
  FT_ULong glyfLength = 0;
  return FT_IS_SFNT(ft) && FT_IS_SCALABLE(ft) &&
         FT_Load_Sfnt_Table(ft, TTAG_glyf, 0, nullptr, &glyfLength) == 0;
}

std::unique_ptr<FontFace> Describe(FT_Face ft) {
  auto face = std::make_unique<FontFace>();
  face->IsTrueType = HasTrueTypeOutlines(ft);
  face->IsItalic = (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  face->IsFixedPitch = FT_IS_FIXED_WIDTH(ft);
  face->IsScalable = FT_IS_SCALABLE(ft);
  face->Units = UnitsOf(ft);
  if (ft->family_name != nullptr) face->FamilyName = ft->family_name;
  return face;
}

std::int32_t FloorPixel(std::int32_t fixed) { return fixed >> 16; }

std::int32_t CeilPixel(std::int32_t fixed) {
  return static_cast<std::int32_t>((std::int64_t{fixed} + 0xFFFF) >> 16);
}

/// Black box, origin and advance in pixels. An unscaled load leaves the glyph's control box in
/// font units in the slot's metrics, so no second walk over the points is needed.
GLYPHMETRICS MetricsOf(const FT_GlyphSlot slot, const NativeScale& scale) {
  const FT_Glyph_Metrics& units = slot->metrics;
  const std::int32_t left = FloorPixel(ScaleToFixed(units.horiBearingX, scale));
  const std::int32_t right = CeilPixel(ScaleToFixed(units.horiBearingX + units.width, scale));
  const std::int32_t bottom = FloorPixel(ScaleToFixed(units.horiBearingY - units.height, scale));
  const std::int32_t top = CeilPixel(ScaleToFixed(units.horiBearingY, scale));
  const std::int64_t advance =
      (std::int64_t{ScaleToFixed(units.horiAdvance, scale)} + 0x8000) >> 16;
  GLYPHMETRICS metrics{};
  metrics.gmBlackBoxX =
      static_cast<std::uint32_t>(std::max<std::int64_t>(1, std::int64_t{right} - left));
  metrics.gmBlackBoxY =
      static_cast<std::uint32_t>(std::max<std::int64_t>(1, std::int64_t{top} - bottom));
  metrics.gmptGlyphOrigin = {left, top};
  metrics.gmCellIncX = static_cast<std::int16_t>(std::clamp<std::int64_t>(advance, -32768, 32767));
  return metrics;
}

bool IsValidUtf8(std::string_view text) {
  if (text.size() > 4096) return false;
  int characters = 0;
  int width = 0;
  return FcUtf8Len(reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()),
                   &characters, &width) == FcTrue;
}

bool IsListedAsTrueType(FcPattern* font) {
  FcChar8* format = nullptr;
  if (FcPatternGetString(font, FC_FONTFORMAT, 0, &format) != FcResultMatch) return true;
  return std::string_view(reinterpret_cast<const char*>(format)) == "TrueType";
}

class FontEngine {
 public:
  FontEngine() = default;
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  ~FontEngine() {
    for (auto& [key, face] : faces_) {
      if (face != nullptr && face->Face != nullptr) FT_Done_Face(face->Face);
    }
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }

  const FontFace* Open(const std::string& path, long index) {
    auto key = std::make_pair(path, index);
    if (const auto found = faces_.find(key); found != faces_.end()) return found->second.get();
    std::unique_ptr<FontFace> face;
    FT_Face ft = nullptr;
    if (Library() != nullptr && index >= 0 &&
        FT_New_Face(library_, path.c_str(), index, &ft) == 0) {
      face = Describe(ft);
      face->File = path;
      face->Index = index;
      FT_Done_Face(ft);  // opened again when a glyph is asked of it
    }
    const FontFace* opened = face.get();
    faces_.emplace(std::move(key), std::move(face));
    return opened;
  }

  const FontFace* Resolve(std::string_view name) {
    if (lastResolution_ != nullptr && lastResolution_->first == name) {
      return lastResolution_->second;
    }
    if (const auto found = resolutions_.find(name); found != resolutions_.end()) {
      lastResolution_ = &*found;
      return found->second;
    }
    const FontFace* face = nullptr;
    bool installed = false;
    if (!name.empty()) {
      for (const InstalledFont* font : FontsNamed(InstalledFonts(), name)) {
        installed = true;
        face = Open(font->File, font->Index);
        if (face != nullptr) break;
      }
    }
    // A name no installed family has gets fontconfig's choice. An installed family none of
    // whose files opens (damaged after fontconfig cached it) resolves to nothing: drawing
    // another face's glyphs under its name would show the user a wrong outline.
    if (face == nullptr && !installed) face = Substitute(name);
    lastResolution_ = &*resolutions_.emplace(std::string(name), face).first;
    return face;
  }

  MemoryFontFace OpenBytes(std::span<const std::uint8_t> bytes, long index) {
    FT_Face ft = nullptr;
    if (Library() == nullptr || index < 0 ||
        FT_New_Memory_Face(library_, bytes.data(), static_cast<FT_Long>(bytes.size()), index, &ft) != 0) {
      return nullptr;
    }
    std::unique_ptr<FontFace> face = Describe(ft);
    face->Face = ft;
    return MemoryFontFace(face.release());
  }

  void Close(FontFace* face) {
    // A later face may be given the same address: the kept glyph must not outlive this one.
    if (lastFace_ == face) lastFace_ = nullptr;
    if (scaledFace_ == face) scaledFace_ = nullptr;
    FT_Done_Face(face->Face);
    delete face;
  }

  const NativeGlyph& Convert(const FontFace& face, std::int32_t height, std::uint32_t codePoint) {
    if (lastFace_ == &face && lastHeight_ == height && lastCodePoint_ == codePoint) return last_;
    lastFace_ = &face;
    lastHeight_ = height;
    lastCodePoint_ = codePoint;
    last_.Status = GlyphStatus::NoOutline;
    last_.Bytes.clear();
    last_.Metrics = {};
    ConvertInto(face, height, codePoint, last_);
    return last_;
  }

 private:
  FT_Library Library() {
    if (library_ == nullptr && !libraryFailed_) libraryFailed_ = FT_Init_FreeType(&library_) != 0;
    return libraryFailed_ ? nullptr : library_;
  }

  /// The first TrueType face in fontconfig's order of preference for the name and Japanese.
  const FontFace* Substitute(std::string_view name) {
    FcPattern* pattern = FcPatternCreate();
    if (pattern == nullptr) return nullptr;
    if (!name.empty() && IsValidUtf8(name)) {
      const std::string family(name);
      FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    }
    FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
    const FontFace* face = nullptr;
    if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern) == FcTrue) {
      FcDefaultSubstitute(pattern);
      FcResult result = FcResultNoMatch;
      FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
      for (int i = 0; sorted != nullptr && i < sorted->nfont && face == nullptr; ++i) {
        face = OpenIfTrueType(sorted->fonts[i]);
      }
      if (sorted != nullptr) FcFontSetDestroy(sorted);
    }
    FcPatternDestroy(pattern);
    return face;
  }

  const FontFace* OpenIfTrueType(FcPattern* font) {
    FcChar8* file = nullptr;
    int index = 0;
    if (!IsListedAsTrueType(font) || FcPatternGetString(font, FC_FILE, 0, &file) != FcResultMatch) {
      return nullptr;
    }
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    const FontFace* face = Open(reinterpret_cast<const char*>(file), index);
    return face != nullptr && face->IsTrueType ? face : nullptr;
  }

  /// The scale of the face at the height; the last one is kept, since requests come in runs
  /// for one face and height.
  const NativeScale* ScaleOf(const FontFace& face, std::int32_t height) {
    if (scaledFace_ != &face || scaledHeight_ != height) {
      scaledFace_ = &face;
      scaledHeight_ = height;
      scale_ = NativeScaleForHeight(height, face.Units.Ascent + face.Units.Descent, face.Units.Em);
    }
    return scale_ ? &*scale_ : nullptr;
  }

  /// The face's FreeType face, opened on the first glyph asked of it and then kept open; nullptr
  /// when the file no longer opens, or no longer holds TrueType outlines.
  FT_Face OpenFace(const FontFace& face) {
    if (face.Face != nullptr || face.File.empty() || Library() == nullptr) return face.Face;
    FT_Face ft = nullptr;
    if (FT_New_Face(library_, face.File.c_str(), face.Index, &ft) != 0) return nullptr;
    if (!HasTrueTypeOutlines(ft)) {
      FT_Done_Face(ft);
      return nullptr;
    }
    face.Face = ft;
    return ft;
  }

  void ConvertInto(const FontFace& face, std::int32_t height, std::uint32_t codePoint,
                   NativeGlyph& glyph) {
    if (!face.IsTrueType) return;
    const NativeScale* scale = ScaleOf(face, height);
    if (scale == nullptr) return;
    const FT_Face ft = OpenFace(face);
    if (ft == nullptr) return;
    const FT_UInt glyphIndex = FT_Get_Char_Index(ft, codePoint);
    if (glyphIndex == 0 || FT_Load_Glyph(ft, glyphIndex, kOutlineLoadFlags) != 0) return;
    const FT_GlyphSlot slot = ft->glyph;
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE) return;
    if (!AppendNativeOutline(slot->outline, *scale, glyph.Bytes)) return;
    glyph.Status = glyph.Bytes.empty() ? GlyphStatus::NoContours : GlyphStatus::Outline;
    glyph.Metrics = MetricsOf(slot, *scale);
  }

  FT_Library library_ = nullptr;
  bool libraryFailed_ = false;
  std::map<std::pair<std::string, long>, std::unique_ptr<FontFace>> faces_;
  std::unordered_map<std::string, const FontFace*, NameHash, std::equal_to<>> resolutions_;
  /// Requests come in runs for one face name; its entry is checked before any hashing. Entries
  /// of an unordered map keep their addresses when it grows.
  const std::pair<const std::string, const FontFace*>* lastResolution_ = nullptr;
  std::optional<NativeScale> scale_;
  const FontFace* scaledFace_ = nullptr;
  std::int32_t scaledHeight_ = 0;
  NativeGlyph last_;
  const FontFace* lastFace_ = nullptr;
  std::int32_t lastHeight_ = 0;
  std::uint32_t lastCodePoint_ = 0;
};

FontEngine& Engine() {
  static FontEngine engine;
  return engine;
}

}  // namespace

std::string_view FaceNameOf(const LOGFONTA& description) {
  const char* bytes = description.lfFaceName;
  std::size_t length = 0;
  while (length < static_cast<std::size_t>(LF_FACESIZE) && bytes[length] != '\0') ++length;
  return {bytes, length};
}

const FontFace* ResolveFace(std::string_view faceName) { return Engine().Resolve(faceName); }

const FontFace* OpenFontFile(const std::string& path, long index) {
  return Engine().Open(path, index);
}

void MemoryFaceCloser::operator()(FontFace* face) const {
  if (face != nullptr) Engine().Close(face);
}

MemoryFontFace OpenFontBytes(std::span<const std::uint8_t> bytes, long index) {
  return Engine().OpenBytes(bytes, index);
}

const NativeGlyph& ConvertGlyph(const FontFace& face, std::int32_t height,
                                std::uint32_t codePoint) {
  return Engine().Convert(face, height, codePoint);
}

}  // namespace moji
