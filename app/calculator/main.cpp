#include <QApplication>
#include <cstdio>

#include "app/font_configuration.h"
#include "app/image_formats.h"
#include "app/startup_marks.h"
#include "ui/quillet2.h"

int main(int argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Without an X11 or Wayland display Qt would abort; say what to do instead. Windows and macOS
    // always have their own desktop.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs(
            "velocity-calculator: no display; run it from a desktop session or under "
            "'xvfb-run -a'.\n",
            stderr);
        return 1;
    }
#endif
    startup::Marks marks;
    startup::FontConfigurationReader fonts(marks);
    QApplication application(argc, argv);
    fonts.Finish();
    marks.Mark("application");
    const startup::ImageFormatLoader image_formats(marks);
    Quillet2 window;
    marks.Mark("window");
    marks.WatchFirstPaint(window);
    window.show();
    marks.Mark("shown");
    return QApplication::exec();
}
