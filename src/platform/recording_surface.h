#pragma once
// A drawing surface that records every pen and drawing call, for tests and benchmarks.

#include <cstdint>
#include <ostream>
#include <span>
#include <vector>

#include "platform/drawing_surface.h"
#include "platform/gdi_objects.h"
#include "platform/gdi_records.h"
#include "platform/graphics_services.h"

namespace moji {

/// What one recorded call was.
enum class SurfaceCallKind : std::uint8_t {
  CreatePen,
  SelectPen,
  DeleteObject,
  Polyline,
  PolyBezier
};

/// One recorded call: the object and pen for pen calls, the device points for drawing calls.
struct SurfaceCall {
  SurfaceCallKind Kind = SurfaceCallKind::Polyline;
  HGDIOBJ Object = 0;
  PenDescription Pen{};
  std::vector<POINT> Points;

  /// A pen was created with this handle and description.
  static SurfaceCall PenCreated(HGDIOBJ pen, const PenDescription& description);
  /// A pen became current.
  static SurfaceCall PenSelected(HGDIOBJ pen, const PenDescription& description);
  /// A font or pen was deleted.
  static SurfaceCall ObjectDeleted(HGDIOBJ object);
  /// A Polyline through these points.
  static SurfaceCall Polyline(std::vector<POINT> points);
  /// A PolyBezier through these 4 points.
  static SurfaceCall PolyBezier(std::vector<POINT> points);

  friend bool operator==(const SurfaceCall&, const SurfaceCall&) = default;
};

/// A readable form such as `Polyline{(0,30) (0,0)}`, also used by test failure messages.
std::ostream& operator<<(std::ostream& out, const SurfaceCall& call);

/// Records, in order, every pen created, selected and deleted through the graphics services
/// while it lives, and every Polyline and PolyBezier drawn on it.
class RecordingSurface final : public DrawingSurface, public GdiObjectObserver {
 public:
  /// Starts observing pen creation and deletion by `services`, which must outlive it.
  explicit RecordingSurface(GraphicsServices& services);
  /// Stops observing.
  ~RecordingSurface() override;

  void SelectPen(HGDIOBJ pen, const PenDescription& description) override;
  void Polyline(std::span<const POINT> points) override;
  void PolyBezier(std::span<const POINT> points) override;
  void PenCreated(HGDIOBJ pen, const PenDescription& description) override;
  void ObjectDeleted(HGDIOBJ object) override;

  /// Every call recorded so far, oldest first.
  const std::vector<SurfaceCall>& Calls() const { return calls_; }
  /// Forgets the recorded calls.
  void Clear() { calls_.clear(); }

 private:
  GraphicsServices& services_;
  std::vector<SurfaceCall> calls_;
};

}  // namespace moji
