#pragma once
// Which face a drawing is made from: one value, whatever the face's kind.

#include <string>
#include <variant>

namespace moji {

/// An installed face: its family, by any of the family's names, and its style; an empty style
/// is the family's most regular one (upright, normal width, regular weight).
struct InstalledFaceId {
  std::string Family;
  std::string Style;
  friend bool operator==(const InstalledFaceId&, const InstalledFaceId&) = default;
};

/// A face of a font file opened directly: the file and the face's index in it.
struct FileFaceId {
  std::string Path;
  int Index = 0;
  friend bool operator==(const FileFaceId&, const FileFaceId&) = default;
};

/// A face to draw from: an installed face or a face of a font file.
struct FaceIdentity {
  std::variant<InstalledFaceId, FileFaceId> Source;

  /// The installed family's face in the style ("": its most regular).
  static FaceIdentity Installed(std::string family, std::string style = {}) {
    return {InstalledFaceId{std::move(family), std::move(style)}};
  }
  /// Face `index` of the font file at `path`.
  static FaceIdentity File(std::string path, int index) {
    return {FileFaceId{std::move(path), index}};
  }
  const InstalledFaceId* AsInstalled() const { return std::get_if<InstalledFaceId>(&Source); }
  const FileFaceId* AsFile() const { return std::get_if<FileFaceId>(&Source); }
  friend bool operator==(const FaceIdentity&, const FaceIdentity&) = default;
};

}  // namespace moji
