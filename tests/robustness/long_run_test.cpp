// An hour of Timer1 ticks (72,000 at 50 ms): the motion, redrawn on every tick, on in every
// other stretch, the button held over Picture1 in some and the thickness changed between them.
// No font or pen handle is left behind, every coordinate stays finite, memory stays flat.

#include <unistd.h>

#include <QCheckBox>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <fstream>

#include "platform/gdi_objects.h"
#include "window/window_test_support.h"

using namespace moji;
using namespace moji::test;

namespace {

constexpr int kHourOfTicks = 72000;
constexpr int kStretch = 600;  // 30 seconds of ticks

/// What the outline's arrays hold together: it grows if the motion lets any of them grow.
std::size_t Capacity(const GlyphOutline& outline) {
  std::size_t capacity = outline.Blocks.capacity();
  for (const OutlineBlock& block : outline.Blocks) {
    capacity += block.Curves.capacity();
    for (const OutlineCurve& curve : block.Curves) capacity += curve.Points.capacity();
  }
  return capacity;
}

/// Resident memory of this process in bytes, from /proc.
long ResidentBytes() {
  long size = 0, resident = 0;
  std::ifstream("/proc/self/statm") >> size >> resident;
  return resident * sysconf(_SC_PAGESIZE);
}

}  // namespace

class LongRunTest : public QObject {
  Q_OBJECT

 private slots:
  void hourOfTicks() {
    GraphicsServices gdi;
    auto window = std::make_unique<Main>(gdi, Faces(QStringList{"IPAゴシック", "DejaVu Sans"}));
    window->Form_Load();
    Find<QTimer>(*window, "Timer1")->stop();
    window->Random().Seed(11);
    PictureBox* picture1 = Find<PictureBox>(*window, "Picture1");
    QCheckBox* check1 = Find<QCheckBox>(*window, "Check1");
    const Qt::Key thicknessKeys[] = {Qt::Key_End, Qt::Key_Left, Qt::Key_Home, Qt::Key_Right};
    const std::size_t handles = gdi.LiveHandleCount();
    std::size_t capacity = Capacity(window->CurrentOutline());
    [[maybe_unused]] long residentAfterWarmUp = 0;
    CapturedStandardError errors;

    for (int stretch = 0; stretch < kHourOfTicks / kStretch; ++stretch) {
      if (check1->isChecked() != (stretch % 2 == 0)) QTest::mouseClick(check1, Qt::LeftButton);
      if (stretch % 5 == 4) {  // a new thickness fetches the glyph afresh
        QTest::keyClick(Find<QScrollBar>(*window, "HScroll1"), thicknessKeys[stretch / 5 % 4]);
        capacity = Capacity(window->CurrentOutline());
      }
      const bool held = stretch % 3 == 1;
      const QPoint at(12 + (stretch * 37) % 180, 12 + (stretch * 53) % 180);
      if (held) QTest::mousePress(picture1, Qt::LeftButton, {}, at);
      for (int tick = 0; tick < kStretch; ++tick) {
        if (held && tick % 50 == 0) QTest::mouseMove(picture1, at + QPoint(tick % 7, tick % 5));
        window->Timer1_Timer();
      }
      if (held) QCOMPARE(window->ButtonDown(), kStretch + 1);  // the press reached the window
      if (held) QTest::mouseRelease(picture1, Qt::LeftButton, {}, at);
      QVERIFY(AllCoordinatesFinite(window->CurrentOutline()));
      QCOMPARE(gdi.LiveHandleCount(), handles);
      QCOMPARE(Capacity(window->CurrentOutline()), capacity);
      if (stretch == 5) residentAfterWarmUp = ResidentBytes();
    }

    QCOMPARE(window->TickCount(), kHourOfTicks);
    QVERIFY2(errors.text.str().empty(), errors.text.str().c_str());
#if !defined(__SANITIZE_ADDRESS__)  // there freed memory waits in quarantine
    // A generous bound, which a leak of a kilobyte per drawn tick would still exceed.
    QVERIFY(ResidentBytes() - residentAfterWarmUp < 32 * 1024 * 1024);
#endif
    window.reset();
    QCOMPARE(gdi.LiveHandleCount(), std::size_t{0});
  }
};

QTEST_MAIN(LongRunTest)
#include "long_run_test.moc"
