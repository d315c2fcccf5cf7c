#include "output/jpeg_codec.h"

// clang-format off
#include <cstdio>
#include <jpeglib.h>
#include <jerror.h>
// clang-format on

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>

#include "platform/error.h"

namespace trimora {

namespace {

// libjpeg reports errors by calling error_exit, which must not return. It jumps back to the
// guarded step that made the call; each guarded step is a function without C++ objects that
// have destructors, so the jump skips no clean-up. A premature end of the data counts as an
// error: the picture would otherwise be completed silently with grey.
struct ErrorManager {
  jpeg_error_mgr pub;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnError(j_common_ptr codec) {
  auto* manager = reinterpret_cast<ErrorManager*>(codec->err);
  (*codec->err->format_message)(codec, manager->message);
  std::longjmp(manager->jump, 1);
}

void OnMessage(j_common_ptr codec, int level) {
  if (level < 0 && codec->err->msg_code == JWRN_JPEG_EOF) OnError(codec);
}

void InstallErrorManager(ErrorManager& manager) {
  jpeg_std_error(&manager.pub);
  manager.pub.error_exit = OnError;
  manager.pub.emit_message = OnMessage;
  manager.message[0] = '\0';
}

// ---- encoding ----

struct Encoder {
  jpeg_compress_struct codec;
  ErrorManager errors;
  unsigned char* buffer = nullptr;
  unsigned long size = 0;
};

bool EncodeGuarded(Encoder& e, const PixelRows& pixels) {
  if (setjmp(e.errors.jump)) return false;
  jpeg_mem_dest(&e.codec, &e.buffer, &e.size);
  e.codec.image_width = static_cast<JDIMENSION>(pixels.width);
  e.codec.image_height = static_cast<JDIMENSION>(pixels.height);
  e.codec.input_components = 4;
  e.codec.in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(&e.codec);
  jpeg_set_quality(&e.codec, 90, TRUE);
  jpeg_start_compress(&e.codec, TRUE);
  JSAMPROW rows[16];
  while (e.codec.next_scanline < e.codec.image_height) {
    const int first = static_cast<int>(e.codec.next_scanline);
    int count = 0;
    while (count < 16 && first + count < pixels.height) {
      rows[count] = const_cast<JSAMPROW>(pixels.row(first + count));
      ++count;
    }
    jpeg_write_scanlines(&e.codec, rows, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_compress(&e.codec);
  return true;
}

// ---- decoding ----

struct Decoder {
  jpeg_decompress_struct codec;
  ErrorManager errors;
  bool created = false;
};

bool ReadHeaderGuarded(Decoder& d, std::FILE* file) {
  if (setjmp(d.errors.jump)) return false;
  jpeg_create_decompress(&d.codec);
  d.created = true;
  jpeg_stdio_src(&d.codec, file);
  jpeg_read_header(&d.codec, TRUE);
  return true;
}

// Starts decompression cropped to the columns [left, left + width) and skips `top` rows;
// reports the first decoded column in `firstColumn`.
bool StartGuarded(Decoder& d, int left, int top, int width, int* firstColumn) {
  if (setjmp(d.errors.jump)) return false;
  d.codec.out_color_space = JCS_EXT_BGRX;
  jpeg_start_decompress(&d.codec);
  JDIMENSION x = static_cast<JDIMENSION>(left);
  JDIMENSION w = static_cast<JDIMENSION>(width);
  if (x != 0 || w != d.codec.output_width) jpeg_crop_scanline(&d.codec, &x, &w);
  *firstColumn = static_cast<int>(x);
  if (top > 0) jpeg_skip_scanlines(&d.codec, static_cast<JDIMENSION>(top));
  return true;
}

// Reads `height` rows. When the decoded rows are wider than the cut (the left edge was moved
// to the block grid), each row goes through `scratch` and only the cut part is copied.
bool ReadRowsGuarded(Decoder& d, Picture& picture, int skipColumns, unsigned char* scratch) {
  if (setjmp(d.errors.jump)) return false;
  const std::size_t cutBytes = picture.stride();
  for (int y = 0; y < picture.height(); ++y) {
    JSAMPROW target = scratch != nullptr ? scratch : picture.row(y);
    if (jpeg_read_scanlines(&d.codec, &target, 1) != 1) {
      // A suspended data source cannot happen with a file; treat it as the end of the data.
      (*d.codec.err->format_message)(reinterpret_cast<j_common_ptr>(&d.codec), d.errors.message);
      return false;
    }
    if (scratch != nullptr) std::memcpy(picture.row(y), scratch + static_cast<std::size_t>(skipColumns) * 4, cutBytes);
  }
  return true;
}

[[noreturn]] void ThrowDecodeError(const std::string& path, const char* detail) {
  throw Error("Das Bild " + path + " kann nicht gelesen werden: " + detail);
}

// Owns the file and the libjpeg session for the C++ code between the guarded steps.
class DecodeSession {
 public:
  explicit DecodeSession(const std::string& path) : path_(path) {
    InstallErrorManager(d_.errors);
    d_.codec.err = &d_.errors.pub;
    file_ = std::fopen(path.c_str(), "rb");
    if (file_ == nullptr) throw Error("Datei " + path + " kann nicht geöffnet werden");
  }
  ~DecodeSession() {
    if (d_.created) jpeg_destroy_decompress(&d_.codec);
    std::fclose(file_);
  }
  // Reads the file's header; throws Error when it is no readable JPEG.
  void ReadHeader() {
    if (!ReadHeaderGuarded(d_, file_)) Fail();
  }
  DecodeSession(const DecodeSession&) = delete;
  DecodeSession& operator=(const DecodeSession&) = delete;

  Decoder& decoder() { return d_; }
  [[noreturn]] void Fail() { ThrowDecodeError(path_, d_.errors.message); }

 private:
  std::string path_;
  Decoder d_{};
  std::FILE* file_ = nullptr;
};

}  // namespace

std::vector<std::uint8_t> EncodeJpeg(const PixelRows& pixels) {
  if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > JPEG_MAX_DIMENSION ||
      pixels.height > JPEG_MAX_DIMENSION) {
    throw Error("Das Bild kann in dieser Größe nicht als JPEG gespeichert werden.");
  }
  Encoder e{};
  InstallErrorManager(e.errors);
  e.codec.err = &e.errors.pub;
  jpeg_create_compress(&e.codec);
  const bool done = EncodeGuarded(e, pixels);
  jpeg_destroy_compress(&e.codec);
  std::vector<std::uint8_t> bytes;
  if (done) bytes.assign(e.buffer, e.buffer + e.size);
  std::free(e.buffer);
  if (!done) throw Error(std::string("Das Bild kann nicht als JPEG kodiert werden: ") + e.errors.message);
  return bytes;
}

Picture DecodeJpegRect(const std::string& path, int left, int top, int width, int height) {
  DecodeSession session(path);
  session.ReadHeader();
  Decoder& d = session.decoder();
  const auto pictureWidth = static_cast<long long>(d.codec.image_width);
  const auto pictureHeight = static_cast<long long>(d.codec.image_height);
  if (left < 0 || top < 0 || width <= 0 || height <= 0 || left + static_cast<long long>(width) > pictureWidth ||
      top + static_cast<long long>(height) > pictureHeight) {
    throw Error("Der Ausschnitt (" + std::to_string(left) + "," + std::to_string(top) + ") (" +
                std::to_string(width) + "x" + std::to_string(height) + ") liegt nicht im Bild " + path + ".");
  }
  int firstColumn = 0;
  if (!StartGuarded(d, left, top, width, &firstColumn)) session.Fail();
  Picture picture(width, height);
  const int skip = left - firstColumn;
  std::vector<unsigned char> scratch;
  if (skip != 0 || static_cast<int>(d.codec.output_width) != width) {
    scratch.resize(static_cast<std::size_t>(d.codec.output_width) * 4);
  }
  if (!ReadRowsGuarded(d, picture, skip, scratch.empty() ? nullptr : scratch.data())) session.Fail();
  return picture;
}

JpegGeometry ReadJpegGeometry(const std::string& path) {
  DecodeSession session(path);
  session.ReadHeader();
  const jpeg_decompress_struct& c = session.decoder().codec;
  JpegGeometry g;
  g.width = static_cast<int>(c.image_width);
  g.height = static_cast<int>(c.image_height);
  int h = 1, v = 1;
  for (int i = 0; i < c.num_components; ++i) {
    h = std::max(h, c.comp_info[i].h_samp_factor);
    v = std::max(v, c.comp_info[i].v_samp_factor);
  }
  // A single-component picture is coded in 8 x 8 blocks whatever its factors say.
  if (c.num_components == 1) h = v = 1;
  g.blockWidth = 8 * h;
  g.blockHeight = 8 * v;
  return g;
}

}  // namespace trimora
