#include "app/font_configuration.h"

#ifdef VC_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace startup {

FontConfigurationReader::FontConfigurationReader([[maybe_unused]] const Marks& marks) {
#ifdef VC_FONTCONFIG
    // Fontconfig keeps one configuration for the whole process, made once and safely from any
    // thread; Qt's own FcInit() then finds it made.
    reader_ = std::jthread([&marks] {
        FcInit();
        marks.Mark("fonts");
    });
#endif
}

void FontConfigurationReader::Finish() {
    if (reader_.joinable()) reader_.join();
}

}  // namespace startup
