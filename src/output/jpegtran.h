// The lossless JPEG operations done by the outside program jpegtran: the crop of the
// crop-and-save run and the perfect turn of an original.
//
// The parameter texts are built as one string, as the program has always passed them
// ("-copy all -crop 320x208+48+16 "in" "out""); RunJpegTran splits such a text as Windows
// splits a command line and maps its input and output names onto Debian's
// "-outfile OUT IN" form. jpegtran always writes into a temporary file in the output's folder,
// which replaces the output only after a successful run: a failed jpegtran leaves no partial
// file and never damages the source, also when source and output are the same file.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "imaging/turn.h"

namespace trimora {

// "-copy all -crop " W "x" H "+" L "+" T, a blank, the quoted source, a blank, the quoted output.
// A name is quoted so that SplitCommandLine gives it back whole: a double quote in it, and
// backslashes before one, are escaped with backslashes.
std::string JpegTranCropParameters(int left, int top, int width, int height,
                                   const std::string& source, const std::string& output);

// "-copy all -perfect ", the turn's switch ("-rotate 90" ...), a blank, the quoted path, a
// blank, the same quoted path (quoted as above). "-perfect" makes jpegtran fail rather than
// leave partial edge blocks untransformed.
std::string JpegTranTurnParameters(Turn turn, const std::string& path);

// A parameter text taken apart: the switches, then the input and the output file.
struct JpegTranCall {
  std::vector<std::string> switches;
  std::string input;
  std::string output;
};

// Splits a parameter text (SplitCommandLine) into switches, input and output; throws Error
// when it names fewer than two files.
JpegTranCall ParseJpegTranParameters(std::string_view parameters);

// The parameter text for Debian's jpegtran that writes `call` into `outfile`:
// the switches, "-outfile", outfile, the input; without "-outfile" and its name when `outfile`
// is empty (jpegtran then writes to its standard output).
std::string DebianJpegTranParameters(const JpegTranCall& call, const std::string& outfile);

// Rewrites the head of a JPEG file that jpegtran has written (its marker segments up to and
// including the scan header) before it replaces the output; returns the new head.
using JpegFixUp = std::function<std::vector<std::uint8_t>(std::vector<std::uint8_t> head)>;

// Runs jpegtran (ProgramBeside("jpegtran")) with the parameter text and waits for its end;
// jpegtran writes into a temporary file beside the output. Its exit code 0, and 2 (warnings
// only), count as success; then its output, with the head passed through `fixUp` when given,
// replaces the output file. The picture data behind the head is never read back: a head of the
// same length is patched in place, else the rest is copied behind it inside the kernel. Returns
// false when jpegtran could not be started or failed; then nothing has changed on disk.
bool RunJpegTran(std::string_view parameters, const JpegFixUp& fixUp = {});

// Asks before an existing output is replaced; returns the path to write (see ConfirmOverwrite).
using ConfirmOutput = std::function<std::string(const std::string& path)>;

// Cuts the rectangle (left and top on the picture's block grid, width and height clipped to the
// picture) out of `source` losslessly into `output`, after `confirm` has had its say. Keeps every
// marker of the source, then mends the copied Exif data: thumbnail removed (it shows the whole
// picture) and the picture size entries set to the cut. Returns the path written; throws Error
// when jpegtran fails.
std::string JpegTranCrop(int left, int top, int width, int height, const std::string& source,
                         const std::string& output, const ConfirmOutput& confirm);

// Turns the JPEG file at `path` in place with jpegtran's perfect transformation and keeps its
// last-write time. The Exif data follows the turn: size entries from the turned picture,
// thumbnail removed, an Orientation entry set to 1, so that other viewers do not turn the
// picture a second time. Throws Error when jpegtran fails (also when the turn is not perfect
// for the picture's size); the file is then unchanged.
void JpegTranTurn(const std::string& path, Turn turn);

}  // namespace trimora
