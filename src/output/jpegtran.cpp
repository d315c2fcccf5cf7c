#include "output/jpegtran.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <system_error>

#include "output/exif_mend.h"
#include "output/output_file.h"
#include "platform/error.h"
#include "platform/file_date.h"
#include "platform/paths.h"
#include "platform/process.h"

namespace trimora {

namespace fs = std::filesystem;

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

std::vector<std::uint8_t> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw Error("Datei " + path + " kann nicht geöffnet werden");
  return std::vector<std::uint8_t>(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Removes jpegtran's temporary file however the run ends.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  ~TemporaryFile() {
    std::error_code ignored;
    if (!path_.empty()) fs::remove(path_, ignored);
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  const std::string& path() const { return path_; }
  void Release() { path_.clear(); }

 private:
  std::string path_;
};

// An output that is replaced keeps its access rights (a rotated original stays what it was).
void TakeOverPermissions(const std::string& from, const std::string& to) {
  std::error_code failure;
  const fs::file_status status = fs::status(from, failure);
  if (!failure && fs::exists(status)) fs::permissions(to, status.permissions(), failure);
}

}  // namespace

std::string JpegTranCropParameters(int left, int top, int width, int height, const std::string& source,
                                   const std::string& output) {
  return "-copy all -crop " + std::to_string(width) + "x" + std::to_string(height) + "+" + std::to_string(left) +
         "+" + std::to_string(top) + " \"" + source + "\" \"" + output + "\"";
}

std::string JpegTranRotateParameters(std::string_view angle, const std::string& path) {
  return "-copy all -rotate " + std::string(angle) + " \"" + path + "\" \"" + path + "\"";
}

JpegTranCall ParseJpegTranParameters(std::string_view parameters) {
  std::vector<std::string> arguments = SplitCommandLine(parameters);
  if (arguments.size() < 2) throw Error("jpegtran braucht eine Eingabe- und eine Ausgabedatei.");
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
  TemporaryFile written(CreateTemporaryBeside(call.output));
  const int exitCode = RunHiddenAndWait(ProgramBeside("jpegtran"), DebianJpegTranParameters(call, written.path()));
  std::error_code failure;
  if ((exitCode != 0 && exitCode != 2) || fs::file_size(written.path(), failure) == 0 || failure) return false;
  if (fixUp) {
    const std::vector<std::uint8_t> bytes = fixUp(ReadWholeFile(written.path()));
    OutputFile file(call.output);
    TakeOverPermissions(call.output, file.temporaryPath());
    file.Write(bytes.data(), bytes.size());
    file.Commit();
    return true;
  }
  TakeOverPermissions(call.output, written.path());
  fs::rename(written.path(), call.output, failure);
  if (failure) ThrowCannotCreate(call.output);
  written.Release();
  return true;
}

std::string JpegTranCrop(int left, int top, int width, int height, const std::string& source,
                         const std::string& output, const ConfirmOutput& confirm) {
  const std::string path = confirm ? confirm(output) : output;
  const std::string parameters = JpegTranCropParameters(left, top, width, height, source, path);
  // A name with a double quote would not come back whole from the parameter text.
  const JpegTranCall call = ParseJpegTranParameters(parameters);
  if (call.input != source || call.output != path) {
    throw Error("Der Dateiname " + path + " kann nicht an jpegtran übergeben werden.");
  }
  if (!RunJpegTran(parameters, MendCroppedExif)) {
    throw Error("jpegtran konnte " + source + " nicht verlustfrei nach " + path + " zuschneiden.");
  }
  return path;
}

void RotateOriginalFile(const std::string& path, std::string_view angle) {
  if (angle != "90" && angle != "270") throw Error("Ungültiger Drehwinkel " + std::string(angle) + ".");
  const std::string parameters = JpegTranRotateParameters(angle, path);
  const JpegTranCall call = ParseJpegTranParameters(parameters);
  if (call.input != path || call.output != path) {
    throw Error("Der Dateiname " + path + " kann nicht an jpegtran übergeben werden.");
  }
  const std::int32_t date = GetFileDate(path);
  if (!RunJpegTran(parameters, MendRotatedExif)) {
    throw Error("jpegtran konnte " + path + " nicht drehen; die Datei ist unverändert.");
  }
  SetFileDate(path, date);
}

}  // namespace trimora
