#pragma once
// The steps by which an outline's points become the drawn outline: each block's start, one step
// per segment the drawing draws, and the closing line.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "model/glyph_outline.h"
#include "native/native_writer.h"

namespace moji {

/// What a construction step does.
enum class StepKind : std::uint8_t {
  /// Places the pen at the block's start point.
  Start,
  /// A straight segment of a polyline run.
  Line,
  /// One quadratic piece of a B-spline run, drawn as one cubic segment.
  Quadratic,
  /// One cubic Bezier segment of a cubic run.
  Cubic,
  /// The straight line from the block's last point back to its start.
  Close,
};

/// Why a block starts where it starts.
enum class StartRule : std::uint8_t {
  /// The contour's first point lies on the curve (or is the contour's only point).
  FirstPoint,
  /// The first point is a control point and the last lies on the curve.
  LastPoint,
  /// The first and the last point are both control points: their midpoint.
  Midpoint,
};

/// A point a step uses: where it is, in the space of the outline given, and the font's number
/// of it, -1 where it has none (an implied on-curve point, a point past the source table).
struct StepPoint {
  OutlinePoint At{};
  std::int32_t Number = -1;
  friend bool operator==(const StepPoint&, const StepPoint&) = default;
};

/// One step of the construction of an outline.
struct ConstructionStep {
  StepKind Kind = StepKind::Start;
  std::int32_t Block = 0;
  /// The run the step draws, -1 for Start and Close.
  std::int32_t Curve = -1;
  /// The segment within the run: the point of a Line, the control of a Quadratic, the segment
  /// of a Cubic; 0 for Start and Close.
  std::int32_t Segment = 0;
  /// Why the block starts where it does; FirstPoint on every step but Start.
  StartRule Rule = StartRule::FirstPoint;
  /// Where the segment starts; for Start the start point itself.
  StepPoint From{};
  /// The control of a Quadratic, the first control of a Cubic.
  StepPoint Control1{};
  /// The second control of a Cubic.
  StepPoint Control2{};
  /// Where the segment ends; for Start the start point, for Close the start point again.
  StepPoint To{};
  /// The two controls of the cubic segment the drawing draws for a Quadratic.
  std::array<OutlinePoint, 2> CubicControls{};
  /// A Quadratic that ends at the on-curve point implied midway between two controls.
  bool ImpliedEnd = false;
  /// The step ends at the block's start point: a Close, or a last run that ends the contour.
  bool EndsAtStart = false;
  /// The font's numbers of the two points a Midpoint start (the contour's last and first point)
  /// or an implied end (this control and the next) lies midway between; -1 otherwise.
  std::array<std::int32_t, 2> Between{-1, -1};
  /// For a Start: the font's number of the contour's first point, -1 when unknown.
  std::int32_t FirstPointNumber = -1;
  friend bool operator==(const ConstructionStep&, const ConstructionStep&) = default;
};

/// The steps of every block, in order. `sources` gives, in the outline's order (each block's
/// start point, then its curves' points), the font's number of each point; a point past its
/// end has none. Positions come from `outline`, whatever its space. Counts that lie are not
/// followed past their arrays.
std::vector<ConstructionStep> ConstructionSteps(const GlyphOutline& outline,
                                                std::span<const PointSource> sources);

/// The steps of one block, numbered as block `blockIndex`; `sources` begins at its start point.
std::vector<ConstructionStep> BlockConstructionSteps(const OutlineBlock& block,
                                                     std::int32_t blockIndex,
                                                     std::span<const PointSource> sources);

/// How many steps ConstructionSteps gives for the outline, counted without building them.
std::size_t ConstructionStepCount(const GlyphOutline& outline);

/// The index of each block's Start step in ConstructionSteps, counted without building them.
std::vector<std::size_t> BlockFirstSteps(const GlyphOutline& outline);

}  // namespace moji
