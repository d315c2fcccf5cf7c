// The one error type of the program: an operation that fails throws it with a code and the
// arguments of the failure (a path, a field name, a number). The words the user reads are made
// from the code at the edge, in presenters and in the command-line tool, from the one catalogue
// of platform/error_text.h; tests compare codes.
#pragma once

#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace trimora {

// What went wrong. The arguments each code takes are listed beside it.
enum class ErrorCode : int {
  // Files.
  kFileCannotCreate,  // path
  kFileCannotOpen,    // path
  kFileCannotWrite,   // path
  kFileWriteProtected,  // path
  kFolderMissing,     // path
  kFolderCannotRead,  // path
  kFolderInUse,       // path

  // Tables and their file format.
  kRecordMissing,          // record number
  kFieldUnknown,           // column name
  kTableWithoutRecord,     //
  kFieldNotNumber,         // column name
  kFieldNotText,           // column name
  kFieldNotBoolean,        // column name
  kFieldTakesNoNumber,     // column name
  kFieldTakesNoText,       // column name
  kFieldTakesNoBoolean,    // column name
  kFieldValueOutOfRange,   // value, column name
  kStreamInvalidFormat,    //
  kStreamInvalidValue,     //
  kStreamReadFailed,       //
  kTableClassMismatch,     //
  kTableTypeUnsupported,   // column name, type name
  kTablePropertyUnknown,   // property name
  kTableFieldSizeInvalid,  // column name
  kTableRecordCount,       //

  // The JSON form of tables: a syntax error and where a table's JSON is wrong (each of these
  // carries the fault below as its cause).
  kJsonSyntax,             // line, column; cause: one of the kJson... details below
  kJsonInTable,            //
  kJsonInColumn,           // column number
  kJsonInRecord,           // record number
  kJsonInField,            // record number, column name
  kJsonNotUtf8,            //
  kJsonTrailingText,       //
  kJsonCharExpected,       // the character
  kJsonUnknownWord,        //
  kJsonTooDeep,            //
  kJsonNameExpected,       //
  kJsonNameTwice,          // name
  kJsonShortUnicode,       //
  kJsonBadUnicode,         //
  kJsonOpenText,           //
  kJsonControlChar,        //
  kJsonShortEscape,        //
  kJsonShortSurrogate,     //
  kJsonBadSurrogate,       //
  kJsonUnknownEscape,      //
  kJsonValueExpected,      //
  kJsonDigitExpected,      //
  kJsonTableNotObject,     //
  kJsonMemberMissing,      // key
  kJsonMemberWrongType,    // key
  kJsonMemberUnknown,      // key
  kJsonObjectExpected,     //
  kJsonNameNotAnsi,        // name
  kJsonTypeUnknown,        // type name
  kJsonSizeInvalid,        //
  kJsonEncodingUnknown,    // encoding
  kJsonFieldListExpected,  //
  kJsonValueCount,         // values given, columns
  kJsonIntegerExpected,    //
  kJsonTextExpected,       //
  kJsonTextNotAnsi,        //
  kJsonTextTooLong,        // column length
  kJsonBooleanExpected,    //

  // Formats.
  kFormatUndefined,  // format id

  // Pictures.
  kPictureUnreadable,        // path; cause or library text: the codec's own words
  kPictureTooLarge,          // path (a picture in memory too large for the decoder)
  kPictureNoMemory,          //
  kPictureCannotEncode,      // the codec's own words
  kPictureSizeNotEncodable,  //
  kPictureEmpty,             //
  kCutOutsidePicture,        // path, left, top, width, height
  kEnlargedTooLarge,         //
  kEnlargeRatioInvalid,      //
  kRedEyeListInvalid,        // the list
  kTiffTooLarge,             //
  kBmpTooLarge,              //
  kBmpDepthUnsupported,      // bits per pixel
  kZlibCannotStart,          //
  kZlibFailed,               //
  kFileTypeUnknown,          // type, output path

  // The crop-and-save run and jpegtran.
  kRecordFieldMissing,     // file name (may be empty), field name
  kRecordCutInvalid,       // file name
  kRecordCutOutside,       // file name
  kFormatTablesNotLoaded,  //
  kJpegTranNeedsTwoFiles,  //
  kJpegTranCropFailed,     // source, output
  kJpegTranRotateFailed,   // path
  kRotationAngleInvalid,   // angle
  kOverwriteNoAnswer,      //

  // Metadata.
  kExifUnreadable,     //
  kExifMissing,        //
  kExifCorrupt,        //
  kExifTooLarge,       //
  kNotJpeg,            //
  kMetadataStructure,  // the parser's note (offset overflow, ...)

  // The command-line tool.
  kOutputCannotWrite,  //

  kCount
};

// An error: its code, its arguments and, for an error that gives the place of another, the
// error it wraps. what() names the code and the arguments for logs; users read ErrorText().
class Error : public std::runtime_error {
 public:
  explicit Error(ErrorCode code, std::vector<std::string> args = {})
      : std::runtime_error(Describe(code, args)), code_(code), args_(std::move(args)) {}
  Error(ErrorCode code, std::vector<std::string> args, const Error& cause)
      : std::runtime_error(Describe(code, args) + " <- " + cause.what()),
        code_(code),
        args_(std::move(args)),
        cause_(std::make_shared<const Error>(cause)) {}

  ErrorCode code() const noexcept { return code_; }
  const std::vector<std::string>& args() const noexcept { return args_; }
  // The wrapped error, or null.
  const Error* cause() const noexcept { return cause_.get(); }

 private:
  static std::string Describe(ErrorCode code, const std::vector<std::string>& args) {
    std::string text = "error " + std::to_string(static_cast<int>(code));
    for (const std::string& arg : args) text += " | " + arg;
    return text;
  }

  ErrorCode code_;
  std::vector<std::string> args_;
  std::shared_ptr<const Error> cause_;
};

}  // namespace trimora
