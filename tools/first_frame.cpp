// Starts a program as a user does and says how long its first frame took to reach the X server:
// from the moment it is launched to the first time a window of its draws on the screen (the X
// Damage extension reports each change to a window's contents). For a program with no window, the
// time until it ends.
//
//   first-frame [--exit] COMMAND [ARGUMENTS...]
//
// Prints "first-frame-ms N settled-ms M" (or "exit-ms N"), to a tenth of a millisecond: the first
// drawing, and the last of the drawings that follow it with no pause of 150 ms between them (the
// window complete, a club opened just after the first frame included). Then it ends the program.
// The launch time goes to the program in VC_LAUNCH_NS (CLOCK_MONOTONIC nanoseconds), so that a
// program that marks its own start-up can count from the same moment.

#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <signal.h>
#include <sys/select.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <set>
#include <string>
#include <string_view>

namespace {

// How long a window may take to appear before the run counts as failed.
constexpr double kGiveUpMilliseconds = 20000;
// A pause in drawing this long ends the first burst of frames.
constexpr double kSettledMilliseconds = 150;
// Connecting to the X server is tried again for up to a second.
constexpr int kConnectAttempts = 50;
constexpr useconds_t kConnectPauseMicroseconds = 20000;

double Now() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

long long NowNanoseconds() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec;
}

pid_t Launch(char** command) {
    const std::string launched = std::to_string(NowNanoseconds());
    const pid_t child = fork();
    if (child == 0) {
        setenv("VC_LAUNCH_NS", launched.c_str(), 1);
        execvp(command[0], command);
        std::perror(command[0]);
        _exit(127);
    }
    return child;
}

void End(pid_t child) {
    kill(child, SIGTERM);
    int status = 0;
    waitpid(child, &status, 0);
}

}  // namespace

int main(int argc, char** argv) {
    int first = 1;
    const bool until_exit = argc > 1 && std::string_view(argv[1]) == "--exit";
    if (until_exit) ++first;
    if (first >= argc) {
        std::fputs("usage: first-frame [--exit] COMMAND [ARGUMENTS...]\n", stderr);
        return 2;
    }
    if (until_exit) {
        const double started = Now();
        const pid_t child = Launch(argv + first);
        int status = 0;
        waitpid(child, &status, 0);
        std::printf("exit-ms %.1f\n", Now() - started);
        return 0;
    }

    // A server just started, or still letting the last run's connections go, may refuse a
    // connection for a moment: a run is not lost to that.
    Display* display = XOpenDisplay(nullptr);
    for (int attempt = 0; display == nullptr && attempt < kConnectAttempts; ++attempt) {
        usleep(kConnectPauseMicroseconds);
        display = XOpenDisplay(nullptr);
    }
    if (display == nullptr) {
        std::fputs("first-frame: no X display\n", stderr);
        return 2;
    }
    int damage_event = 0, damage_error = 0;
    if (!XDamageQueryExtension(display, &damage_event, &damage_error)) {
        std::fputs("first-frame: the X server has no Damage extension\n", stderr);
        return 2;
    }
    const Window root = DefaultRootWindow(display);
    // Every top-level window made from now on: damage is watched from its making, so that a
    // paint that follows its mapping at once is never missed.
    XSelectInput(display, root, SubstructureNotifyMask);
    XSync(display, False);

    const double started = Now();
    const pid_t child = Launch(argv + first);
    std::set<Window> mapped;
    const int connection = ConnectionNumber(display);
    double painted = -1;
    double settled = -1;
    while (Now() - started < kGiveUpMilliseconds) {
        if (painted >= 0 && Now() - started - settled > kSettledMilliseconds) break;
        if (XPending(display) == 0) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(connection, &readable);
            timeval wait{0, 10000};
            select(connection + 1, &readable, nullptr, nullptr, &wait);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == CreateNotify && event.xcreatewindow.parent == root) {
            XDamageCreate(display, event.xcreatewindow.window, XDamageReportNonEmpty);
        } else if (event.type == MapNotify && event.xmap.event == root) {
            mapped.insert(event.xmap.window);
        } else if (event.type == damage_event + XDamageNotify) {
            const auto& damage = reinterpret_cast<const XDamageNotifyEvent&>(event);
            if (!mapped.contains(damage.drawable)) continue;
            settled = Now() - started;
            if (painted < 0) painted = settled;
            // Taken as seen, so that the next drawing is reported too.
            XDamageSubtract(display, damage.damage, None, None);
        }
    }
    End(child);
    XCloseDisplay(display);
    if (painted < 0) {
        std::fputs("first-frame: no window drew within 20 s\n", stderr);
        return 1;
    }
    std::printf("first-frame-ms %.1f settled-ms %.1f\n", painted, settled);
    return 0;
}
