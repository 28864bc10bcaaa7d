#pragma once
// The installed outline faces as fontconfig has cached them, and the names they are offered under.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/font_records.h"

namespace moji {

/// One outline face (TrueType, CFF or Type 1) as fontconfig describes it, or one named instance
/// of a variable face; style values on fontconfig's scales.
struct InstalledFont {
  std::string File;
  int Index = 0;
  /// The named instance of the face at `Index`, from 1 in the order of the face's instances (as
  /// fontconfig and FreeType number them); 0 for the face itself (its default instance).
  int NamedInstance = 0;
  /// fontconfig's name of the font's format: "TrueType", "CFF" or "Type 1".
  std::string Format;
  /// Family names in fontconfig's order; the first names the family the font belongs to.
  std::vector<std::string> FamilyNames;
  /// The language of each family name ("" where fontconfig gives none).
  std::vector<std::string> FamilyLangs;
  /// The style name ("Bold", "Italic"): its English one where fontconfig gives several.
  std::string Style;
  double Weight = 80;
  double Width = 100;
  int Slant = 0;
  bool FixedPitch = false;
};

/// One offered family: its face name and its fonts (indices into the catalog's fonts).
struct InstalledFamily {
  std::string Name;
  std::vector<std::size_t> Fonts;
};

/// The installed fonts (ordered by file, index and named instance) and their families (sorted by
/// name).
struct InstalledFontCatalog {
  std::vector<InstalledFont> Fonts;
  std::vector<InstalledFamily> Families;
};

/// Groups fonts by their first family name and names each family by its Japanese name where it
/// has one that fits a face name, else by its first name that fits; families with no fitting
/// name are left out, families that end up with one name are merged.
InstalledFontCatalog CatalogOfFonts(std::vector<InstalledFont> fonts);

/// The installed outline faces from what fontconfig has cached: every face of a collection, a
/// variable font once (its default instance) and each of its named instances. No font file is
/// read.
InstalledFontCatalog ListInstalledFonts();

/// The face names of the catalog's families, in byte order, each once.
std::vector<std::string> FaceNamesOf(const InstalledFontCatalog& catalog);

/// The catalog's font of a file and face index (its default instance), or nullptr. An index as
/// fontconfig gives it, with a named instance in its upper 16 bits, names the same face.
const InstalledFont* ListedFont(const InstalledFontCatalog& catalog, std::string_view file, int index);

/// The name the catalog offers the family of the font at a file and index (as ListedFont takes
/// it) under; empty when no listed family holds it.
std::string ListedNameOf(const InstalledFontCatalog& catalog, std::string_view file, int index);

/// The fonts of the family offered under `name`, else of every family that has `name` among its
/// localised names (compared exactly); the most regular style first, empty for an unknown name.
/// The faces come before the named instances of variable faces, TrueType and CFF before Type 1.
std::vector<const InstalledFont*> FontsNamed(const InstalledFontCatalog& catalog,
                                             std::string_view name);

/// The style names of the family offered under `name` (as FontsNamed finds it), each once: the
/// most regular first (what the family draws by default: a variable face's default instance),
/// then upright before slanted, narrow before wide, light before heavy.
std::vector<std::string> StylesOfFamily(const InstalledFontCatalog& catalog, std::string_view name);

/// The outline faces a font file holds, in the order of their index, as fontconfig describes
/// them, the file read through OpenFaceFile; empty when it is no regular file, no font or holds
/// none.
std::vector<InstalledFont> FontsOfFile(const std::string& path);

/// The names the face list offers of up to `most` installed faces that have a glyph for the code
/// point, each family once, in fontconfig's order of preference for Japanese text. Taken from
/// the character sets fontconfig has cached: no font file is opened.
std::vector<std::string> FamiliesWithCharacter(const InstalledFontCatalog& catalog,
                                               std::uint32_t codePoint, std::size_t most);

/// The family fontconfig prefers for Japanese text in a proportional sans-serif face ("Noto Sans CJK JP",
/// "IPAGothic"): one font that has both the Latin letters and digits and the kana and kanji of a
/// line; empty when there is none.
std::string FamilyForJapaneseText();

/// The name a font is offered under: its Japanese family name where it has one that fits a face
/// name, else its first family name that fits; empty when none fits.
std::string FaceNameOfFont(const InstalledFont& font);

}  // namespace moji
