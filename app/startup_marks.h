#pragma once

// Where a window program's start-up goes, for tools/measure-startup.sh: with VC_STARTUP_MARKS
// set, each mark ("application", "window", "first-paint", "painted", ...) is printed to standard
// error with the milliseconds since the program was launched (VC_LAUNCH_NS, CLOCK_MONOTONIC
// nanoseconds, as tools/first-frame sets it) or, without it, since main(), and where the system
// keeps it, the milliseconds of CPU the thread marking has had: the difference between the two
// is time spent waiting (for the X server, the other core, the disk). Without VC_STARTUP_MARKS it
// costs one look at the environment.

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <thread>

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
        const double milliseconds = std::chrono::duration<double, std::milli>(since).count();
#ifdef CLOCK_THREAD_CPUTIME_ID
        timespec cpu{};
        if (clock_gettime(CLOCK_THREAD_CPUTIME_ID, &cpu) == 0) {
            const auto busy =
                std::chrono::seconds(cpu.tv_sec) + std::chrono::nanoseconds(cpu.tv_nsec);
            std::fprintf(stderr, "startup-mark %s %.1f %.1f\n", what, milliseconds,
                         std::chrono::duration<double, std::milli>(busy).count());
            return;
        }
#endif
        std::fprintf(stderr, "startup-mark %s %.1f\n", what, milliseconds);
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

// Starts work on another core, marked `done` when it is; where no thread can be had it starts
// nothing, and what the work would have made ready is made by Qt in its turn, as without it.
template <class Work>
std::jthread OnTheOtherCore(const Marks& marks, const char* done, Work work) {
    try {
        return std::jthread([&marks, done, work] {
            work();
            marks.Mark(done);
        });
    } catch (const std::system_error&) {
        return {};
    }
}

}  // namespace startup
