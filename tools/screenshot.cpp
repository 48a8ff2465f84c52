// Renders the calculator window to PNG files: the entry view as it opens, and the results view
// of a race with a clock that gained 30 seconds in a day. At a device pixel ratio of 2
// (QT_SCALE_FACTOR=2) it renders the results view at double resolution.
//
//   calculator-screenshot <directory>

#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QPushButton>
#include <QTextStream>
#include <cstdio>
#include <utility>

#include "ui/quillet2.h"

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

void EnterGainingClockRace(QWidget& window) {
    const std::pair<const char*, const char*> entries[] = {
        {"CrSec", "30"},         {"birdclockhrs", "11"}, {"birdclockmins", "42"},
        {"birdclocksecs", "17"}, {"birdlibhrs", "7"},    {"birdlibmins", "15"},
        {"birdlibsecs", "0"},    {"miles", "92"},        {"yards", "1000"},
    };
    for (const auto& [name, text] : entries) {
        window.findChild<QLineEdit*>(QString::fromLatin1(name))->setText(QString::fromLatin1(text));
    }
    window.findChild<QPushButton*>(QStringLiteral("CmdVel"))->click();
}

void PrintResultFonts(const QWidget& window) {
    for (const char* name : {"velocity", "variation", "FTHrs", "FTMins", "FTSecs"}) {
        const QLineEdit* const field = window.findChild<QLineEdit*>(QString::fromLatin1(name));
        std::printf("%s \"%s\": %s %.2f pt\n", name, qPrintable(field->text()),
                    qPrintable(field->font().family()), field->font().pointSizeF());
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
    if (!doubled && !Save(window, directory, QStringLiteral("screenshot-entry.png"))) return 1;
    EnterGainingClockRace(window);
    PrintResultFonts(window);
    const QString results = doubled ? QStringLiteral("screenshot-results@2x.png")
                                    : QStringLiteral("screenshot-results.png");
    return Save(window, directory, results) ? 0 : 1;
}
