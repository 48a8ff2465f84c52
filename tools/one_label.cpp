// The yardstick of tools/measure-startup.sh: a Qt Widgets window as small as one can be, a
// label with one line of text at the calculator's size. The time it takes to reach the screen is
// what Qt itself costs on the machine; each program is measured against it.

#include <QApplication>
#include <QLabel>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QLabel label(QStringLiteral("Velocity  Calculator "));
    label.resize(264, 515);
    label.show();
    return QApplication::exec();
}
