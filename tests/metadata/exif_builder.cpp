#include "exif_builder.h"

#include <fstream>

namespace trimora::metadata::testing {
namespace {

void Put16(std::string& out, std::uint32_t v, ByteOrder o) {
  if (o == ByteOrder::Intel) {
    out += static_cast<char>(v & 0xFF);
    out += static_cast<char>(v >> 8 & 0xFF);
  } else {
    out += static_cast<char>(v >> 8 & 0xFF);
    out += static_cast<char>(v & 0xFF);
  }
}

void Put32(std::string& out, std::uint32_t v, ByteOrder o) {
  if (o == ByteOrder::Intel) {
    Put16(out, v & 0xFFFF, o);
    Put16(out, v >> 16, o);
  } else {
    Put16(out, v >> 16, o);
    Put16(out, v & 0xFFFF, o);
  }
}

std::string ValueBytes(const Entry& e, ByteOrder o, std::uint32_t subOffset) {
  std::string v;
  if (e.subDirectory >= 0) {
    Put32(v, subOffset, o);
    return v;
  }
  if (!e.numbers.empty()) {
    for (std::uint32_t n : e.numbers) {
      if (e.type == 3 || e.type == 8) {
        Put16(v, n, o);
      } else {
        Put32(v, n, o);
      }
    }
    return v;
  }
  return e.bytes;
}

std::uint32_t Count(const Entry& e) {
  if (e.countOverride) return e.countOverride;
  if (e.subDirectory >= 0) return 1;
  if (!e.numbers.empty())
    return e.type == 5 || e.type == 10 ? e.numbers.size() / 2 : e.numbers.size();
  return static_cast<std::uint32_t>(e.bytes.size());
}

std::size_t DirectorySize(const Directory& d) {
  std::size_t size = 2 + 12 * d.entries.size() + 4;
  for (const Entry& e : d.entries) {
    const std::size_t n = e.subDirectory >= 0 ? 4 : ValueBytes(e, ByteOrder::Intel, 0).size();
    if (n > 4) size += n + (n & 1);
  }
  return size;
}

// Writes a directory at TIFF offset `at`; values are placed after it.
std::string WriteDirectory(const Directory& d, ByteOrder o, std::uint32_t at,
                           const std::vector<std::uint32_t>& offsets, std::int64_t valueBase) {
  std::string head, data;
  Put16(head, static_cast<std::uint32_t>(d.entries.size()), o);
  const std::uint32_t dataStart = at + 2 + 12 * static_cast<std::uint32_t>(d.entries.size()) + 4;
  for (const Entry& e : d.entries) {
    Put16(head, e.tag, o);
    Put16(head, e.subDirectory >= 0 ? 4 : e.type, o);
    Put32(head, Count(e), o);
    const std::string v = ValueBytes(e, o, e.subDirectory >= 0 ? offsets[e.subDirectory] : 0);
    if (e.offsetOverride >= 0 && v.size() <= 4) {
      Put32(head, static_cast<std::uint32_t>(e.offsetOverride), o);
    } else if (v.size() <= 4) {
      std::string inl = v;
      inl.resize(4, '\0');
      head += inl;
    } else {
      const std::int64_t offset =
          e.offsetOverride >= 0 ? e.offsetOverride
                                : static_cast<std::int64_t>(dataStart + data.size()) - valueBase;
      Put32(head, static_cast<std::uint32_t>(offset), o);
      data += v;
      if (v.size() & 1) data += '\0';
    }
  }
  Put32(head, d.next >= 0 ? offsets[d.next] : 0, o);
  return head + data;
}

std::vector<std::uint32_t> Offsets(const std::vector<Directory>& dirs) {
  std::vector<std::uint32_t> offsets;
  std::uint32_t at = 8;
  for (const Directory& d : dirs) {
    offsets.push_back(at);
    at += static_cast<std::uint32_t>(DirectorySize(d));
  }
  return offsets;
}

}  // namespace

namespace {
Entry Make(std::uint16_t tag, std::uint16_t type, std::vector<std::uint32_t> numbers,
           std::string bytes) {
  Entry e;
  e.tag = tag;
  e.type = type;
  e.numbers = std::move(numbers);
  e.bytes = std::move(bytes);
  return e;
}
}  // namespace

Entry Short(std::uint16_t tag, std::vector<std::uint32_t> values) {
  return Make(tag, 3, values, "");
}
Entry Long(std::uint16_t tag, std::vector<std::uint32_t> values) {
  return Make(tag, 4, values, "");
}
Entry Rational(std::uint16_t tag, std::vector<std::uint32_t> pairs) {
  return Make(tag, 5, pairs, "");
}
Entry Ascii(std::uint16_t tag, const std::string& text) {
  return Make(tag, 2, {}, text + std::string(1, '\0'));
}
Entry Undefined(std::uint16_t tag, const std::string& bytes) { return Make(tag, 7, {}, bytes); }
Entry Bytes(std::uint16_t tag, const std::string& bytes) { return Make(tag, 1, {}, bytes); }
Entry Pointer(std::uint16_t tag, int directory) {
  Entry e = Make(tag, 4, {}, "");
  e.subDirectory = directory;
  return e;
}

std::vector<std::uint8_t> BuildTiff(ByteOrder order, const std::vector<Directory>& dirs) {
  std::string out = order == ByteOrder::Intel ? "II" : "MM";
  Put16(out, 42, order);
  Put32(out, 8, order);
  const auto offsets = Offsets(dirs);
  for (std::size_t i = 0; i < dirs.size(); ++i) {
    out += WriteDirectory(dirs[i], order, offsets[i], offsets, 0);
  }
  return std::vector<std::uint8_t>(out.begin(), out.end());
}

std::uint32_t DirectoryOffset(ByteOrder, const std::vector<Directory>& dirs, int i) {
  return Offsets(dirs)[i];
}

std::vector<std::uint8_t> ExifSection(const std::vector<std::uint8_t>& tiff) {
  const std::size_t length = tiff.size() + 8;
  std::string head = "..Exif";
  head[0] = static_cast<char>(length >> 8);
  head[1] = static_cast<char>(length & 0xFF);
  head += std::string(2, '\0');
  std::vector<std::uint8_t> s;
  s.reserve(length);
  s.insert(s.end(), head.begin(), head.end());
  s.insert(s.end(), tiff.begin(), tiff.end());
  return s;
}

std::pair<std::uint8_t, std::string> App1(const std::vector<std::uint8_t>& section) {
  return {0xE1, std::string(section.begin() + 2, section.end())};
}

std::vector<std::uint8_t> Jpeg(const std::vector<std::pair<std::uint8_t, std::string>>& segments) {
  std::string out = "\xFF\xD8";
  for (const auto& [marker, payload] : segments) {
    out += '\xFF';
    out += static_cast<char>(marker);
    const std::size_t length = payload.size() + 2;
    out += static_cast<char>(length >> 8);
    out += static_cast<char>(length & 0xFF);
    out += payload;
  }
  out += std::string("\xFF\xDA\x00\x08\x01\x01\x00\x00\x3F\x00", 10);
  out += "\x12\x34\xFF\xD9";
  return std::vector<std::uint8_t>(out.begin(), out.end());
}

std::string MakerNote(ByteOrder order, const std::string& prefix, std::size_t dirAt,
                      const std::vector<Entry>& entries, std::int64_t offsetBase,
                      std::int64_t extra) {
  std::string note = prefix;
  note.resize(dirAt, '\0');
  Directory d{entries, -1};
  note += WriteDirectory(d, order, static_cast<std::uint32_t>(dirAt), {}, offsetBase - extra);
  return note;
}

void WriteFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));
}

}  // namespace trimora::metadata::testing
