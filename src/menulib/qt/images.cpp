// Conversions between pictures and Qt images.
#include "qt/images.h"

#include <cstring>

#include "sys/objects.h"

namespace ornasys::qt {
namespace {

Picture Convert(const QImage& image, QImage::Format format) {
  if (image.isNull()) return {};
  const QImage converted = image.convertToFormat(format);
  Picture picture(converted.width(), converted.height());
  for (int y = 0; y < converted.height(); ++y) {
    std::memcpy(picture.Data() + static_cast<std::size_t>(y) * picture.Width(),
                converted.constScanLine(y), static_cast<std::size_t>(picture.Width()) * 4);
  }
  return picture;
}

}  // namespace

Picture OpaquePicture(const QImage& image) { return Convert(image, QImage::Format_RGB32); }

Picture PictureWithAlpha(const QImage& image) { return Convert(image, QImage::Format_ARGB32); }

QImage ImageOf(Picture& picture) {
  return QImage(reinterpret_cast<uchar*>(picture.Data()), picture.Width(), picture.Height(),
                picture.Width() * 4, QImage::Format_RGB32);
}

QImage ImageOf(const Picture& picture) {
  return QImage(reinterpret_cast<const uchar*>(picture.Data()), picture.Width(), picture.Height(),
                picture.Width() * 4, QImage::Format_RGB32);
}

Handle CreateBitmapFromImage(const QImage& image) { return CreateBitmap(OpaquePicture(image)); }

Handle CreateIconFromImage(const QImage& image) { return CreateIcon(PictureWithAlpha(image)); }

Handle RegisterResourceModule(const QString& name, const QString& folder) {
  return RegisterModule(name.toStdString(), [folder](std::string_view resource) {
    const QString base = folder + '/' + QString::fromLatin1(resource.data(), resource.size());
    for (const char* extension : {".bmp", ".png"}) {
      const QImage image(base + extension);
      if (!image.isNull()) return std::optional<Picture>(OpaquePicture(image));
    }
    return std::optional<Picture>();
  });
}

}  // namespace ornasys::qt
