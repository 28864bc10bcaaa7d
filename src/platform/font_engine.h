#pragma once
// The font engine: installed faces and face names resolved to faces, faces opened when a glyph
// is first asked of them, and glyphs converted into native outlines.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "native/native_writer.h"
#include "platform/face_identity.h"
#include "platform/face_registry.h"
#include "platform/font_records.h"
#include "platform/font_variations.h"
#include "platform/gdi_records.h"
#include "platform/glyph_components.h"
#include "platform/installed_faces.h"

struct FT_FaceRec_;

namespace moji {

/// A face of a font file as the engine draws from it. An installed face is described from
/// fontconfig's listing, without reading its file; the file is opened when a glyph is first
/// asked of the face, and then stays open.
struct FontFace {
  /// The first family name of the face, and its style as fontconfig names it (empty where it was
  /// described from its file and index alone); away from a variable face's defaults, the English
  /// name of the named instance drawn, empty between instances.
  std::string FamilyName;
  std::string Style;
  /// Where the face is read from: the file and the face's index in it.
  std::string File;
  int Index = 0;
  /// Where a variable face is drawn: its 16.16 design coordinates, one per axis; empty for its
  /// default instance (and for a face without axes).
  std::vector<std::int32_t> Coordinates;
};

/// What a glyph request found.
enum class GlyphStatus { NoOutline, NoContours, Outline };

/// What a face and one of its glyphs measure, in font units (y up from the baseline).
struct FontUnitMetrics {
  std::int64_t UnitsPerEm = 0;
  /// The cell a positive font height is measured in: CellAscent + CellDescent units (Windows
  /// ascent and descent, else what stands for them).
  std::int64_t CellAscent = 0;
  std::int64_t CellDescent = 0;
  /// The hhea table's ascender and descender; the OS/2 table's typographic ascender and
  /// descender, cap height and x-height (the last two from its version 2 on); the ideographic em
  /// box of the BASE table. Nothing where the font lacks them.
  std::optional<std::int64_t> HheaAscender, HheaDescender;
  std::optional<std::int64_t> TypoAscender, TypoDescender, CapHeight, XHeight;
  std::optional<std::int64_t> IdeographicBottom, IdeographicTop;
  /// The glyph's advance width and left side bearing, and its bounding box.
  std::int64_t AdvanceWidth = 0;
  std::int64_t LeftSideBearing = 0;
  std::int64_t XMin = 0, YMin = 0, XMax = 0, YMax = 0;
  friend bool operator==(const FontUnitMetrics&, const FontUnitMetrics&) = default;
};

/// One glyph of one face at one height: its native outline and which glyph of which face it is.
struct NativeGlyph {
  GlyphStatus Status = GlyphStatus::NoOutline;
  /// The native outline records, and the metrics in pixels of the font height.
  std::vector<std::uint8_t> Bytes;
  GLYPHMETRICS Metrics{};
  /// The face: its family's first name, its style (as FontFace has it), its file and its index
  /// in the file.
  std::string Family;
  std::string Style;
  std::string File;
  int FaceIndex = 0;
  /// The glyph's index in the face (0 when the face has none for the code point), and, when
  /// details are asked for, its name where the face names its glyphs.
  std::uint32_t GlyphIndex = 0;
  std::string GlyphName;
  /// The face's and glyph's measures; units per em and cell are 0 when the face could not be read.
  FontUnitMetrics Units;
  /// Where each point of `Bytes` comes from, in the order of the buffer; only when asked for.
  std::vector<PointSource> Sources;
  /// When details are asked for, a variable face's axes with the values drawn at (none for a
  /// face without axes), and the named instance those values are (empty for none).
  std::vector<AxisPosition> Axes;
  std::string Instance;
  /// When details are asked for, the code points the face's character map gives this glyph
  /// (lowest first; none for a glyph no character names), and the parts of a composite glyph.
  std::vector<std::uint32_t> CodePoints;
  std::vector<GlyphComponent> Components;

  /// Font units per cell height: what a positive font height is measured in.
  std::int64_t CellUnits() const { return Units.CellAscent + Units.CellDescent; }
};

/// Opens faces and converts their glyphs. The application makes one (inside its graphics
/// services); it keeps the installed faces' listing, the face names it gave out, the faces it
/// described and the files it opened, for its own life.
class FontEngine {
 public:
  FontEngine();
  ~FontEngine();
  FontEngine(const FontEngine&) = delete;
  FontEngine& operator=(const FontEngine&) = delete;

  /// The installed outline faces, listed from fontconfig's cache when first asked for.
  const InstalledFontCatalog& Installed();
  /// The face name a font description gives to draw from `face` (see FaceRegistry).
  std::string FaceNameOf(const FaceIdentity& face) { return registry_.NameOf(face); }
  /// The face a font description's face name draws from: a face named by the registry, the
  /// installed family of that name in its regular style, else the outline face fontconfig
  /// substitutes for the name for Japanese text. nullptr when there is none.
  const FontFace* Resolve(std::string_view faceName);
  /// The outline faces of a font file, as FontsOfFile lists them; each is then known to the
  /// engine by that listing, so drawing from it does not read the file again for that.
  std::vector<InstalledFont> FacesOfFile(const std::string& path);
  /// The name the face list offers the family of the face drawn for `faceName` under: that
  /// family, or the one of the face substituted for it. Empty when the face is no listed one.
  std::string ListedFamilyOf(std::string_view faceName);
  /// The native outline of a code point in a face at a font height (0: the default cell
  /// height). A glyph that can no longer be read, because its file has changed or gone, has no
  /// outline. With `withDetails`, the glyph's name and where each point comes from as well.
  NativeGlyph Convert(const FontFace& face, std::int32_t height, std::uint32_t codePoint,
                      bool withDetails = false);
  /// The same for glyph `glyphIndex` of the face, whether or not a character maps to it; no
  /// outline for an index outside the face.
  NativeGlyph ConvertGlyph(const FontFace& face, std::int32_t height, std::uint32_t glyphIndex,
                           bool withDetails = false);
  /// How many glyphs the face holds; 0 when it cannot be read.
  std::uint32_t GlyphCountOf(const FontFace& face);
  /// The code points the face's character map gives glyph `glyphIndex`, lowest first, from a
  /// reverse map built once per face.
  std::vector<std::uint32_t> CodePointsOf(const FontFace& face, std::uint32_t glyphIndex);
  /// The name the face gives glyph `glyphIndex`; empty where it names none.
  std::string GlyphNameOf(const FontFace& face, std::uint32_t glyphIndex);
  /// The FreeType face of `face`, its file opened on first use and kept open, for the engine's
  /// own readers of what Convert does not give (hinting, variations, tables); nullptr when the
  /// file no longer opens or holds no outlines the engine converts. Whoever sets a size or
  /// load state on it leaves nothing Convert relies on (Convert loads unscaled and sets the
  /// coordinates of the face it converts before each load). Its design coordinates are those
  /// of `face`.
  FT_FaceRec_* OpenedFace(const FontFace& face);
  /// The axes and named instances of the face's file and index, read once; nothing for a face
  /// that does not vary or cannot be read.
  const FaceVariations& VariationsOf(const FontFace& face);
  /// Sets the version of FreeType's TrueType interpreter (35 or 40) that every face's hinted
  /// loads use from now on; false where FreeType has no such version or no face is open yet.
  bool UseTrueTypeInterpreter(unsigned version);

 private:
  struct Opened;
  /// The face of a file, index and coordinates, described from `font` (or the file and index
  /// alone) once.
  FontFace* FaceOf(const std::string& file, int index, const InstalledFont* font,
                   std::vector<std::int32_t> coordinates = {});
  const FontFace* FaceFor(const FaceIdentity& identity);
  /// The face at the coordinates the variation (starting from named instance `instance`, 0 for
  /// none) comes to on the axes of `base`.
  const FontFace* VariedFace(const FontFace& base, const InstalledFont* font, int instance,
                             const FaceVariation& variation);
  const FontFace* Substitute(std::string_view name);
  /// The opened file and index of the face, its coordinates set; nullptr when it cannot be read.
  Opened* Open(const FontFace& face);
  /// The face's measures at its coordinates, read once for each.
  const FontUnitMetrics& UnitsOf(Opened& opened, const FontFace& face);
  /// The axes the face is drawn at and the named instance they are, into the glyph's details.
  void AddVariationDetails(const FontFace& face, NativeGlyph& glyph);
  /// Which glyph of which face: the glyph's face fields, the face opened and measured; nullptr
  /// when it cannot be read.
  Opened* StartGlyph(const FontFace& face, bool withDetails, NativeGlyph& glyph);
  /// Loads glyph `glyphIndex` of the opened face into `glyph` at the font height.
  void LoadGlyph(Opened& opened, std::int32_t height, std::uint32_t glyphIndex, bool withDetails,
                 NativeGlyph& glyph);
  /// The code points of the glyph, from the opened face's reverse character map.
  std::vector<std::uint32_t> CodePointsIn(Opened& opened, std::uint32_t glyphIndex);

  /// The FreeType library, made when a file is first opened (an opaque FT_Library).
  struct Library;
  std::unique_ptr<Library> library_;
  std::optional<InstalledFontCatalog> installed_;
  FaceRegistry registry_;
  /// Every face described, by file, index and coordinates.
  std::map<std::tuple<std::string, int, std::vector<std::int32_t>>, std::unique_ptr<FontFace>> faces_;
  /// Every face name resolved.
  std::map<std::string, const FontFace*, std::less<>> resolutions_;
  /// The files and indices open, each once whatever coordinates its faces are drawn at.
  std::map<std::pair<std::string, int>, std::unique_ptr<Opened>> opened_;
};

/// The face name bytes of a font description: up to the first zero, at most `LF_FACESIZE` bytes.
std::string_view FaceNameOf(const LOGFONTA& description);

/// The versions of FreeType and fontconfig in use, as the libraries report them when the program
/// runs: "FreeType 2.12.1, fontconfig 2.14.1".
std::string FontLibraryVersions();

}  // namespace moji
