#include "inspect/contour_fill.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <limits>
#include <optional>

#include "inspect/construction_steps.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

/// Chords per cubic segment when a contour is flattened.
constexpr int kChordsPerCubic = 16;
/// Sample points at most per contour.
constexpr std::size_t kMaxSamples = 8;
/// Flattened points at most in an outline; a larger one is not judged.
constexpr std::size_t kMaxFlatPoints = 4'000'000;
/// Edge tests at most for all the samples of an outline; the contours left then are not judged.
constexpr double kMaxEdgeTests = 2e7;
/// An area below this part of the sum of its terms' sizes is only rounding.
constexpr double kFlatAreaRatio = 1e-9;
/// How far beside a contour, as a part of the sampled edge's length, its sides are taken.
constexpr double kSideOffset = 1e-6;

struct Vec {
  double X = 0;
  double Y = 0;
};

Vec Of(const OutlinePoint& point) { return {point.X, point.Y}; }
Vec operator-(Vec a, Vec b) { return {a.X - b.X, a.Y - b.Y}; }
double Cross(Vec a, Vec b) { return a.X * b.Y - a.Y * b.X; }

/// The pieces of a block as drawn: each a line (two points) or a cubic segment (four points).
template <typename Visit>
void ForEachPiece(const OutlineBlock& block, Visit&& visit) {
  Vec end{block.StartX, block.StartY};
  for (const ConstructionStep& step : BlockConstructionSteps(block, 0, {})) {
    if (step.Kind == StepKind::Start) continue;
    const Vec from = Of(step.From.At), to = Of(step.To.At);
    // After a run that draws nothing the contour goes on from that run's last point.
    if (from.X != end.X || from.Y != end.Y) visit(std::array{end, from});
    if (step.Kind == StepKind::Quadratic) {
      visit(std::array{from, Of(step.CubicControls[0]), Of(step.CubicControls[1]), to});
    } else if (step.Kind == StepKind::Cubic) {
      visit(std::array{from, Of(step.Control1.At), Of(step.Control2.At), to});
    } else {
      visit(std::array{from, to});
    }
    end = to;
  }
}

/// The signed area a piece adds, its points taken from `origin`, and the size of its terms.
struct AreaSum {
  Vec Origin;
  double Area = 0;
  double Size = 0;

  void Add(double weight, Vec a, Vec b) {
    const double term = weight * Cross(a - Origin, b - Origin);
    Area += term;
    Size += std::fabs(term);
  }
  void operator()(const std::array<Vec, 2>& line) { Add(0.5, line[0], line[1]); }
  void operator()(const std::array<Vec, 4>& p) {
    Add(6.0 / 20, p[0], p[1]);
    Add(3.0 / 20, p[0], p[2]);
    Add(1.0 / 20, p[0], p[3]);
    Add(3.0 / 20, p[1], p[2]);
    Add(3.0 / 20, p[1], p[3]);
    Add(6.0 / 20, p[2], p[3]);
  }
};

AreaSum AreaOf(const OutlineBlock& block) {
  AreaSum sum{{block.StartX, block.StartY}};
  ForEachPiece(block, sum);
  return sum;
}

/// A contour flattened to a closed polyline (its last point is its first) and its bounds.
struct FlatContour {
  std::vector<Vec> Points;
  Vec Min{std::numeric_limits<double>::infinity(), std::numeric_limits<double>::infinity()};
  Vec Max{-std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};

  void Add(Vec point) {
    Points.push_back(point);
    Min = {std::min(Min.X, point.X), std::min(Min.Y, point.Y)};
    Max = {std::max(Max.X, point.X), std::max(Max.Y, point.Y)};
  }
  void operator()(const std::array<Vec, 2>& line) { Add(line[1]); }
  void operator()(const std::array<Vec, 4>& p) {
    for (int k = 1; k <= kChordsPerCubic; ++k) {
      const double t = double(k) / kChordsPerCubic, u = 1 - t;
      const double a = u * u * u, b = 3 * u * u * t, c = 3 * u * t * t, d = t * t * t;
      Add(k == kChordsPerCubic ? p[3]
                               : Vec{a * p[0].X + b * p[1].X + c * p[2].X + d * p[3].X,
                                     a * p[0].Y + b * p[1].Y + c * p[2].Y + d * p[3].Y});
    }
  }
};

FlatContour Flattened(const OutlineBlock& block) {
  FlatContour contour;
  contour.Add({block.StartX, block.StartY});
  ForEachPiece(block, contour);
  return contour;
}

/// The winding number of a closed polyline around `p`: +1 inside a counter-clockwise one.
int Winding(const FlatContour& contour, Vec p) {
  int winding = 0;
  for (std::size_t k = 0; k + 1 < contour.Points.size(); ++k) {
    const Vec a = contour.Points[k], b = contour.Points[k + 1];
    const double side = Cross(b - a, p - a);
    if (a.Y <= p.Y && b.Y > p.Y && side > 0) ++winding;
    if (a.Y > p.Y && b.Y <= p.Y && side < 0) --winding;
  }
  return winding;
}

/// The flattened contours of an outline and the edge tests left to judge them with.
struct FlatOutline {
  std::vector<FlatContour> Contours;
  double TestsLeft = kMaxEdgeTests;

  /// Whether the sum of the winding numbers around `p` is non-zero; nothing once the tests
  /// are spent.
  std::optional<bool> Filled(Vec p) {
    if (TestsLeft <= 0) return std::nullopt;
    int winding = 0;
    for (const FlatContour& contour : Contours) {
      TestsLeft -= 1;
      // Outside its bounds a closed contour winds zero times around a point.
      if (p.X < contour.Min.X || p.X > contour.Max.X || p.Y < contour.Min.Y ||
          p.Y > contour.Max.Y) {
        continue;
      }
      TestsLeft -= double(contour.Points.size());
      winding += Winding(contour, p);
    }
    return winding != 0;
  }
};

/// The role of contour `c` judged at up to kMaxSamples of its edges, spread along it.
FillRole RoleOf(FlatOutline& outline, std::size_t c, bool counterClockwise) {
  const std::vector<Vec>& points = outline.Contours[c].Points;
  std::vector<std::size_t> edges;
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    if (points[k].X != points[k + 1].X || points[k].Y != points[k + 1].Y) edges.push_back(k);
  }
  const std::size_t samples = std::min(kMaxSamples, edges.size());
  int outer = 0, hole = 0, covered = 0;
  for (std::size_t s = 0; s < samples; ++s) {
    const std::size_t k = edges[(2 * s + 1) * edges.size() / (2 * samples)];
    const Vec a = points[k], d = points[k + 1] - a;
    const Vec middle{a.X + d.X / 2, a.Y + d.Y / 2}, left{-d.Y * kSideOffset, d.X * kSideOffset};
    const std::optional<bool> leftFilled = outline.Filled({middle.X + left.X, middle.Y + left.Y});
    const std::optional<bool> rightFilled = outline.Filled({middle.X - left.X, middle.Y - left.Y});
    if (!leftFilled || !rightFilled) return FillRole::Unknown;
    if (*leftFilled && *rightFilled) ++covered;
    if (*leftFilled != *rightFilled) ++(*leftFilled == counterClockwise ? outer : hole);
  }
  if (outer > 0 || hole > 0) return outer >= hole ? FillRole::Outer : FillRole::Hole;
  return covered > 0 ? FillRole::Covered : FillRole::Flat;
}

}  // namespace

double BlockSignedArea(const OutlineBlock& block) {
  const AreaSum sum = AreaOf(block);
  if (!std::isfinite(sum.Area) || !std::isfinite(sum.Size)) return std::nan("");
  return sum.Area;
}

ContourDirection BlockDirection(const OutlineBlock& block) {
  const AreaSum sum = AreaOf(block);
  if (!std::isfinite(sum.Area) || !std::isfinite(sum.Size)) return ContourDirection::Unknown;
  if (std::fabs(sum.Area) <= kFlatAreaRatio * sum.Size) return ContourDirection::Neither;
  return sum.Area > 0 ? ContourDirection::CounterClockwise : ContourDirection::Clockwise;
}

std::vector<FillRole> FillRoles(const GlyphOutline& outline) {
  const auto blocks = Counted(outline.Blocks, outline.BlockCount);
  std::vector<FillRole> roles(blocks.size(), FillRole::Unknown);
  if (ConstructionStepCount(outline) > kMaxFlatPoints / (kChordsPerCubic + 1)) return roles;
  std::vector<ContourDirection> directions;
  FlatOutline flat;
  for (const OutlineBlock& block : blocks) {
    directions.push_back(BlockDirection(block));
    if (directions.back() == ContourDirection::Unknown) return roles;
    flat.Contours.push_back(Flattened(block));
  }
  for (std::size_t c = 0; c < blocks.size(); ++c) {
    if (directions[c] == ContourDirection::Neither) {
      roles[c] = FillRole::Flat;
    } else {
      roles[c] = RoleOf(flat, c, directions[c] == ContourDirection::CounterClockwise);
    }
  }
  return roles;
}

}  // namespace moji
