#include "output/lossless.h"

namespace trimora {

FileTypeDefaults FileTypeDefaults::FromSettings(int fileFormat1, int fileFormat2) {
  return FileTypeDefaults().WithSettings(fileFormat1, fileFormat2);
}

FileTypeDefaults FileTypeDefaults::WithSettings(int fileFormat1, int fileFormat2) const {
  static constexpr std::string_view kFirst[] = {"JPG", "JPG", "TIF", "BMP", "PNG"};
  static constexpr std::string_view kSecond[] = {"JPG", "TIF", "BMP", "PNG"};
  FileTypeDefaults d = *this;
  if (fileFormat1 >= 0 && fileFormat1 <= 4) d.first.type = kFirst[fileFormat1];
  d.first.lossy = fileFormat1 == 1;
  if (fileFormat2 >= 0 && fileFormat2 <= 3) d.second.type = kSecond[fileFormat2];
  d.second.lossy = fileFormat2 == 0;
  return d;
}

AppliedCorrections CorrectionsOf(const CuttingRecord& record) {
  AppliedCorrections c;
  c.redEye = !record.redEyeCoords.value_or("").empty();
  c.autoCorrection = record.autoCorrection.value_or(false);
  c.enlargement = record.enlarge.value_or(false);
  return c;
}

bool FormatOnBlockGrid(const FormatRecord& format) {
  return format.FormatID >= 0 ||
         (format.PixelWidth % kJpegBlockSize == 0 && format.PixelHeight % kJpegBlockSize == 0);
}

FileTypeChoice DefaultFileType(const FileTypeDefaults& defaults, const FormatRecord& defaultFormat,
                               const AppliedCorrections& onScreen) {
  const bool corrected = onScreen.redEye || onScreen.autoCorrection;
  return FormatOnBlockGrid(defaultFormat) && !corrected ? defaults.first : defaults.second;
}

int BlockSizeFor(const FileTypeChoice& choice) {
  return choice.type == "JPG" && !choice.lossy ? kJpegBlockSize : kPixelBlockSize;
}

bool LosslessEntryEnabled(const FormatRecord& currentFormat, const AppliedCorrections& applied) {
  return FormatOnBlockGrid(currentFormat) && !applied.Any();
}

bool ReturnsToBlockGrid(bool losslessEntryEnabled, int blockSize, const FileTypeDefaults& defaults,
                        const std::optional<std::string>& fileType, bool mayAlignToBlocks) {
  const bool jpeg = !fileType || fileType->empty() || *fileType == "JPG";
  return losslessEntryEnabled && blockSize == kPixelBlockSize && defaults.PrefersLosslessJpeg() &&
         jpeg && mayAlignToBlocks;
}

bool TypeButtonRed(const std::optional<std::string>& fileType,
                   std::optional<std::int32_t> blockSize) {
  return fileType == "JPG" && blockSize == kPixelBlockSize;
}

bool TypeButtonRed(const CuttingRecord& record) {
  return TypeButtonRed(record.fileType, record.blockSize);
}

BlockSelection MoveToGrid(BlockSelection s, int from, int to) {
  if (from == kJpegBlockSize && to == kPixelBlockSize) {
    return {s.x * kJpegBlockSize, s.y * kJpegBlockSize, s.width * kJpegBlockSize,
            s.height * kJpegBlockSize};
  }
  if (from == kPixelBlockSize && to == kJpegBlockSize) {
    return {s.x / kJpegBlockSize, s.y / kJpegBlockSize, s.width / kJpegBlockSize,
            s.height / kJpegBlockSize};
  }
  return s;
}

const std::array<TypeMenuEntry, 5>& TypeMenu() {
  static constexpr std::array<TypeMenuEntry, 5> kMenu = {{
      {"JPGverlustfrei1", "JPG (verlustfrei)", kJpegBlockSize, "JPG"},
      {"JPGverlustbehaftet1", "JPG (verlustbehaftet)", kPixelBlockSize, "JPG"},
      {"TIFF1", "TIF (verlustfrei)", kPixelBlockSize, "TIF"},
      {"BMP1", "BMP (verlustfrei)", kPixelBlockSize, "BMP"},
      {"PNG1", "PNG (verlustfrei)", kPixelBlockSize, "PNG"},
  }};
  return kMenu;
}

bool LosslessAllowedForRecord(const CuttingRecord& record, const FormatRecord* storedFormat) {
  if (record.Corrected()) return false;
  return storedFormat == nullptr || FormatOnBlockGrid(*storedFormat);
}

void ChooseTypeForRecord(CuttingRecord& record, const TypeMenuEntry& entry,
                         const FormatRecord* storedFormat) {
  record.fileType = std::string(entry.type);
  const int before = record.blockSize.value_or(kPixelBlockSize) == kJpegBlockSize ? kJpegBlockSize
                                                                                  : kPixelBlockSize;
  const int wanted = entry.tag == kJpegBlockSize && LosslessAllowedForRecord(record, storedFormat)
                         ? kJpegBlockSize
                         : kPixelBlockSize;
  if (record.x && record.y && record.width && record.height) {
    const BlockSelection moved =
        MoveToGrid({*record.x, *record.y, *record.width, *record.height}, before, wanted);
    record.x = moved.x;
    record.y = moved.y;
    record.width = moved.width;
    record.height = moved.height;
  }
  record.blockSize = wanted;
}

bool TakesLosslessRoad(const CuttingRecord& record) {
  return record.blockSize == kJpegBlockSize && record.fileType == "JPG" && !record.Corrected();
}

}  // namespace trimora
