// Pictures of the window system and Qt images.
#pragma once

#include <QImage>
#include <QString>

#include "sys/graphics.h"
#include "sys/handles.h"

namespace ornasys::qt {

// The image as an opaque picture (alpha dropped).
Picture OpaquePicture(const QImage& image);

// The image as a picture with its alpha channel.
Picture PictureWithAlpha(const QImage& image);

// An image that shows `picture`'s pixels without copying them; valid while the picture is
// neither resized nor destroyed.
QImage ImageOf(Picture& picture);
// A read-only view as above.
QImage ImageOf(const Picture& picture);

// A bitmap of the image; the caller deletes it with DeleteObject. 0 for a null image.
Handle CreateBitmapFromImage(const QImage& image);

// An icon of the image with its alpha channel; the caller deletes it with DeleteObject.
Handle CreateIconFromImage(const QImage& image);

// A module whose bitmap resources are the images "NAME.bmp" or "NAME.png" in the Qt resource
// folder `folder` (e.g. ":/bilder"); the caller forgets it with UnregisterModule.
Handle RegisterResourceModule(const QString& name, const QString& folder);

}  // namespace ornasys::qt
