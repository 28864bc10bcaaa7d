#include "platform/installed_faces.h"

#include <fontconfig/fontconfig.h>
// After fontconfig.h, whose types it uses.
#include <fontconfig/fcfreetype.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <optional>
#include <tuple>
#include <utility>

#include "platform/font_file_stream.h"

namespace moji {
namespace {

bool FitsFaceName(const std::string& name) {
  return !name.empty() && name.size() <= kMaxFaceNameBytes;
}

bool IsJapanese(std::string_view lang) {
  return lang == "ja" || lang.starts_with("ja-") || lang.starts_with("ja_");
}

std::vector<std::string> StringsOf(FcPattern* pattern, const char* object) {
  std::vector<std::string> values;
  FcChar8* value = nullptr;
  for (int i = 0; FcPatternGetString(pattern, object, i, &value) == FcResultMatch; ++i) {
    values.emplace_back(reinterpret_cast<const char*>(value));
  }
  return values;
}

std::string StringOf(FcPattern* pattern, const char* object) {
  FcChar8* value = nullptr;
  if (FcPatternGetString(pattern, object, 0, &value) != FcResultMatch) return {};
  return reinterpret_cast<const char*>(value);
}

/// The name in English where there is one, else the first; empty without names.
std::string EnglishOrFirst(const std::vector<std::string>& names, const std::vector<std::string>& langs) {
  for (std::size_t i = 0; i < names.size() && i < langs.size(); ++i) {
    if (langs[i] == "en") return names[i];
  }
  return names.empty() ? std::string() : names.front();
}

/// Whether fontconfig's format name is one whose outlines the engine converts.
bool IsConvertibleFormat(std::string_view format) {
  return format == "TrueType" || format == "CFF" || format == "Type 1";
}

/// The font a fontconfig pattern describes, when it is an outline face the engine converts
/// (TrueType, CFF or Type 1) or a named instance of one.
std::optional<InstalledFont> OutlineFontOf(FcPattern* pattern) {
  InstalledFont font;
  font.File = StringOf(pattern, FC_FILE);
  font.Format = StringOf(pattern, FC_FONTFORMAT);
  FcBool outline = FcFalse;
  FcPatternGetBool(pattern, FC_OUTLINE, 0, &outline);
  int index = 0;
  FcPatternGetInteger(pattern, FC_INDEX, 0, &index);
  if (!outline || !IsConvertibleFormat(font.Format) || index < 0) return std::nullopt;
  font.Index = index & 0xFFFF;
  font.NamedInstance = index >> 16;
  font.FamilyNames = StringsOf(pattern, FC_FAMILY);
  font.FamilyLangs = StringsOf(pattern, FC_FAMILYLANG);
  font.FamilyLangs.resize(font.FamilyNames.size());
  font.Style = EnglishOrFirst(StringsOf(pattern, FC_STYLE), StringsOf(pattern, FC_STYLELANG));
  // A variable font lists ranges here; those calls fail and leave the regular defaults.
  FcPatternGetDouble(pattern, FC_WEIGHT, 0, &font.Weight);
  FcPatternGetDouble(pattern, FC_WIDTH, 0, &font.Width);
  FcPatternGetInteger(pattern, FC_SLANT, 0, &font.Slant);
  int spacing = FC_PROPORTIONAL;
  FcPatternGetInteger(pattern, FC_SPACING, 0, &spacing);
  font.FixedPitch = spacing == FC_MONO || spacing == FC_CHARCELL;
  return font;
}

std::vector<InstalledFont> OutlineFontsOf(const FcFontSet* set) {
  std::vector<InstalledFont> fonts;
  for (int i = 0; set != nullptr && i < set->nfont; ++i) {
    if (std::optional<InstalledFont> font = OutlineFontOf(set->fonts[i])) {
      fonts.push_back(std::move(*font));
    }
  }
  return fonts;
}

/// One fontconfig listing with only the properties the catalog keeps, from fontconfig's cache.
std::vector<InstalledFont> ListFromFontconfig() {
  FcPattern* pattern = FcPatternCreate();
  FcObjectSet* objects =
      FcObjectSetBuild(FC_FAMILY, FC_FAMILYLANG, FC_STYLE, FC_STYLELANG, FC_FILE, FC_INDEX,
                       FC_FONTFORMAT, FC_OUTLINE, FC_WEIGHT, FC_WIDTH, FC_SLANT, FC_SPACING,
                       static_cast<char*>(nullptr));
  FcFontSet* set =
      (pattern != nullptr && objects != nullptr) ? FcFontList(nullptr, pattern, objects) : nullptr;
  std::vector<InstalledFont> fonts = OutlineFontsOf(set);
  if (set != nullptr) FcFontSetDestroy(set);
  if (objects != nullptr) FcObjectSetDestroy(objects);
  if (pattern != nullptr) FcPatternDestroy(pattern);
  return fonts;
}

/// The font's Japanese family name that fits a face name; empty when it has none.
std::string JapaneseNameOf(const InstalledFont& font) {
  for (std::size_t i = 0; i < font.FamilyNames.size(); ++i) {
    if (IsJapanese(font.FamilyLangs[i]) && FitsFaceName(font.FamilyNames[i])) return font.FamilyNames[i];
  }
  return {};
}

/// The font's first family name that fits a face name; empty when none fits.
std::string FirstFittingNameOf(const InstalledFont& font) {
  for (const std::string& name : font.FamilyNames) {
    if (FitsFaceName(name)) return name;
  }
  return {};
}

/// The Japanese name that fits, else the first name that fits, searched over the family's fonts
/// in order; empty when none fits.
std::string FaceNameOfFamily(const std::vector<InstalledFont>& fonts,
                             const std::vector<std::size_t>& members) {
  for (std::size_t member : members) {
    if (std::string name = JapaneseNameOf(fonts[member]); !name.empty()) return name;
  }
  for (std::size_t member : members) {
    if (std::string name = FirstFittingNameOf(fonts[member]); !name.empty()) return name;
  }
  return {};
}

/// Closeness to the regular style: a face before the named instances of variable faces (a family
/// is drawn by default at a face's default instance), then upright first, then normal width, then
/// regular weight, and TrueType and CFF before Type 1, which has fewer tables.
auto StyleDistance(const InstalledFont& font) {
  return std::make_tuple(font.NamedInstance != 0, font.Slant != 0, std::abs(font.Width - 100),
                         std::abs(font.Weight - 80), font.Format == "Type 1");
}

/// The order styles are offered in after the most regular: upright before slanted, then by width
/// and weight.
auto StyleOrder(const InstalledFont& font) {
  return std::make_tuple(font.Slant, font.Width, font.Weight, font.NamedInstance != 0);
}

}  // namespace

InstalledFontCatalog CatalogOfFonts(std::vector<InstalledFont> fonts) {
  InstalledFontCatalog catalog;
  std::erase_if(fonts, [](const InstalledFont& font) { return font.FamilyNames.empty(); });
  for (InstalledFont& font : fonts) font.FamilyLangs.resize(font.FamilyNames.size());
  // Of a font listed twice the one with a style name comes first, and is kept.
  std::sort(fonts.begin(), fonts.end(), [](const InstalledFont& a, const InstalledFont& b) {
    return std::make_tuple(std::cref(a.File), a.Index, a.NamedInstance, a.Style.empty()) <
           std::make_tuple(std::cref(b.File), b.Index, b.NamedInstance, b.Style.empty());
  });
  // A variable font is listed as itself and as its default instance: one face.
  fonts.erase(std::unique(fonts.begin(), fonts.end(),
                          [](const InstalledFont& a, const InstalledFont& b) {
                            return a.File == b.File && a.Index == b.Index &&
                                   a.NamedInstance == b.NamedInstance;
                          }),
              fonts.end());
  catalog.Fonts = std::move(fonts);

  std::map<std::string, std::vector<std::size_t>> byFamily;
  for (std::size_t i = 0; i < catalog.Fonts.size(); ++i) {
    byFamily[catalog.Fonts[i].FamilyNames.front()].push_back(i);
  }
  std::map<std::string, std::vector<std::size_t>> byFaceName;
  for (auto& [family, members] : byFamily) {
    std::string name = FaceNameOfFamily(catalog.Fonts, members);
    if (name.empty()) continue;
    std::vector<std::size_t>& merged = byFaceName[std::move(name)];
    merged.insert(merged.end(), members.begin(), members.end());
  }
  for (auto& [name, members] : byFaceName) {
    std::sort(members.begin(), members.end());
    catalog.Families.push_back({name, std::move(members)});
  }
  return catalog;
}

InstalledFontCatalog ListInstalledFonts() { return CatalogOfFonts(ListFromFontconfig()); }

std::vector<std::string> FaceNamesOf(const InstalledFontCatalog& catalog) {
  std::vector<std::string> names;
  names.reserve(catalog.Families.size());
  for (const InstalledFamily& family : catalog.Families) names.push_back(family.Name);
  return names;
}

std::vector<const InstalledFont*> FontsNamed(const InstalledFontCatalog& catalog,
                                             std::string_view name) {
  std::vector<const InstalledFont*> matches;
  const auto family = std::lower_bound(
      catalog.Families.begin(), catalog.Families.end(), name,
      [](const InstalledFamily& f, std::string_view n) { return std::string_view(f.Name) < n; });
  if (family != catalog.Families.end() && family->Name == name) {
    for (std::size_t member : family->Fonts) matches.push_back(&catalog.Fonts[member]);
  } else {
    for (const InstalledFont& font : catalog.Fonts) {
      if (std::find(font.FamilyNames.begin(), font.FamilyNames.end(), name) !=
          font.FamilyNames.end()) {
        matches.push_back(&font);
      }
    }
  }
  std::stable_sort(matches.begin(), matches.end(),
                   [](const InstalledFont* a, const InstalledFont* b) {
                     return StyleDistance(*a) < StyleDistance(*b);
                   });
  return matches;
}

std::vector<std::string> StylesOfFamily(const InstalledFontCatalog& catalog, std::string_view name) {
  std::vector<const InstalledFont*> fonts = FontsNamed(catalog, name);
  if (fonts.size() > 1) {
    std::stable_sort(fonts.begin() + 1, fonts.end(), [](const InstalledFont* a, const InstalledFont* b) {
      return StyleOrder(*a) < StyleOrder(*b);
    });
  }
  std::vector<std::string> styles;
  for (const InstalledFont* font : fonts) {
    if (!font->Style.empty() && std::find(styles.begin(), styles.end(), font->Style) == styles.end()) {
      styles.push_back(font->Style);
    }
  }
  return styles;
}

std::vector<InstalledFont> FontsOfFile(const std::string& path) {
  FT_Library library = nullptr;
  FcFontSet* set = FcFontSetCreate();
  if (set == nullptr || FT_Init_FreeType(&library) != 0) {
    if (set != nullptr) FcFontSetDestroy(set);
    return {};
  }
  // Each face is read through the program's own stream (never mapped, regular files only), and
  // described by fontconfig as its listing describes it: a variable font by its default
  // instance alone.
  long faces = 1;
  for (long index = 0; index < faces; ++index) {
    const FT_Face face = OpenFaceFile(library, path, index);
    if (face == nullptr) continue;
    faces = face->num_faces;
    FcPattern* pattern = FcFreeTypeQueryFace(face, reinterpret_cast<const FcChar8*>(path.c_str()),
                                             static_cast<unsigned>(index), nullptr);
    if (pattern != nullptr && !FcFontSetAdd(set, pattern)) FcPatternDestroy(pattern);
    FT_Done_Face(face);
  }
  std::vector<InstalledFont> fonts = OutlineFontsOf(set);
  FcFontSetDestroy(set);
  FT_Done_FreeType(library);
  for (InstalledFont& font : fonts) font.File = path;
  return fonts;
}

const InstalledFont* ListedFont(const InstalledFontCatalog& catalog, std::string_view file,
                               int index) {
  // The catalog's fonts are ordered by file, index and named instance: the face comes first.
  const int face = index & 0xFFFF;
  const auto found = std::lower_bound(catalog.Fonts.begin(), catalog.Fonts.end(),
                                      std::pair{file, face},
                                      [](const InstalledFont& font, const auto& key) {
                                        return std::pair{std::string_view(font.File), font.Index} < key;
                                      });
  const bool listed = found != catalog.Fonts.end() && found->File == file && found->Index == face;
  return listed ? &*found : nullptr;
}

std::string ListedNameOf(const InstalledFontCatalog& catalog, std::string_view file, int index) {
  const InstalledFont* listed = ListedFont(catalog, file, index);
  if (listed == nullptr) return {};
  const auto member = static_cast<std::size_t>(listed - catalog.Fonts.data());
  for (const InstalledFamily& family : catalog.Families) {
    if (std::find(family.Fonts.begin(), family.Fonts.end(), member) != family.Fonts.end()) {
      return family.Name;
    }
  }
  return {};
}

namespace {

/// Whether fontconfig's cached character set of the font holds the code point.
bool CoversCharacter(FcPattern* font, std::uint32_t codePoint) {
  FcCharSet* characters = nullptr;
  return FcPatternGetCharSet(font, FC_CHARSET, 0, &characters) == FcResultMatch &&
         FcCharSetHasChar(characters, codePoint) == FcTrue;
}

}  // namespace

std::vector<std::string> FamiliesWithCharacter(const InstalledFontCatalog& catalog,
                                               std::uint32_t codePoint, std::size_t most) {
  std::vector<std::string> names;
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return names;
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcFontSet* sorted = nullptr;
  if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern) == FcTrue) {
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    sorted = FcFontSort(nullptr, pattern, FcFalse, nullptr, &result);
  }
  for (int i = 0; sorted != nullptr && i < sorted->nfont && names.size() < most; ++i) {
    FcPattern* font = sorted->fonts[i];
    int index = 0;
    FcPatternGetInteger(font, FC_INDEX, 0, &index);
    std::string name = CoversCharacter(font, codePoint)
                           ? ListedNameOf(catalog, StringOf(font, FC_FILE), index)
                           : std::string();
    if (!name.empty() && std::find(names.begin(), names.end(), name) == names.end()) {
      names.push_back(std::move(name));
    }
  }
  if (sorted != nullptr) FcFontSetDestroy(sorted);
  FcPatternDestroy(pattern);
  return names;
}

std::string FamilyForJapaneseText() {
  FcPattern* pattern = FcPatternCreate();
  if (pattern == nullptr) return {};
  FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>("sans-serif"));
  FcPatternAddString(pattern, FC_LANG, reinterpret_cast<const FcChar8*>("ja"));
  FcPatternAddInteger(pattern, FC_SPACING, FC_PROPORTIONAL);
  std::string family;
  if (FcConfigSubstitute(nullptr, pattern, FcMatchPattern) == FcTrue) {
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    if (FcPattern* match = FcFontMatch(nullptr, pattern, &result)) {
      family = StringOf(match, FC_FAMILY);
      FcPatternDestroy(match);
    }
  }
  FcPatternDestroy(pattern);
  return family;
}

std::string FaceNameOfFont(const InstalledFont& font) {
  std::string name = JapaneseNameOf(font);
  return name.empty() ? FirstFittingNameOf(font) : name;
}

}  // namespace moji
