#include "output/turn_original.h"

#include <span>

#include "imaging/jpeg_codec.h"
#include "metadata/jpeg_markers.h"
#include "metadata/jpeg_metadata.h"
#include "output/exif_mend.h"
#include "output/jpegtran.h"
#include "platform/error.h"
#include "platform/file_date.h"
#include "platform/files.h"

namespace trimora {

namespace {

bool CarriedMarker(std::uint8_t marker) {
  return (marker >= 0xE0 && marker <= 0xEF) || marker == 0xFE;
}

// The encoder's file with the application and comment segments of the source in place of its
// own (its JFIF header stays only when the source had none of them).
std::vector<std::uint8_t> WithSourceMarkers(const std::vector<std::uint8_t>& encoded,
                                            std::span<const std::uint8_t> source) {
  std::vector<std::uint8_t> out = {0xFF, 0xD8};
  bool carried = false;
  for (const SegmentSpan& s : ListHeaderSegments(source)) {
    if (!CarriedMarker(s.marker)) continue;
    out.insert(out.end(), source.begin() + static_cast<std::ptrdiff_t>(s.offset),
               source.begin() + static_cast<std::ptrdiff_t>(s.offset + s.size));
    carried = true;
  }
  if (!carried) return encoded;
  std::size_t from = 2;
  for (const SegmentSpan& s : ListHeaderSegments(encoded)) {
    if (!CarriedMarker(s.marker)) break;
    from = s.offset + s.size;
  }
  out.insert(out.end(), encoded.begin() + static_cast<std::ptrdiff_t>(from), encoded.end());
  return out;
}

}  // namespace

Turn TurnForAngle(std::string_view angle) {
  if (angle == "90") return Turn::Rotate90;
  if (angle == "270") return Turn::Rotate270;
  throw Error(ErrorCode::kRotationAngleInvalid, {std::string(angle)});
}

int ReadOrientation(const std::string& path) {
  metadata::JpegMetadata reader;
  reader.ReadMetadata(path);
  const int orientation = reader.Exif() ? reader.Exif()->Orientation() : 0;
  return orientation >= 1 && orientation <= 8 ? orientation : 1;
}

bool TurnsLosslessly(const std::string& path, Turn turn) {
  const JpegLayout layout = ReadJpegLayout(path);
  return TurnIsPerfect(turn, layout.width, layout.height, layout.blockWidth, layout.blockHeight);
}

void TurnOriginal(const std::string& path, Turn turn) {
  if (turn == Turn::None) return;
  if (TurnsLosslessly(path, turn)) {
    JpegTranTurn(path, turn);
  } else {
    TurnByRecoding(path, turn);
  }
}

void TurnByRecoding(const std::string& path, Turn turn) {
  if (turn == Turn::None) return;
  RefuseWriteProtected(path);
  const std::string read = ReadWholeFile(path);
  const std::span<const std::uint8_t> source(reinterpret_cast<const std::uint8_t*>(read.data()),
                                             read.size());
  const JpegLayout layout = ReadJpegLayoutMemory(source.data(), source.size(), path);
  if (layout.components != 1 && layout.components != 3)
    throw Error(ErrorCode::kJpegTranRotateFailed, {path});
  const Picture turned = TurnPicture(DecodeJpegMemory(source.data(), source.size(), path), turn);
  JpegEncoding encoding;
  encoding.quality = layout.quality > 0 ? layout.quality : 90;
  encoding.grey = layout.components == 1;
  // The brightness keeps its resolution against the colour, along the turned axes.
  encoding.lumaH = TurnSwapsSides(turn) ? layout.lumaV : layout.lumaH;
  encoding.lumaV = TurnSwapsSides(turn) ? layout.lumaH : layout.lumaV;
  const std::vector<std::uint8_t> bytes =
      MendRotatedExif(WithSourceMarkers(EncodeJpeg(PixelRows::Of(turned), encoding), source));
  const std::int32_t date = GetFileDate(path);
  ReplacingFile file(path);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
  SetFileDate(path, date);
}

}  // namespace trimora
