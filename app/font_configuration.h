#pragma once

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
class FontConfigurationReader {
  public:
    explicit FontConfigurationReader(const Marks& marks);

    // Waits until the configuration is read: called before the first font is used, so that Qt
    // never reads it a second time alongside.
    void Finish();

  private:
    std::jthread reader_;
};

}  // namespace startup
