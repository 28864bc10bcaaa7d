#include "platform/font_engine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>

#include <algorithm>
#include <charconv>
#include <functional>
#include <map>
#include <string_view>
#include <unordered_map>
#include <utility>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_TRUETYPE_TABLES_H

#include "native/native_scale.h"
#include "native/native_writer.h"
#include "platform/font_file_stream.h"
#include "platform/installed_faces.h"

namespace moji {
namespace {

/// Unscaled, unhinted outlines with composite glyphs resolved; never an embedded bitmap.
constexpr FT_Int32 kOutlineLoadFlags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

/// What FreeType's sfnt loader stores in an OS/2 record's version when the font has no OS/2 table.
constexpr FT_UShort kMissingTableVersion = 0xFFFF;

/// The first byte of the face names that font files opened directly are resolved under: it
/// begins no UTF-8 text, so no installed family can have such a name.
constexpr char kFileFaceMark = '\xFF';

/// The vertical extents of a face in font units, read when its file is opened.
struct FaceUnits {
  std::int64_t Ascent = 0;   ///< above the baseline: OS/2 usWinAscent, else hhea ascender, else em
  std::int64_t Descent = 0;  ///< below the baseline: OS/2 usWinDescent, else -hhea descender
  std::int64_t Em = 0;       ///< units per em
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
  return units;
}

/// TrueType ('glyf') or CFF (CFF, CFF2) outlines: what the engine converts.
bool HasConvertibleOutlines(FT_Face ft) {
  if (!FT_IS_SCALABLE(ft)) return false;
  const char* format = FT_Get_Font_Format(ft);
  return format != nullptr && (std::string_view(format) == "TrueType" || std::string_view(format) == "CFF");
}

FontFace DescribedByFreeType(FT_Face ft) {
  FontFace face;
  face.HasOutlines = HasConvertibleOutlines(ft);
  face.IsItalic = (ft->style_flags & FT_STYLE_FLAG_ITALIC) != 0;
  face.IsFixedPitch = FT_IS_FIXED_WIDTH(ft);
  face.Weight = (ft->style_flags & FT_STYLE_FLAG_BOLD) != 0 ? 700 : 400;
  if (ft->family_name != nullptr) face.FamilyName = ft->family_name;
  return face;
}

/// A face as the font listing describes it, without reading its file.
FontFace DescribedByListing(const InstalledFont& font) {
  FontFace face;
  face.HasOutlines = true;  // the listing holds outline faces only
  face.IsItalic = font.Slant != 0;
  face.IsFixedPitch = font.FixedPitch;
  face.Weight = static_cast<std::int32_t>(FcWeightToOpenTypeDouble(font.Weight));
  if (!font.FamilyNames.empty()) face.FamilyName = font.FamilyNames.front();
  face.File = font.File;
  face.Index = font.Index;
  return face;
}

std::int32_t FloorPixel(std::int32_t fixed) { return fixed >> 16; }

std::int32_t CeilPixel(std::int32_t fixed) {
  return static_cast<std::int32_t>((std::int64_t{fixed} + 0xFFFF) >> 16);
}

/// Black box, origin and advance in pixels. An unscaled load leaves the glyph's control box in
/// font units in the slot's metrics.
GLYPHMETRICS MetricsOf(const FT_GlyphSlot slot, const HeightScale& scale) {
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

PointKind KindOf(unsigned char tag) {
  switch (FT_CURVE_TAG(tag)) {
    case FT_CURVE_TAG_ON: return PointKind::OnCurve;
    case FT_CURVE_TAG_CUBIC: return PointKind::CubicControl;
    default: return PointKind::QuadraticControl;
  }
}

/// The native records of a loaded outline and their sources; false when its contours are
/// inconsistent.
bool AppendOutline(const FT_Outline& outline, const HeightScale& scale, bool withDetails,
                   NativeGlyph& glyph) {
  if (outline.n_contours <= 0) return outline.n_contours == 0;
  if (outline.n_points <= 0 || outline.points == nullptr || outline.tags == nullptr ||
      outline.contours == nullptr) {
    return false;
  }
  const auto pointCount = static_cast<std::size_t>(outline.n_points);
  std::vector<FontUnitPoint> points(pointCount);
  std::vector<PointKind> kinds(pointCount);
  for (std::size_t p = 0; p < pointCount; ++p) {
    points[p] = {outline.points[p].x, outline.points[p].y};
    kinds[p] = KindOf(static_cast<unsigned char>(outline.tags[p]));
  }
  // Read as long: the contour ends are short in older FreeType releases, unsigned short in newer.
  std::vector<std::size_t> ends;
  ends.reserve(static_cast<std::size_t>(outline.n_contours));
  for (int c = 0; c < outline.n_contours; ++c) {
    const long end = outline.contours[c];
    if (end < 0) return false;
    ends.push_back(static_cast<std::size_t>(end));
  }
  std::vector<PointSource>* sources = withDetails ? &glyph.Sources : nullptr;
  if (sources != nullptr) sources->reserve(pointCount + ends.size());
  return AppendNativeOutline({points, kinds, ends}, scale, glyph.Bytes, sources);
}

/// The name the face gives the glyph; empty where it names none.
std::string GlyphNameOf(FT_Face ft, FT_UInt glyphIndex) {
  char name[128] = {};
  if (!FT_HAS_GLYPH_NAMES(ft) || FT_Get_Glyph_Name(ft, glyphIndex, name, sizeof name) != 0) return {};
  return name;
}

bool IsValidUtf8(std::string_view text) {
  if (text.size() > 4096) return false;
  int characters = 0;
  int width = 0;
  return FcUtf8Len(reinterpret_cast<const FcChar8*>(text.data()), static_cast<int>(text.size()),
                   &characters, &width) == FcTrue;
}

/// The listed outline face of a file and index, or nullptr; the catalog is ordered by both.
const InstalledFont* ListedFont(std::string_view file, int index) {
  const std::vector<InstalledFont>& fonts = InstalledFonts().Fonts;
  const auto found = std::lower_bound(fonts.begin(), fonts.end(), std::pair{file, index},
                                      [](const InstalledFont& font, const auto& key) {
                                        return std::pair{std::string_view(font.File), font.Index} < key;
                                      });
  return found != fonts.end() && found->File == file && found->Index == index ? &*found : nullptr;
}

class FontEngine {
 public:
  FontEngine() = default;
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  ~FontEngine() {
    for (auto& [face, opened] : opened_) FT_Done_Face(opened.Face);
    if (library_ != nullptr) FT_Done_FreeType(library_);
  }

  /// The face of a listed font, described from the listing once.
  const FontFace* FaceOf(const InstalledFont& font) {
    auto key = std::make_pair(font.File, static_cast<long>(font.Index));
    std::unique_ptr<FontFace>& face = faces_[std::move(key)];
    if (face == nullptr) face = std::make_unique<FontFace>(DescribedByListing(font));
    return face.get();
  }

  const FontFace* OpenFile(const std::string& path, long index) {
    if (const auto found = faces_.find({path, index}); found != faces_.end()) return found->second.get();
    // Every face of the file is described from the one reading, so its other faces are known
    // without reading the file again.
    const FontFace* asked = nullptr;
    for (const InstalledFont& font : FontsOfFile(path)) {
      const FontFace* face = FaceOf(font);
      if (font.Index == index) asked = face;
    }
    return asked;
  }

  std::string FileFaceName(const InstalledFont& font) {
    const FontFace* face = FaceOf(font);
    const auto known = std::find(fileFaces_.begin(), fileFaces_.end(), face);
    const std::size_t number = static_cast<std::size_t>(known - fileFaces_.begin());
    if (known == fileFaces_.end()) fileFaces_.push_back(face);
    return kFileFaceMark + std::to_string(number);
  }

  const FontFace* Resolve(std::string_view name) {
    if (const auto found = resolutions_.find(name); found != resolutions_.end()) {
      return found->second;
    }
    const FontFace* face = nullptr;
    if (name.starts_with(kFileFaceMark)) {
      face = FileFace(name.substr(1));
    } else if (const auto fonts = FontsNamed(InstalledFonts(), name); !fonts.empty()) {
      face = FaceOf(*fonts.front());
    } else {
      face = Substitute(name);
    }
    resolutions_.emplace(std::string(name), face);
    return face;
  }

  MemoryFontFace OpenBytes(std::span<const std::uint8_t> bytes, long index) {
    FT_Face ft = nullptr;
    if (Library() == nullptr || index < 0 ||
        FT_New_Memory_Face(library_, bytes.data(), static_cast<FT_Long>(bytes.size()), index, &ft) != 0) {
      return nullptr;
    }
    if (!HasConvertibleOutlines(ft)) {
      FT_Done_Face(ft);
      return nullptr;
    }
    MemoryFontFace face(new FontFace(DescribedByFreeType(ft)));
    opened_.emplace(face.get(), Opened{ft, UnitsOf(ft)});
    return face;
  }

  void Close(FontFace* face) {
    if (const auto found = opened_.find(face); found != opened_.end()) {
      FT_Done_Face(found->second.Face);
      opened_.erase(found);
    }
    delete face;
  }

  NativeGlyph Convert(const FontFace& face, std::int32_t height, std::uint32_t codePoint,
                      bool withDetails) {
    NativeGlyph glyph;
    const Opened* opened = Open(face);
    if (opened == nullptr) return glyph;
    const FaceUnits& units = opened->Units;
    glyph.UnitsPerEm = units.Em;
    glyph.CellUnits = units.Ascent + units.Descent;
    const std::optional<HeightScale> scale = ScaleOfHeight(height, glyph.CellUnits, units.Em);
    const FT_UInt glyphIndex = FT_Get_Char_Index(opened->Face, codePoint);
    if (!scale || glyphIndex == 0 || FT_Load_Glyph(opened->Face, glyphIndex, kOutlineLoadFlags) != 0) {
      return glyph;
    }
    glyph.GlyphIndex = glyphIndex;
    if (withDetails) glyph.GlyphName = GlyphNameOf(opened->Face, glyphIndex);
    const FT_GlyphSlot slot = opened->Face->glyph;
    // On failure the writer has taken back whatever it wrote: no bytes, no sources.
    if (slot->format != FT_GLYPH_FORMAT_OUTLINE || !AppendOutline(slot->outline, *scale, withDetails, glyph)) {
      return glyph;
    }
    glyph.Status = glyph.Bytes.empty() ? GlyphStatus::NoContours : GlyphStatus::Outline;
    glyph.Metrics = MetricsOf(slot, *scale);
    return glyph;
  }

 private:
  /// A face whose file is open, with its vertical extents.
  struct Opened {
    FT_Face Face = nullptr;
    FaceUnits Units;
  };

  FT_Library Library() {
    if (library_ == nullptr && !libraryFailed_) libraryFailed_ = FT_Init_FreeType(&library_) != 0;
    return libraryFailed_ ? nullptr : library_;
  }

  /// The face a file face name (after its mark) stands for.
  const FontFace* FileFace(std::string_view number) {
    std::size_t value = 0;
    const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), value);
    const bool whole = error == std::errc{} && end == number.data() + number.size();
    return whole && value < fileFaces_.size() ? fileFaces_[value] : nullptr;
  }

  /// The first listed outline face in fontconfig's order of preference for the name and Japanese.
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
        FcChar8* file = nullptr;
        int index = 0;
        if (FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
        FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index);
        const InstalledFont* listed = ListedFont(reinterpret_cast<const char*>(file), index);
        if (listed != nullptr) face = FaceOf(*listed);
      }
      if (sorted != nullptr) FcFontSetDestroy(sorted);
    }
    FcPatternDestroy(pattern);
    return face;
  }

  /// The face with its file open: opened on the first glyph asked of it, then kept open;
  /// nullptr when the file no longer opens or no longer holds outlines the engine converts.
  const Opened* Open(const FontFace& face) {
    if (const auto found = opened_.find(&face); found != opened_.end()) return &found->second;
    if (face.File.empty() || Library() == nullptr) return nullptr;
    const FT_Face ft = OpenFaceFile(library_, face.File, face.Index);
    if (ft == nullptr) return nullptr;
    if (!HasConvertibleOutlines(ft)) {
      FT_Done_Face(ft);
      return nullptr;
    }
    return &opened_.emplace(&face, Opened{ft, UnitsOf(ft)}).first->second;
  }

  FT_Library library_ = nullptr;
  bool libraryFailed_ = false;
  /// Every face described, by file and index.
  std::map<std::pair<std::string, long>, std::unique_ptr<FontFace>> faces_;
  /// The faces of font files opened directly, by the number in their face name.
  std::vector<const FontFace*> fileFaces_;
  /// Looks names up as string views, with no string made for the lookup.
  struct NameHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view name) const { return std::hash<std::string_view>{}(name); }
  };
  /// Every face name resolved.
  std::unordered_map<std::string, const FontFace*, NameHash, std::equal_to<>> resolutions_;
  /// The faces whose file is open: those a glyph was asked of, and memory faces.
  std::unordered_map<const FontFace*, Opened> opened_;
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
  return Engine().OpenFile(path, index);
}

std::string FontFileFaceName(const InstalledFont& font) { return Engine().FileFaceName(font); }

std::string FontLibraryVersions() {
  FT_Int major = 0, minor = 0, patch = 0;
  FT_Library library = nullptr;
  if (FT_Init_FreeType(&library) == 0) {
    FT_Library_Version(library, &major, &minor, &patch);
    FT_Done_FreeType(library);
  }
  // fontconfig's version is one number: major * 10000 + minor * 100 + revision.
  const int fc = FcGetVersion();
  return "FreeType " + std::to_string(major) + "." + std::to_string(minor) + "." +
         std::to_string(patch) + ", fontconfig " + std::to_string(fc / 10000) + "." +
         std::to_string(fc / 100 % 100) + "." + std::to_string(fc % 100);
}

void MemoryFaceCloser::operator()(FontFace* face) const {
  if (face != nullptr) Engine().Close(face);
}

MemoryFontFace OpenFontBytes(std::span<const std::uint8_t> bytes, long index) {
  return Engine().OpenBytes(bytes, index);
}

NativeGlyph ConvertGlyph(const FontFace& face, std::int32_t height, std::uint32_t codePoint,
                         bool withDetails) {
  return Engine().Convert(face, height, codePoint, withDetails);
}

}  // namespace moji
