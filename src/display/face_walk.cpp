#include "display/face_walk.h"

#include <algorithm>
#include <climits>

#include "platform/font_engine.h"
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

std::vector<FaceEntry> FontFileEntries(const std::string& path) {
  std::vector<FaceEntry> entries;
  for (const InstalledFont& font : FontsOfFile(path)) {
    std::string name = FaceNameOfFont(font);
    if (name.empty()) {
      name = path.substr(path.rfind('/') + 1) + " " + std::to_string(font.Index);
    }
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

FontFileChoice ChooseFontFileFace(const std::string& path, int index) {
  FontFileChoice choice{FontFileEntries(path), std::nullopt, {}};
  const auto found = std::find_if(choice.Entries.begin(), choice.Entries.end(),
                                  [index](const FaceEntry& entry) { return entry.Index == index; });
  if (found != choice.Entries.end()) {
    choice.Chosen = *found;
  } else if (choice.Entries.empty()) {
    choice.Problem = "cannot read a font with TrueType or CFF outlines from " + path;
  } else {
    choice.Problem = path + " has no outline face " + std::to_string(index) +
                     " (its outline faces: " + FaceNumbers(choice.Entries) + ")";
  }
  return choice;
}

}  // namespace moji
