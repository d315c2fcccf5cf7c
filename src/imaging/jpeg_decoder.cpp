#include "imaging/jpeg_decoder.h"

#include <cstdio>
#include <memory>
#include <new>

#ifdef _WIN32
#include <filesystem>
#endif

#include "imaging/jpeg_error.h"
#include "imaging/picture_memory.h"
#include "platform/error.h"

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

// Gives `picture` a buffer of width x height pixels; null when memory is short. Kept apart
// from the session so that no exception leaves a libjpeg session undestroyed.
std::uint8_t* AllocatePicture(Picture* picture, int width, int height) noexcept {
  try {
    *picture = Picture(width, height);
    AdviseLargePages(picture->data(), picture->byteCount());
    return picture->data();
  } catch (const std::bad_alloc&) {
    return nullptr;
  }
}

void AttachSource(jpeg_decompress_struct* cinfo, const JpegSource& source) {
  if (source.file != nullptr)
    jpeg_stdio_src(cinfo, source.file);
  else
    jpeg_mem_src(cinfo, source.data, source.size);
}

// What the headers read so far say about size and block grid.
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
    SetJpegFailure(*errors, "Nicht genug Speicher für das Bild");
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

std::string ReadFailure(const std::string& name) {
  return "Die Datei \"" + name + "\" konnte nicht gelesen werden";
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

// Paths are UTF-8; Windows needs them as wide text.
FileHandle OpenForReading(const std::string& path) {
#ifdef _WIN32
  const std::filesystem::path native(std::u8string(path.begin(), path.end()));
  FileHandle file(_wfopen(native.c_str(), L"rb"));
#else
  FileHandle file(std::fopen(path.c_str(), "rb"));
#endif
  if (!file) throw Error("Datei " + path + " kann nicht geöffnet werden");
  return file;
}

Picture Decode(const JpegSource& source, const std::string& name, JpegScale scale) {
  Picture picture;
  JpegLayout layout;
  DecodeResult result;
  JpegErrorManager errors;
  if (!Session(source, scale, &layout, &picture, &result, &errors))
    throw Error(JpegErrorText(ReadFailure(name), errors));
  if (result.cmyk) ConvertCmyk(picture, result.invertedCmyk);
  return picture;
}

JpegLayout Layout(const JpegSource& source, const std::string& name) {
  JpegLayout layout;
  DecodeResult unused;
  JpegErrorManager errors;
  if (!Session(source, JpegScale::Full, &layout, nullptr, &unused, &errors))
    throw Error(JpegErrorText(ReadFailure(name), errors));
  return layout;
}

JpegSource MemorySource(const std::uint8_t* data, std::size_t size, const std::string& name) {
  JpegSource source;
  source.data = data;
  source.size = static_cast<unsigned long>(size);
  if (source.size != size) throw Error(ReadFailure(name) + ": Die Datei ist zu groß.");
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

}  // namespace trimora
