#pragma once
// The construction of the glyph shown, ready to be stepped through: its steps, their
// sentences, the part of the drawing each leaves drawn, and how the finished contours fill.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "display/display_request.h"
#include "geometry/block_rendering.h"
#include "inspect/construction_steps.h"
#include "inspect/contour_fill.h"
#include "report/report_lines.h"

namespace moji {

/// Everything the steps of one glyph show.
struct ConstructionLesson {
  /// The steps in font heights, the report's coordinates (what the sentences say).
  std::vector<ConstructionStep> Steps;
  /// The same steps in font units (what the large view draws).
  std::vector<ConstructionStep> UnitSteps;
  /// The sentence of each step.
  std::vector<std::u16string> Sentences;
  /// The index of each block's first step.
  std::vector<std::size_t> BlockFirsts;
  /// The outline in font units, with each block's direction and fill role.
  GlyphOutline Units;
  std::vector<ContourDirection> Directions;
  std::vector<FillRole> Roles;
};

/// The lesson of what a request fetched.
ConstructionLesson LessonOfGlyph(const FetchedGlyph& fetched);

/// The part of the outline's drawing drawn after the first `done` of its steps; none (the whole
/// drawing) once every step is done.
std::optional<DrawnPart> PartAfterSteps(std::span<const ConstructionStep> steps, std::size_t done);

/// A move through the steps: one step, to either end, to the end of a block.
enum class StepMove : std::uint8_t { Next, Previous, First, Last, NextBlock, PreviousBlock };

/// How many steps are done after the move from `done` of `count`: Next and Previous one step,
/// First none, Last all; NextBlock to the end of the block under way (or of the next, at the end
/// of one), PreviousBlock back to the end of the block before.
std::size_t SteppedTo(StepMove move, std::size_t done, std::size_t count,
                      std::span<const std::size_t> blockFirsts);

/// The point of the report a step is told at: the start point for a block's Start and Close,
/// else the point its segment is drawn to (a B-spline piece's control).
ReportPoint ReportPointOfStep(const ConstructionStep& step);

/// What `report --steps` prints: each step's number from 1, a tab and its sentence, a line each.
std::string StepLines(const ConstructionLesson& lesson);

/// "ステップ k / n" and, after the first, the sentence of step k: the caption of the view.
std::u16string StepCaption(const ConstructionLesson& lesson, std::size_t done);

/// What a direction and a fill role are called beside a contour, e.g. "反時計回り・外側".
std::u16string FillCaption(ContourDirection direction, FillRole role);

}  // namespace moji
