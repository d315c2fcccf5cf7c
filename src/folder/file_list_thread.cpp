#include "folder/file_list_thread.h"

#include <algorithm>

#include "folder/folder_listing.h"
#include "folder/hand_over.h"
#include "imaging/jpeg_decoder.h"
#include "imaging/thumbnail.h"
#include "platform/error.h"

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
  if (listingSize > 0 && !stop_) queue_.Run([&] { data = sink_.PrepareEntry(0, 0, listingSize); });
  for (int i = 0; i < listingSize && !stop_; ++i) {
    const std::string& path = listing_[static_cast<std::size_t>(i)];
    auto prepareNext = [&](int nextSkipped) {
      if (i + 1 < listingSize && !stop_) data = sink_.PrepareEntry(i + 1, nextSkipped, listingSize);
    };
    Picture thumbnail;
    std::optional<Picture> firstPicture;
    if (thumbnailsOn_) {
      try {
        thumbnail = MakeThumbnail(path);
      } catch (const Error&) {
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
    if (position == 0) {
      // The first picture is shown at once: decode it here rather than on the main thread.
      try {
        firstPicture = DecodeJpegFile(path);
      } catch (const Error&) {
        // ShowPicture decodes again and reports the failure.
      }
    }
    StripEntry entry;
    entry.position = position;
    entry.top = runningTop;
    entry.caption = FileNameOf(path);
    entry.saveIt = data.saveIt;
    entry.fileType = data.fileType;
    entry.lossyJpeg = data.lossyJpeg;
    entry.geometry = EntryGeometryFor(thumbnailsOn_, thumbnail.height(), highDpi_);
    entry.thumbnail = std::move(thumbnail);
    runningTop += entry.geometry.panelHeight;
    queue_.Run([&] {
      sink_.InsertEntry(std::move(entry), std::move(firstPicture));
      prepareNext(skipped);
    });
    built = position + 1;
  }
  queue_.Run([&] { sink_.FinishStrip(built, skipped, listingSize); });
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
