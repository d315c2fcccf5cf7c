#include "platform/error_text.h"

#include <new>

namespace trimora {

namespace {

// Argument i, or empty text when the error carries fewer.
std::string Arg(const std::vector<std::string>& args, std::size_t i) {
  return i < args.size() ? args[i] : std::string();
}

// ": " and the detail, or a full stop when there is none.
std::string Detail(const std::string& detail) { return detail.empty() ? "." : ": " + detail; }

}  // namespace

std::string ErrorText(ErrorCode code, const std::vector<std::string>& args) {
  const auto a = [&](std::size_t i) { return Arg(args, i); };
  switch (code) {
    // Files. The three file texts are those of the system's file errors.
    case ErrorCode::kFileCannotCreate:
      return "Datei " + a(0) + " kann nicht erstellt werden";
    case ErrorCode::kFileCannotOpen:
      return "Datei " + a(0) + " kann nicht geöffnet werden";
    case ErrorCode::kFileCannotWrite:
      return "Datei " + a(0) + " kann nicht geschrieben werden";
    case ErrorCode::kFileWriteProtected:
      return "Datei " + a(0) + " ist schreibgeschützt";
    case ErrorCode::kFolderMissing:
      return "Das angegebene Verzeichnis existiert nicht. (" + a(0) + ")";
    case ErrorCode::kFolderCannotRead:
      return "Das Verzeichnis " + a(0) + " kann nicht gelesen werden.";
    case ErrorCode::kFolderInUse:
      return "Das Verzeichnis " + a(0) +
             " wird bereits von einem anderen Trimora-Fenster bearbeitet. Es wird nur zum Ansehen "
             "geöffnet; Änderungen an den Schnittdaten werden nicht gespeichert.";

    // Tables. The English texts are those that the table file format is known by.
    case ErrorCode::kRecordMissing:
      return "Datensatz " + a(0) + " existiert nicht.";
    case ErrorCode::kFieldUnknown:
      return "Feld '" + a(0) + "' nicht gefunden.";
    case ErrorCode::kTableWithoutRecord:
      return "Die Tabelle enthält keinen Datensatz.";
    case ErrorCode::kFieldNotNumber:
      return "Feld '" + a(0) + "' ist kein Zahlenfeld.";
    case ErrorCode::kFieldNotText:
      return "Feld '" + a(0) + "' ist kein Textfeld.";
    case ErrorCode::kFieldNotBoolean:
      return "Feld '" + a(0) + "' ist kein logisches Feld.";
    case ErrorCode::kFieldTakesNoNumber:
      return "Feld '" + a(0) + "' nimmt keine Zahl auf.";
    case ErrorCode::kFieldTakesNoText:
      return "Feld '" + a(0) + "' nimmt keinen Text auf.";
    case ErrorCode::kFieldTakesNoBoolean:
      return "Feld '" + a(0) + "' nimmt keinen logischen Wert auf.";
    case ErrorCode::kFieldValueOutOfRange:
      return a(0) + " ist kein gültiger Wert für das Feld '" + a(1) + "'.";
    case ErrorCode::kStreamInvalidFormat:
      return "Ungültiges Stream-Format";
    case ErrorCode::kStreamInvalidValue:
      return "Ungültiger Eigenschaftswert";
    case ErrorCode::kStreamReadFailed:
      return "Stream-Lesefehler";
    case ErrorCode::kTableClassMismatch:
      return "Saved object do not match destination object.";
    case ErrorCode::kTableTypeUnsupported:
      return "Datatype is not supported (field " + a(0) + ",  type " + a(1) + ").";
    case ErrorCode::kTablePropertyUnknown:
      return "Eigenschaft " + a(0) + " existiert nicht";
    case ErrorCode::kTableFieldSizeInvalid:
      return "Ungültige Feldgröße (Feld " + a(0) + ")";
    case ErrorCode::kTableRecordCount:
      return "Unexpected error (record count do not match).";

    // The JSON form of tables.
    case ErrorCode::kJsonSyntax:
      return "Ungültiges JSON in Zeile " + a(0) + ", Spalte " + a(1);
    case ErrorCode::kJsonInTable:
      return "Tabelle";
    case ErrorCode::kJsonInColumn:
      return "Spalte " + a(0);
    case ErrorCode::kJsonInRecord:
      return "Datensatz " + a(0);
    case ErrorCode::kJsonInField:
      return "Datensatz " + a(0) + ", Spalte \"" + a(1) + "\"";
    case ErrorCode::kJsonNotUtf8:
      return "der Text ist kein gültiges UTF-8.";
    case ErrorCode::kJsonTrailingText:
      return "unerwartete Zeichen nach dem Ende.";
    case ErrorCode::kJsonCharExpected:
      return "\"" + a(0) + "\" erwartet.";
    case ErrorCode::kJsonUnknownWord:
      return "unbekanntes Wort.";
    case ErrorCode::kJsonTooDeep:
      return "zu tief verschachtelt.";
    case ErrorCode::kJsonNameExpected:
      return "Name in Anführungszeichen erwartet.";
    case ErrorCode::kJsonNameTwice:
      return "doppelter Name \"" + a(0) + "\".";
    case ErrorCode::kJsonShortUnicode:
      return "unvollständige \\u-Folge.";
    case ErrorCode::kJsonBadUnicode:
      return "ungültige \\u-Folge.";
    case ErrorCode::kJsonOpenText:
      return "Text ohne schließendes Anführungszeichen.";
    case ErrorCode::kJsonControlChar:
      return "Steuerzeichen im Text.";
    case ErrorCode::kJsonShortEscape:
      return "unvollständige Escape-Folge.";
    case ErrorCode::kJsonShortSurrogate:
      return "unvollständiges Ersatzzeichenpaar.";
    case ErrorCode::kJsonBadSurrogate:
      return "ungültiges Ersatzzeichenpaar.";
    case ErrorCode::kJsonUnknownEscape:
      return "unbekannte Escape-Folge.";
    case ErrorCode::kJsonValueExpected:
      return "Wert erwartet.";
    case ErrorCode::kJsonDigitExpected:
      return "Ziffer erwartet.";
    case ErrorCode::kJsonTableNotObject:
      return "Die JSON-Tabelle muss ein Objekt sein.";
    case ErrorCode::kJsonMemberMissing:
      return "\"" + a(0) + "\" fehlt.";
    case ErrorCode::kJsonMemberWrongType:
      return "\"" + a(0) + "\" hat den falschen Typ.";
    case ErrorCode::kJsonMemberUnknown:
      return "unbekannter Eintrag \"" + a(0) + "\".";
    case ErrorCode::kJsonObjectExpected:
      return "ein Objekt erwartet.";
    case ErrorCode::kJsonNameNotAnsi:
      return "der Name \"" + a(0) + "\" lässt sich nicht in Windows-1252 schreiben.";
    case ErrorCode::kJsonTypeUnknown:
      return "unbekannter Typ \"" + a(0) + "\".";
    case ErrorCode::kJsonSizeInvalid:
      return "\"size\" muss eine ganze Zahl ab 0 sein.";
    case ErrorCode::kJsonEncodingUnknown:
      return "unbekannte Kodierung \"" + a(0) + "\".";
    case ErrorCode::kJsonFieldListExpected:
      return "ein Feld-Array erwartet.";
    case ErrorCode::kJsonValueCount:
      return a(0) + " Werte statt " + a(1) + ".";
    case ErrorCode::kJsonIntegerExpected:
      return "eine ganze Zahl (32 Bit) erwartet.";
    case ErrorCode::kJsonTextExpected:
      return "ein Text erwartet.";
    case ErrorCode::kJsonTextNotAnsi:
      return "der Text lässt sich nicht in Windows-1252 schreiben.";
    case ErrorCode::kJsonTextTooLong:
      return "der Text ist länger als " + a(0) + " Zeichen.";
    case ErrorCode::kJsonBooleanExpected:
      return "true oder false erwartet.";

    case ErrorCode::kFormatUndefined:
      return "Das Ausgabeformat " + a(0) + " ist nicht definiert.";

    // Pictures.
    case ErrorCode::kPictureUnreadable:
      return "Die Datei \"" + a(0) + "\" konnte nicht gelesen werden" + Detail(a(1));
    case ErrorCode::kPictureTooLarge:
      return "Die Datei \"" + a(0) + "\" konnte nicht gelesen werden: Die Datei ist zu groß.";
    case ErrorCode::kPictureNoMemory:
      return "Nicht genug Speicher für das Bild.";
    case ErrorCode::kPictureCannotEncode:
      return "Das Bild konnte nicht als JPEG kodiert werden" + Detail(a(0));
    case ErrorCode::kPictureSizeNotEncodable:
      return "Das Bild kann in dieser Größe nicht als JPEG gespeichert werden.";
    case ErrorCode::kPictureEmpty:
      return "Das Bild hat keine Pixel.";
    case ErrorCode::kCutOutsidePicture:
      return "Der Ausschnitt (" + a(1) + "," + a(2) + ") (" + a(3) + "x" + a(4) +
             ") liegt nicht im Bild " + a(0) + ".";
    case ErrorCode::kEnlargedTooLarge:
      return "Das erweiterte Bild wäre zu groß.";
    case ErrorCode::kEnlargeRatioInvalid:
      return "Das Seitenverhältnis des Ausgabeformats ist ungültig.";
    case ErrorCode::kRedEyeListInvalid:
      return "Die Liste der Rote-Augen-Filter \"" + a(0) + "\" enthält einen ungültigen Eintrag.";
    case ErrorCode::kTiffTooLarge:
      return "Das Bild ist zu groß für eine TIFF-Datei.";
    case ErrorCode::kBmpTooLarge:
      return "Das Bild ist zu groß für eine BMP-Datei.";
    case ErrorCode::kBmpDepthUnsupported:
      return "Nicht unterstützte Farbtiefe (" + a(0) + " Bit).";
    case ErrorCode::kZlibCannotStart:
      return "zlib kann nicht starten.";
    case ErrorCode::kZlibFailed:
      return "zlib-Fehler beim Komprimieren.";
    case ErrorCode::kFileTypeUnknown:
      return "Unbekannter Dateityp \"" + a(0) + "\" für " + a(1) + ".";

    // The crop-and-save run and jpegtran.
    case ErrorCode::kRecordFieldMissing:
      return "Im Datensatz von " + (a(0).empty() ? std::string("(ohne Dateinamen)") : a(0)) +
             " fehlt der Wert \"" + a(1) + "\".";
    case ErrorCode::kRecordCutInvalid:
      return "Der Ausschnitt im Datensatz von " + a(0) + " ist ungültig.";
    case ErrorCode::kRecordCutOutside:
      return "Der Ausschnitt im Datensatz von " + a(0) + " liegt nicht im Bild.";
    case ErrorCode::kFormatTablesNotLoaded:
      return "Die Formattabellen sind nicht geladen.";
    case ErrorCode::kJpegTranNeedsTwoFiles:
      return "jpegtran braucht eine Eingabe- und eine Ausgabedatei.";
    case ErrorCode::kJpegTranCropFailed:
      return "jpegtran konnte " + a(0) + " nicht verlustfrei nach " + a(1) + " zuschneiden.";
    case ErrorCode::kJpegTranRotateFailed:
      return "jpegtran konnte " + a(0) + " nicht drehen; die Datei ist unverändert.";
    case ErrorCode::kRotationAngleInvalid:
      return "Ungültiger Drehwinkel " + a(0) + ".";
    case ErrorCode::kOverwriteNoAnswer:
      return "Keine Antwort auf die Frage, ob die Datei überschrieben werden soll "
             "(ohne Terminal: --overwrite yes, all oder no).";

    // Metadata.
    case ErrorCode::kExifUnreadable:
      return "Die Exif-Daten sind nicht lesbar.";
    case ErrorCode::kExifMissing:
      return "Die Datei enthält keine lesbaren Exif-Daten.";
    case ErrorCode::kExifCorrupt:
      return "Die Exif-Daten sind fehlerhaft.";
    case ErrorCode::kExifTooLarge:
      return "Die Exif-Daten sind zu groß.";
    case ErrorCode::kNotJpeg:
      return "Die Datei ist keine JPEG-Datei.";
    case ErrorCode::kMetadataStructure:
      return "Die Metadaten sind fehlerhaft (" + a(0) + ").";

    case ErrorCode::kOutputCannotWrite:
      return "Die Ausgabe kann nicht geschrieben werden.";
    case ErrorCode::kCount:
      break;
  }
  return "Unbekannter Fehler " + std::to_string(static_cast<int>(code)) + ".";
}

std::string ErrorText(const Error& error) {
  std::string text = ErrorText(error.code(), error.args());
  if (const Error* cause = error.cause()) text += ": " + ErrorText(*cause);
  return text;
}

std::string ErrorText(const std::exception& exception) {
  if (const auto* ours = dynamic_cast<const Error*>(&exception)) return ErrorText(*ours);
  if (dynamic_cast<const std::bad_alloc*>(&exception) != nullptr) {
    return "Nicht genügend Arbeitsspeicher.";
  }
  return std::string("Unerwarteter Fehler: ") + exception.what();
}

}  // namespace trimora
