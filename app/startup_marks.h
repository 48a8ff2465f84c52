#pragma once

// Where a window program's start-up goes, for tools/measure-startup.sh: with VC_STARTUP_MARKS
// set, each mark ("application", "window", "first-paint", "painted", ...) is printed to standard
// error with the milliseconds since the program was launched (VC_LAUNCH_NS, CLOCK_MONOTONIC
// nanoseconds, as tools/first-frame sets it) or, without it, since main(). Without
// VC_STARTUP_MARKS it costs one look at the environment.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace startup {

class Marks : public QObject {
  public:
    Marks() : on_(std::getenv("VC_STARTUP_MARKS") != nullptr) {
        if (!on_) return;
        const char* launched = std::getenv("VC_LAUNCH_NS");
        const auto now = std::chrono::steady_clock::now().time_since_epoch();
        origin_ = launched != nullptr ? std::chrono::nanoseconds(std::atoll(launched)) : now;
        Mark("main");
    }

    void Mark(const char* what) const {
        if (!on_) return;
        const auto since = std::chrono::steady_clock::now().time_since_epoch() - origin_;
        std::fprintf(stderr, "startup-mark %s %.1f\n", what,
                     std::chrono::duration<double, std::milli>(since).count());
    }

    // Marks the window's first paint: "first-paint" once the window itself is painted, "painted"
    // once everything in it is too and the frame has gone to the display.
    void WatchFirstPaint(QWidget& window) {
        if (on_) window.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            watched->removeEventFilter(this);
            // Queued first, ahead of whatever the window's own paint queues (the club opened).
            QTimer::singleShot(0, this, [this] { Mark("painted"); });
            watched->event(event);  // painted now, so that the mark comes after it
            Mark("first-paint");
            return true;
        }
        return false;
    }

  private:
    bool on_;
    std::chrono::nanoseconds origin_{};
};

}  // namespace startup
