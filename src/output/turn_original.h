// Bringing an original upright or turning it by a quarter: losslessly by jpegtran where the
// picture's size lies on its block grid, otherwise by decoding, turning and encoding it again
// at the quality of its own quantisation tables. Either way every metadata segment stays, the
// Exif data follows the turn (Orientation 1, sizes of the turned picture, no stale thumbnail),
// the file is replaced through a temporary file and a rename, and its date is kept.
#pragma once

#include <string>
#include <string_view>

#include "imaging/turn.h"

namespace trimora {

// The turn of the commands "Original um 90° drehen" ("90") and "... -90° ..." ("270"); throws
// Error for any other angle text.
Turn TurnForAngle(std::string_view angle);

// The Exif Orientation of a JPEG file, read from its metadata alone; 1 when it has none or the
// file cannot be read.
int ReadOrientation(const std::string& path);

// Whether jpegtran can make the turn perfectly (no partial block at an edge that moves).
// Throws Error when the file is not a readable JPEG.
bool TurnsLosslessly(const std::string& path, Turn turn);

// Turns the original: by jpegtran when TurnsLosslessly, else by TurnByRecoding. Throws Error
// when it cannot; the file is then unchanged.
void TurnOriginal(const std::string& path, Turn turn);

// Turns the original by decoding and encoding it at its estimated quality and sampling, with
// every marker segment of the source (Exif mended as above). Throws Error when the file cannot
// be read, decoded (CMYK pictures included) or replaced; the file is then unchanged.
void TurnByRecoding(const std::string& path, Turn turn);

}  // namespace trimora
