#include "output/jpeg_codec.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <new>

#include "imaging/jpeg_decoder.h"
#include "imaging/jpeg_error.h"
#include "platform/error.h"

namespace trimora {

namespace {

// ---- encoding: one libjpeg session holding only plain data (see imaging/jpeg_error.h) ----

bool EncodeSession(const PixelRows& pixels, unsigned char** buffer, unsigned long* size,
                   JpegErrorManager* errors) {
  jpeg_compress_struct cinfo{};
  cinfo.err = InitJpegErrorManager(*errors);
  if (setjmp(errors->jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_mem_dest(&cinfo, buffer, size);
  cinfo.image_width = static_cast<JDIMENSION>(pixels.width);
  cinfo.image_height = static_cast<JDIMENSION>(pixels.height);
  cinfo.input_components = 4;
  cinfo.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&cinfo);
  jpeg_set_quality(&cinfo, 90, TRUE);
  jpeg_start_compress(&cinfo, TRUE);
  // The rows are handed over by pointer, straight from the picture buffer.
  constexpr int kBatch = 16;
  JSAMPROW rows[kBatch];
  while (cinfo.next_scanline < cinfo.image_height) {
    const int first = static_cast<int>(cinfo.next_scanline);
    int count = 0;
    while (count < kBatch && first + count < pixels.height) {
      rows[count] = const_cast<JSAMPROW>(pixels.row(first + count));
      ++count;
    }
    jpeg_write_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

// ---- decoding of a rectangle ----

struct Rect {
  int left, top, width, height;
};

enum class RectOutcome { Done, Failed, OutsidePicture, NeedsFullDecode };

// Gives `picture` a buffer; false when memory is short (no exception inside the session).
bool AllocatePicture(Picture* picture, int width, int height) noexcept {
  try {
    *picture = Picture(width, height);
    return true;
  } catch (const std::bad_alloc&) {
    return false;
  }
}

// One libjpeg session that decodes only the rows of the rectangle and only the columns of
// blocks it touches (jpeg_skip_scanlines, jpeg_crop_scanline). When the decoded rows are
// wider than the cut, because the left edge was moved back onto the block grid, each row goes
// through a scratch row and only the cut part is copied into the picture.
RectOutcome RectSession(std::FILE* file, Rect r, Picture* picture, JpegErrorManager* errors) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = InitJpegErrorManager(*errors);
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return RectOutcome::Failed;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  if (cinfo.jpeg_color_space == JCS_CMYK || cinfo.jpeg_color_space == JCS_YCCK) {
    jpeg_destroy_decompress(&cinfo);
    return RectOutcome::NeedsFullDecode;
  }
  const long long pictureWidth = cinfo.image_width;
  const long long pictureHeight = cinfo.image_height;
  if (r.left < 0 || r.top < 0 || r.width <= 0 || r.height <= 0 ||
      r.left + static_cast<long long>(r.width) > pictureWidth ||
      r.top + static_cast<long long>(r.height) > pictureHeight) {
    jpeg_destroy_decompress(&cinfo);
    return RectOutcome::OutsidePicture;
  }
  cinfo.out_color_space = JCS_EXT_BGRA;  // as JCS_EXT_BGRX, with the fourth byte FF
  jpeg_start_decompress(&cinfo);
  JDIMENSION x = static_cast<JDIMENSION>(r.left);
  JDIMENSION w = static_cast<JDIMENSION>(r.width);
  if (x != 0 || w != cinfo.output_width) jpeg_crop_scanline(&cinfo, &x, &w);
  const std::size_t skipBytes = (static_cast<std::size_t>(r.left) - x) * 4;
  if (r.top > 0) jpeg_skip_scanlines(&cinfo, static_cast<JDIMENSION>(r.top));
  if (!AllocatePicture(picture, r.width, r.height)) {
    SetJpegFailure(*errors, "Nicht genug Speicher für das Bild");
    jpeg_destroy_decompress(&cinfo);
    return RectOutcome::Failed;
  }
  JSAMPARRAY scratch = nullptr;
  if (cinfo.output_width != static_cast<JDIMENSION>(r.width)) {
    // Freed with the session by jpeg_destroy_decompress.
    scratch = (*cinfo.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE,
                                         cinfo.output_width * 4, 1);
  }
  const std::size_t cutBytes = picture->stride();
  for (int y = 0; y < r.height; ++y) {
    JSAMPROW target = scratch != nullptr ? scratch[0] : picture->row(y);
    jpeg_read_scanlines(&cinfo, &target, 1);
    if (scratch != nullptr) std::memcpy(picture->row(y), scratch[0] + skipBytes, cutBytes);
  }
  // The rows below the rectangle are never decoded; the session ends here.
  jpeg_destroy_decompress(&cinfo);
  return RectOutcome::Done;
}

std::string ReadFailure(const std::string& path) {
  return "Die Datei \"" + path + "\" konnte nicht gelesen werden";
}

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const PixelRows& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > JPEG_MAX_DIMENSION ||
      pixels.height > JPEG_MAX_DIMENSION) {
    throw Error("Das Bild kann in dieser Größe nicht als JPEG gespeichert werden.");
  }
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
  JpegErrorManager errors;
  const bool done = EncodeSession(pixels, &buffer, &size, &errors);
  std::vector<std::uint8_t> bytes;
  if (done) bytes.assign(buffer, buffer + size);
  std::free(buffer);
  if (!done) throw Error(JpegErrorText("Das Bild konnte nicht als JPEG kodiert werden", errors));
  return bytes;
}

Picture DecodeJpegRect(const std::string& path, int left, int top, int width, int height) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) throw Error("Datei " + path + " kann nicht geöffnet werden");
  Picture picture;
  JpegErrorManager errors;
  const RectOutcome outcome = RectSession(file, {left, top, width, height}, &picture, &errors);
  std::fclose(file);
  switch (outcome) {
    case RectOutcome::Done:
      return picture;
    case RectOutcome::Failed:
      throw Error(JpegErrorText(ReadFailure(path), errors));
    case RectOutcome::OutsidePicture:
      throw Error("Der Ausschnitt (" + std::to_string(left) + "," + std::to_string(top) + ") (" +
                  std::to_string(width) + "x" + std::to_string(height) + ") liegt nicht im Bild " +
                  path + ".");
    case RectOutcome::NeedsFullDecode:
      break;
  }
  // CMYK pictures: libjpeg gives no BGRX rows for them; decode whole, then cut.
  const Picture whole = DecodeJpegFile(path);
  if (left < 0 || top < 0 || width <= 0 || height <= 0 || left + width > whole.width() ||
      top + height > whole.height()) {
    throw Error("Der Ausschnitt liegt nicht im Bild " + path + ".");
  }
  picture = Picture(width, height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(picture.row(y), whole.row(top + y) + static_cast<std::size_t>(left) * 4, picture.stride());
  }
  return picture;
}

}  // namespace trimora
