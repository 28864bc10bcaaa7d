#include "inspect/metric_lines.h"

#include <cmath>

namespace moji {
namespace {

bool IsGiven(const std::optional<double>& value) { return value && std::isfinite(*value); }

bool IsGiven(const std::optional<VerticalSpan>& span) {
  return span && std::isfinite(span->Bottom) && std::isfinite(span->Top);
}

/// Adds the line when its position is given.
void AddLine(MetricDrawing& drawing, MetricLayer layer, LineDirection direction,
             const std::optional<double>& position, const char* label) {
  if (IsGiven(position)) drawing.Lines.push_back({layer, direction, *position, label});
}

void AddHorizontal(MetricDrawing& drawing, MetricLayer layer, const std::optional<double>& position,
                   const char* label) {
  AddLine(drawing, layer, LineDirection::Horizontal, position, label);
}

/// Adds the box when it is usable.
void AddBox(MetricDrawing& drawing, MetricLayer layer, const std::optional<UnitBox>& box,
            const char* label) {
  if (box && IsUsableBox(*box)) drawing.Boxes.push_back({layer, *box, label});
}

/// The typo value where it differs from the hhea one (or hhea has none).
std::optional<double> UnlessSame(const std::optional<VerticalSpan>& typo,
                                 const std::optional<VerticalSpan>& hhea,
                                 double VerticalSpan::*side) {
  if (!IsGiven(typo)) return std::nullopt;
  if (IsGiven(hhea) && (*hhea).*side == (*typo).*side) return std::nullopt;
  return (*typo).*side;
}

void AddAscendersAndDescenders(MetricDrawing& drawing, const FontMetrics& metrics) {
  constexpr MetricLayer layer = MetricLayer::AscenderAndDescender;
  if (IsGiven(metrics.Hhea)) {
    AddHorizontal(drawing, layer, metrics.Hhea->Top, "アセンダー (hhea)");
    AddHorizontal(drawing, layer, metrics.Hhea->Bottom, "ディセンダー (hhea)");
  }
  AddHorizontal(drawing, layer, UnlessSame(metrics.Typo, metrics.Hhea, &VerticalSpan::Top),
                "アセンダー (OS/2 typo)");
  AddHorizontal(drawing, layer, UnlessSame(metrics.Typo, metrics.Hhea, &VerticalSpan::Bottom),
                "ディセンダー (OS/2 typo)");
}

/// The ideographic em box from BASE, square from the origin; the em box where BASE gives none.
std::optional<UnitBox> IdeographicBoxOf(const FontMetrics& metrics) {
  const std::optional<VerticalSpan>& ideo = metrics.IdeographicEmBox;
  if (!IsGiven(ideo) || !(ideo->Top > ideo->Bottom)) return EmBoxOf(metrics);
  return UnitBox{0, ideo->Bottom, ideo->Top - ideo->Bottom, ideo->Top};
}

/// The advance, the end of the left side bearing and the start of the right one.
void AddAdvanceAndBearings(MetricDrawing& drawing, const FontMetrics& metrics) {
  constexpr MetricLayer layer = MetricLayer::AdvanceAndBearings;
  AddLine(drawing, layer, LineDirection::Vertical, metrics.AdvanceWidth, "送り幅");
  AddLine(drawing, layer, LineDirection::Vertical, metrics.LeftSideBearing, "左サイドベアリング");
  if (IsGiven(metrics.AdvanceWidth) && IsGiven(metrics.LeftSideBearing) && metrics.GlyphBox &&
      IsUsableBox(*metrics.GlyphBox)) {
    const double inkWidth = metrics.GlyphBox->Right - metrics.GlyphBox->Left;
    AddLine(drawing, layer, LineDirection::Vertical, *metrics.LeftSideBearing + inkWidth,
            "右サイドベアリング");
  }
}

/// The vertical origin (a line each way), the end of the vertical advance and the top of the
/// room above the ink.
void AddVerticalMetrics(MetricDrawing& drawing, const std::optional<VerticalMetrics>& vertical) {
  if (!vertical) return;
  constexpr MetricLayer layer = MetricLayer::VerticalMetrics;
  AddHorizontal(drawing, layer, vertical->OriginY, "縦書きの原点");
  AddLine(drawing, layer, LineDirection::Vertical, vertical->OriginX, "縦書きの原点");
  AddHorizontal(drawing, layer, vertical->OriginY - vertical->Advance, "縦の送り");
  AddHorizontal(drawing, layer, vertical->OriginY - vertical->TopSideBearing, "上サイドベアリング");
}

}  // namespace

std::optional<UnitBox> EmBoxOf(const FontMetrics& metrics) {
  if (!IsGiven(metrics.UnitsPerEm) || !(*metrics.UnitsPerEm > 0)) return std::nullopt;
  double bottom = 0;
  if (IsGiven(metrics.Typo)) {
    bottom = metrics.Typo->Bottom;
  } else if (IsGiven(metrics.Hhea)) {
    bottom = metrics.Hhea->Bottom;
  } else if (IsGiven(metrics.DesignCell)) {
    bottom = metrics.DesignCell->Bottom;
  }
  const double em = *metrics.UnitsPerEm;
  return UnitBox{0, bottom, em, bottom + em};
}

MetricDrawing MetricLinesOf(const FontMetrics& metrics) {
  MetricDrawing drawing;
  AddHorizontal(drawing, MetricLayer::BaselineAndEmBox, 0.0, "ベースライン");
  AddBox(drawing, MetricLayer::BaselineAndEmBox, EmBoxOf(metrics), "em ボックス");
  if (IsGiven(metrics.DesignCell)) {
    AddHorizontal(drawing, MetricLayer::DesignCell, metrics.DesignCell->Top, "デザインセル");
    AddHorizontal(drawing, MetricLayer::DesignCell, metrics.DesignCell->Bottom, "デザインセル");
  }
  AddAscendersAndDescenders(drawing, metrics);
  AddHorizontal(drawing, MetricLayer::CapAndXHeight, metrics.CapHeight, "キャップハイト");
  AddHorizontal(drawing, MetricLayer::CapAndXHeight, metrics.XHeight, "エックスハイト");
  AddBox(drawing, MetricLayer::IdeographicEmBox, IdeographicBoxOf(metrics), "仮想ボディ");
  AddAdvanceAndBearings(drawing, metrics);
  AddBox(drawing, MetricLayer::BoundingBox, metrics.GlyphBox, "バウンディングボックス");
  AddVerticalMetrics(drawing, metrics.Vertical);
  return drawing;
}

}  // namespace moji
