#include "display/face_walk.h"

#include <algorithm>
#include <climits>

#include "platform/font_engine.h"
#include "platform/file_access.h"
#include "platform/font_records.h"
#include "platform/installed_faces.h"
#include "platform/glyph_outline_service.h"
#include "display/drawn_face.h"

namespace moji {
namespace {

std::int32_t IndexOf(const std::vector<std::string>& entries, std::string_view name) {
  const auto found = std::find(entries.begin(), entries.end(), name);
  if (found == entries.end()) return -1;
  const auto index = found - entries.begin();
  return index > INT32_MAX ? -1 : static_cast<std::int32_t>(index);
}

/// The longest start of the UTF-8 text that fits in `bytes`, never cutting a character.
std::string_view Utf8Prefix(std::string_view text, std::size_t bytes) {
  if (text.size() <= bytes) return text;
  std::size_t end = bytes;
  while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
  return text.substr(0, end);
}

/// `text`, or its start and "…" where it is longer than `bytes`.
std::string Shortened(std::string_view text, std::size_t bytes) {
  constexpr std::string_view kEllipsis = "…";
  if (text.size() <= bytes) return std::string(text);
  if (bytes < kEllipsis.size()) return {};
  return std::string(Utf8Prefix(text, bytes - kEllipsis.size())) + std::string(kEllipsis);
}

/// The family's name with `style`, `fileName` (in brackets) and `number` added where given, the
/// added part shortened (the file's name first, then the style) to keep within a face name.
std::string NameWithAdditions(const std::string& family, const std::string& style,
                              const std::string& fileName, int number) {
  const std::string tail = number > 0 ? " " + std::to_string(number) : "";
  const std::size_t room = kMaxFaceNameBytes - std::min(kMaxFaceNameBytes, family.size());
  std::string styled = style.empty() ? "" : " " + style;
  if (fileName.empty()) return family + Shortened(styled + tail, room);
  styled = Shortened(styled, room / 2);
  const std::size_t brackets = styled.size() + 3 + tail.size();
  if (brackets >= room) return family + Shortened(styled + tail, room);
  return family + styled + " (" + Shortened(fileName, room - brackets) + ")" + tail;
}

std::vector<FaceEntry> FontFileEntries(const std::string& path,
                                       const std::vector<std::string>& listed) {
  std::vector<FaceEntry> entries;
  std::vector<std::string> taken = listed;
  const std::string fileName = path.substr(path.rfind('/') + 1);
  for (const InstalledFont& font : FontsOfFile(path)) {
    std::string family = FaceNameOfFont(font);
    if (family.empty()) family = fileName + " " + std::to_string(font.Index);
    std::string name = DistinctEntryName(family, font.Style, fileName, taken);
    taken.push_back(name);
    entries.push_back({std::move(name), FontFileFaceName(font), font.Index});
  }
  return entries;
}

/// "0, 1, 3": the face numbers of the entries.
std::string FaceNumbers(const std::vector<FaceEntry>& entries) {
  std::string numbers;
  for (const FaceEntry& entry : entries) {
    numbers += (numbers.empty() ? "" : ", ") + std::to_string(entry.Index);
  }
  return numbers;
}

}  // namespace

void WalkOutlineFaces(const std::vector<std::string>& names, const SelectDrawingFace& selectFace,
                      const KeepFace& keep) {
  TEXTMETRIC metrics{};
  for (const std::string& name : names) {
    if (name.starts_with('@')) continue;
    // A failed query leaves the record as the previous face left it: it says nothing of this
    // face, which is then not listed.
    const bool measured = GetTextMetricsA(selectFace(name), &metrics) != 0;
    if (measured && (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0) keep(name);
  }
}

std::int32_t EntryOfDrawingFace(const std::vector<std::string>& entries, std::string_view face) {
  const std::int32_t entry = IndexOf(entries, face);
  if (entry >= 0) return entry;
  // The name is not listed: the engine draws some other face for it (a substitute, or its
  // family listed under another name), so the list shows that face, or nothing when it is
  // not listed either.
  const std::string drawn = ListedFamilyOfDrawnFace(face);
  return drawn.empty() ? -1 : IndexOf(entries, drawn);
}

std::string DistinctEntryName(const std::string& family, const std::string& style,
                              const std::string& fileName, const std::vector<std::string>& taken) {
  const auto isFree = [&taken](const std::string& name) {
    return std::find(taken.begin(), taken.end(), name) == taken.end();
  };
  for (const std::string& name : {family, NameWithAdditions(family, style, "", 0),
                                  NameWithAdditions(family, style, fileName, 0)}) {
    if (isFree(name)) return name;
  }
  // Files of the same name in other folders: numbered, which a face list never holds so often
  // that the count runs long.
  for (int number = 2; number < 10000; ++number) {
    std::string name = NameWithAdditions(family, style, fileName, number);
    if (isFree(name)) return name;
  }
  return family;
}

FontFileChoice ChooseFontFileFace(const std::string& path, int index,
                                  const std::vector<std::string>& listed) {
  FontFileChoice choice{FontFileEntries(path, listed), std::nullopt, {}, {}};
  const auto found = std::find_if(choice.Entries.begin(), choice.Entries.end(),
                                  [index](const FaceEntry& entry) { return entry.Index == index; });
  if (found != choice.Entries.end()) {
    choice.Chosen = *found;
  } else if (choice.Entries.empty()) {
    choice.OpenError = FontFileOpenProblem(path);
    choice.Problem = choice.OpenError.empty()
                         ? "cannot read a font with TrueType or CFF outlines from " + path
                         : "cannot open " + path + ": " + choice.OpenError;
  } else {
    choice.Problem = path + " has no outline face " + std::to_string(index) +
                     " (its outline faces: " + FaceNumbers(choice.Entries) + ")";
  }
  return choice;
}

}  // namespace moji
