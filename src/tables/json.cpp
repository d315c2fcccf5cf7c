#include "tables/json.h"

#include <charconv>
#include <cstdio>

#include "platform/error.h"
#include "tables/ansi_text.h"

namespace trimora {
namespace {

class Parser {
 public:
  explicit Parser(std::string_view s) : s_(s) {}

  JsonValue Document() {
    if (!IsValidUtf8(s_)) Fail(ErrorCode::kJsonNotUtf8);
    SkipSpace();
    JsonValue value = Value(0);
    SkipSpace();
    if (pos_ != s_.size()) Fail(ErrorCode::kJsonTrailingText);
    return value;
  }

 private:
  [[noreturn]] void Fail(ErrorCode what, std::vector<std::string> args = {}) const {
    int line = 1, column = 1;
    for (std::size_t i = 0; i < pos_ && i < s_.size(); ++i) {
      if (s_[i] == '\n') {
        ++line, column = 1;
      } else {
        ++column;
      }
    }
    throw Error(ErrorCode::kJsonSyntax, {std::to_string(line), std::to_string(column)},
                Error(what, std::move(args)));
  }

  bool AtEnd() const { return pos_ >= s_.size(); }
  char Peek() const { return AtEnd() ? '\0' : s_[pos_]; }

  void SkipSpace() {
    while (!AtEnd() &&
           (s_[pos_] == ' ' || s_[pos_] == '\t' || s_[pos_] == '\n' || s_[pos_] == '\r')) {
      ++pos_;
    }
  }

  void Expect(char c) {
    if (Peek() != c) Fail(ErrorCode::kJsonCharExpected, {std::string(1, c)});
    ++pos_;
  }

  void Word(std::string_view word) {
    if (s_.substr(pos_, word.size()) != word) Fail(ErrorCode::kJsonUnknownWord);
    pos_ += word.size();
  }

  JsonValue Value(int depth) {
    if (depth >= kJsonMaxDepth) Fail(ErrorCode::kJsonTooDeep);
    JsonValue v;
    switch (Peek()) {
      case '{':
        v.kind = JsonValue::Kind::Object;
        Object(v, depth);
        break;
      case '[':
        v.kind = JsonValue::Kind::Array;
        Array(v, depth);
        break;
      case '"':
        v.kind = JsonValue::Kind::String;
        v.text = String();
        break;
      case 't':
        Word("true");
        v.kind = JsonValue::Kind::Boolean;
        v.boolean = true;
        break;
      case 'f':
        Word("false");
        v.kind = JsonValue::Kind::Boolean;
        break;
      case 'n':
        Word("null");
        break;
      default:
        v.kind = JsonValue::Kind::Number;
        v.text = Number();
    }
    return v;
  }

  void Object(JsonValue& v, int depth) {
    Expect('{');
    SkipSpace();
    if (Peek() == '}') {
      ++pos_;
      return;
    }
    for (;;) {
      SkipSpace();
      if (Peek() != '"') Fail(ErrorCode::kJsonNameExpected);
      std::string key = String();
      if (v.Find(key)) Fail(ErrorCode::kJsonNameTwice, {key});
      SkipSpace();
      Expect(':');
      SkipSpace();
      JsonValue member = Value(depth + 1);
      v.members.push_back({std::move(key), std::move(member)});
      SkipSpace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect('}');
      return;
    }
  }

  void Array(JsonValue& v, int depth) {
    Expect('[');
    SkipSpace();
    if (Peek() == ']') {
      ++pos_;
      return;
    }
    for (;;) {
      SkipSpace();
      v.items.push_back(Value(depth + 1));
      SkipSpace();
      if (Peek() == ',') {
        ++pos_;
        continue;
      }
      Expect(']');
      return;
    }
  }

  unsigned Hex4() {
    if (s_.size() - pos_ < 4) Fail(ErrorCode::kJsonShortUnicode);
    unsigned v = 0;
    for (int i = 0; i < 4; ++i) {
      const char c = s_[pos_++];
      v <<= 4;
      if (c >= '0' && c <= '9') {
        v |= static_cast<unsigned>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        v |= static_cast<unsigned>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        v |= static_cast<unsigned>(c - 'A' + 10);
      } else {
        Fail(ErrorCode::kJsonBadUnicode);
      }
    }
    return v;
  }

  std::string String() {
    Expect('"');
    std::string out;
    for (;;) {
      if (AtEnd()) Fail(ErrorCode::kJsonOpenText);
      const char c = s_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Fail(ErrorCode::kJsonControlChar);
      if (c != '\\') {
        out += c;
        continue;
      }
      if (AtEnd()) Fail(ErrorCode::kJsonShortEscape);
      switch (const char e = s_[pos_++]) {
        case '"':
        case '\\':
        case '/':
          out += e;
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned c1 = Hex4();
          if (c1 >= 0xD800 && c1 <= 0xDBFF) {
            if (s_.substr(pos_, 2) != "\\u") Fail(ErrorCode::kJsonShortSurrogate);
            pos_ += 2;
            const unsigned c2 = Hex4();
            if (c2 < 0xDC00 || c2 > 0xDFFF) Fail(ErrorCode::kJsonBadSurrogate);
            c1 = 0x10000 + ((c1 - 0xD800) << 10) + (c2 - 0xDC00);
          } else if (c1 >= 0xDC00 && c1 <= 0xDFFF) {
            Fail(ErrorCode::kJsonBadSurrogate);
          }
          AppendUtf8(out, c1);
          break;
        }
        default:
          Fail(ErrorCode::kJsonUnknownEscape);
      }
    }
  }

  std::string Number() {
    const std::size_t start = pos_;
    auto digits = [&] {
      const std::size_t from = pos_;
      while (!AtEnd() && s_[pos_] >= '0' && s_[pos_] <= '9') ++pos_;
      return pos_ - from;
    };
    if (Peek() == '-') ++pos_;
    if (Peek() == '0') {
      ++pos_;
    } else if (digits() == 0) {
      Fail(ErrorCode::kJsonValueExpected);
    }
    if (Peek() == '.') {
      ++pos_;
      if (digits() == 0) Fail(ErrorCode::kJsonDigitExpected);
    }
    if (Peek() == 'e' || Peek() == 'E') {
      ++pos_;
      if (Peek() == '+' || Peek() == '-') ++pos_;
      if (digits() == 0) Fail(ErrorCode::kJsonDigitExpected);
    }
    return std::string(s_.substr(start, pos_ - start));
  }

  std::string_view s_;
  std::size_t pos_ = 0;
};

}  // namespace

std::optional<std::int64_t> JsonValue::Integer() const {
  if (kind != Kind::Number || text.find_first_of(".eE") != std::string::npos) return std::nullopt;
  std::int64_t v = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return v;
}

const JsonValue* JsonValue::Find(std::string_view key) const {
  for (const auto& [name, value] : members) {
    if (name == key) return &value;
  }
  return nullptr;
}

JsonValue ParseJson(std::string_view document) { return Parser(document).Document(); }

std::string JsonQuote(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size() + 2);
  out += '"';
  for (char c : utf8) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char escape[8];
          std::snprintf(escape, sizeof escape, "\\u%04x", static_cast<unsigned>(c));
          out += escape;
        } else {
          out += c;
        }
    }
  }
  out += '"';
  return out;
}

}  // namespace trimora
