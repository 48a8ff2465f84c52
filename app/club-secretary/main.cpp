#include <QApplication>
#include <QCommandLineParser>
#include <QTranslator>
#include <cstdio>

#include "app/font_configuration.h"
#include "app/image_formats.h"
#include "app/startup_marks.h"
#include "club_ui/club_window.h"
#include "club_ui/recent_clubs.h"

int main(int argc, char* argv[]) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    // Without an X11 or Wayland display Qt would abort; say what to do instead.
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY") &&
        qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        std::fputs(
            "club-secretary: no display; run it from a desktop session or under 'xvfb-run -a'.\n",
            stderr);
        return 1;
    }
#endif
    startup::Marks marks;
    startup::FontConfigurationReader fonts(marks);
    QApplication application(argc, argv);
    fonts.Finish();
    marks.Mark("application");
    club_ui::NameTheProgram();
    // The program's own language is English; its plural forms come from a translation too.
    QTranslator english;
    if (english.load(QStringLiteral(":/translations/club_secretary_en.qm"))) {
        QCoreApplication::installTranslator(&english);
    }

    QCommandLineParser arguments;
    arguments.setApplicationDescription(
        QStringLiteral("The club's lofts, race points and distances."));
    arguments.addHelpOption();
    arguments.addPositionalArgument(QStringLiteral("club"),
                                    QStringLiteral("The club file to open (name.club)."));
    arguments.process(application);

    // Started once --help has had its say: the program may end there.
    const startup::ImageFormatLoader image_formats(marks);

    club_ui::ClubWindow window;
    marks.Mark("window");
    marks.WatchFirstPaint(window);
    // The club is opened after the first frame; its title names the club once it is.
    QObject::connect(&window, &QWidget::windowTitleChanged, &window,
                     [&marks] { marks.Mark("club-opened"); });
    window.show();
    marks.Mark("shown");
    window.OpenStartingClubOnceShown(arguments.positionalArguments().value(0));
    return QApplication::exec();
}
