// An hour of Timer1 ticks (72,000 at 50 ms): the motion switched on and off by stretches, the
// picture redrawn on every tick while it runs, the mouse button held over Picture1 for stretches
// and the thickness changed between them. No font or pen handle is left behind, every
// coordinate stays finite, the outline's memory is not grown by the motion, and while the motion
// is off nothing moves and the picture stays.

#include <QCheckBox>
#include <QFile>
#include <QScrollBar>
#include <QTimer>
#include <QtTest>
#include <memory>
#include <vector>

#include "platform/gdi_objects.h"
#include "robustness_support.h"
#include "window/main_window.h"

using namespace moji;
using namespace moji::test;

namespace {

constexpr int kHourOfTicks = 72000;
/// One stretch: 30 seconds of ticks.
constexpr int kStretch = 600;

/// Where the outline's arrays live and how much each holds: equal snapshots mean that nothing
/// was reallocated or grown.
std::vector<std::pair<const void*, std::size_t>> Storage(const GlyphOutline& outline) {
  std::vector<std::pair<const void*, std::size_t>> storage{
      {outline.Blocks.data(), outline.Blocks.capacity()}};
  for (const OutlineBlock& block : outline.Blocks) {
    storage.emplace_back(block.Curves.data(), block.Curves.capacity());
    for (const OutlineCurve& curve : block.Curves) {
      storage.emplace_back(curve.Points.data(), curve.Points.capacity());
    }
  }
  return storage;
}

/// Every start and curve point, x then y, in traversal order.
std::vector<float> Coordinates(const GlyphOutline& outline) {
  std::vector<float> coordinates;
  for (const OutlineBlock& block : outline.Blocks) {
    coordinates.insert(coordinates.end(), {block.StartX, block.StartY});
    for (const OutlineCurve& curve : block.Curves) {
      for (const OutlinePoint& point : curve.Points)
        coordinates.insert(coordinates.end(), {point.X, point.Y});
    }
  }
  return coordinates;
}

/// Sanitizer builds keep freed memory in quarantine, so resident memory tells nothing there.
#if defined(__SANITIZE_ADDRESS__)
constexpr bool kResidentMemoryIsMeaningful = false;
#else
constexpr bool kResidentMemoryIsMeaningful = true;
#endif

/// Resident memory of this process in bytes, from /proc (0 where it cannot be read).
qint64 ResidentBytes() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  const QList<QByteArray> fields = statm.readAll().split(' ');
  return fields.size() > 1 ? fields[1].toLongLong() * 4096 : 0;
}

}  // namespace

class LongRunTest : public QObject {
  Q_OBJECT

 private slots:
  void hourOfTicks() {
    const std::size_t handlesBeforeWindow = LiveHandleCount();
    const QString kIpaGothic = QString::fromUtf16(u"IPAゴシック");
    auto window = std::make_unique<Main>(
        std::make_unique<FakeScreenFonts>(QStringList{kIpaGothic, QStringLiteral("DejaVu Sans")}));
    window->Form_Load();
    Find<QTimer>(*window, "Timer1")->stop();
    window->Random().Seed(11);
    QCOMPARE(window->CurrentOutline().BlockCount, 7);  // 龍, shown at start-up

    PictureBox* picture1 = Find<PictureBox>(*window, "Picture1");
    QScrollBar* hScroll1 = Find<QScrollBar>(*window, "HScroll1");
    QCheckBox* check1 = Find<QCheckBox>(*window, "Check1");
    const std::size_t handles = LiveHandleCount();
    const std::pair<Qt::Key, int> thicknessSteps[] = {
        {Qt::Key_End, 5}, {Qt::Key_Left, 4}, {Qt::Key_Home, 1}, {Qt::Key_Right, 2}};
    auto storage = Storage(window->CurrentOutline());
    qint64 residentAfterWarmUp = 0;
    CapturedStandardError errors;

    for (int stretch = 0; stretch * kStretch < kHourOfTicks; ++stretch) {
      // The motion runs in every other stretch (drawing on every tick costs most of the run);
      // every third stretch holds the button with the pointer wandering over Picture1; every
      // fifth begins with a new thickness, which fetches the glyph afresh.
      const bool moving = stretch % 2 == 0;
      const bool held = stretch % 3 == 1;
      if (check1->isChecked() != moving) QTest::mouseClick(check1, Qt::LeftButton);
      QCOMPARE(check1->isChecked(), moving);
      if (stretch % 5 == 4) {
        const auto [key, width] = thicknessSteps[(stretch / 5) % 4];
        QTest::keyClick(hScroll1, key);
        QCOMPARE(hScroll1->value(), width);
        storage = Storage(window->CurrentOutline());
      }
      const std::vector<float> before = Coordinates(window->CurrentOutline());
      const QImage pictureBefore = picture1->Image().copy();

      const QPoint at(12 + (stretch * 37) % 180, 12 + (stretch * 53) % 180);
      if (held) QTest::mousePress(picture1, Qt::LeftButton, {}, at);
      for (int tick = 0; tick < kStretch; ++tick) {
        if (held && tick % 50 == 0) QTest::mouseMove(picture1, at + QPoint(tick % 7, tick % 5));
        window->Timer1_Timer();
      }
      if (held) {
        QCOMPARE(window->ButtonDown(), kStretch + 1);
        QTest::mouseRelease(picture1, Qt::LeftButton, {}, at);
      }
      QCOMPARE(window->ButtonDown(), 0);

      if (moving) {
        QVERIFY(Coordinates(window->CurrentOutline()) != before);
      } else {
        QVERIFY(Coordinates(window->CurrentOutline()) == before);
        QCOMPARE(picture1->Image(), pictureBefore);
      }
      // The pulsing circle lies outside the outline: check the picture when it shows none.
      if (!picture1->LastCircle().has_value()) {
        const QString shown = ShownAsFirstCharacter(*window, hScroll1->value());
        QVERIFY2(shown.isEmpty(), qPrintable(QStringLiteral("stretch %1: ").arg(stretch) + shown));
      }
      QCOMPARE(LiveHandleCount(), handles);
      QVERIFY2(AllCoordinatesFinite(window->CurrentOutline()),
               qPrintable(QString::number(stretch)));
      QVERIFY(Storage(window->CurrentOutline()) == storage);
      if (stretch == 5) residentAfterWarmUp = ResidentBytes();
    }

    QCOMPARE(window->TickCount(), kHourOfTicks);
    QCOMPARE(window->windowTitle(),
             QString::fromUtf16(kMainCaption) + QStringLiteral("  count - %1").arg(kHourOfTicks));
    QCOMPARE(window->CurrentOutline().BlockCount, 7);
    QCOMPARE(QString::fromStdString(errors.Text()), QString());
    // A generous bound: a leak of a kilobyte a drawn tick would pass it.
    const qint64 growth = ResidentBytes() - residentAfterWarmUp;
    if (kResidentMemoryIsMeaningful) {
      QVERIFY2(growth < 32 * 1024 * 1024,
               qPrintable(QStringLiteral("resident memory grew by %1 bytes").arg(growth)));
    }
    window.reset();
    QCOMPARE(LiveHandleCount(), handlesBeforeWindow);
  }
};

QTEST_MAIN(LongRunTest)
#include "long_run_test.moc"
