#include "output/jpegtran.h"

#include "output/exif_mend.h"
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

// Removes jpegtran's temporary file however the run ends.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    if (!path_.empty()) RemoveFile(path_);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

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
  return text + "-outfile " + QuoteArgument(outfile) + " " + QuoteArgument(call.input);
}

bool RunJpegTran(std::string_view parameters, const JpegFixUp& fixUp) {
  const JpegTranCall call = ParseJpegTranParameters(parameters);
  // jpegtran would wait forever on a pipe under a picture's name.
  if (!IsRegularFile(call.input)) return false;
  TemporaryFile written(CreateTemporaryBeside(call.output));
  const int exitCode = RunHiddenAndWait(ProgramBeside("jpegtran"), DebianJpegTranParameters(call, written.path()));
  if ((exitCode != 0 && exitCode != 2) || FileSize(written.path()) <= 0) return false;
  const std::string read = ReadWholeFile(written.path());
  std::vector<std::uint8_t> bytes(read.begin(), read.end());
  if (fixUp) bytes = fixUp(std::move(bytes));
  // The output takes its name only when it is whole and on the disk; one that is replaced keeps
  // its access rights (a rotated original stays what it was).
  ReplacingFile file(call.output);
  file.Write(bytes.data(), bytes.size());
  file.Commit();
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
