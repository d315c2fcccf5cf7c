#include "output/file_writers.h"

#include <zlib.h>

#include <array>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/error.h"
#include "platform/files.h"

namespace trimora {

namespace {

// Little-endian and big-endian number writers into a byte list.
void Le16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}
void Le32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  Le16(out, v & 0xFFFF);
  Le16(out, v >> 16);
}
void Be32(std::uint8_t* at, std::uint32_t v) {
  at[0] = static_cast<std::uint8_t>(v >> 24);
  at[1] = static_cast<std::uint8_t>(v >> 16);
  at[2] = static_cast<std::uint8_t>(v >> 8);
  at[3] = static_cast<std::uint8_t>(v);
}

// One row of blue, green, red (fourth byte dropped) turned into red, green, blue.
void RowToRgb(const std::uint8_t* bgrx, int width, std::uint8_t* rgb) {
  for (int x = 0; x < width; ++x, bgrx += 4, rgb += 3) {
    rgb[0] = bgrx[2];
    rgb[1] = bgrx[1];
    rgb[2] = bgrx[0];
  }
}

// Rows handed to a writer: as wide as its picture and not past its last row.
void CheckRows(const PixelRows& rows, int width, int height, int done) {
  if (rows.width != width || rows.height < 0 || rows.height > height - done)
    throw Error(ErrorCode::kPictureEmpty);
}

// All rows have come.
void CheckComplete(int done, int height) {
  if (done != height) throw Error(ErrorCode::kPictureEmpty);
}

void WriteWhole(std::unique_ptr<RowWriter> writer, const PixelRows& pixels) {
  writer->AddRows(pixels);
  writer->Finish();
}

}  // namespace

namespace {

class TiffWriter : public RowWriter {
 public:
  TiffWriter(const std::string& path, int width, int height) {
    if (width <= 0 || height <= 0) throw Error(ErrorCode::kPictureEmpty);
    if (width > 0xFFFF || height > 0xFFFF) throw Error(ErrorCode::kTiffTooLarge);
    w_ = static_cast<std::uint32_t>(width);
    h_ = static_cast<std::uint32_t>(height);
    file_ = std::make_unique<ReplacingFile>(path);
    const std::uint32_t stripBytes = w_ * h_ * 3;
    const std::uint32_t ifdOffset = 40 + stripBytes;  // no padding, also when it is odd
    std::vector<std::uint8_t> header;
    header.reserve(40);
    header.push_back('I');
    header.push_back('I');
    Le16(header, 42);
    Le32(header, ifdOffset);
    Le32(header, 877);  // X resolution 87.7
    Le32(header, 10);
    Le32(header, 877);  // Y resolution 87.7
    Le32(header, 10);
    Le16(header, 8);  // bits per sample
    Le16(header, 8);
    Le16(header, 8);
    for (char c : std::string_view("Dorvanelli")) header.push_back(static_cast<std::uint8_t>(c));
    file_->Write(header.data(), header.size());
    row_.resize(static_cast<std::size_t>(w_) * 3);
  }

  void AddRows(const PixelRows& rows) override {
    CheckRows(rows, static_cast<int>(w_), static_cast<int>(h_), done_);
    for (int y = 0; y < rows.height; ++y) {
      RowToRgb(rows.row(y), rows.width, row_.data());
      file_->Write(row_.data(), row_.size());
    }
    done_ += rows.height;
  }

  void Finish() override {
    CheckComplete(done_, static_cast<int>(h_));
    const std::uint32_t stripBytes = w_ * h_ * 3;
    struct Entry {
      std::uint16_t tag, type;
      std::uint32_t count, value;
    };
    const std::array<Entry, 15> entries{{
        {254, 4, 1, 0},           // NewSubfileType
        {256, 3, 1, w_},          // ImageWidth
        {257, 3, 1, h_},          // ImageLength
        {258, 3, 3, 24},          // BitsPerSample
        {259, 3, 1, 1},           // Compression: none
        {262, 3, 1, 2},           // PhotometricInterpretation: RGB
        {273, 4, 1, 40},          // StripOffsets
        {277, 3, 1, 3},           // SamplesPerPixel
        {278, 4, 1, h_},          // RowsPerStrip
        {279, 4, 1, stripBytes},  // StripByteCounts
        {282, 5, 1, 8},           // XResolution
        {283, 5, 1, 16},          // YResolution
        {284, 3, 1, 1},           // PlanarConfiguration: chunky
        {296, 3, 1, 2},           // ResolutionUnit: inch
        {305, 2, 10, 30},         // Software
    }};
    std::vector<std::uint8_t> ifd;
    ifd.reserve(2 + 15 * 12 + 4);
    Le16(ifd, entries.size());
    for (const Entry& e : entries) {
      Le16(ifd, e.tag);
      Le16(ifd, e.type);
      Le32(ifd, e.count);
      Le32(ifd, e.value);
    }
    Le32(ifd, 0);  // no next directory
    file_->Write(ifd.data(), ifd.size());
    file_->Commit();
  }

 private:
  std::uint32_t w_ = 0, h_ = 0;
  int done_ = 0;
  std::unique_ptr<ReplacingFile> file_;
  std::vector<std::uint8_t> row_;
};

class BmpWriter : public RowWriter {
 public:
  BmpWriter(const std::string& path, int width, int height, int bitsPerPixel)
      : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw Error(ErrorCode::kPictureEmpty);
    if (bitsPerPixel != 24 && bitsPerPixel != 32)
      throw Error(ErrorCode::kBmpDepthUnsupported, {std::to_string(bitsPerPixel)});
    bytesPerPixel_ = static_cast<std::size_t>(bitsPerPixel) / 8;
    rowBytes_ = (static_cast<std::size_t>(width) * bytesPerPixel_ + 3) / 4 * 4;
    const std::size_t imageBytes = rowBytes_ * static_cast<std::size_t>(height);
    if (imageBytes + 54 > 0xFFFFFFFFu) throw Error(ErrorCode::kBmpTooLarge);
    file_ = std::make_unique<ReplacingFile>(path);

    std::vector<std::uint8_t> header;
    header.reserve(54);
    header.push_back('B');
    header.push_back('M');
    Le32(header, static_cast<std::uint32_t>(54 + imageBytes));  // file size
    Le32(header, 0);                                            // reserved
    Le32(header, 54);                                           // offset of the pixels
    Le32(header, 40);                                           // information header size
    Le32(header, static_cast<std::uint32_t>(width));
    Le32(header, static_cast<std::uint32_t>(height));  // positive: bottom-up
    Le16(header, 1);                                   // planes
    Le16(header, static_cast<std::uint32_t>(bitsPerPixel));
    Le32(header, 0);  // BI_RGB
    Le32(header, static_cast<std::uint32_t>(imageBytes));
    Le32(header, 0);  // pixels per metre, x
    Le32(header, 0);  // pixels per metre, y
    Le32(header, 0);  // colours used
    Le32(header, 0);  // important colours
    file_->Write(header.data(), header.size());
  }

  // The rows of a batch lie bottom-up one after the other in the file: the batch is turned
  // over in a buffer and written at its place in one go.
  void AddRows(const PixelRows& rows) override {
    CheckRows(rows, width_, height_, done_);
    batch_.assign(rowBytes_ * static_cast<std::size_t>(rows.height), 0);
    for (int y = 0; y < rows.height; ++y) {
      const std::uint8_t* in = rows.row(y);
      std::uint8_t* out = batch_.data() + rowBytes_ * static_cast<std::size_t>(rows.height - 1 - y);
      for (int x = 0; x < rows.width; ++x, in += 4, out += bytesPerPixel_) {
        out[0] = in[0];
        out[1] = in[1];
        out[2] = in[2];
        if (bytesPerPixel_ == 4) out[3] = 0;  // carries no colour
      }
    }
    done_ += rows.height;
    const std::uint64_t at =
        54 + rowBytes_ * static_cast<std::uint64_t>(height_ - done_);  // the batch's last row
    file_->WriteAt(at, batch_.data(), batch_.size());
  }

  void Finish() override {
    CheckComplete(done_, height_);
    file_->Commit();
  }

 private:
  int width_, height_;
  int done_ = 0;
  std::size_t bytesPerPixel_ = 4;
  std::size_t rowBytes_ = 0;
  std::unique_ptr<ReplacingFile> file_;
  std::vector<std::uint8_t> batch_;
};

}  // namespace

std::unique_ptr<RowWriter> StartTiff(const std::string& path, int width, int height) {
  return std::make_unique<TiffWriter>(path, width, height);
}

std::unique_ptr<RowWriter> StartBmp(const std::string& path, int width, int height,
                                    int bitsPerPixel) {
  return std::make_unique<BmpWriter>(path, width, height, bitsPerPixel);
}

void WriteTiff(const std::string& path, const PixelRows& pixels) {
  WriteWhole(StartTiff(path, pixels.width, pixels.height), pixels);
}

void WriteBmp(const std::string& path, const PixelRows& pixels, int bitsPerPixel) {
  WriteWhole(StartBmp(path, pixels.width, pixels.height, bitsPerPixel), pixels);
}

namespace {

// Writes one PNG chunk: length, type, data, CRC over type and data.
void WriteChunk(ReplacingFile& file, const char type[4], const std::uint8_t* data,
                std::uint32_t size) {
  std::uint8_t head[8];
  Be32(head, size);
  for (int i = 0; i < 4; ++i) head[4 + i] = static_cast<std::uint8_t>(type[i]);
  uLong crc = crc32(0L, head + 4, 4);
  if (size != 0) crc = crc32(crc, data, size);
  std::uint8_t tail[4];
  Be32(tail, static_cast<std::uint32_t>(crc));
  file.Write(head, 8);
  file.Write(data, size);
  file.Write(tail, 4);
}

// The deflate stream of the IDAT chunks; ends the stream in every case.
class Deflater {
 public:
  Deflater() {
    // Photographs leave few long matches after the row filter: run-length matching at the
    // fastest level compresses them as well as the default level in a quarter of the time.
    if (deflateInit2(&stream_, 1, Z_DEFLATED, 15, 8, Z_RLE) != Z_OK)
      throw Error(ErrorCode::kZlibCannotStart);
  }
  ~Deflater() { deflateEnd(&stream_); }
  Deflater(const Deflater&) = delete;
  Deflater& operator=(const Deflater&) = delete;

  // Compresses `size` bytes (or finishes the stream) and writes each full output buffer as
  // an IDAT chunk.
  void Feed(ReplacingFile& file, const std::uint8_t* data, std::size_t size, bool finish) {
    stream_.next_in = const_cast<Bytef*>(data);
    stream_.avail_in = static_cast<uInt>(size);
    for (;;) {
      stream_.next_out = buffer_.data() + used_;
      stream_.avail_out = static_cast<uInt>(buffer_.size() - used_);
      const int result = deflate(&stream_, finish ? Z_FINISH : Z_NO_FLUSH);
      if (result == Z_STREAM_ERROR) throw Error(ErrorCode::kZlibFailed);
      used_ = buffer_.size() - stream_.avail_out;
      if (used_ == buffer_.size() || (finish && result == Z_STREAM_END && used_ != 0)) {
        WriteChunk(file, "IDAT", buffer_.data(), static_cast<std::uint32_t>(used_));
        used_ = 0;
      }
      if (finish ? result == Z_STREAM_END : stream_.avail_in == 0 && stream_.avail_out != 0) return;
    }
  }

 private:
  z_stream stream_{};
  std::vector<std::uint8_t> buffer_ = std::vector<std::uint8_t>(1 << 16);
  std::size_t used_ = 0;
};

// The PNG "Paeth" filter of a row of RGB bytes, `above` being the row before (zeros for the
// first row).
void PaethFilter(const std::uint8_t* row, const std::uint8_t* above, std::size_t size,
                 std::uint8_t* out) {
  for (std::size_t i = 0; i < size; ++i) {
    const int a = i >= 3 ? row[i - 3] : 0;
    const int b = above[i];
    const int c = i >= 3 ? above[i - 3] : 0;
    const int pa = std::abs(b - c);          // |p - a| with p = a + b - c
    const int pb = std::abs(a - c);          // |p - b|
    const int pc = std::abs(a + b - 2 * c);  // |p - c|
    const int predictor = pa <= pb && pa <= pc ? a : pb <= pc ? b : c;
    out[i] = static_cast<std::uint8_t>(row[i] - predictor);
  }
}

class PngWriter : public RowWriter {
 public:
  PngWriter(const std::string& path, int width, int height) : width_(width), height_(height) {
    if (width <= 0 || height <= 0) throw Error(ErrorCode::kPictureEmpty);
    file_ = std::make_unique<ReplacingFile>(path);
    static constexpr std::uint8_t kSignature[8] = {0x89, 'P', 'N', 'G', 0x0D, 0x0A, 0x1A, 0x0A};
    std::uint8_t ihdr[13];
    Be32(ihdr, static_cast<std::uint32_t>(width));
    Be32(ihdr + 4, static_cast<std::uint32_t>(height));
    ihdr[8] = 8;   // bit depth
    ihdr[9] = 2;   // colour type RGB
    ihdr[10] = 0;  // deflate
    ihdr[11] = 0;  // adaptive filtering
    ihdr[12] = 0;  // not interlaced
    file_->Write(kSignature, sizeof kSignature);
    WriteChunk(*file_, "IHDR", ihdr, sizeof ihdr);
    const std::size_t rgbBytes = static_cast<std::size_t>(width) * 3;
    rgb_.resize(rgbBytes);
    above_.assign(rgbBytes, 0);  // the row above the first: zeros
    filtered_.resize(1 + rgbBytes);
    filtered_[0] = 4;  // filter "Paeth": each byte minus the nearest of left, above, above-left
  }

  void AddRows(const PixelRows& rows) override {
    CheckRows(rows, width_, height_, done_);
    for (int y = 0; y < rows.height; ++y) {
      RowToRgb(rows.row(y), rows.width, rgb_.data());
      PaethFilter(rgb_.data(), above_.data(), rgb_.size(), filtered_.data() + 1);
      deflater_.Feed(*file_, filtered_.data(), filtered_.size(), false);
      rgb_.swap(above_);
    }
    done_ += rows.height;
  }

  void Finish() override {
    CheckComplete(done_, height_);
    deflater_.Feed(*file_, nullptr, 0, true);
    WriteChunk(*file_, "IEND", nullptr, 0);
    file_->Commit();
  }

 private:
  int width_, height_;
  int done_ = 0;
  std::unique_ptr<ReplacingFile> file_;
  Deflater deflater_;
  std::vector<std::uint8_t> rgb_, above_;  // this row and the one above, red, green, blue
  std::vector<std::uint8_t> filtered_;     // the filter byte and the filtered row
};

}  // namespace

std::unique_ptr<RowWriter> StartPng(const std::string& path, int width, int height) {
  return std::make_unique<PngWriter>(path, width, height);
}

void WritePng(const std::string& path, const PixelRows& pixels) {
  WriteWhole(StartPng(path, pixels.width, pixels.height), pixels);
}

}  // namespace trimora
