// Renders the calculator window to PNG files: the entry view as it opens, the results view of a
// race with a clock that gained 30 seconds in a day, and of the same race clocked three seconds
// later against a check a second earlier, whose flying seconds come out negative and at full
// length. At a device pixel ratio of 2 (QT_SCALE_FACTOR=2) it renders the results views at
// double resolution. For each result it prints the face it is shown in and what it shows.
//
//   calculator-screenshot <directory>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <cstdio>

#include "core/race.h"
#include "tests/common/worked_races.h"
#include "ui/quillet2.h"
#include "ui/result_field.h"

namespace {

bool Save(QWidget& window, const QDir& directory, const QString& name) {
    QApplication::processEvents();
    const QPixmap picture = window.grab();
    const QString path = directory.filePath(name);
    if (!picture.save(path, "PNG")) {
        std::fprintf(stderr, "calculator-screenshot: cannot write %s\n", qPrintable(path));
        return false;
    }
    std::printf("%s: %d x %d pixels\n", qPrintable(path), picture.width(), picture.height());
    return true;
}

void Calculate(QWidget& window, const race::worked::WorkedRace& race) {
    for (const race::worked::Typed& change : race.changes) {
        const std::string_view name = race::FindEntryField(change.member)->name;
        window.findChild<QLineEdit*>(QString::fromUtf8(name.data(), qsizetype(name.size())))
            ->setText(QString::fromStdString(change.text));
    }
    window.findChild<QPushButton*>(QStringLiteral("CmdVel"))->click();
}

void PrintResultFaces(const QWidget& window) {
    for (const char* name : {"velocity", "variation", "FTHrs", "FTMins", "FTSecs"}) {
        const auto* const field =
            window.findChild<calculator::ResultField*>(QString::fromLatin1(name));
        const QFont font = field->font();
        std::printf("  %-9s %5.2f pt %3d %% in %3d px: \"%s\"%s\n", name, font.pointSizeF(),
                    font.stretch(), field->width(), qPrintable(field->ShownText()),
                    field->ShownText() == field->text() ? "" : " (cut)");
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fputs("usage: calculator-screenshot <directory>\n", stderr);
        return 2;
    }
    const QDir directory(QString::fromLocal8Bit(argv[1]));
    Quillet2 window;
    window.show();
    const bool doubled = window.devicePixelRatioF() > 1.5;
    const QString suffix = doubled ? QStringLiteral("@2x.png") : QStringLiteral(".png");
    if (!doubled && !Save(window, directory, QStringLiteral("screenshot-entry.png"))) return 1;
    Calculate(window, race::worked::GainingClockRace());
    PrintResultFaces(window);
    if (!Save(window, directory, QStringLiteral("screenshot-results") + suffix)) return 1;
    Calculate(window, race::worked::NegativeSecondsRace());
    PrintResultFaces(window);
    return Save(window, directory, QStringLiteral("screenshot-negative-seconds") + suffix) ? 0 : 1;
}
