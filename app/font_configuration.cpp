#include "app/font_configuration.h"

#ifdef VC_FONTCONFIG
#include <fontconfig/fontconfig.h>

#include <clocale>
#include <cstdlib>
#endif

namespace startup {

FontConfigurationReader::FontConfigurationReader([[maybe_unused]] const Marks& marks) {
#ifdef VC_FONTCONFIG
    // Fontconfig reads the environment as it goes, and as Qt connects it takes out of the
    // environment the startup-notification id a desktop launches a program with: the environment
    // must not change under another thread. With such an id the configuration is left to Qt, read
    // in its turn as before.
    if (std::getenv("DESKTOP_STARTUP_ID") != nullptr ||
        std::getenv("XDG_ACTIVATION_TOKEN") != nullptr) {
        return;
    }
    // QCoreApplication's first step, the environment's locale, taken first here, so that the
    // numbers in fontconfig's files are never read while the decimal point changes.
    std::setlocale(LC_ALL, "");
    // Fontconfig keeps one configuration for the whole process, made once and safely from any
    // thread; Qt's own FcInit() then finds it made.
    reader_ = OnTheOtherCore(marks, "fonts", [] { FcInit(); });
#endif
}

void FontConfigurationReader::Finish() {
    if (reader_.joinable()) reader_.join();
}

}  // namespace startup
