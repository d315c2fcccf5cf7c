#include "tables/table_file.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "platform/error.h"
#include "platform/files.h"
#include "tables/ansi_text.h"

namespace trimora {
namespace {

// Value tags of the format.
enum Tag : std::uint8_t {
  kNull = 0x00,  // end of list
  kList = 0x01,
  kInt8 = 0x02,
  kInt16 = 0x03,
  kInt32 = 0x04,
  kString = 0x06,
  kIdent = 0x07,
  kFalse = 0x08,
  kTrue = 0x09,
  kSet = 0x0B,
  kLString = 0x0C,
  kCollection = 0x0E,
};

constexpr std::string_view kSignature = "TPF0";
constexpr std::string_view kClassName = "TRxMemoryData";
constexpr std::uint8_t kNullField = kTrue;    // a field marker: null
constexpr std::uint8_t kValueField = kFalse;  // a field marker: a value follows

constexpr ErrorCode kReadError = ErrorCode::kStreamReadFailed;
constexpr ErrorCode kInvalidValue = ErrorCode::kStreamInvalidValue;
constexpr ErrorCode kInvalidFormat = ErrorCode::kStreamInvalidFormat;
constexpr ErrorCode kCountMismatch = ErrorCode::kTableRecordCount;

[[noreturn]] void Fail(ErrorCode code, std::vector<std::string> args = {}) {
  throw Error(code, std::move(args));
}

void Enforce(bool condition, ErrorCode code) {
  if (!condition) Fail(code);
}

[[noreturn]] void Unsupported(std::string_view column, std::string_view type) {
  Fail(ErrorCode::kTableTypeUnsupported, {AnsiToUtf8(column), AnsiToUtf8(type)});
}

// --- writing -------------------------------------------------------------------------------

class ByteWriter {
 public:
  explicit ByteWriter(std::string& out) : out_(out) {}

  void Byte(std::uint8_t b) { out_.push_back(static_cast<char>(b)); }

  void Raw(std::string_view bytes) { out_.append(bytes); }

  void LittleEndian(std::uint32_t v, int bytes) {
    for (int i = 0; i < bytes; ++i) Byte(static_cast<std::uint8_t>(v >> (8 * i)));
  }

  // An integer with the shortest of the three integer tags.
  void Integer(std::int32_t v) {
    if (v >= -128 && v <= 127) {
      Byte(kInt8);
      LittleEndian(static_cast<std::uint32_t>(v), 1);
    } else if (v >= -32768 && v <= 32767) {
      Byte(kInt16);
      LittleEndian(static_cast<std::uint32_t>(v), 2);
    } else {
      Byte(kInt32);
      LittleEndian(static_cast<std::uint32_t>(v), 4);
    }
  }

  void Text(std::string_view s) {
    if (s.size() <= 255) {
      Byte(kString);
      Byte(static_cast<std::uint8_t>(s.size()));
    } else {
      Byte(kLString);
      LittleEndian(static_cast<std::uint32_t>(s.size()), 4);
    }
    Raw(s);
  }

  void Ident(std::string_view s) {
    Byte(kIdent);
    ShortName(s);
  }

  // A length byte and the bytes: property names inside collection items.
  void ShortName(std::string_view s) {
    const std::string_view cut = s.substr(0, 255);
    Byte(static_cast<std::uint8_t>(cut.size()));
    Raw(cut);
  }

 private:
  std::string& out_;
};

// --- reading -------------------------------------------------------------------------------

// Reads the tagged values of a table file; every read is bounds-checked.
class ByteReader {
 public:
  explicit ByteReader(std::string_view data) : data_(data) {}

  std::size_t Remaining() const { return data_.size() - pos_; }

  std::uint8_t Peek() const {
    Enforce(pos_ < data_.size(), kReadError);
    return static_cast<std::uint8_t>(data_[pos_]);
  }

  std::uint8_t Byte() {
    const std::uint8_t b = Peek();
    ++pos_;
    return b;
  }

  std::string_view Raw(std::size_t n) {
    Enforce(n <= Remaining(), kReadError);
    const std::string_view s = data_.substr(pos_, n);
    pos_ += n;
    return s;
  }

  std::uint32_t LittleEndian(int bytes) {
    const std::string_view s = Raw(static_cast<std::size_t>(bytes));
    std::uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | static_cast<std::uint8_t>(s[i]);
    return v;
  }

  static bool IsIntegerTag(std::uint8_t tag) {
    return tag == kInt8 || tag == kInt16 || tag == kInt32;
  }

  std::int32_t Integer() {
    switch (Byte()) {
      case kInt8:
        return static_cast<std::int8_t>(LittleEndian(1));
      case kInt16:
        return static_cast<std::int16_t>(LittleEndian(2));
      case kInt32:
        return static_cast<std::int32_t>(LittleEndian(4));
      default:
        Fail(kInvalidValue);
    }
  }

  std::string Text() {
    switch (Byte()) {
      case kString:
        return std::string(Raw(Byte()));
      case kLString: {
        const auto length = static_cast<std::int32_t>(LittleEndian(4));
        Enforce(length >= 0, kInvalidFormat);
        return std::string(Raw(static_cast<std::size_t>(length)));
      }
      default:
        Fail(kInvalidValue);
    }
  }

  std::string Ident() {
    Enforce(Byte() == kIdent, kInvalidValue);
    return ShortName();
  }

  bool Boolean() {
    switch (Byte()) {
      case kFalse:
        return false;
      case kTrue:
        return true;
      default:
        Fail(kInvalidValue);
    }
  }

  // A set: element names until an empty one. The elements are not kept.
  void SkipSet() {
    Enforce(Byte() == kSet, kInvalidValue);
    while (!ShortName().empty()) {
    }
  }

  std::string ShortName() { return std::string(Raw(Byte())); }

 private:
  std::string_view data_;
  std::size_t pos_ = 0;
};

struct ColumnEntry {
  std::string name;
  std::string typeName = "ftUnknown";
  std::int32_t size = 0;
};

// The collection of column definitions, after its tag.
std::vector<ColumnEntry> ReadColumnEntries(ByteReader& in) {
  std::vector<ColumnEntry> entries;
  while (in.Peek() != kNull) {
    if (ByteReader::IsIntegerTag(in.Peek())) in.Integer();  // an item index, ignored
    Enforce(in.Byte() == kList, kInvalidValue);
    ColumnEntry entry;
    while (in.Peek() != kNull) {
      const std::string property = in.ShortName();
      if (SameAsciiText(property, "Name")) {
        entry.name = in.Text();
      } else if (SameAsciiText(property, "DataType")) {
        entry.typeName = in.Ident();
      } else if (SameAsciiText(property, "Size")) {
        entry.size = in.Integer();
      } else if (SameAsciiText(property, "Precision")) {
        in.Integer();
      } else if (SameAsciiText(property, "Attributes")) {
        in.SkipSet();
      } else if (SameAsciiText(property, "Required")) {
        in.Boolean();
      } else {
        Fail(ErrorCode::kTablePropertyUnknown, {AnsiToUtf8(property)});
      }
    }
    in.Byte();
    entries.push_back(std::move(entry));
  }
  in.Byte();
  return entries;
}

}  // namespace

std::string WriteTableBytes(const Table& table) {
  std::string bytes;
  bytes.reserve(1024 + table.Columns().size() * 48 +
                static_cast<std::size_t>(table.RecordCount()) * table.Columns().size() * 4);
  ByteWriter out(bytes);
  out.Raw(kSignature);
  out.Text(kClassName);

  out.Byte(kCollection);
  for (const ColumnDef& column : table.Columns()) {
    out.Byte(kList);
    out.ShortName("Name");
    out.Text(column.name);
    out.ShortName("DataType");
    out.Ident(FieldTypeName(column.type));
    if (column.size != 0) {
      out.ShortName("Size");
      out.Integer(column.size);
    }
    out.Byte(kNull);
  }
  out.Byte(kNull);

  const auto& columns = table.Columns();
  const int count = table.RecordCount();
  out.Integer(count);
  out.Byte(kList);
  int written = 0;
  for (int r = 0; r < count; ++r, ++written) {
    for (std::size_t c = 0; c < columns.size(); ++c) {
      const FieldValue& value = table.At(r, static_cast<int>(c));
      const FieldType type = columns[c].type;
      if (type == FieldType::Memo || type == FieldType::Blob) {
        // Blob and memo fields carry no null marker: always a value, empty when null.
        out.Byte(kValueField);
        out.Text(IsNull(value) ? std::string_view() : std::get<std::string>(value));
        continue;
      }
      if (IsNull(value)) {
        out.Byte(kNullField);
        continue;
      }
      out.Byte(kValueField);
      if (const auto* number = std::get_if<std::int32_t>(&value)) {
        out.Integer(*number);
      } else if (const auto* text = std::get_if<std::string>(&value)) {
        out.Text(*text);
      } else {
        out.Byte(std::get<bool>(value) ? kTrue : kFalse);
      }
    }
  }
  out.Byte(kNull);
  if (written != count) Fail(kCountMismatch);
  return bytes;
}

Table ReadTableBytes(std::string_view bytes) {
  ByteReader in(bytes);
  Enforce(in.Remaining() >= kSignature.size() && in.Raw(kSignature.size()) == kSignature,
          kInvalidFormat);
  if (in.Text() != kClassName) Fail(ErrorCode::kTableClassMismatch);

  in.Byte();  // the collection tag, not compared
  std::vector<ColumnDef> columns;
  for (ColumnEntry& entry : ReadColumnEntries(in)) {
    const auto type = FieldTypeFromName(entry.typeName);
    if (!type) Unsupported(entry.name, entry.typeName);
    if (entry.size < 0) Fail(ErrorCode::kTableFieldSizeInvalid, {AnsiToUtf8(entry.name)});
    columns.push_back({std::move(entry.name), *type, entry.size});
  }

  Table table(std::move(columns));
  const auto& defs = table.Columns();
  const std::int32_t count = in.Integer();
  Enforce(in.Byte() == kList, kInvalidValue);
  std::int32_t read = 0;
  // Every record takes at least one byte per column, so the loop ends with the data, and room
  // is made for no more records than the remaining bytes can hold; a table without columns can
  // hold no record that could be read.
  if (!defs.empty() && count > 0) {
    table.Reserve(static_cast<int>(
        std::min<std::size_t>(static_cast<std::size_t>(count), in.Remaining() / defs.size())));
  }
  while (!defs.empty() && read < count && in.Peek() != kNull) {
    table.Append();
    const int record = table.RecordCount() - 1;
    for (std::size_t c = 0; c < defs.size(); ++c) {
      if (in.Byte() == kNullField) continue;
      const int column = static_cast<int>(c);
      if (IsIntegerType(defs[c].type)) {
        table.SetAt(record, column, in.Integer());
      } else if (IsTextType(defs[c].type)) {
        table.SetAt(record, column, in.Text());
      } else {
        table.SetAt(record, column, in.Boolean());
      }
    }
    ++read;
  }
  if (in.Byte() != kNull || read != count || table.RecordCount() != count) Fail(kCountMismatch);
  table.First();
  return table;
}

void SaveTableToFile(const Table& table, const std::string& path) {
  RefuseWriteProtected(path);
  ReplaceFileContents(path, WriteTableBytes(table));
}

void LoadTableFromFile(Table& table, const std::string& path) {
  table = Table();
  table = ReadTableBytes(ReadWholeFile(path));
}

}  // namespace trimora
