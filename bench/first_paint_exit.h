#pragma once
// Ends a start-up measurement: the process exits as soon as the first frame is painted.

#include <QCoreApplication>
#include <QEvent>
#include <QMetaObject>
#include <QObject>
#include <QWidget>
#include <cstdio>
#include <unistd.h>

namespace moji::bench {

/// Watches the paint events of one widget; once armed, the first one ends the process. The exit
/// is queued, so it runs after the whole frame (every widget of the window) has been painted,
/// and it skips the teardown, which is no part of start-up.
class FirstPaintExit final : public QObject {
 public:
  explicit FirstPaintExit(QWidget& watched) : watched_(watched) {
    watched.installEventFilter(this);
  }

  /// Paints from now on count: the frame to wait for is the one after the start-up work.
  void Arm() { armed_ = true; }

 protected:
  bool eventFilter(QObject* object, QEvent* event) override {
    if (armed_ && object == &watched_ && event->type() == QEvent::Paint) {
      armed_ = false;
      QMetaObject::invokeMethod(
          QCoreApplication::instance(),
          [] {
            std::fflush(nullptr);
            _exit(0);
          },
          Qt::QueuedConnection);
    }
    return false;
  }

 private:
  QWidget& watched_;
  bool armed_ = false;
};

}  // namespace moji::bench
