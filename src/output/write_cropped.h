// The decoding road of the crop-and-save run: decode, re-apply the record's corrections,
// cut, and write the chosen file type.
#pragma once

#include <string>

#include "imaging/enlarge.h"
#include "output/jpegtran.h"

namespace trimora {

// One picture to write by the decoding road.
struct CropRequest {
  int left = 0, top = 0, width = 0, height = 0;  // the cut in pixels of the (enlarged) picture
  std::string source;                            // the JPEG file
  std::string output;                            // the wanted output path
  std::string type;                              // "JPG", "TIF", "BMP" or "PNG"
  std::string redEyeList;                        // red-eye rectangles, "l,t,r,b|..." or empty
  bool correction = false;                       // run the automatic correction on the cut
  double ratio = 0;                              // format ratio of an enlargement, 0 for none
};

// Writes the request and returns the path written (`confirm` may change it). With a ratio the
// whole enlarged picture is written, whatever the rectangle says. Only the rows and block
// columns of the cut are decoded when no red-eye filter or enlargement needs the whole picture,
// and the cut is handed to the writers by row pointers. A cut without corrections is never held
// whole: JPEG goes from decoder to encoder batch by batch, TIFF, BMP and PNG from decoder to
// their writers; `confirm` is then asked once the source has given its first rows. Throws Error
// when the source cannot be read, the cut leaves the picture, the type is unknown, or the output
// cannot be written; a failed write leaves no file behind.
std::string WriteCroppedPicture(const CropRequest& request, const EnlargeOptions& stripes,
                                const ConfirmOutput& confirm);

}  // namespace trimora
