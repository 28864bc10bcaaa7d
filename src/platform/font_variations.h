#pragma once
// The design space of a variable face (its axes and named instances, with their names) and the
// coordinates a requested variation comes to.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/face_identity.h"

struct FT_FaceRec_;

namespace moji {

/// One axis of a variable face, in design units.
struct VariationAxis {
  /// The four-letter tag ("wght").
  std::string Tag;
  /// Its name to show: the Japanese one where the font has one, else the English one, else the tag.
  std::string Name;
  /// Its English name (the tag where the font names it not).
  std::string EnglishName;
  double Minimum = 0.0;
  double Default = 0.0;
  double Maximum = 0.0;
  /// The font asks for the axis not to be offered to users.
  bool Hidden = false;
  friend bool operator==(const VariationAxis&, const VariationAxis&) = default;
};

/// One named instance of a variable face.
struct NamedInstance {
  /// Its name to show (Japanese where the font has one) and its English name.
  std::string Name;
  std::string EnglishName;
  /// Its coordinates in design units, one per axis in the order of the axes.
  std::vector<double> Coordinates;
  friend bool operator==(const NamedInstance&, const NamedInstance&) = default;
};

/// The design space of a face: no axes for a face that does not vary.
struct FaceVariations {
  std::vector<VariationAxis> Axes;
  std::vector<NamedInstance> Instances;
  friend bool operator==(const FaceVariations&, const FaceVariations&) = default;
};

/// Where a face is drawn on one of its axes.
struct AxisPosition {
  VariationAxis Axis;
  double Value = 0.0;
  friend bool operator==(const AxisPosition&, const AxisPosition&) = default;
};

/// The axes and named instances of an opened face (fvar, and the name table for their names);
/// nothing for a face without them or whose tables are broken.
FaceVariations ReadFaceVariations(FT_FaceRec_* face);

/// The named instance called `name` (its shown or its English name), from 1; 0 for none.
int InstanceNamed(const FaceVariations& variations, std::string_view name);

/// The axis of the tag, or nullptr.
const VariationAxis* AxisTagged(const FaceVariations& variations, std::string_view tag);

/// A design value as a 16.16 coordinate within the axis's range: clamped, and the default for a
/// value that is no number.
std::int32_t AxisCoordinate(const VariationAxis& axis, double value);

/// The 16.16 design coordinates of a variation, one per axis: the named instance `instance`
/// (from 1; 0 or one past the instances: the defaults), then the instance the variation names
/// (an unknown name leaves them), then its axis values, each clamped (unknown tags are left out).
/// Empty for a face without axes, or where every coordinate is the default.
std::vector<std::int32_t> DesignCoordinatesOf(const FaceVariations& variations, int instance,
                                              const FaceVariation& variation);

/// The 16.16 coordinates of the axes' defaults.
std::vector<std::int32_t> DefaultCoordinatesOf(const FaceVariations& variations);

/// The axes with the values of the coordinates (the defaults for empty coordinates).
std::vector<AxisPosition> AxisPositionsOf(const FaceVariations& variations,
                                          std::span<const std::int32_t> coordinates);

/// The named instance (from 1) whose coordinates these are, 0 for none; empty coordinates are the
/// defaults.
int InstanceAt(const FaceVariations& variations, std::span<const std::int32_t> coordinates);

/// Sets the face's design coordinates (empty: its defaults); false where the face refuses them.
bool ApplyDesignCoordinates(FT_FaceRec_* face, std::span<const std::int32_t> coordinates);

}  // namespace moji
