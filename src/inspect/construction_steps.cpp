#include "inspect/construction_steps.h"

#include <algorithm>

#include "geometry/cubic_from_quadratic.h"
#include "model/outline_visit.h"

namespace moji {
namespace {

/// How many points of the outline's order a block holds: its start and its curves' points.
std::size_t BlockPointCount(const OutlineBlock& block) {
  std::size_t count = 1;
  for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
    count += Counted(curve.Points, curve.PointCount).size();
  }
  return count;
}

/// The steps a run gives: one per segment the drawing draws for it.
std::size_t CurveStepCount(const OutlineCurve& curve) {
  const std::size_t n = Counted(curve.Points, curve.PointCount).size();
  switch (curve.CurveType) {
    case CURVE_POLYLINE: return n;
    case CURVE_QSPLINE: return n > 0 ? n - 1 : 0;
    case CURVE_CSPLINE: return n / 3;
    default: return 0;
  }
}

/// The steps of a block: Start, its runs' steps, Close.
std::size_t BlockStepCount(const OutlineBlock& block) {
  std::size_t count = 2;
  for (const OutlineCurve& curve : Counted(block.Curves, block.CurveCount)) {
    count += CurveStepCount(curve);
  }
  return count;
}

/// Appends the steps of one block, reading the sources of its points in the outline's order.
class BlockStepper {
 public:
  BlockStepper(const OutlineBlock& block, std::int32_t blockIndex,
               std::span<const PointSource> sources, std::vector<ConstructionStep>& steps)
      : block_(block), blockIndex_(blockIndex), pointCount_(BlockPointCount(block)),
        sources_(sources.first(std::min(sources.size(), pointCount_))), steps_(steps),
        start_{{block.StartX, block.StartY}, NumberAt(0)}, current_(start_) {}

  void Run() {
    AddStart();
    const auto curves = Counted(block_.Curves, block_.CurveCount);
    for (std::size_t c = 0; c < curves.size(); ++c) {
      AddCurve(curves[c], static_cast<std::int32_t>(c), c + 1 == curves.size());
    }
    ConstructionStep& close = Add(StepKind::Close, -1, 0, current_);
    close.To = start_;
    close.EndsAtStart = true;
  }

 private:
  std::int32_t NumberAt(std::size_t index) const {
    return index < sources_.size() ? sources_[index].Number : -1;
  }

  ConstructionStep& Add(StepKind kind, std::int32_t curve, std::size_t segment, StepPoint from) {
    ConstructionStep& step = steps_.emplace_back();
    step.Kind = kind;
    step.Block = blockIndex_;
    step.Curve = curve;
    step.Segment = static_cast<std::int32_t>(segment);
    step.From = from;
    return step;
  }

  /// The number of the last point of the block that has one: the contour's last point.
  std::int32_t LastNumber() const {
    for (std::size_t k = sources_.size(); k > 1; --k) {
      if (sources_[k - 1].Number >= 0) return sources_[k - 1].Number;
    }
    return -1;
  }

  void AddStart() {
    ConstructionStep& step = Add(StepKind::Start, -1, 0, start_);
    step.To = start_;
    const std::int32_t first = pointCount_ > 1 ? NumberAt(1) : -1;
    if (sources_.empty() || start_.Number >= 0) {
      const bool lastPoint = first >= 0 && first < start_.Number;
      step.Rule = lastPoint ? StartRule::LastPoint : StartRule::FirstPoint;
      step.FirstPointNumber = lastPoint ? first : start_.Number;
    } else {
      step.Rule = StartRule::Midpoint;
      step.FirstPointNumber = first;
      step.Between = {LastNumber(), first};
    }
  }

  void AddCurve(const OutlineCurve& curve, std::int32_t c, bool lastCurve) {
    const auto points = Counted(curve.Points, curve.PointCount);
    if (points.empty()) return;
    const std::size_t before = steps_.size();
    const auto at = [&](std::size_t k) { return StepPoint{points[k], NumberAt(next_ + k)}; };
    if (curve.CurveType == CURVE_POLYLINE) {
      for (std::size_t k = 0; k < points.size(); ++k) {
        Add(StepKind::Line, c, k, k == 0 ? current_ : at(k - 1)).To = at(k);
      }
    } else if (curve.CurveType == CURVE_QSPLINE) {
      AddQuadratics(points, c, at);
    } else if (curve.CurveType == CURVE_CSPLINE) {
      for (std::size_t s = 0; s + 2 < points.size(); s += 3) {
        ConstructionStep& step = Add(StepKind::Cubic, c, s / 3, s == 0 ? current_ : at(s - 1));
        step.Control1 = at(s);
        step.Control2 = at(s + 1);
        step.To = at(s + 2);
      }
    }
    // A run of any other type draws nothing but still moves the current point.
    current_ = at(points.size() - 1);
    next_ += points.size();
    if (lastCurve && steps_.size() > before && steps_.back().To == current_ && current_ == start_) {
      steps_.back().EndsAtStart = true;
    }
  }

  template <typename At>
  void AddQuadratics(std::span<const OutlinePoint> points, std::int32_t c, const At& at) {
    StepPoint from = current_;
    for (std::size_t s = 0; s + 1 < points.size(); ++s) {
      const bool lastPiece = s + 2 == points.size();
      const CubicSegment cubic = CubicFromQuadratic(from.At, points[s], points[s + 1], lastPiece);
      ConstructionStep& step = Add(StepKind::Quadratic, c, s, from);
      step.Control1 = at(s);
      step.CubicControls = {cubic[1], cubic[2]};
      step.To = lastPiece ? at(s + 1) : StepPoint{cubic[3], -1};
      step.ImpliedEnd = !lastPiece;
      if (!lastPiece) step.Between = {at(s).Number, at(s + 1).Number};
      from = step.To;
    }
  }

  const OutlineBlock& block_;
  std::int32_t blockIndex_;
  std::size_t pointCount_;
  std::span<const PointSource> sources_;
  std::vector<ConstructionStep>& steps_;
  StepPoint start_;
  StepPoint current_;
  /// The index in `sources_` of the next run's first point.
  std::size_t next_ = 1;
};

}  // namespace

std::vector<ConstructionStep> ConstructionSteps(const GlyphOutline& outline,
                                                std::span<const PointSource> sources) {
  std::vector<ConstructionStep> steps;
  steps.reserve(ConstructionStepCount(outline));
  std::size_t offset = 0;
  std::int32_t b = 0;
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    BlockStepper(block, b++, sources.subspan(std::min(offset, sources.size())), steps).Run();
    offset += BlockPointCount(block);
  }
  return steps;
}

std::vector<ConstructionStep> BlockConstructionSteps(const OutlineBlock& block,
                                                     std::int32_t blockIndex,
                                                     std::span<const PointSource> sources) {
  std::vector<ConstructionStep> steps;
  steps.reserve(BlockStepCount(block));
  BlockStepper(block, blockIndex, sources, steps).Run();
  return steps;
}

std::size_t ConstructionStepCount(const GlyphOutline& outline) {
  std::size_t count = 0;
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    count += BlockStepCount(block);
  }
  return count;
}

std::vector<std::size_t> BlockFirstSteps(const GlyphOutline& outline) {
  std::vector<std::size_t> firsts;
  std::size_t count = 0;
  for (const OutlineBlock& block : Counted(outline.Blocks, outline.BlockCount)) {
    firsts.push_back(count);
    count += BlockStepCount(block);
  }
  return firsts;
}

}  // namespace moji
