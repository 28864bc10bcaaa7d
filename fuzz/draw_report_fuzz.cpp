// Fuzzes the report, placement, motion and drawing over arbitrary outlines, broken invariants
// included: the only exceptions allowed are the drawing's documented ones, and the pen must
// be given back whatever happens.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <stdexcept>

#include "geometry/block_rendering.h"
#include "geometry/outline_placement.h"
#include "motion/motion_step.h"
#include "platform/device_context.h"
#include "platform/recording_surface.h"
#include "report/outline_report.h"

namespace {

using namespace moji;

// Replays fuzzer bytes as uniform numbers in [0, 1).
class ProviderRandom final : public RandomSource {
 public:
  explicit ProviderRandom(FuzzedDataProvider& provider) : provider_(provider) {}
  float NextUniform() override { return provider_.ConsumeFloatingPointInRange(0.0f, 0.999999f); }

 private:
  FuzzedDataProvider& provider_;
};

float AnyFloat(FuzzedDataProvider& provider) {
  if (provider.ConsumeBool()) return provider.ConsumeFloatingPoint<float>();
  return static_cast<float>(provider.ConsumeIntegralInRange<int>(-400, 400)) / 2.0f;
}

// A count that usually matches its array but sometimes lies about it.
std::int32_t MaybeWrongCount(FuzzedDataProvider& provider, std::size_t actual) {
  if (provider.ConsumeIntegralInRange<int>(0, 7) != 0) return static_cast<std::int32_t>(actual);
  return provider.ConsumeIntegralInRange<std::int32_t>(-2, 70);
}

OutlineCurve AnyCurve(FuzzedDataProvider& provider) {
  OutlineCurve curve;
  curve.CurveType = provider.ConsumeIntegralInRange<std::int32_t>(0, 4);
  curve.Points.resize(provider.ConsumeIntegralInRange<std::size_t>(0, 40));
  for (OutlinePoint& point : curve.Points) point = {AnyFloat(provider), AnyFloat(provider)};
  curve.PointCount = MaybeWrongCount(provider, curve.Points.size());
  return curve;
}

GlyphOutline AnyOutline(FuzzedDataProvider& provider) {
  GlyphOutline outline;
  outline.Character = u"A";
  outline.Blocks.resize(provider.ConsumeIntegralInRange<std::size_t>(0, 6));
  for (OutlineBlock& block : outline.Blocks) {
    block.StartX = AnyFloat(provider);
    block.StartY = AnyFloat(provider);
    block.Curves.resize(provider.ConsumeIntegralInRange<std::size_t>(0, 5));
    for (OutlineCurve& curve : block.Curves) curve = AnyCurve(provider);
    block.CurveCount = MaybeWrongCount(provider, block.Curves.size());
  }
  outline.BlockCount = MaybeWrongCount(provider, outline.Blocks.size());
  outline.MaxCurvePoints = provider.ConsumeIntegralInRange<std::int32_t>(-1, 45);
  return outline;
}

void Draw(const GlyphOutline& outline, FuzzedDataProvider& provider) {
  GraphicsServices services;
  RecordingSurface surface(services);
  DeviceContext dc{services};
  dc.Surface = &surface;
  try {
    DrawOutlineBlocks(dc, outline, AnyFloat(provider), AnyFloat(provider), AnyFloat(provider),
                      provider.ConsumeBool(), 0x00FF00, provider.ConsumeIntegralInRange(0, 5), 0,
                      provider.ConsumeIntegralInRange(-2, 7));
  } catch (const std::out_of_range&) {
  } catch (const std::overflow_error&) {
  }
  if (services.LiveHandleCount() != 0 || dc.CurrentPen != kStockPen) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  GlyphOutline outline = AnyOutline(provider);
  (void)OutlineReportText(outline);
  Draw(outline, provider);
  PlaceOutline(outline, AnyFloat(provider), AnyFloat(provider), AnyFloat(provider), provider.ConsumeBool());
  ProviderRandom random(provider);
  MoveOutline(outline, MouseState{provider.ConsumeIntegralInRange(0, 3), AnyFloat(provider), AnyFloat(provider)},
              random);
  Draw(outline, provider);
  return 0;
}
