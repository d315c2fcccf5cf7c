// The text of the EXIF/IPTC information window for one picture file.
#pragma once

#include <string>

namespace trimora::metadata {

// Reads the file with a fresh reader and builds the window's text: summaries, every Exif,
// GPS, maker-note and thumbnail value, the comment and the IPTC lines; lines end with "\r\n".
// Texts of the program are UTF-8; texts from the file are passed on as stored.
std::string BuildInfoText(const std::string& path);

}  // namespace trimora::metadata
