#include "platform/font_engine.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>

#include <algorithm>
#include <string_view>
#include <utility>
#include FT_FREETYPE_H
#include FT_FONT_FORMATS_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include FT_TRUETYPE_TAGS_H

#include "native/native_scale.h"
#include "native/native_writer.h"
#include "platform/base_table.h"
#include "platform/font_file_stream.h"

namespace moji {
namespace {

/// What a face that does not vary has of a design space.
const FaceVariations kNoVariations{};

/// Unscaled, unhinted outlines with composite glyphs resolved; never an embedded bitmap.
constexpr FT_Int32 kOutlineLoadFlags = FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING | FT_LOAD_NO_BITMAP;

/// What FreeType's sfnt loader stores in an OS/2 record's version when the font has no OS/2 table.
constexpr FT_UShort kMissingTableVersion = 0xFFFF;

/// The BASE table's ideographic em box; nothing without one (a BASE table is a few hundred bytes:
/// one far larger is no such table).
std::optional<IdeographicBox> IdeographicBoxOf(FT_Face ft, std::int64_t unitsPerEm) {
  constexpr FT_ULong kLargestBase = 1 << 16;
  FT_ULong length = 0;
  if (FT_Load_Sfnt_Table(ft, TTAG_BASE, 0, nullptr, &length) != 0 || length == 0 ||
      length > kLargestBase) {
    return std::nullopt;
  }
  std::vector<std::uint8_t> table(length);
  if (FT_Load_Sfnt_Table(ft, TTAG_BASE, 0, table.data(), &length) != 0) return std::nullopt;
  return IdeographicBoxOfBase(table, static_cast<std::int32_t>(unitsPerEm));
}

/// The metrics of the hhea, OS/2 and BASE tables that a face has.
void AddTableMetrics(FT_Face ft, const TT_OS2* os2, const TT_HoriHeader* hhea,
                     FontUnitMetrics& units) {
  if (hhea != nullptr) {
    units.HheaAscender = hhea->Ascender;
    units.HheaDescender = hhea->Descender;
  }
  if (os2 != nullptr) {
    units.TypoAscender = os2->sTypoAscender;
    units.TypoDescender = os2->sTypoDescender;
    if (os2->version >= 2) {
      units.CapHeight = os2->sCapHeight;
      units.XHeight = os2->sxHeight;
    }
  }
  if (const std::optional<IdeographicBox> box = IdeographicBoxOf(ft, units.UnitsPerEm)) {
    units.IdeographicBottom = box->Bottom;
    units.IdeographicTop = box->Top;
  }
}

/// The vertical extents of a face in font units, read when its file is opened.
FontUnitMetrics FaceUnitsOf(FT_Face ft) {
  FontUnitMetrics units;
  units.UnitsPerEm = ft->units_per_EM;
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(ft, FT_SFNT_OS2));
  const auto* hhea = static_cast<const TT_HoriHeader*>(FT_Get_Sfnt_Table(ft, FT_SFNT_HHEA));
  if (os2 != nullptr && os2->version == kMissingTableVersion) os2 = nullptr;
  if (os2 != nullptr && os2->usWinAscent + os2->usWinDescent > 0) {
    units.CellAscent = os2->usWinAscent;
    units.CellDescent = os2->usWinDescent;
  } else if (hhea != nullptr && hhea->Ascender - hhea->Descender > 0) {
    units.CellAscent = hhea->Ascender;
    units.CellDescent = -hhea->Descender;
  } else {
    units.CellAscent = units.UnitsPerEm;
  }
  AddTableMetrics(ft, os2, hhea, units);
  return units;
}

/// TrueType ('glyf'), CFF (CFF, CFF2) or Type 1 outlines: what the engine converts.
bool HasConvertibleOutlines(FT_Face ft) {
  if (!FT_IS_SCALABLE(ft)) return false;
  const char* format = FT_Get_Font_Format(ft);
  if (format == nullptr) return false;
  const std::string_view name(format);
  return name == "TrueType" || name == "CFF" || name == "Type 1";
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

/// The glyph's advance, left side bearing and bounding box in font units, from an unscaled load.
void AddGlyphUnits(const FT_GlyphSlot slot, FontUnitMetrics& units) {
  const FT_Glyph_Metrics& metrics = slot->metrics;
  units.AdvanceWidth = metrics.horiAdvance;
  units.LeftSideBearing = metrics.horiBearingX;
  units.XMin = metrics.horiBearingX;
  units.XMax = metrics.horiBearingX + metrics.width;
  units.YMax = metrics.horiBearingY;
  units.YMin = metrics.horiBearingY - metrics.height;
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
std::string NameOfGlyph(FT_Face ft, FT_UInt glyphIndex) {
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

/// The first listed outline face in fontconfig's order of preference for the name and Japanese.
const InstalledFont* SubstituteFont(const InstalledFontCatalog& catalog, std::string_view name) {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return nullptr;
  if (!name.empty() && IsValidUtf8(name)) {
    const std::string family(name);
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
  }
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  const InstalledFont* found = nullptr;
  if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern) == FcTrue) {
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcFontSet* sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
    for (int i = 0; sorted != nullptr && i < sorted->nfont && found == nullptr; ++i) {
      FcChar8* file = nullptr;
      int index = 0;
      if (FcPatternGetString(sorted->fonts[i], FC_FILE, 0, &file) != FcResultMatch) continue;
      FcPatternGetInteger(sorted->fonts[i], FC_INDEX, 0, &index);
      found = ListedFont(catalog, reinterpret_cast<const char*>(file), index);
    }
    if (sorted != nullptr) FcFontSetDestroy(sorted);
  }
  FcPatternDestroy(pattern);
  return found;
}

}  // namespace

struct FontEngine::Library {
  FT_Library Handle = nullptr;
  bool Failed = false;
  ~Library() {
    if (Handle != nullptr) FT_Done_FreeType(Handle);
  }
};

/// A face's file and index, open, with its design space, the coordinates set on it now and its
/// vertical extents at each coordinates it was drawn at.
struct FontEngine::Opened {
  FT_Face Face = nullptr;
  std::optional<FaceVariations> Variations;
  std::vector<std::int32_t> Current;
  std::map<std::vector<std::int32_t>, FontUnitMetrics> Units;
  /// Every (glyph, code point) pair of the character map, sorted; built when first asked for.
  std::optional<std::vector<std::pair<std::uint32_t, std::uint32_t>>> Characters;
  ~Opened() { FT_Done_Face(Face); }
};

namespace {

/// The face's character map turned round: (glyph, code point) pairs in order.
std::vector<std::pair<std::uint32_t, std::uint32_t>> ReverseCharacterMap(FT_Face ft) {
  std::vector<std::pair<std::uint32_t, std::uint32_t>> pairs;
  FT_UInt glyph = 0;
  for (FT_ULong code = FT_Get_First_Char(ft, &glyph); glyph != 0; code = FT_Get_Next_Char(ft, code, &glyph)) {
    pairs.emplace_back(glyph, static_cast<std::uint32_t>(code));
  }
  std::sort(pairs.begin(), pairs.end());
  // Kept while the face is open: no room beyond the pairs.
  pairs.shrink_to_fit();
  return pairs;
}

}  // namespace

std::vector<std::uint32_t> FontEngine::CodePointsIn(Opened& opened, std::uint32_t glyphIndex) {
  if (!opened.Characters) opened.Characters = ReverseCharacterMap(opened.Face);
  const auto& pairs = *opened.Characters;
  std::vector<std::uint32_t> codePoints;
  for (auto at = std::lower_bound(pairs.begin(), pairs.end(), std::pair{glyphIndex, 0u});
       at != pairs.end() && at->first == glyphIndex; ++at) {
    codePoints.push_back(at->second);
  }
  return codePoints;
}

FontEngine::FontEngine() : library_(std::make_unique<Library>()) {}

// The open faces go before the library they were opened with.
FontEngine::~FontEngine() { opened_.clear(); }

const InstalledFontCatalog& FontEngine::Installed() {
  if (!installed_) installed_ = ListInstalledFonts();
  return *installed_;
}

FontFace* FontEngine::FaceOf(const std::string& file, int index, const InstalledFont* font,
                                   std::vector<std::int32_t> coordinates) {
  std::unique_ptr<FontFace>& face = faces_[{file, index, coordinates}];
  if (face == nullptr) {
    face = std::make_unique<FontFace>();
    if (font != nullptr && !font->FamilyNames.empty()) face->FamilyName = font->FamilyNames.front();
    if (font != nullptr) face->Style = font->Style;
    face->File = file;
    face->Index = index;
    face->Coordinates = std::move(coordinates);
  }
  return face.get();
}

const FontFace* FontEngine::Resolve(std::string_view faceName) {
  if (const auto found = resolutions_.find(faceName); found != resolutions_.end()) {
    return found->second;
  }
  const std::optional<FaceIdentity> identity = registry_.IdentityOf(faceName);
  const FontFace* face = identity ? FaceFor(*identity) : nullptr;
  resolutions_.emplace(std::string(faceName), face);
  return face;
}

const FontFace* FontEngine::FaceFor(const FaceIdentity& identity) {
  if (const FileFaceId* file = identity.AsFile()) {
    // Known from the file's listing when it was opened from the face list; else described by
    // its file and index alone, and read when a glyph is asked of it.
    const FontFace* base = FaceOf(file->Path, file->Index, nullptr);
    return identity.Variation.IsDefault() ? base : VariedFace(*base, nullptr, 0, identity.Variation);
  }
  const InstalledFaceId& installed = *identity.AsInstalled();
  const std::vector<const InstalledFont*> fonts = FontsNamed(Installed(), installed.Family);
  for (const InstalledFont* font : fonts) {
    if (!installed.Style.empty() && font->Style != installed.Style) continue;
    const FontFace* base = FaceOf(font->File, font->Index, font);
    if (font->NamedInstance == 0 && identity.Variation.IsDefault()) return base;
    return VariedFace(*base, font, font->NamedInstance, identity.Variation);
  }
  if (!fonts.empty()) return nullptr;
  const FontFace* substitute = Substitute(installed.Family);
  if (substitute == nullptr || identity.Variation.IsDefault()) return substitute;
  return VariedFace(*substitute, nullptr, 0, identity.Variation);
}

const FontFace* FontEngine::VariedFace(const FontFace& base, const InstalledFont* font, int instance,
                                       const FaceVariation& variation) {
  const FaceVariations& variations = VariationsOf(base);
  std::vector<std::int32_t> coordinates = DesignCoordinatesOf(variations, instance, variation);
  if (coordinates.empty()) return &base;
  FontFace* varied = FaceOf(base.File, base.Index, font, coordinates);
  if (varied->FamilyName.empty()) varied->FamilyName = base.FamilyName;
  // Away from the defaults the style is the named instance drawn, and none between them.
  const int at = InstanceAt(variations, coordinates);
  varied->Style = at > 0 ? variations.Instances[static_cast<std::size_t>(at - 1)].EnglishName : "";
  return varied;
}

const FontFace* FontEngine::Substitute(std::string_view name) {
  const InstalledFont* font = SubstituteFont(Installed(), name);
  return font == nullptr ? nullptr : FaceOf(font->File, font->Index, font);
}

std::vector<InstalledFont> FontEngine::FacesOfFile(const std::string& path) {
  std::vector<InstalledFont> fonts = FontsOfFile(path);
  for (const InstalledFont& font : fonts) FaceOf(path, font.Index, &font);
  return fonts;
}

std::string FontEngine::ListedFamilyOf(std::string_view faceName) {
  const FontFace* face = Resolve(faceName);
  return face == nullptr ? std::string() : ListedNameOf(Installed(), face->File, face->Index);
}

FontEngine::Opened* FontEngine::Open(const FontFace& face) {
  auto found = opened_.find({face.File, face.Index});
  if (found == opened_.end()) {
    if (library_->Handle == nullptr && !library_->Failed) {
      library_->Failed = FT_Init_FreeType(&library_->Handle) != 0;
    }
    if (library_->Failed || face.File.empty()) return nullptr;
    const FT_Face ft = OpenFaceFile(library_->Handle, face.File, face.Index);
    if (ft == nullptr) return nullptr;
    auto opened = std::make_unique<Opened>();
    opened->Face = ft;
    if (!HasConvertibleOutlines(ft)) return nullptr;  // closed with `opened`
    opened->Variations = ReadFaceVariations(ft);
    // Reading a CFF2 face's design space leaves its first load failing until coordinates are
    // set (FreeType 2.12): its defaults are set at once.
    if (!opened->Variations->Axes.empty()) {
      ApplyDesignCoordinates(ft, DefaultCoordinatesOf(*opened->Variations));
    }
    found = opened_.emplace(std::pair{face.File, face.Index}, std::move(opened)).first;
  }
  Opened& opened = *found->second;
  if (opened.Current != face.Coordinates) {
    // The default instance is set by its own coordinates: FreeType keeps the last ones set where
    // it is given none. Coordinates the face refuses leave it where FreeType left it.
    ApplyDesignCoordinates(opened.Face, face.Coordinates.empty()
                                            ? DefaultCoordinatesOf(*opened.Variations)
                                            : face.Coordinates);
    opened.Current = face.Coordinates;
  }
  return &opened;
}

const FontUnitMetrics& FontEngine::UnitsOf(Opened& opened, const FontFace& face) {
  const auto found = opened.Units.find(face.Coordinates);
  if (found != opened.Units.end()) return found->second;
  return opened.Units.emplace(face.Coordinates, FaceUnitsOf(opened.Face)).first->second;
}

FT_FaceRec_* FontEngine::OpenedFace(const FontFace& face) {
  const Opened* opened = Open(face);
  return opened == nullptr ? nullptr : opened->Face;
}

const FaceVariations& FontEngine::VariationsOf(const FontFace& face) {
  Opened* opened = Open(face);
  return opened == nullptr ? kNoVariations : *opened->Variations;
}

void FontEngine::AddVariationDetails(const FontFace& face, NativeGlyph& glyph) {
  const FaceVariations& variations = VariationsOf(face);
  glyph.Axes = AxisPositionsOf(variations, face.Coordinates);
  const int instance = InstanceAt(variations, face.Coordinates);
  if (instance > 0) glyph.Instance = variations.Instances[static_cast<std::size_t>(instance - 1)].Name;
}

bool FontEngine::UseTrueTypeInterpreter(unsigned version) {
  FT_UInt value = version;
  return library_->Handle != nullptr &&
         FT_Property_Set(library_->Handle, "truetype", "interpreter-version", &value) == 0;
}

FontEngine::Opened* FontEngine::StartGlyph(const FontFace& face, bool withDetails,
                                           NativeGlyph& glyph) {
  glyph.Family = face.FamilyName;
  glyph.Style = face.Style;
  glyph.File = face.File;
  glyph.FaceIndex = face.Index;
  Opened* opened = Open(face);
  if (opened == nullptr) return nullptr;
  if (withDetails) AddVariationDetails(face, glyph);
  if (glyph.Family.empty() && opened->Face->family_name != nullptr) {
    glyph.Family = opened->Face->family_name;
  }
  glyph.Units = UnitsOf(*opened, face);
  return opened;
}

void FontEngine::LoadGlyph(Opened& opened, std::int32_t height, std::uint32_t glyphIndex,
                           bool withDetails, NativeGlyph& glyph) {
  const std::optional<HeightScale> scale =
      ScaleOfHeight(height, glyph.CellUnits(), glyph.Units.UnitsPerEm);
  if (!scale || glyphIndex >= static_cast<std::uint32_t>(opened.Face->num_glyphs) ||
      FT_Load_Glyph(opened.Face, glyphIndex, kOutlineLoadFlags) != 0) {
    return;
  }
  glyph.GlyphIndex = glyphIndex;
  if (withDetails) glyph.GlyphName = NameOfGlyph(opened.Face, glyphIndex);
  const FT_GlyphSlot slot = opened.Face->glyph;
  // On failure the writer has taken back whatever it wrote: no bytes, no sources.
  if (slot->format != FT_GLYPH_FORMAT_OUTLINE || !AppendOutline(slot->outline, *scale, withDetails, glyph)) {
    return;
  }
  glyph.Status = glyph.Bytes.empty() ? GlyphStatus::NoContours : GlyphStatus::Outline;
  glyph.Metrics = MetricsOf(slot, *scale);
  AddGlyphUnits(slot, glyph.Units);
  if (withDetails) {
    // Read last: loading the components replaces what the slot holds.
    glyph.CodePoints = CodePointsIn(opened, glyphIndex);
    glyph.Components = ComponentsOfGlyph(opened.Face, glyphIndex);
  }
}

NativeGlyph FontEngine::Convert(const FontFace& face, std::int32_t height, std::uint32_t codePoint,
                                bool withDetails) {
  NativeGlyph glyph;
  Opened* opened = StartGlyph(face, withDetails, glyph);
  if (opened == nullptr) return glyph;
  const FT_UInt glyphIndex = FT_Get_Char_Index(opened->Face, codePoint);
  if (glyphIndex != 0) LoadGlyph(*opened, height, glyphIndex, withDetails, glyph);
  return glyph;
}

NativeGlyph FontEngine::ConvertGlyph(const FontFace& face, std::int32_t height,
                                     std::uint32_t glyphIndex, bool withDetails) {
  NativeGlyph glyph;
  Opened* opened = StartGlyph(face, withDetails, glyph);
  if (opened != nullptr) LoadGlyph(*opened, height, glyphIndex, withDetails, glyph);
  return glyph;
}

std::uint32_t FontEngine::GlyphCountOf(const FontFace& face) {
  const Opened* opened = Open(face);
  return opened == nullptr || opened->Face->num_glyphs < 0
             ? 0
             : static_cast<std::uint32_t>(opened->Face->num_glyphs);
}

std::string FontEngine::GlyphNameOf(const FontFace& face, std::uint32_t glyphIndex) {
  const Opened* opened = Open(face);
  if (opened == nullptr || glyphIndex >= static_cast<std::uint32_t>(opened->Face->num_glyphs)) return {};
  return NameOfGlyph(opened->Face, glyphIndex);
}

std::vector<std::uint32_t> FontEngine::CodePointsOf(const FontFace& face, std::uint32_t glyphIndex) {
  Opened* opened = Open(face);
  return opened == nullptr ? std::vector<std::uint32_t>() : CodePointsIn(*opened, glyphIndex);
}

std::string_view FaceNameOf(const LOGFONTA& description) {
  const char* bytes = description.lfFaceName;
  std::size_t length = 0;
  while (length < static_cast<std::size_t>(LF_FACESIZE) && bytes[length] != '\0') ++length;
  return {bytes, length};
}

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

}  // namespace moji
