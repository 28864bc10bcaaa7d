#include "inspect/step_sentences.h"

#include <initializer_list>

#include "report/outline_report.h"

namespace moji {
namespace {

/// The value that fills the placeholder {Name}.
struct Field {
  std::u16string_view Name;
  std::u16string Value;
};

std::u16string Number(std::int32_t value) {
  const std::string digits = std::to_string(value);
  return {digits.begin(), digits.end()};
}

/// The template of `key` with each placeholder named in `fields` filled in; any other text in
/// braces is kept as it is.
std::u16string Fill(SentenceKey key, std::initializer_list<Field> fields) {
  const std::u16string_view text = kSentenceTemplates[static_cast<std::size_t>(key)].Text;
  std::u16string out;
  std::size_t at = 0;
  while (at < text.size()) {
    const std::size_t open = text.find(u'{', at);
    const std::size_t close = open == text.npos ? text.npos : text.find(u'}', open);
    if (close == text.npos) break;
    out += text.substr(at, open - at);
    const std::u16string_view name = text.substr(open + 1, close - open - 1);
    const Field* field = nullptr;
    for (const Field& candidate : fields) {
      if (candidate.Name == name) field = &candidate;
    }
    out += field != nullptr ? std::u16string_view(field->Value)
                            : text.substr(open, close - open + 1);
    at = close + 1;
  }
  out += text.substr(at);
  return out;
}

Field X(const StepPoint& point) { return {u"x", FormatCoordinate(point.At.X)}; }
Field Y(const StepPoint& point) { return {u"y", FormatCoordinate(point.At.Y)}; }

/// An on-curve point by its number, or by what it is when it has none.
std::u16string Named(const StepPoint& point) {
  if (point.Number < 0) return Fill(SentenceKey::PointUnnumbered, {X(point), Y(point)});
  return Fill(SentenceKey::Point, {{u"n", Number(point.Number)}, X(point), Y(point)});
}

std::u16string ControlNamed(const StepPoint& point) {
  if (point.Number < 0) return Fill(SentenceKey::ControlUnnumbered, {X(point), Y(point)});
  return Fill(SentenceKey::Control, {{u"n", Number(point.Number)}, X(point), Y(point)});
}

/// Where a segment ends: the start point again, an implied midpoint, or a point of the font.
std::u16string EndNamed(const ConstructionStep& step) {
  if (step.EndsAtStart) return Fill(SentenceKey::StartPoint, {X(step.To), Y(step.To)});
  if (!step.ImpliedEnd) return Named(step.To);
  if (step.Between[0] < 0 || step.Between[1] < 0) {
    return Fill(SentenceKey::ImpliedUnnumbered, {X(step.To), Y(step.To)});
  }
  return Fill(SentenceKey::Implied, {{u"a", Number(step.Between[0])},
                                     {u"b", Number(step.Between[1])}, X(step.To), Y(step.To)});
}

std::u16string StartSentence(const ConstructionStep& step) {
  const Field block{u"block", Number(step.Block)};
  switch (step.Rule) {
    case StartRule::FirstPoint:
      return Fill(SentenceKey::StartFirstPoint, {block, X(step.To), Y(step.To)});
    case StartRule::LastPoint:
      return Fill(SentenceKey::StartLastPoint, {block, X(step.To), Y(step.To),
                                                {u"first", Number(step.FirstPointNumber)},
                                                {u"last", Number(step.To.Number)}});
    case StartRule::Midpoint: break;
  }
  if (step.Between[0] < 0 || step.Between[1] < 0) {
    return Fill(SentenceKey::StartMidpointUnnumbered, {block, X(step.To), Y(step.To)});
  }
  return Fill(SentenceKey::StartMidpoint, {block, X(step.To), Y(step.To),
                                           {u"first", Number(step.Between[1])},
                                           {u"last", Number(step.Between[0])}});
}

std::u16string QuadraticSentence(const ConstructionStep& step, const Field& curve) {
  const auto& [c1, c2] = step.CubicControls;
  const Field cx1{u"cx1", FormatCoordinate(c1.X)}, cy1{u"cy1", FormatCoordinate(c1.Y)};
  const Field cx2{u"cx2", FormatCoordinate(c2.X)}, cy2{u"cy2", FormatCoordinate(c2.Y)};
  const Field control{u"control", ControlNamed(step.Control1)};
  if (step.ImpliedEnd) {
    return Fill(SentenceKey::QuadraticToImplied,
                {curve, {u"to", EndNamed(step)}, cx1, cy1, cx2, cy2});
  }
  if (step.EndsAtStart) {
    return Fill(SentenceKey::QuadraticToStart,
                {curve, control, X(step.To), Y(step.To), cx1, cy1, cx2, cy2});
  }
  return Fill(SentenceKey::QuadraticToPoint,
              {curve, control, {u"to", EndNamed(step)}, cx1, cy1, cx2, cy2});
}

std::u16string CubicSentence(const ConstructionStep& step, const Field& curve) {
  const Field control1{u"control1", ControlNamed(step.Control1)};
  const Field control2{u"control2", ControlNamed(step.Control2)};
  if (step.EndsAtStart) {
    return Fill(SentenceKey::CubicToStart, {curve, control1, control2, X(step.To), Y(step.To)});
  }
  return Fill(SentenceKey::Cubic, {curve, control1, control2, {u"to", EndNamed(step)}});
}

std::u16string CloseSentence(const ConstructionStep& step) {
  const Field block{u"block", Number(step.Block)};
  if (step.From.At == step.To.At) {
    return Fill(SentenceKey::CloseInPlace, {block, X(step.To), Y(step.To)});
  }
  return Fill(SentenceKey::Close, {block, {u"from", Named(step.From)}, X(step.To), Y(step.To)});
}

}  // namespace

std::u16string StepSentence(const ConstructionStep& step) {
  const Field curve{u"curve", Number(step.Curve)};
  switch (step.Kind) {
    case StepKind::Start: return StartSentence(step);
    case StepKind::Line: return Fill(SentenceKey::Line, {curve, {u"to", EndNamed(step)}});
    case StepKind::Quadratic: return QuadraticSentence(step, curve);
    case StepKind::Cubic: return CubicSentence(step, curve);
    case StepKind::Close: return CloseSentence(step);
  }
  return {};
}

}  // namespace moji
