#include "display/face_choice.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>

#include "platform/installed_faces.h"

namespace moji {
namespace {

/// "a, b, c".
std::string Listed(const std::vector<std::string>& names) {
  std::string text;
  for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
  return text.empty() ? "none" : text;
}

/// The name the face of an identity goes by in a message.
std::string NameOfFace(FontEngine& engine, const FaceIdentity& face) {
  if (const InstalledFaceId* installed = face.AsInstalled()) return installed->Family;
  const FontFace* resolved = engine.Resolve(engine.FaceNameOf(face));
  return resolved != nullptr && !resolved->FamilyName.empty() ? resolved->FamilyName : face.AsFile()->Path;
}

std::string InstanceProblem(const std::string& face, const std::string& instance,
                            const FaceVariations& variations) {
  std::vector<std::string> names;
  for (const NamedInstance& named : variations.Instances) names.push_back(named.EnglishName);
  return face + " has no named instance " + instance + " (its instances: " + Listed(names) + ")";
}

std::string AxisProblem(const std::string& face, const AxisValue& value, const FaceVariations& variations) {
  const VariationAxis* axis = AxisTagged(variations, value.Tag);
  if (axis == nullptr) {
    std::vector<std::string> tags;
    for (const VariationAxis& known : variations.Axes) tags.push_back(known.Tag + " (" + known.EnglishName + ")");
    return face + " has no axis " + value.Tag + " (its axes: " + Listed(tags) + ")";
  }
  if (value.Value >= axis->Minimum && value.Value <= axis->Maximum) return {};
  return value.Tag + "=" + DesignValueText(value.Value) + " is outside the axis " + axis->Tag + " (" +
         axis->EnglishName + "): " + DesignValueText(axis->Minimum) + " to " +
         DesignValueText(axis->Maximum);
}

/// The problem with the instance and axis values asked of a face, or an empty text.
std::string VariationProblem(FontEngine& engine, const FaceIdentity& face, const WithinFamily& choice) {
  if (choice.Instance.empty() && choice.Axes.empty()) return {};
  const FaceVariations& variations = VariationsOfFace(engine, face);
  const std::string name = NameOfFace(engine, face);
  if (variations.Axes.empty()) {
    return name + " is no variable face: --instance and --variation need one";
  }
  if (!choice.Instance.empty() && InstanceNamed(variations, choice.Instance) == 0) {
    return InstanceProblem(name, choice.Instance, variations);
  }
  for (const AxisValue& value : choice.Axes) {
    if (std::string problem = AxisProblem(name, value, variations); !problem.empty()) return problem;
  }
  return {};
}

std::optional<double> NumberOf(std::string_view text) {
  double value = 0.0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc{} || end != text.data() + text.size() || !std::isfinite(value)) {
    return std::nullopt;
  }
  return value;
}

}  // namespace

std::vector<std::string> StylesOfEntry(FontEngine& engine, const FaceEntry& entry) {
  if (entry.Face.AsInstalled() != nullptr) return StylesOfFamily(engine.Installed(), entry.Name);
  const FontFace* face = engine.Resolve(entry.FaceName);
  if (face == nullptr || face->Style.empty()) return {};
  return {face->Style};
}

FaceIdentity StyledFace(const FaceEntry& entry, const std::string& style) {
  if (entry.Face.AsInstalled() == nullptr) return entry.Face;
  return FaceIdentity::Installed(entry.Face.AsInstalled()->Family, style);
}

const FaceVariations& VariationsOfFace(FontEngine& engine, const FaceIdentity& face) {
  const FontFace* resolved = engine.Resolve(engine.FaceNameOf(face));
  return resolved == nullptr ? engine.VariationsOf(FontFace{}) : engine.VariationsOf(*resolved);
}

std::vector<AxisPosition> PositionsOfFace(FontEngine& engine, const FaceIdentity& face) {
  const FontFace* resolved = engine.Resolve(engine.FaceNameOf(face));
  if (resolved == nullptr) return {};
  return AxisPositionsOf(engine.VariationsOf(*resolved), resolved->Coordinates);
}

FaceChoice ChooseWithinFamily(FontEngine& engine, const FaceIdentity& base, const WithinFamily& choice) {
  FaceIdentity face = base;
  if (!choice.Style.empty()) {
    const InstalledFaceId* installed = base.AsInstalled();
    const std::vector<std::string> styles =
        installed == nullptr ? std::vector<std::string>{} : StylesOfFamily(engine.Installed(), installed->Family);
    if (installed == nullptr) return {std::nullopt, "--style needs an installed family (--face)"};
    if (styles.empty()) return {std::nullopt, "no installed family is named " + installed->Family};
    if (std::find(styles.begin(), styles.end(), choice.Style) == styles.end()) {
      return {std::nullopt, installed->Family + " has no style " + choice.Style +
                                " (its styles: " + Listed(styles) + ")"};
    }
    face = FaceIdentity::Installed(installed->Family, choice.Style);
  }
  if (std::string problem = VariationProblem(engine, face, choice); !problem.empty()) {
    return {std::nullopt, std::move(problem)};
  }
  return {face.WithVariation({choice.Instance, choice.Axes}), {}};
}

std::optional<std::vector<AxisValue>> ParseAxisValues(std::string_view text) {
  std::vector<AxisValue> values;
  while (true) {
    const std::size_t comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    const std::size_t equals = item.find('=');
    if (equals != 4) return std::nullopt;
    const std::optional<double> value = NumberOf(item.substr(equals + 1));
    if (!value) return std::nullopt;
    values.push_back({std::string(item.substr(0, equals)), *value});
    if (comma == std::string_view::npos) return values;
    text.remove_prefix(comma + 1);
  }
}

std::string DesignValueText(double value) {
  char text[48];
  std::snprintf(text, sizeof text, "%.3f", value);
  std::string shown(text);
  while (shown.back() == '0') shown.pop_back();
  if (shown.back() == '.') shown.pop_back();
  return shown == "-0" ? "0" : shown;
}

std::vector<std::string> NamedInstanceLines(const FaceVariations& variations) {
  std::vector<std::string> lines;
  for (const NamedInstance& instance : variations.Instances) {
    std::string line = instance.Name;
    if (instance.EnglishName != instance.Name) line += " (" + instance.EnglishName + ")";
    for (std::size_t a = 0; a < variations.Axes.size() && a < instance.Coordinates.size(); ++a) {
      line += " " + variations.Axes[a].Tag + "=" + DesignValueText(instance.Coordinates[a]);
    }
    lines.push_back(std::move(line));
  }
  return lines;
}

double AxisValueAtSlider(const VariationAxis& axis, int position) {
  const double share = std::clamp(position, 0, kAxisSliderSteps) / double{kAxisSliderSteps};
  return axis.Minimum + share * (axis.Maximum - axis.Minimum);
}

int SliderPositionOfValue(const VariationAxis& axis, double value) {
  const double range = axis.Maximum - axis.Minimum;
  if (!(range > 0.0) || !std::isfinite(value)) return 0;
  const double share = std::clamp((value - axis.Minimum) / range, 0.0, 1.0);
  return static_cast<int>(std::lround(share * kAxisSliderSteps));
}

std::int32_t SweepSteps(std::int32_t periodMilliseconds) {
  return std::max<std::int32_t>(2, (std::max<std::int32_t>(periodMilliseconds, 0) + kSweepStepMilliseconds / 2) /
                                       kSweepStepMilliseconds);
}

double SweptAxisValue(const VariationAxis& axis, std::int64_t step, std::int32_t steps) {
  steps = std::max<std::int32_t>(steps, 2);
  const std::int64_t phase = ((step % steps) + steps) % steps;
  const std::int64_t up = phase <= steps / 2 ? phase : steps - phase;
  const double share = static_cast<double>(up) / static_cast<double>(steps / 2);
  return axis.Minimum + std::min(share, 1.0) * (axis.Maximum - axis.Minimum);
}

}  // namespace moji
