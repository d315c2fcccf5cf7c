#include "output/write_cropped.h"

#include <cstring>
#include <memory>

#include "imaging/correction.h"
#include "imaging/jpeg_codec.h"
#include "imaging/red_eye.h"
#include "output/file_writers.h"
#include "output/jpeg_writer.h"
#include "platform/error.h"

namespace trimora {

namespace {

bool KnownType(const std::string& type) {
  return type == "JPG" || type == "TIF" || type == "BMP" || type == "PNG";
}

// The writer of a "TIF", "BMP" or "PNG" file; a bitmap takes `bmpBits` bits per pixel.
std::unique_ptr<RowWriter> StartLosslessWriter(const std::string& type, const std::string& path,
                                               int width, int height, int bmpBits) {
  if (type == "TIF") return StartTiff(path, width, height);
  if (type == "BMP") return StartBmp(path, width, height, bmpBits);
  return StartPng(path, width, height);
}

bool Inside(int left, int top, int width, int height, const Picture& p) {
  return left >= 0 && top >= 0 && width > 0 && height > 0 && left <= p.width() - width &&
         top <= p.height() - height;
}

}  // namespace

std::string WriteCroppedPicture(const CropRequest& request, const EnlargeOptions& stripes,
                                const ConfirmOutput& confirm) {
  if (!KnownType(request.type)) {
    throw Error(ErrorCode::kFileTypeUnknown, {request.type, request.output});
  }
  int left = request.left, top = request.top, width = request.width, height = request.height;
  if (request.redEyeList.empty() && request.ratio <= 0 && !request.correction) {
    if (request.type == "JPG") {
      // The common case: decoded rows go straight into the encoder, no picture is held.
      const std::vector<std::uint8_t> encoded =
          RecodeJpegRect(request.source, left, top, width, height);
      const std::string path = confirm ? confirm(request.output) : request.output;
      WriteEncodedJpeg(path, encoded, request.source, width, height);
      return path;
    }
    // The other types take the decoded rows batch by batch into their writer, which is started
    // (and the output name chosen) once the source has shown its first rows.
    std::string path;
    std::unique_ptr<RowWriter> writer;
    DecodeJpegRectRows(request.source, left, top, width, height, [&](const PixelRows& rows) {
      if (!writer) {
        path = confirm ? confirm(request.output) : request.output;
        writer = StartLosslessWriter(request.type, path, width, height, 32);
      }
      writer->AddRows(rows);
    });
    writer->Finish();
    return path;
  }

  Picture whole;  // the decoded source, when the red-eye filter or the stripes need all of it
  Picture cut;    // the cut as a picture of its own, when it is decoded alone or corrected
  PixelRows rows;
  if (!request.redEyeList.empty() || request.ratio > 0) {
    whole = DecodeJpegFile(request.source);
    if (!request.redEyeList.empty()) ReapplyRedEye(whole, request.redEyeList);
    if (request.ratio > 0) {
      EnlargePicture(whole, stripes.color, stripes.left, stripes.right, request.ratio);
      left = top = 0;
      width = whole.width();
      height = whole.height();
    }
    if (!Inside(left, top, width, height, whole)) {
      throw Error(ErrorCode::kCutOutsidePicture,
                  {request.source, std::to_string(left), std::to_string(top), std::to_string(width),
                   std::to_string(height)});
    }
    if (request.correction && (width != whole.width() || height != whole.height())) {
      cut = Picture(width, height);
      for (int y = 0; y < height; ++y) {
        std::memcpy(cut.row(y), whole.row(top + y) + static_cast<std::size_t>(left) * 4,
                    cut.stride());
      }
      whole = Picture();
    } else {
      cut = std::move(whole);
      if (cut.width() != width || cut.height() != height)
        rows = PixelRows::Of(cut).Sub(left, top, width, height);
    }
  } else {
    cut = DecodeJpegRect(request.source, left, top, width, height);
  }
  if (rows.first == nullptr) rows = PixelRows::Of(cut);
  if (request.correction) AutoCorrectPicture(cut);

  const std::string path = confirm ? confirm(request.output) : request.output;
  if (request.type == "JPG") {
    WriteJpeg(path, rows, request.source);
  } else {
    const std::unique_ptr<RowWriter> writer = StartLosslessWriter(
        request.type, path, rows.width, rows.height, request.correction ? 24 : 32);
    writer->AddRows(rows);
    writer->Finish();
  }
  return path;
}

}  // namespace trimora
