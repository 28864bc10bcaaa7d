#include "inspect/construction_lesson.h"

#include <algorithm>
#include <limits>

#include "inspect/font_unit_outline.h"
#include "inspect/step_sentences.h"
#include "model/outline_visit.h"
#include "platform/unicode_names.h"

namespace moji {
namespace {

/// Whether the drawing draws a segment for a step of a Line, Quadratic or Cubic run: the
/// closing line is drawn as part of the block as a whole, and a Start draws nothing.
bool DrawsSegment(const ConstructionStep& step) {
  return step.Kind == StepKind::Line || step.Kind == StepKind::Quadratic ||
         step.Kind == StepKind::Cubic;
}

}  // namespace

ConstructionLesson LessonOfGlyph(const FetchedGlyph& fetched) {
  ConstructionLesson lesson;
  const std::span<const PointSource> sources = fetched.Sources();
  lesson.Steps = ConstructionSteps(fetched.Outline, sources);
  const std::optional<NativeGlyph>& glyph = fetched.Glyph.Glyph;
  const double cell = glyph ? static_cast<double>(glyph->CellUnits()) : 0.0;
  lesson.Units = OutlineInFontUnits(fetched.Outline, sources, cell);
  lesson.UnitSteps = ConstructionSteps(lesson.Units, sources);
  for (const ConstructionStep& step : lesson.Steps) lesson.Sentences.push_back(StepSentence(step));
  lesson.BlockFirsts = BlockFirstSteps(fetched.Outline);
  for (const OutlineBlock& block : Counted(lesson.Units.Blocks, lesson.Units.BlockCount)) {
    lesson.Directions.push_back(BlockDirection(block));
  }
  lesson.Roles = FillRoles(lesson.Units);
  return lesson;
}

std::optional<DrawnPart> PartAfterSteps(std::span<const ConstructionStep> steps, std::size_t done) {
  if (done >= steps.size()) return std::nullopt;
  if (done == 0) return DrawnPart{0, 0};
  const ConstructionStep& last = steps[done - 1];
  if (last.Kind == StepKind::Close) return DrawnPart{last.Block, std::numeric_limits<std::size_t>::max()};
  DrawnPart part{last.Block, 0};
  for (std::size_t k = done; k > 0 && steps[k - 1].Block == last.Block; --k) {
    part.Segments += DrawsSegment(steps[k - 1]) ? 1 : 0;
  }
  return part;
}

std::size_t SteppedTo(StepMove move, std::size_t done, std::size_t count,
                      std::span<const std::size_t> blockFirsts) {
  done = std::min(done, count);
  // Where blocks end, as counts of steps done: 0, each later block's first step, the count.
  std::vector<std::size_t> ends{0};
  for (const std::size_t first : blockFirsts) {
    if (first > ends.back() && first < count) ends.push_back(first);
  }
  if (count > ends.back()) ends.push_back(count);
  switch (move) {
    case StepMove::Next: return std::min(done + 1, count);
    case StepMove::Previous: return done > 0 ? done - 1 : 0;
    case StepMove::First: return 0;
    case StepMove::Last: return count;
    case StepMove::NextBlock: return *std::upper_bound(ends.begin(), ends.end() - 1, done);
    case StepMove::PreviousBlock: break;
  }
  const auto before = std::lower_bound(ends.begin(), ends.end(), done);
  return before == ends.begin() ? 0 : *(before - 1);
}

ReportPoint ReportPointOfStep(const ConstructionStep& step) {
  switch (step.Kind) {
    case StepKind::Start:
    case StepKind::Close: return {step.Block, -1, 0};
    case StepKind::Cubic: return {step.Block, step.Curve, 3 * step.Segment + 2};
    case StepKind::Line:
    case StepKind::Quadratic: break;
  }
  return {step.Block, step.Curve, step.Segment};
}

std::string StepLines(const ConstructionLesson& lesson) {
  std::string lines;
  for (std::size_t k = 0; k < lesson.Sentences.size(); ++k) {
    lines += std::to_string(k + 1) + "\t" + Utf8(lesson.Sentences[k]) + "\n";
  }
  return lines;
}

std::u16string StepCaption(const ConstructionLesson& lesson, std::size_t done) {
  const std::size_t count = lesson.Sentences.size();
  done = std::min(done, count);
  const std::string numbers = std::to_string(done) + " / " + std::to_string(count);
  std::u16string caption = u"ステップ " + std::u16string(numbers.begin(), numbers.end());
  if (done > 0) caption += u"：" + lesson.Sentences[done - 1];
  return caption;
}

std::u16string FillCaption(ContourDirection direction, FillRole role) {
  std::u16string caption;
  switch (direction) {
    case ContourDirection::CounterClockwise: caption = u"反時計回り"; break;
    case ContourDirection::Clockwise: caption = u"時計回り"; break;
    case ContourDirection::Neither: caption = u"向きなし"; break;
    case ContourDirection::Unknown: caption = u"向き不明"; break;
  }
  switch (role) {
    case FillRole::Outer: return caption + u"・外側";
    case FillRole::Hole: return caption + u"・穴";
    case FillRole::Covered: return caption + u"・塗りの内側";
    case FillRole::Flat: return caption + u"・面積なし";
    case FillRole::Unknown: break;
  }
  return caption + u"・不明";
}

}  // namespace moji
