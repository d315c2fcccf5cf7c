// The file-list thread: walks the folder listing, takes the thumbnail of every file (made ahead
// on every core after the first picture), and hands each finished strip entry to the main
// thread in listing order, blocking until it has run.
#pragma once
#include <atomic>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "folder/folder_view.h"
#include "imaging/picture.h"

namespace trimora {

class HandOverQueue;

// What the thread learns about a record before it builds the record's entry.
struct EntryRecordData {
  bool saveIt = false;
  std::string fileType;
  bool lossyJpeg = false;
};

// The steps the thread hands to the main thread (they run there while the thread waits).
class FileListSink {
 public:
  virtual ~FileListSink() = default;
  // Reads the record at strip position `position` and shows "Initialisiere n/m".
  virtual EntryRecordData PrepareEntry(int index, int skipped, int listingSize) = 0;
  // Drops the undecodable file that now stands at `position` of the listing.
  virtual void DropFile(int position) = 0;
  // Inserts the entry; `firstPicture` is the file's full decode for the first entry, when the
  // thread could make it, and `preview` a reduced copy of it for the display.
  virtual void InsertEntry(StripEntry entry, std::optional<Picture> firstPicture,
                           Picture preview) = 0;
  // The final steps after the last file or a stop.
  virtual void FinishStrip(int builtCount, int skipped, int listingSize) = 0;
};

// One thread per opened folder.
class TFileListThread {
 public:
  // Prepares the thread for a copy of the listing; `thumbnailsOn` is "Thumbnails anzeigen".
  TFileListThread(std::vector<std::string> listing, bool thumbnailsOn, bool highDpi,
                  HandOverQueue& queue, FileListSink& sink);
  // The size the first picture will be shown at (pixels); the thread makes a preview for it.
  void SetDisplayHint(int width, int height) {
    hintWidth_ = width;
    hintHeight_ = height;
  }
  // Joins the thread; it must have ended (WaitUntilEnded) or not have started.
  ~TFileListThread();
  TFileListThread(const TFileListThread&) = delete;
  TFileListThread& operator=(const TFileListThread&) = delete;

  // Starts the thread.
  void Start();
  // Asks the thread to stop before its next file.
  void RequestStop() { stop_ = true; }
  // Whether a stop was asked for.
  bool StopRequested() const { return stop_; }
  // True once the thread has run its last step (or never started).
  bool Ended() const { return ended_; }
  // Waits for the end while running the thread's hand-overs (main thread only).
  void WaitUntilEnded();

 private:
  void Run();

  std::vector<std::string> listing_;
  bool thumbnailsOn_;
  bool highDpi_;
  int hintWidth_ = 0;
  int hintHeight_ = 0;
  HandOverQueue& queue_;
  FileListSink& sink_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> ended_{true};
  std::thread thread_;
};

// A copy of `picture` reduced by a whole factor (the mean of each square of pixels) that is
// still at least twice `width` x `height`; a copy at full size when no reduction fits.
Picture ReduceForDisplay(const Picture& picture, int width, int height);

}  // namespace trimora
