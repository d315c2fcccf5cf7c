#include "output/jpegtran.h"

#include "output/exif_mend.h"

#include <algorithm>
#include <memory>

#include "metadata/jpeg_markers.h"
#include "platform/error.h"
#include "platform/file_date.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace trimora {

namespace {

// Quotes one argument so that SplitCommandLine gives it back unchanged.
std::string QuoteArgument(const std::string& argument) {
  std::string out = "\"";
  std::size_t backslashes = 0;
  for (const char c : argument) {
    if (c == '\\') {
      ++backslashes;
      continue;
    }
    out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
    out += c;
    backslashes = 0;
  }
  out.append(backslashes * 2, '\\');
  out += '"';
  return out;
}

// The bytes of the file's head: every marker segment up to and including the scan header, or
// the whole file when its segments cannot be walked that far.
std::vector<std::uint8_t> ReadHead(ReplacingFile& file) {
  const std::uint64_t size = file.Size();
  std::vector<std::uint8_t> head;
  for (std::uint64_t want = 1 << 16;; want *= 2) {
    const std::size_t take = static_cast<std::size_t>(std::min(want, size));
    head.resize(take);
    head.resize(file.ReadAt(0, head.data(), take));
    if (head.size() >= size) return head;
    const std::vector<SegmentSpan> segments = ListHeaderSegments(head);
    if (!segments.empty() && segments.back().marker == 0xDA) {
      head.resize(segments.back().offset + segments.back().size);
      return head;
    }
  }
}

}  // namespace

std::string JpegTranCropParameters(int left, int top, int width, int height,
                                   const std::string& source, const std::string& output) {
  return "-copy all -crop " + std::to_string(width) + "x" + std::to_string(height) + "+" +
         std::to_string(left) + "+" + std::to_string(top) + " " + QuoteArgument(source) + " " +
         QuoteArgument(output);
}

std::string JpegTranTurnParameters(Turn turn, const std::string& path) {
  return "-copy all -perfect " + std::string(JpegTranSwitch(turn)) + " " + QuoteArgument(path) +
         " " + QuoteArgument(path);
}

JpegTranCall ParseJpegTranParameters(std::string_view parameters) {
  std::vector<std::string> arguments = SplitCommandLine(parameters);
  if (arguments.size() < 2) throw Error(ErrorCode::kJpegTranNeedsTwoFiles);
  JpegTranCall call;
  call.output = std::move(arguments.back());
  arguments.pop_back();
  call.input = std::move(arguments.back());
  arguments.pop_back();
  call.switches = std::move(arguments);
  return call;
}

std::string DebianJpegTranParameters(const JpegTranCall& call, const std::string& outfile) {
  std::string text;
  for (const std::string& s : call.switches) text += QuoteArgument(s) + " ";
  if (!outfile.empty()) text += "-outfile " + QuoteArgument(outfile) + " ";
  return text + QuoteArgument(call.input);
}

bool RunJpegTran(std::string_view parameters, const JpegFixUp& fixUp) {
  const JpegTranCall call = ParseJpegTranParameters(parameters);
  // jpegtran would wait forever on a pipe under a picture's name.
  if (!IsRegularFile(call.input)) return false;
  // jpegtran writes to its standard output, straight into the nameless temporary file that takes
  // the output's name only when it is whole and on the disk; one that is replaced keeps its
  // access rights (a turned original stays what it was).
  ReplacingFile written(call.output);
  const int exitCode =
      RunHiddenAndWait(ProgramBeside("jpegtran"), DebianJpegTranParameters(call, {}), written);
  if ((exitCode != 0 && exitCode != 2) || written.Size() == 0) return false;
  ReplacingFile* result = &written;
  std::unique_ptr<ReplacingFile> rewritten;
  if (fixUp) {
    // Only the head (the Exif segment with the frame header behind it) is mended: in place when
    // it keeps its length, else the mended head and then the rest copied behind it.
    const std::vector<std::uint8_t> head = ReadHead(written);
    const std::vector<std::uint8_t> mended = fixUp(head);
    if (mended.size() == head.size()) {
      const auto first = std::mismatch(head.begin(), head.end(), mended.begin()).first;
      if (first != head.end()) {
        const auto last = std::mismatch(head.rbegin(), head.rend(), mended.rbegin()).first;
        const auto from = static_cast<std::size_t>(first - head.begin());
        const auto to = head.size() - static_cast<std::size_t>(last - head.rbegin());
        written.WriteAt(from, mended.data() + from, to - from);
      }
    } else {
      rewritten = std::make_unique<ReplacingFile>(call.output);
      rewritten->Write(mended.data(), mended.size());
      rewritten->AppendFrom(written, head.size());
      result = rewritten.get();
    }
  }
  result->Commit();
  return true;
}

std::string JpegTranCrop(int left, int top, int width, int height, const std::string& source,
                         const std::string& output, const ConfirmOutput& confirm) {
  const std::string path = confirm ? confirm(output) : output;
  const std::string parameters = JpegTranCropParameters(left, top, width, height, source, path);
  if (!RunJpegTran(parameters, MendCroppedExif)) {
    throw Error(ErrorCode::kJpegTranCropFailed, {source, path});
  }
  return path;
}

void JpegTranTurn(const std::string& path, Turn turn) {
  if (turn == Turn::None) return;
  RefuseWriteProtected(path);
  const std::string parameters = JpegTranTurnParameters(turn, path);
  const std::int32_t date = GetFileDate(path);
  if (!RunJpegTran(parameters, MendRotatedExif)) {
    throw Error(ErrorCode::kJpegTranRotateFailed, {path});
  }
  SetFileDate(path, date);
}

}  // namespace trimora
