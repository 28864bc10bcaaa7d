#pragma once
// What can be chosen within a family: its styles, a variable face's named instances and axis
// values; the checks the command line makes of them, and the axis controls of the window.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/face_list.h"
#include "platform/face_identity.h"
#include "platform/font_engine.h"

namespace moji {

/// A choice within the family of a face: a style ("" for the most regular), a named instance
/// ("" for none) and axis values in design units (none for the instance's own).
struct WithinFamily {
  std::string Style;
  std::string Instance;
  std::vector<AxisValue> Axes;
  friend bool operator==(const WithinFamily&, const WithinFamily&) = default;
};

/// The face a choice comes to, or the one-line reason it is refused.
struct FaceChoice {
  std::optional<FaceIdentity> Face;
  std::string Problem;
};

/// The styles an entry of the face list offers: its installed family's, the most regular first
/// (from fontconfig's listing: no file is read); a face of a font file offers its own alone.
std::vector<std::string> StylesOfEntry(FontEngine& engine, const FaceEntry& entry);

/// The entry's face in a style: the installed family in that style ("": its most regular), at
/// its default instance; a face of a font file stays itself.
FaceIdentity StyledFace(const FaceEntry& entry, const std::string& style);

/// The design space of the face an identity draws from; nothing for a face that does not vary or
/// is not found.
const FaceVariations& VariationsOfFace(FontEngine& engine, const FaceIdentity& face);

/// Where on its axes the face of an identity is drawn: each axis and its value.
std::vector<AxisPosition> PositionsOfFace(FontEngine& engine, const FaceIdentity& face);

/// The face `base` comes to with the choice, as the command line takes it: a style the family
/// lacks, an instance the face lacks, an axis it lacks or a value outside an axis's range is
/// refused in one line that lists what there is.
FaceChoice ChooseWithinFamily(FontEngine& engine, const FaceIdentity& base, const WithinFamily& choice);

/// "wght=700,wdth=87.5": axis values, each a four-character tag, "=" and a finite number;
/// nothing for text of another form.
std::optional<std::vector<AxisValue>> ParseAxisValues(std::string_view text);

/// "700", "87.5", "-0.25": a design value, without trailing zeros (three decimals at most).
std::string DesignValueText(double value);

/// The named instances of a design space, one line each: its name (and its English one where
/// that differs), then each axis's tag and value ("太字 (Bold) wght=700").
std::vector<std::string> NamedInstanceLines(const FaceVariations& variations);

/// Positions of an axis slider, from 0 to this many.
inline constexpr int kAxisSliderSteps = 1000;

/// The design value at a slider position (0 to kAxisSliderSteps), within the axis's range.
double AxisValueAtSlider(const VariationAxis& axis, int position);

/// The slider position nearest a design value.
int SliderPositionOfValue(const VariationAxis& axis, double value);

/// Steps of the axis sweep per second: one per tick of the window's 50 ms timer.
inline constexpr int kSweepStepMilliseconds = 50;

/// The steps of one sweep from the minimum to the maximum and back over `periodMilliseconds`:
/// at least 2.
std::int32_t SweepSteps(std::int32_t periodMilliseconds);

/// The value of an axis swept from its minimum to its maximum and back in `steps` steps, at step
/// `step` (counted from the minimum; the sweep repeats).
double SweptAxisValue(const VariationAxis& axis, std::int64_t step, std::int32_t steps);

}  // namespace moji
