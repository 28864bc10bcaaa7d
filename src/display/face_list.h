#pragma once
// The face list: the installed faces the font walk keeps, the faces opened from font files, and
// which is current. Plain C++: the window's Combo1 and the command line's `faces` show it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/device_context.h"
#include "platform/face_identity.h"
#include "platform/font_engine.h"

namespace moji {

/// The face the window starts with, and the command line's default face.
inline constexpr char16_t kDefaultFace[] = u"ＭＳ ゴシック";

/// Makes a UTF-8 face name the drawing area's face; returns the device context it is selected into.
using SelectDrawingFace = std::function<DeviceContext&(const std::string& faceName)>;

/// One entry of the face list.
struct FaceEntry {
  /// The name it shows.
  std::string Name;
  /// The face name a font description gives to draw from it: the installed family's own, or
  /// the registry's name of a face of a font file.
  std::string FaceName;
  FaceIdentity Face;
  /// The file of a face opened from a file, which tells it apart from an installed family;
  /// empty for an installed family.
  std::string File;
  /// The face's index in its font file; 0 for an installed family.
  int Index = 0;
  friend bool operator==(const FaceEntry&, const FaceEntry&) = default;
};

/// The outline faces of a font file and the one asked for by its own face number (the index
/// `faces --font-file` prints); without one, a one-line reason.
struct FontFileChoice {
  /// The file's outline faces, by index, each named as DistinctEntryName names it; empty when
  /// the file cannot be opened, is no font or holds none.
  std::vector<FaceEntry> Entries;
  std::optional<FaceEntry> Chosen;
  /// Why nothing is chosen: the file cannot be opened, gives no outline face, or none of that
  /// number.
  std::string Problem;
  /// Why the file cannot be opened, in the system's words; empty when it opens.
  std::string OpenError;
};

/// The faces offered to draw from, in order: the installed families the font walk keeps, then
/// the faces of font files opened since; and the current one, with the face name it draws from.
class FaceList {
 public:
  /// Walks the face names in order: a name beginning with "@" (a vertical-writing variant) is
  /// skipped untried; any other name is made the drawing area's face and kept, as an entry of
  /// that name, when the metrics of the selected font report outlines the engine converts
  /// (TrueType, CFF or Type 1). A failed query says nothing of the face, which is then not kept.
  void WalkInstalledFaces(const std::vector<std::string>& names, const SelectDrawingFace& select);
  /// Reads the outline faces of the font file at `path` once, names each apart from the names
  /// listed and from the file's other faces, and chooses face `index` of them; adds nothing.
  FontFileChoice ReadFontFile(FontEngine& engine, const std::string& path, int index) const;
  /// Adds the faces of a font file read by ReadFontFile after the entries (each face once) and
  /// makes the chosen one current; a choice without one changes nothing.
  void AddFontFile(const FontFileChoice& choice);

  const std::vector<FaceEntry>& Entries() const { return entries_; }
  /// The names of the entries, in order.
  std::vector<std::string> Names() const;
  /// Makes entry `index` current (its face name the one drawn from); -1 or an index past the
  /// entries makes none current.
  void Choose(std::int32_t index);
  /// Makes `faceName` the face drawn from, and current the entry of that face name, else of the
  /// listed family the engine draws for it (a face it substitutes, or its family listed under
  /// another name), else none.
  void ChooseFaceName(FontEngine& engine, std::string faceName);
  /// The entry current, -1 for none.
  std::int32_t Current() const { return current_; }
  /// The face name drawn from.
  const std::string& CurrentFaceName() const { return faceName_; }

 private:
  std::int32_t IndexOfFaceName(std::string_view faceName) const;

  std::vector<FaceEntry> entries_;
  std::int32_t current_ = -1;
  std::string faceName_;
};

/// The name a face of a font file is listed under: its family's name; where another entry has
/// it, with the style added ("Noto Sans CJK JP Bold"); where that is taken too, with the file's
/// name as well ("Noto Sans CJK JP Bold (NotoSansCJK-Bold.ttc)"); then with a number. What is
/// added is shortened to keep the name within a face name's 31 bytes; the family's name never is.
std::string DistinctEntryName(const std::string& family, const std::string& style,
                              const std::string& fileName, const std::vector<std::string>& taken);

}  // namespace moji
