// The yardstick of tools/measure-startup.sh: a Qt Widgets window as small as one can be, a
// label with one line of text at the calculator's size. The time it takes to reach the screen is
// what Qt itself costs on the machine; each program is measured against it.
//
//   one-label [WIDTHxHEIGHT]
//
// Another size (Club Secretary's, 1200x760) tells how much of a larger window's time is its size
// alone: the frame painted and handed to the X server grows with the window's area.

#include <QApplication>
#include <QLabel>
#include <QSize>
#include <QStringList>

namespace {

QSize SizeAsked(const QStringList& arguments) {
    const QStringList parts = arguments.value(1).split(QLatin1Char('x'));
    bool width_reads = false, height_reads = false;
    const int width = parts.value(0).toInt(&width_reads);
    const int height = parts.value(1).toInt(&height_reads);
    if (parts.size() == 2 && width_reads && height_reads && width > 0 && height > 0) {
        return {width, height};
    }
    return {264, 515};  // the calculator's
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Velocity  Calculator "));
    label.resize(SizeAsked(QApplication::arguments()));
    label.show();
    return QApplication::exec();
}
