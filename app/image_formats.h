#pragma once

#include <thread>

#include "app/startup_marks.h"

namespace startup {

// Qt's image format plugins loaded on another core while the window is built. The first image a
// window reads (the Fusion style's arrows on a spin box or a combo box, the menu bar's overflow
// button) makes Qt load every image format plugin installed, one library after another, to ask
// each whether it reads the image: gif, ico and jpeg on a plain Debian desktop, many more where
// the extra formats are installed. Asked first here, on the other core, they are loaded by the
// time the window needs them, and the window reads its images as before. Made once
// QApplication is; marks "image-formats" when they are loaded.
class ImageFormatLoader {
  public:
    explicit ImageFormatLoader(const Marks& marks);

  private:
    std::jthread loader_;
};

}  // namespace startup
