#include "display/face_list.h"

#include <algorithm>
#include <climits>

#include "platform/file_access.h"
#include "platform/font_records.h"
#include "platform/glyph_outline_service.h"
#include "platform/installed_faces.h"

namespace moji {
namespace {

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

/// "0, 1, 3": the face numbers of the entries.
std::string FaceNumbers(const std::vector<FaceEntry>& entries) {
  std::string numbers;
  for (const FaceEntry& entry : entries) {
    numbers += (numbers.empty() ? "" : ", ") + std::to_string(entry.Index);
  }
  return numbers;
}

}  // namespace

void FaceList::WalkInstalledFaces(const std::vector<std::string>& names,
                                  const SelectDrawingFace& select) {
  TEXTMETRIC metrics{};
  for (const std::string& name : names) {
    if (name.starts_with('@')) continue;
    // A failed query leaves the record as the previous face left it: it says nothing of this
    // face, which is then not listed.
    const bool measured = GetTextMetricsA(select(name), &metrics) != 0;
    if (measured && (metrics.tmPitchAndFamily & TMPF_TRUETYPE) != 0) {
      entries_.push_back({name, name, FaceIdentity::Installed(name), {}, 0});
    }
  }
}

FontFileChoice FaceList::ReadFontFile(FontEngine& engine, const std::string& path, int index) const {
  FontFileChoice choice;
  std::vector<std::string> taken = Names();
  const std::string fileName = path.substr(path.rfind('/') + 1);
  for (const InstalledFont& font : engine.FacesOfFile(path)) {
    std::string family = FaceNameOfFont(font);
    if (family.empty()) family = fileName + " " + std::to_string(font.Index);
    const FaceIdentity face = FaceIdentity::File(path, font.Index);
    std::string name = DistinctEntryName(family, font.Style, fileName, taken);
    taken.push_back(name);
    choice.Entries.push_back({std::move(name), engine.FaceNameOf(face), face, path, font.Index});
    if (font.Index == index) choice.Chosen = choice.Entries.back();
  }
  if (choice.Chosen) return choice;
  if (choice.Entries.empty()) {
    choice.OpenError = FontFileOpenProblem(path);
    choice.Problem = choice.OpenError.empty()
                         ? "cannot read a font with TrueType, CFF or Type 1 outlines from " + path
                         : "cannot open " + path + ": " + choice.OpenError;
  } else {
    choice.Problem = path + " has no outline face " + std::to_string(index) +
                     " (its outline faces: " + FaceNumbers(choice.Entries) + ")";
  }
  return choice;
}

void FaceList::AddFontFile(const FontFileChoice& choice) {
  if (!choice.Chosen) return;
  for (const FaceEntry& entry : choice.Entries) {
    if (IndexOfFaceName(entry.FaceName) < 0) entries_.push_back(entry);
  }
  Choose(IndexOfFaceName(choice.Chosen->FaceName));
}

std::vector<std::string> FaceList::Names() const {
  std::vector<std::string> names;
  names.reserve(entries_.size());
  for (const FaceEntry& entry : entries_) names.push_back(entry.Name);
  return names;
}

void FaceList::Choose(std::int32_t index) {
  const bool listed = index >= 0 && static_cast<std::size_t>(index) < entries_.size();
  current_ = listed ? index : -1;
  if (listed) faceName_ = entries_[static_cast<std::size_t>(index)].FaceName;
}

void FaceList::ChooseFaceName(FontEngine& engine, std::string faceName) {
  faceName_ = std::move(faceName);
  current_ = IndexOfFaceName(faceName_);
  if (current_ >= 0) return;
  // The name is not listed: the engine draws some other face for it (a substitute, or its
  // family listed under another name), so the list shows that face, or nothing when it is not
  // listed either.
  const std::string drawn = engine.ListedFamilyOf(faceName_);
  if (!drawn.empty()) current_ = IndexOfFaceName(drawn);
}

std::int32_t FaceList::IndexOfFaceName(std::string_view faceName) const {
  const auto found = std::find_if(entries_.begin(), entries_.end(),
                                  [&](const FaceEntry& entry) { return entry.FaceName == faceName; });
  if (found == entries_.end()) return -1;
  const auto index = found - entries_.begin();
  return index > INT32_MAX ? -1 : static_cast<std::int32_t>(index);
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

}  // namespace moji
