#pragma once
// The font walk: which installed faces the font engine realises as outline fonts, and which
// faces of a font file it draws from.
// Plain C++: the window fills its face list with it and the command line prints it.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/device_context.h"

namespace moji {

/// The face the window starts with, and the command line's default face.
inline constexpr char16_t kDefaultFace[] = u"ＭＳ ゴシック";

/// The names of the faces the walk goes through, UTF-8, read once when the walk begins.
using FaceNames = std::function<std::vector<std::string>()>;
/// Makes a UTF-8 face name the drawing area's face; returns the device context it is selected into.
using SelectDrawingFace = std::function<DeviceContext&(const std::string& faceName)>;
/// Receives a face that passed the outline test.
using KeepFace = std::function<void(const std::string& faceName)>;

/// Walks the face names in order: a name beginning with "@" (a vertical-writing variant) is
/// skipped untried; any other name is made the drawing area's face and kept when the metrics of
/// the selected font report outlines the engine converts (TrueType or CFF). A failed query says
/// nothing of the face, which is then not kept.
void WalkOutlineFaces(const std::vector<std::string>& names, const SelectDrawingFace& selectFace,
                      const KeepFace& keep);

/// One entry of the face list: the name it shows, and the face name a font description gives to
/// draw from it (the same for an installed family; one of its own for a face of a font file).
struct FaceEntry {
  std::string Name;
  std::string FaceName;
  /// The face's index in its font file; 0 for an installed family.
  int Index = 0;
  friend bool operator==(const FaceEntry&, const FaceEntry&) = default;
};

/// The outline faces of a font file and the one asked for by its own face number (the index
/// `faces --font-file` prints); without one, a one-line reason.
struct FontFileChoice {
  /// The file's outline faces that the font engine opens, by index, each named as the
  /// installed families are (its Japanese name where one fits, else its first that fits, else
  /// the file's name and the index); empty when the file is no font or holds none.
  std::vector<FaceEntry> Entries;
  std::optional<FaceEntry> Chosen;
  /// Why nothing is chosen: the file cannot be opened, gives no outline face, or none of that
  /// number.
  std::string Problem;
  /// Why the file cannot be opened, in the system's words; empty when it opens.
  std::string OpenError;
};

/// Reads the outline faces of the font file at `path` once and chooses face `index` of them.
/// Each entry is named apart from the names in `listed` and from the file's other entries, as
/// DistinctEntryName names it.
FontFileChoice ChooseFontFileFace(const std::string& path, int index,
                                  const std::vector<std::string>& listed = {});

/// The name a face of a font file is listed under: its family's name; where another entry has
/// it, with the style added ("Noto Sans CJK JP Bold"); where that is taken too, with the file's
/// name as well ("Noto Sans CJK JP Bold (NotoSansCJK-Bold.ttc)"); then with a number. What is
/// added is shortened to keep the name within a face name's 31 bytes; the family's name never is.
std::string DistinctEntryName(const std::string& family, const std::string& style,
                              const std::string& fileName, const std::vector<std::string>& taken);

/// The entry of `entries` to show as current for the drawing face `face`: the entry of that
/// name, else the entry of the listed family the font engine draws for it, else -1.
std::int32_t EntryOfDrawingFace(const std::vector<std::string>& entries, std::string_view face);

}  // namespace moji
