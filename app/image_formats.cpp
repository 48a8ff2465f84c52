#include "app/image_formats.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>
#include <system_error>

namespace startup {

ImageFormatLoader::ImageFormatLoader(const Marks& marks) try {
    loader_ = std::jthread([&marks] {
        // Bytes of no format at all: Qt asks each plugin in turn, loading it, and none reads them.
        QByteArray bytes("not an image");
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::ReadOnly);
        (void)QImageReader(&buffer).format();
        marks.Mark("image-formats");
    });
} catch (const std::system_error&) {
    // No thread to be had: the window loads them itself as it first reads an image.
}

}  // namespace startup
