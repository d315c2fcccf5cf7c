// The catalogue of error texts: every code has its words, the texts that files and the system
// fix are exact, and an error that gives the place of another reads as place and fault.
#include "platform/error_text.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace trimora {
namespace {

TEST(ErrorText, EveryCodeHasItsOwnText) {
  for (int i = 0; i < static_cast<int>(ErrorCode::kCount); ++i) {
    const std::string text = ErrorText(static_cast<ErrorCode>(i), {"a", "b", "c", "d", "e"});
    EXPECT_FALSE(text.empty()) << i;
    EXPECT_EQ(text.find("Unbekannter Fehler"), std::string::npos) << i;
  }
}

TEST(ErrorText, FixedTextsAreExact) {
  struct Case {
    ErrorCode code;
    std::vector<std::string> args;
    std::string text;
  };
  const std::vector<Case> cases = {
      {ErrorCode::kFileCannotCreate, {"/d/a.kv2"}, "Datei /d/a.kv2 kann nicht erstellt werden"},
      {ErrorCode::kFileCannotOpen, {"/d/a.kv2"}, "Datei /d/a.kv2 kann nicht geöffnet werden"},
      {ErrorCode::kFileWriteProtected, {"/d/a.dat"}, "Datei /d/a.dat ist schreibgeschützt"},
      {ErrorCode::kStreamInvalidFormat, {}, "Ungültiges Stream-Format"},
      {ErrorCode::kTableClassMismatch, {}, "Saved object do not match destination object."},
      {ErrorCode::kTableTypeUnsupported,
       {"N", "ftFloat"},
       "Datatype is not supported (field N,  type ftFloat)."},
      {ErrorCode::kTableRecordCount, {}, "Unexpected error (record count do not match)."},
      {ErrorCode::kPictureUnreadable,
       {"/p/a.jpg", "Not a JPEG file"},
       "Die Datei \"/p/a.jpg\" konnte nicht gelesen werden: Not a JPEG file"},
      {ErrorCode::kPictureUnreadable,
       {"/p/a.jpg", ""},
       "Die Datei \"/p/a.jpg\" konnte nicht gelesen werden."},
      {ErrorCode::kRecordFieldMissing,
       {"", "X"},
       "Im Datensatz von (ohne Dateinamen) fehlt der Wert \"X\"."},
  };
  for (const Case& c : cases) EXPECT_EQ(ErrorText(c.code, c.args), c.text);
}

TEST(ErrorText, APlaceReadsBeforeTheFaultItWraps) {
  const Error fault(ErrorCode::kFieldTakesNoText, {"N"});
  const Error place(ErrorCode::kJsonInField, {"2", "N"}, fault);
  EXPECT_EQ(place.cause()->code(), ErrorCode::kFieldTakesNoText);
  EXPECT_EQ(ErrorText(place), "Datensatz 2, Spalte \"N\": Feld 'N' nimmt keinen Text auf.");
  const Error syntax(ErrorCode::kJsonSyntax, {"1", "4"},
                     Error(ErrorCode::kJsonCharExpected, {":"}));
  EXPECT_EQ(ErrorText(syntax), "Ungültiges JSON in Zeile 1, Spalte 4: \":\" erwartet.");
}

TEST(ErrorText, OtherExceptionsGetWordsToo) {
  EXPECT_EQ(ErrorText(std::bad_alloc()), "Nicht genügend Arbeitsspeicher.");
  EXPECT_EQ(ErrorText(std::runtime_error("boom")), "Unerwarteter Fehler: boom");
  const std::exception& ours = Error(ErrorCode::kTiffTooLarge);
  EXPECT_EQ(ErrorText(ours), "Das Bild ist zu groß für eine TIFF-Datei.");
}

}  // namespace
}  // namespace trimora
