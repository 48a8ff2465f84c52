// Measures how long a window takes to reach the screen, and the process's peak memory, either
// for the calculator window, for an empty QWidget of the same size, or for that QWidget with one
// line of text (which starts the font system, as any window with text must), so that they can
// be compared side by side on one machine. It quits right after the window's first paint.
// "distances" is the Club Secretary window opening the club used last, as it starts for a
// secretary: its first frame, the club opened after it; "distances-filled" opens the club before
// the first frame, so that frame has the lists filled; "wide-text" is the one-line QWidget at
// that window's size.
//
//   startup-probe calculator|empty|text|distances|distances-filled|wide-text
//   startup-probe distances-club|season-club
//
// "distances-club" writes the demo club into Club Secretary's data folder and opens it once, so
// that it is the club used last; "season-club" does the same with a season's club of 200 lofts
// and 20 races of 3,000 birds each. The data and settings folders must be a throwaway's
// (XDG_DATA_HOME and XDG_CONFIG_HOME), not the user's own: it refuses to run without them.
//
// Prints: "<kind> first-paint-ms <ms> peak-rss-kib <KiB> application-ms <ms> window-built-ms <ms>
// since-launch-ms <ms>": the times from the start of main() to the first paint, to QApplication
// being ready and to the window being built; and, when VC_LAUNCH_NS holds the wall-clock time
// in nanoseconds at which the program was launched, the time from launch (loading the
// libraries included) to the first paint.

#include <sys/resource.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QObject>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string_view>

#include "club_ui/club_document.h"
#include "club_ui/club_window.h"
#include "club_ui/recent_clubs.h"
#include "tools/demo_club.h"
#include "ui/quillet2.h"

namespace {

// Notes the time once the window's first frame has been painted and flushed, then quits.
class FirstPaint : public QObject {
  public:
    FirstPaint(const QElapsedTimer& clock, QObject* parent) : QObject(parent), clock_(clock) {}

    qint64 Milliseconds() const { return milliseconds_; }
    std::chrono::system_clock::time_point Painted() const { return painted_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && milliseconds_ < 0) {
            milliseconds_ = 0;
            // Queued: runs once this frame has been painted and handed to the screen.
            QTimer::singleShot(0, this, [this] {
                milliseconds_ = clock_.elapsed();
                painted_ = std::chrono::system_clock::now();
                QApplication::quit();
            });
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    const QElapsedTimer& clock_;
    qint64 milliseconds_ = -1;
    std::chrono::system_clock::time_point painted_;
};

// Milliseconds from the launch time in VC_LAUNCH_NS to the given moment, or -1 without one.
long long SinceLaunch(std::chrono::system_clock::time_point moment) {
    bool ok = false;
    const qint64 launch = qgetenv("VC_LAUNCH_NS").toLongLong(&ok);
    if (!ok) return -1;
    const auto since =
        moment - std::chrono::system_clock::time_point(std::chrono::nanoseconds(launch));
    return std::chrono::duration_cast<std::chrono::milliseconds>(since).count();
}

// Club Secretary keeps its clubs and settings in the user's folders; the probe's must be a
// throwaway's, or it would open, make or remember clubs among the user's own.
bool InThrowawayFolders() {
    if (!qEnvironmentVariableIsEmpty("XDG_DATA_HOME") &&
        !qEnvironmentVariableIsEmpty("XDG_CONFIG_HOME")) {
        return true;
    }
    std::fputs("startup-probe: set XDG_DATA_HOME and XDG_CONFIG_HOME to a throwaway folder\n",
               stderr);
    return false;
}

// The demo club (or a season's club of 200 lofts and 20 races of 3,000 birds) in the data folder,
// opened once so that the next start opens it.
int WriteDemoClubAsLastUsed(bool season) {
    const QString folder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(folder);
    const QString path = QDir(folder).filePath(QString::fromUtf8(demo_club::kName) + ".club");
    QFile::remove(path);
    const std::string problem = season
                                    ? demo_club::WriteSeason(path.toStdU16String(), 200, 20, 3000)
                                    : demo_club::Write(path.toStdU16String());
    if (!problem.empty()) {
        std::fprintf(stderr, "startup-probe: %s\n", problem.c_str());
        return 1;
    }
    club_ui::ClubDocument document;
    if (!document.Open(path)) return 1;
    club_ui::RecentClubs::Remember(QFileInfo(path).absoluteFilePath());
    return 0;
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer clock;
    clock.start();
    const std::string_view kind = argc == 2 ? argv[1] : "";
    if (kind != "calculator" && kind != "empty" && kind != "text" && kind != "distances" &&
        kind != "distances-filled" && kind != "wide-text" && kind != "distances-club" &&
        kind != "season-club") {
        std::fputs(
            "usage: startup-probe calculator|empty|text|distances|distances-filled|wide-text|"
            "distances-club|season-club\n",
            stderr);
        return 2;
    }
    QApplication application(argc, argv);
    const bool distances = kind == "distances" || kind == "distances-filled" ||
                           kind == "distances-club" || kind == "season-club";
    if (distances) {
        if (!InThrowawayFolders()) return 2;
        club_ui::NameTheProgram();
    }
    if (kind == "distances-club" || kind == "season-club") {
        return WriteDemoClubAsLastUsed(kind == "season-club");
    }
    const qint64 applicationReady = clock.elapsed();
    std::unique_ptr<QWidget> window;
    if (kind == "calculator") {
        window = std::make_unique<Quillet2>();
    } else if (distances) {
        window = std::make_unique<club_ui::ClubWindow>();
    } else {
        window = std::make_unique<QWidget>();
        if (kind == "text" || kind == "wide-text") {
            new QLabel(QStringLiteral("Velocity  Calculator "), window.get());
        }
    }
    const qint64 windowBuilt = clock.elapsed();
    if (kind == "wide-text") {
        window->resize(1200, 760);  // the Club Secretary window's size
    } else if (!distances) {
        window->resize(264, 515);
    }
    auto* const probe = new FirstPaint(clock, window.get());
    window->installEventFilter(probe);
    window->show();
    // As the program itself does: the club used last is opened once the first frame is shown.
    if (kind == "distances") {
        static_cast<club_ui::ClubWindow&>(*window).OpenStartingClubOnceShown({});
    } else if (kind == "distances-filled") {
        static_cast<club_ui::ClubWindow&>(*window).OpenStartingClub({});
    }
    QApplication::exec();

    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf(
        "%s first-paint-ms %lld peak-rss-kib %ld application-ms %lld window-built-ms %lld "
        "since-launch-ms %lld\n",
        argv[1], static_cast<long long>(probe->Milliseconds()), usage.ru_maxrss,
        static_cast<long long>(applicationReady), static_cast<long long>(windowBuilt),
        SinceLaunch(probe->Painted()));
    return 0;
}
