#pragma once

#include <QStringList>
#include <thread>

#include "app/startup_marks.h"

namespace startup {

// The system's font configuration read on another core while QApplication connects to the
// display. On Linux the window's first text would otherwise wait for fontconfig to parse its
// configuration files and load its caches, several milliseconds on the way to the first frame;
// Qt then finds the very same configuration already read, so the fonts chosen are the same.
// A program a desktop launches with a startup-notification id leaves the reading to Qt, as
// before (Qt takes the id out of the environment that fontconfig reads). Elsewhere (Qt's own
// font database on Windows) there is nothing to read ahead and it does nothing. Marks "fonts"
// when the configuration is read.
//
// Where no desktop names the program's face, Qt names it "Sans Serif", a name no font has: at
// the font's first use Qt then sorts every font the system has to find the face it stands for,
// once for each style the window asks for. That sort is made on the other core too, and the
// application's font is given the face it finds by name: the same face, found at once.
class FontConfigurationReader {
  public:
    explicit FontConfigurationReader(const Marks& marks);
    FontConfigurationReader(const FontConfigurationReader&) = delete;
    FontConfigurationReader& operator=(const FontConfigurationReader&) = delete;

    // Waits until the configuration is read, then names the application's face where Qt left it
    // "Sans Serif". Called once QApplication is made and before the first font is used, so
    // that Qt never reads the configuration a second time alongside.
    void Finish();

  private:
    QStringList sans_faces_;  // what fontconfig sorts first for "Sans Serif"
    std::jthread reader_;     // last: it writes sans_faces_
};

}  // namespace startup
