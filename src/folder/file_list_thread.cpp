#include "folder/file_list_thread.h"

#include <algorithm>
#include <future>
#include <tuple>

#include "folder/folder_listing.h"
#include "folder/hand_over.h"
#include "folder/thumbnails_ahead.h"
#include "imaging/jpeg_codec.h"
#include "imaging/thumbnail.h"
#include "platform/error.h"
#include "platform/paths.h"

namespace trimora {

TFileListThread::TFileListThread(std::vector<std::string> listing, bool thumbnailsOn, bool highDpi,
                                 HandOverQueue& queue, FileListSink& sink)
    : listing_(std::move(listing)),
      thumbnailsOn_(thumbnailsOn),
      highDpi_(highDpi),
      queue_(queue),
      sink_(sink) {}

TFileListThread::~TFileListThread() {
  if (thread_.joinable()) {
    stop_ = true;
    WaitUntilEnded();
  }
}

void TFileListThread::Start() {
  ended_ = false;
  thread_ = std::thread([this] {
    // The thread keeps the normal priority: a lowered one starves the strip on a busy
    // machine, and the window stays responsive because every hand-over is short.
    try {
      Run();
    } catch (...) {
      // A hand-over that failed ends the thread; the strip keeps what it has.
    }
    ended_ = true;
    queue_.NotifyChanged();
  });
}

void TFileListThread::WaitUntilEnded() {
  if (thread_.joinable()) {
    queue_.RunUntil([this] { return ended_.load(); });
    thread_.join();
  }
}

void TFileListThread::Run() {
  const int listingSize = static_cast<int>(listing_.size());
  int skipped = 0;
  int runningTop = 0;
  int built = 0;
  // Each hand-over after a file also prepares the next one, so that the thread waits for the
  // main thread once per file.
  EntryRecordData data;
  // The first picture is shown at once: its full decode runs beside the first thumbnail.
  using Decoded = std::pair<std::optional<Picture>, Picture>;
  auto decodeFirst = [w = hintWidth_, h = hintHeight_](const std::string& path) -> Decoded {
    try {
      Picture full = DecodeJpegFile(path);
      Picture preview = w > 0 && h > 0 ? ReduceForDisplay(full, w, h) : Picture();
      return {std::move(full), std::move(preview)};
    } catch (const Error&) {
      return {std::nullopt, Picture()};  // ShowPicture decodes again and reports the failure.
    }
  };
  std::future<Decoded> firstDecode;
  if (listingSize > 0 && !stop_) {
    firstDecode = std::async(std::launch::async, decodeFirst, listing_.front());
    queue_.Run([&] { data = sink_.PrepareEntry(0, 0, listingSize); });
  }
  // The thumbnails after the first are made ahead on every core, once the first picture is
  // shown; this thread takes them in listing order.
  std::optional<ThumbnailsAhead> ahead;
  for (int i = 0; i < listingSize && !stop_; ++i) {
    const std::string& path = listing_[static_cast<std::size_t>(i)];
    if (i == 1 && thumbnailsOn_) {
      ahead.emplace(listing_, 1, ThumbnailsAhead::ThreadCount(), 4 * ThumbnailsAhead::ThreadCount(),
                    stop_);
    }
    auto prepareNext = [&](int nextSkipped) {
      if (i + 1 < listingSize && !stop_) data = sink_.PrepareEntry(i + 1, nextSkipped, listingSize);
    };
    Picture thumbnail;
    std::optional<Picture> firstPicture;
    Picture preview;
    if (thumbnailsOn_) {
      try {
        if (ahead) {
          std::optional<Picture> made = ahead->Take(i);
          if (!made) break;  // stopped
          thumbnail = std::move(*made);
        } else {
          thumbnail = MakeThumbnail(path);
        }
      } catch (const Error&) {
        if (i == 0 && firstDecode.valid()) firstDecode.get();
        const int position = i - skipped;
        queue_.Run([&] {
          sink_.DropFile(position);
          prepareNext(skipped + 1);
        });
        ++skipped;
        continue;
      }
    }
    const int position = i - skipped;
    if (i == 0 && firstDecode.valid()) {
      std::tie(firstPicture, preview) = firstDecode.get();
    } else if (position == 0) {
      std::tie(firstPicture, preview) = decodeFirst(path);
    }
    StripEntry entry;
    entry.position = position;
    entry.top = runningTop;
    entry.caption = FileNamePart(path);
    entry.saveIt = data.saveIt;
    entry.fileType = data.fileType;
    entry.lossyJpeg = data.lossyJpeg;
    entry.geometry = EntryGeometryFor(thumbnailsOn_, thumbnail.height(), highDpi_);
    entry.thumbnail = std::move(thumbnail);
    runningTop += entry.geometry.panelHeight;
    queue_.Run([&] {
      sink_.InsertEntry(std::move(entry), std::move(firstPicture), std::move(preview));
      prepareNext(skipped);
    });
    built = position + 1;
  }
  queue_.Run([&] { sink_.FinishStrip(built, skipped, listingSize); });
}

Picture ReduceForDisplay(const Picture& picture, int width, int height) {
  const int factor = std::max(1, std::min(picture.width() / std::max(1, 2 * width),
                                          picture.height() / std::max(1, 2 * height)));
  if (factor == 1) return picture.clone();
  const int w = picture.width() / factor;
  const int h = picture.height() / factor;
  Picture reduced(w, h);
  std::vector<std::uint32_t> sums(static_cast<std::size_t>(w) * 3);
  const std::uint32_t n = static_cast<std::uint32_t>(factor * factor);
  for (int y = 0; y < h; ++y) {
    std::fill(sums.begin(), sums.end(), 0u);
    for (int dy = 0; dy < factor; ++dy) {
      const std::uint8_t* row = picture.row(y * factor + dy);
      for (int x = 0; x < w; ++x) {
        std::uint32_t* sum = &sums[static_cast<std::size_t>(x) * 3];
        const std::uint8_t* p = row + static_cast<std::size_t>(x) * factor * 4;
        for (int dx = 0; dx < factor; ++dx, p += 4) {
          sum[0] += p[0];
          sum[1] += p[1];
          sum[2] += p[2];
        }
      }
    }
    std::uint8_t* out = reduced.row(y);
    for (int x = 0; x < w; ++x) {
      const std::uint32_t* sum = &sums[static_cast<std::size_t>(x) * 3];
      out[x * 4] = static_cast<std::uint8_t>(sum[0] / n);
      out[x * 4 + 1] = static_cast<std::uint8_t>(sum[1] / n);
      out[x * 4 + 2] = static_cast<std::uint8_t>(sum[2] / n);
      out[x * 4 + 3] = 0xFF;
    }
  }
  return reduced;
}

StripEntryGeometry EntryGeometryFor(bool thumbnailsOn, int thumbnailHeight, bool highDpi) {
  StripEntryGeometry g;
  g.panelHeight = thumbnailsOn ? std::max(35, thumbnailHeight) + 35 : 64;
  g.buttonLeft = highDpi ? 11 : 13;
  g.buttonTop = 5;
  g.buttonHeight = g.panelHeight - 10;
  g.buttonWidth = 153;
  g.buttonMargin = 5;
  g.fontPoints = highDpi ? 6 : 7;
  g.checkLeft = g.buttonLeft + g.buttonWidth - 28;
  g.checkTop = g.buttonTop + g.buttonMargin + 2;
  const int lower = thumbnailsOn ? 0 : 5;
  g.deleteTop = g.buttonTop + g.buttonMargin;
  g.renameTop = g.buttonTop + g.buttonMargin + 22 + lower;
  g.typeLeft = g.buttonLeft + g.buttonWidth - 35;
  g.typeTop = g.buttonMargin + g.buttonTop + 24 + lower;
  return g;
}

}  // namespace trimora
