#pragma once
// Which face a drawing is made from: one value, whatever the face's kind.

#include <string>
#include <variant>
#include <vector>

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

/// One axis value of a variable face, in the axis's design units ("wght" 700).
struct AxisValue {
  std::string Tag;
  double Value = 0.0;
  friend bool operator==(const AxisValue&, const AxisValue&) = default;
};

/// Where in a variable face's design space to draw: a named instance ("Bold"; empty for the
/// default instance), then axis values that override its coordinates, each clamped to its axis's
/// range when the face is resolved. Empty for the default instance; a face without axes ignores it.
struct FaceVariation {
  std::string Instance;
  std::vector<AxisValue> Axes;
  bool IsDefault() const { return Instance.empty() && Axes.empty(); }
  friend bool operator==(const FaceVariation&, const FaceVariation&) = default;
};

/// A face to draw from: an installed face or a face of a font file, and its variation coordinates.
struct FaceIdentity {
  std::variant<InstalledFaceId, FileFaceId> Source;
  FaceVariation Variation;

  /// The installed family's face in the style ("": its most regular).
  static FaceIdentity Installed(std::string family, std::string style = {}) {
    return {InstalledFaceId{std::move(family), std::move(style)}, {}};
  }
  /// Face `index` of the font file at `path`.
  static FaceIdentity File(std::string path, int index) {
    return {FileFaceId{std::move(path), index}, {}};
  }
  const InstalledFaceId* AsInstalled() const { return std::get_if<InstalledFaceId>(&Source); }
  const FileFaceId* AsFile() const { return std::get_if<FileFaceId>(&Source); }
  /// The same face at another place of its design space.
  FaceIdentity WithVariation(FaceVariation variation) const {
    return {Source, std::move(variation)};
  }
  friend bool operator==(const FaceIdentity&, const FaceIdentity&) = default;
};

}  // namespace moji
