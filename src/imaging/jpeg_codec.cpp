#include "imaging/jpeg_codec.h"

#include <jerror.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <new>

#ifdef _WIN32
#endif

#include "imaging/jpeg_error.h"
#include "imaging/picture_memory.h"
#include "platform/error.h"
#include "platform/files.h"

namespace trimora {

namespace {

// Where a session reads from: an open file or a block of memory.
struct JpegSource {
  std::FILE* file = nullptr;
  const unsigned char* data = nullptr;
  unsigned long size = 0;
};

// What a decoding session leaves besides the pixels.
struct DecodeResult {
  bool cmyk = false;          // the pixels are C, M, Y, K bytes and still need converting
  bool invertedCmyk = false;  // Adobe's inverted CMYK (255 = no ink)
};

void AttachSource(jpeg_decompress_struct* cinfo, const JpegSource& source) {
  if (source.file != nullptr)
    jpeg_stdio_src(cinfo, source.file);
  else
    jpeg_mem_src(cinfo, source.data, source.size);
}

// What the headers read so far say about size and block grid.
// The quantisation tables of the JPEG standard (Annex K) in natural order, which quality 50
// gives unscaled.
constexpr unsigned kStandardLuma[DCTSIZE2] = {
    16, 11, 10, 16, 24,  40,  51,  61,  12, 12, 14, 19, 26,  58,  60,  55,
    14, 13, 16, 24, 40,  57,  69,  56,  14, 17, 22, 29, 51,  87,  80,  62,
    18, 22, 37, 56, 68,  109, 103, 77,  24, 35, 55, 64, 81,  104, 113, 92,
    49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99};
constexpr unsigned kStandardChroma[DCTSIZE2] = {
    17, 18, 24, 47, 99, 99, 99, 99, 18, 21, 26, 66, 99, 99, 99, 99, 24, 26, 56, 99, 99, 99,
    99, 99, 47, 66, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99,
    99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99, 99};

// The distance of a file's table from the standard one scaled to `quality`, as
// jpeg_set_quality scales it for baseline files.
long TableDistance(const JQUANT_TBL* table, const unsigned* standard, int quality) {
  if (table == nullptr) return 0;
  const long scale = quality < 50 ? 5000 / quality : 200 - 2 * quality;
  long distance = 0;
  for (int i = 0; i < DCTSIZE2; ++i) {
    long value = (static_cast<long>(standard[i]) * scale + 50) / 100;
    value = std::clamp(value, 1L, 255L);
    distance += std::labs(value - static_cast<long>(table->quantval[i]));
  }
  return distance;
}

int EstimateQuality(const jpeg_decompress_struct& cinfo) {
  const JQUANT_TBL* luma = cinfo.quant_tbl_ptrs[0];
  if (luma == nullptr) return 0;
  const JQUANT_TBL* chroma = cinfo.num_components > 1 ? cinfo.quant_tbl_ptrs[1] : nullptr;
  int best = 0;
  long bestDistance = 0;
  for (int q = 1; q <= 100; ++q) {
    const long d =
        TableDistance(luma, kStandardLuma, q) + TableDistance(chroma, kStandardChroma, q);
    if (best == 0 || d < bestDistance) {
      best = q;
      bestDistance = d;
    }
  }
  return best;
}

JpegLayout LayoutOf(const jpeg_decompress_struct& cinfo) {
  JpegLayout layout;
  layout.width = static_cast<int>(cinfo.image_width);
  layout.height = static_cast<int>(cinfo.image_height);
  layout.components = cinfo.num_components;
  // jpegtran's grid: a single component is cut on its 8 x 8 blocks whatever its factors.
  int h = 1;
  int v = 1;
  if (cinfo.num_components > 1) {
    for (int c = 0; c < cinfo.num_components; ++c) {
      if (cinfo.comp_info[c].h_samp_factor > h) h = cinfo.comp_info[c].h_samp_factor;
      if (cinfo.comp_info[c].v_samp_factor > v) v = cinfo.comp_info[c].v_samp_factor;
    }
  }
  layout.blockWidth = h * DCTSIZE;
  layout.blockHeight = v * DCTSIZE;
  if (cinfo.num_components > 0) {
    layout.lumaH = cinfo.comp_info[0].h_samp_factor;
    layout.lumaV = cinfo.comp_info[0].v_samp_factor;
  }
  layout.quality = EstimateQuality(cinfo);
  return layout;
}

// Sets colour space and scaling of the output.
void ChooseOutput(jpeg_decompress_struct* cinfo, JpegScale scale, DecodeResult* result) {
  if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK) {
    // libjpeg converts CMYK to nothing else; its four bytes fit the buffer as they are.
    cinfo->out_color_space = JCS_CMYK;
    result->cmyk = true;
    result->invertedCmyk = cinfo->saw_Adobe_marker;
  } else {
    // The layout of JCS_EXT_BGRX with the fourth byte guaranteed to be FF.
    cinfo->out_color_space = JCS_EXT_BGRA;
  }
  if (scale == JpegScale::Eighth) {
    cinfo->scale_num = 1;
    cinfo->scale_denom = 8;
    cinfo->dct_method = JDCT_IFAST;
    cinfo->do_fancy_upsampling = FALSE;
    cinfo->do_block_smoothing = FALSE;
    cinfo->two_pass_quantize = FALSE;
    cinfo->dither_mode = JDITHER_NONE;
  }
}

// One libjpeg session: reads the headers into `layout` and, unless `picture` is null, decodes
// the picture into it. Only plain data lives here, so the error manager's longjmp back to the
// setjmp point crosses no destructor.
bool Session(const JpegSource& source, JpegScale scale, JpegLayout* layout, Picture* picture,
             DecodeResult* result, JpegErrorManager* errors) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = InitJpegErrorManager(*errors);
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  AttachSource(&cinfo, source);
  jpeg_read_header(&cinfo, TRUE);
  *layout = LayoutOf(cinfo);
  if (picture == nullptr) {
    jpeg_destroy_decompress(&cinfo);
    return true;
  }

  ChooseOutput(&cinfo, scale, result);
  jpeg_calc_output_dimensions(&cinfo);
  if (AllocatePicture(picture, static_cast<int>(cinfo.output_width),
                      static_cast<int>(cinfo.output_height)) == nullptr) {
    errors->outOfMemory = true;
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_start_decompress(&cinfo);

  constexpr int kBatch = 16;
  JSAMPROW rows[kBatch];
  while (cinfo.output_scanline < cinfo.output_height) {
    int first = static_cast<int>(cinfo.output_scanline);
    int count = static_cast<int>(cinfo.output_height) - first;
    if (count > kBatch) count = kBatch;
    for (int i = 0; i < count; ++i) rows[i] = picture->row(first + i);
    jpeg_read_scanlines(&cinfo, rows, static_cast<JDIMENSION>(count));
  }
  // A picture of several scans (progressive) that ends early lacks whole scans without any
  // missing-data warning; a single scan that ends early has raised one already.
  if (errors->endOfData && jpeg_has_multiple_scans(&cinfo)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  // jpeg_finish_decompress is left out on purpose: it would only read on to the end marker,
  // and a file whose pixels are all there but whose end marker is missing is still good.
  jpeg_destroy_decompress(&cinfo);
  return true;
}

// Turns CMYK bytes into blue, green, red and FF in place.
void ConvertCmyk(Picture& picture, bool inverted) {
  std::uint8_t* p = picture.data();
  std::uint8_t* end = p + picture.byteCount();
  for (; p != end; p += 4) {
    unsigned c = p[0], m = p[1], y = p[2], k = p[3];
    if (!inverted) {
      c = 255 - c;
      m = 255 - m;
      y = 255 - y;
      k = 255 - k;
    }
    // Now 255 means no ink: each channel is the product of its share and the black share.
    p[0] = static_cast<std::uint8_t>((y * k + 127) / 255);
    p[1] = static_cast<std::uint8_t>((m * k + 127) / 255);
    p[2] = static_cast<std::uint8_t>((c * k + 127) / 255);
    p[3] = 0xFF;
  }
}

// ---- encoding: one libjpeg session holding only plain data (see imaging/jpeg_error.h) ----

constexpr int kBatch = 16;  // rows handed to libjpeg at a time

// A memory destination whose buffer the caller owns and frees in every case (libjpeg's own
// memory destination loses track of its buffer when an error interrupts it).
struct GrowingDestination {
  jpeg_destination_mgr pub;
  unsigned char* data;
  std::size_t capacity;
};

void Grow(j_compress_ptr cinfo, std::size_t capacity) {
  auto* d = reinterpret_cast<GrowingDestination*>(cinfo->dest);
  auto* grown = static_cast<unsigned char*>(std::realloc(d->data, capacity));
  if (grown == nullptr) {
    cinfo->err->msg_code = JERR_OUT_OF_MEMORY;
    (*cinfo->err->error_exit)(reinterpret_cast<j_common_ptr>(cinfo));
  }
  const std::size_t used = d->capacity - d->pub.free_in_buffer;
  d->data = grown;
  d->capacity = capacity;
  d->pub.next_output_byte = grown + used;
  d->pub.free_in_buffer = capacity - used;
}

void InitDestination(j_compress_ptr cinfo) {
  // About two bits per pixel, as quality 90 gives for photographs; grown when needed.
  Grow(cinfo, static_cast<std::size_t>(cinfo->image_width) * cinfo->image_height / 4 + 65536);
}

boolean EmptyDestination(j_compress_ptr cinfo) {
  auto* d = reinterpret_cast<GrowingDestination*>(cinfo->dest);
  d->pub.free_in_buffer = 0;  // libjpeg calls this with a full buffer
  Grow(cinfo, d->capacity * 2);
  return TRUE;
}

void TermDestination(j_compress_ptr) {}

// Baseline JPEG with `encoding` and libjpeg's other defaults, into `destination`; called
// inside a guarded session.
void StartEncoder(jpeg_compress_struct* cinfo, int width, int height,
                  GrowingDestination* destination, const JpegEncoding& encoding) {
  destination->pub.init_destination = InitDestination;
  destination->pub.empty_output_buffer = EmptyDestination;
  destination->pub.term_destination = TermDestination;
  cinfo->dest = &destination->pub;
  cinfo->image_width = static_cast<JDIMENSION>(width);
  cinfo->image_height = static_cast<JDIMENSION>(height);
  cinfo->input_components = 4;
  cinfo->in_color_space = JCS_EXT_BGRX;
  jpeg_set_defaults(cinfo);
  if (encoding.grey) {
    jpeg_set_colorspace(cinfo, JCS_GRAYSCALE);
  } else {
    cinfo->comp_info[0].h_samp_factor = std::clamp(encoding.lumaH, 1, 2);
    cinfo->comp_info[0].v_samp_factor = std::clamp(encoding.lumaV, 1, 2);
  }
  jpeg_set_quality(cinfo, std::clamp(encoding.quality, 1, 100), TRUE);
  jpeg_start_compress(cinfo, TRUE);
}

bool EncodeSession(const PixelRows& pixels, const JpegEncoding& encoding,
                   GrowingDestination* destination, JpegErrorManager* errors) {
  jpeg_compress_struct cinfo{};
  cinfo.err = InitJpegErrorManager(*errors);
  if (setjmp(errors->jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  StartEncoder(&cinfo, pixels.width, pixels.height, destination, encoding);
  // The rows are handed over by pointer, straight from the picture buffer.
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

// Reads the header and starts decoding only the rows of the rectangle and only the block
// columns it touches (jpeg_skip_scanlines, jpeg_crop_scanline); inside a guarded session. The
// decoded rows may start left of the cut, where the left edge was moved back onto the block
// grid: the cut begins `skipBytes` into each row.
RectOutcome StartRect(jpeg_decompress_struct* cinfo, std::FILE* file, Rect r,
                      std::size_t* skipBytes) {
  jpeg_stdio_src(cinfo, file);
  jpeg_read_header(cinfo, TRUE);
  if (cinfo->jpeg_color_space == JCS_CMYK || cinfo->jpeg_color_space == JCS_YCCK) {
    return RectOutcome::NeedsFullDecode;
  }
  const long long pictureWidth = cinfo->image_width;
  const long long pictureHeight = cinfo->image_height;
  if (r.left < 0 || r.top < 0 || r.width <= 0 || r.height <= 0 ||
      r.left + static_cast<long long>(r.width) > pictureWidth ||
      r.top + static_cast<long long>(r.height) > pictureHeight) {
    return RectOutcome::OutsidePicture;
  }
  cinfo->out_color_space = JCS_EXT_BGRA;  // as JCS_EXT_BGRX, with the fourth byte FF
  jpeg_start_decompress(cinfo);
  // Smooth upsampling of the colour planes takes the ends of a cropped row for the picture's
  // edges: one block column more on each side gives the cut its real neighbours, so that its
  // pixels equal those of a whole decoding.
  const long long margin = static_cast<long long>(cinfo->max_h_samp_factor) * DCTSIZE;
  const long long first = std::max(0LL, r.left - margin);
  const long long end =
      std::min<long long>(cinfo->output_width, r.left + static_cast<long long>(r.width) + margin);
  JDIMENSION x = static_cast<JDIMENSION>(first);
  JDIMENSION w = static_cast<JDIMENSION>(end - first);
  if (x != 0 || w != cinfo->output_width) jpeg_crop_scanline(cinfo, &x, &w);
  *skipBytes = (static_cast<std::size_t>(r.left) - x) * 4;
  if (r.top > 0) jpeg_skip_scanlines(cinfo, static_cast<JDIMENSION>(r.top));
  return RectOutcome::Done;
}

// Reads `count` rows into `rows`; inside a guarded session.
void ReadRows(jpeg_decompress_struct* cinfo, JSAMPARRAY rows, int count) {
  for (int got = 0; got < count;) {
    got += static_cast<int>(
        jpeg_read_scanlines(cinfo, rows + got, static_cast<JDIMENSION>(count - got)));
  }
}

// One session that decodes the rectangle into a picture of exactly its size. Rows wider than
// the cut go through a scratch row, and only the cut part is copied.
RectOutcome RectSession(std::FILE* file, Rect r, Picture* picture, JpegErrorManager* errors) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = InitJpegErrorManager(*errors);
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return RectOutcome::Failed;
  }
  jpeg_create_decompress(&cinfo);
  std::size_t skipBytes = 0;
  const RectOutcome started = StartRect(&cinfo, file, r, &skipBytes);
  if (started != RectOutcome::Done) {
    jpeg_destroy_decompress(&cinfo);
    return started;
  }
  if (AllocatePicture(picture, r.width, r.height) == nullptr) {
    errors->outOfMemory = true;
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
    ReadRows(&cinfo, &target, 1);
    if (scratch != nullptr) std::memcpy(picture->row(y), scratch[0] + skipBytes, cutBytes);
  }
  // The rows below the rectangle are never decoded; the session ends here.
  jpeg_destroy_decompress(&cinfo);
  return RectOutcome::Done;
}

// A decoding and an encoding session side by side: each batch of decoded rows goes straight
// into the encoder by row pointers into the decoder's own row buffer, so the cut never exists
// as a whole picture.
RectOutcome RecodeSession(std::FILE* file, Rect r, GrowingDestination* destination,
                          JpegErrorManager* errors) {
  jpeg_decompress_struct in{};
  jpeg_compress_struct out{};
  in.err = InitJpegErrorManager(*errors);
  out.err = in.err;
  if (setjmp(errors->jump)) {
    jpeg_destroy_compress(&out);
    jpeg_destroy_decompress(&in);
    return RectOutcome::Failed;
  }
  jpeg_create_decompress(&in);
  jpeg_create_compress(&out);
  std::size_t skipBytes = 0;
  const RectOutcome started = StartRect(&in, file, r, &skipBytes);
  if (started != RectOutcome::Done) {
    jpeg_destroy_compress(&out);
    jpeg_destroy_decompress(&in);
    return started;
  }
  StartEncoder(&out, r.width, r.height, destination, JpegEncoding{});
  JSAMPARRAY decoded = (*in.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&in), JPOOL_IMAGE,
                                               in.output_width * 4, kBatch);
  JSAMPROW cut[kBatch];
  while (out.next_scanline < out.image_height) {
    const int count = static_cast<int>(out.image_height - out.next_scanline) < kBatch
                          ? static_cast<int>(out.image_height - out.next_scanline)
                          : kBatch;
    ReadRows(&in, decoded, count);
    for (int i = 0; i < count; ++i) cut[i] = decoded[i] + skipBytes;
    jpeg_write_scanlines(&out, cut, static_cast<JDIMENSION>(count));
  }
  jpeg_finish_compress(&out);
  jpeg_destroy_compress(&out);
  jpeg_destroy_decompress(&in);
  return RectOutcome::Done;
}

// One session that hands the rectangle's rows to `take` batch by batch, straight out of a
// buffer of the session's own: the cut never exists as a whole picture. What `take` throws
// ends the session and is kept in `thrown`.
RectOutcome RowsSession(std::FILE* file, Rect r, const JpegRowSink& take, JpegErrorManager* errors,
                        std::exception_ptr* thrown) {
  jpeg_decompress_struct cinfo{};
  cinfo.err = InitJpegErrorManager(*errors);
  if (setjmp(errors->jump)) {
    jpeg_destroy_decompress(&cinfo);
    return RectOutcome::Failed;
  }
  jpeg_create_decompress(&cinfo);
  std::size_t skipBytes = 0;
  const RectOutcome started = StartRect(&cinfo, file, r, &skipBytes);
  if (started != RectOutcome::Done) {
    jpeg_destroy_decompress(&cinfo);
    return started;
  }
  const std::size_t stride = static_cast<std::size_t>(cinfo.output_width) * 4;
  auto* buffer = static_cast<JSAMPLE*>((*cinfo.mem->alloc_large)(
      reinterpret_cast<j_common_ptr>(&cinfo), JPOOL_IMAGE, stride * kBatch));
  JSAMPROW rows[kBatch];
  for (int i = 0; i < kBatch; ++i) rows[i] = buffer + stride * static_cast<std::size_t>(i);
  for (int y = 0; y < r.height;) {
    const int count = std::min(kBatch, r.height - y);
    ReadRows(&cinfo, rows, count);
    try {
      take(PixelRows{buffer + skipBytes, r.width, count, stride});
    } catch (...) {
      *thrown = std::current_exception();
      jpeg_destroy_decompress(&cinfo);
      return RectOutcome::Failed;
    }
    y += count;
  }
  // The rows below the rectangle are never decoded; the session ends here.
  jpeg_destroy_decompress(&cinfo);
  return RectOutcome::Done;
}

// The encoded bytes when the session succeeded; the buffer is freed in every case.
std::vector<std::uint8_t> TakeBytes(GrowingDestination& destination, bool done) {
  std::vector<std::uint8_t> bytes;
  if (done)
    bytes.assign(destination.data,
                 destination.data + (destination.capacity - destination.pub.free_in_buffer));
  std::free(destination.data);
  return bytes;
}

// The error of a session that could not read `name`.
Error ReadFailure(const std::string& name, const JpegErrorManager& errors) {
  if (errors.outOfMemory) return Error(ErrorCode::kPictureNoMemory);
  return Error(ErrorCode::kPictureUnreadable, {name, errors.message});
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

FileHandle OpenForReading(const std::string& path) {
  FileHandle file(OpenStream(path));
  if (!file) throw Error(ErrorCode::kFileCannotOpen, {path});
  return file;
}

Picture Decode(const JpegSource& source, const std::string& name, JpegScale scale) {
  Picture picture;
  JpegLayout layout;
  DecodeResult result;
  JpegErrorManager errors;
  if (!Session(source, scale, &layout, &picture, &result, &errors)) throw ReadFailure(name, errors);
  if (result.cmyk) ConvertCmyk(picture, result.invertedCmyk);
  return picture;
}

JpegLayout Layout(const JpegSource& source, const std::string& name) {
  JpegLayout layout;
  DecodeResult unused;
  JpegErrorManager errors;
  if (!Session(source, JpegScale::Full, &layout, nullptr, &unused, &errors))
    throw ReadFailure(name, errors);
  return layout;
}

JpegSource MemorySource(const std::uint8_t* data, std::size_t size, const std::string& name) {
  JpegSource source;
  source.data = data;
  source.size = static_cast<unsigned long>(size);
  if (source.size != size) throw Error(ErrorCode::kPictureTooLarge, {name});
  return source;
}

}  // namespace

Picture DecodeJpegFile(const std::string& path, JpegScale scale) {
  FileHandle file = OpenForReading(path);
  JpegSource source;
  source.file = file.get();
  return Decode(source, path, scale);
}

Picture DecodeJpegMemory(const std::uint8_t* data, std::size_t size, const std::string& name,
                         JpegScale scale) {
  return Decode(MemorySource(data, size, name), name, scale);
}

JpegLayout ReadJpegLayout(const std::string& path) {
  FileHandle file = OpenForReading(path);
  JpegSource source;
  source.file = file.get();
  return Layout(source, path);
}

JpegLayout ReadJpegLayoutMemory(const std::uint8_t* data, std::size_t size,
                                const std::string& name) {
  return Layout(MemorySource(data, size, name), name);
}

std::vector<std::uint8_t> EncodeJpeg(const PixelRows& pixels) {
  return EncodeJpeg(pixels, JpegEncoding{});
}

std::vector<std::uint8_t> EncodeJpeg(const PixelRows& pixels, const JpegEncoding& encoding) {
  if (pixels.width <= 0 || pixels.height <= 0 || pixels.width > JPEG_MAX_DIMENSION ||
      pixels.height > JPEG_MAX_DIMENSION) {
    throw Error(ErrorCode::kPictureSizeNotEncodable);
  }
  GrowingDestination destination{};
  JpegErrorManager errors;
  const bool done = EncodeSession(pixels, encoding, &destination, &errors);
  std::vector<std::uint8_t> bytes = TakeBytes(destination, done);
  if (!done) {
    if (errors.outOfMemory) throw Error(ErrorCode::kPictureNoMemory);
    throw Error(ErrorCode::kPictureCannotEncode, {errors.message});
  }
  return bytes;
}

namespace {

// Throws for a session that failed or found the rectangle outside the picture.
void CheckOutcome(RectOutcome outcome, const std::string& path, Rect r,
                  const JpegErrorManager& errors) {
  if (outcome == RectOutcome::Failed) throw ReadFailure(path, errors);
  if (outcome == RectOutcome::OutsidePicture) {
    throw Error(ErrorCode::kCutOutsidePicture, {path, std::to_string(r.left), std::to_string(r.top),
                                                std::to_string(r.width), std::to_string(r.height)});
  }
}

}  // namespace

std::vector<std::uint8_t> RecodeJpegRect(const std::string& path, int left, int top, int width,
                                         int height) {
  const Rect r{left, top, width, height};
  FileHandle file = OpenForReading(path);
  GrowingDestination destination{};
  JpegErrorManager errors;
  const RectOutcome outcome = RecodeSession(file.get(), r, &destination, &errors);
  file.reset();
  std::vector<std::uint8_t> bytes = TakeBytes(destination, outcome == RectOutcome::Done);
  if (outcome == RectOutcome::NeedsFullDecode) {
    const Picture cut = DecodeJpegRect(path, left, top, width, height);
    return EncodeJpeg(PixelRows::Of(cut));
  }
  CheckOutcome(outcome, path, r, errors);
  return bytes;
}

void DecodeJpegRectRows(const std::string& path, int left, int top, int width, int height,
                        const JpegRowSink& take) {
  const Rect r{left, top, width, height};
  FileHandle file = OpenForReading(path);
  JpegErrorManager errors;
  std::exception_ptr thrown;
  const RectOutcome outcome = RowsSession(file.get(), r, take, &errors, &thrown);
  file.reset();
  if (thrown) std::rethrow_exception(thrown);
  if (outcome == RectOutcome::NeedsFullDecode) {
    const Picture cut = DecodeJpegRect(path, left, top, width, height);
    take(PixelRows::Of(cut));
    return;
  }
  CheckOutcome(outcome, path, r, errors);
}

Picture DecodeJpegRect(const std::string& path, int left, int top, int width, int height) {
  const Rect r{left, top, width, height};
  FileHandle file = OpenForReading(path);
  Picture picture;
  JpegErrorManager errors;
  const RectOutcome outcome = RectSession(file.get(), r, &picture, &errors);
  file.reset();
  if (outcome == RectOutcome::Done) return picture;
  CheckOutcome(outcome, path, r, errors);
  // CMYK pictures: libjpeg gives no BGRX rows for them; decode whole, then cut.
  const Picture whole = DecodeJpegFile(path);
  if (left < 0 || top < 0 || width <= 0 || height <= 0 || left + width > whole.width() ||
      top + height > whole.height()) {
    throw Error(ErrorCode::kCutOutsidePicture, {path, std::to_string(left), std::to_string(top),
                                                std::to_string(width), std::to_string(height)});
  }
  picture = Picture(width, height);
  for (int y = 0; y < height; ++y) {
    std::memcpy(picture.row(y), whole.row(top + y) + static_cast<std::size_t>(left) * 4,
                picture.stride());
  }
  return picture;
}

}  // namespace trimora
