#include "app/image_formats.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

namespace startup {

ImageFormatLoader::ImageFormatLoader(const Marks& marks)
    : loader_(OnTheOtherCore(marks, "image-formats", [] {
          // Bytes of no format at all: Qt asks each plugin in turn, loading it, and none reads
          // them.
          QByteArray bytes("not an image");
          QBuffer buffer(&bytes);
          buffer.open(QIODevice::ReadOnly);
          (void)QImageReader(&buffer).format();
      })) {}

}  // namespace startup
