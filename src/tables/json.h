// A small strict JSON reader and the quoting for writing it: enough for the table exchange of
// the command-line tool. Texts are UTF-8.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace trimora {

struct JsonMember;

// One parsed JSON value.
struct JsonValue {
  enum class Kind { Null, Boolean, Number, String, Array, Object };

  Kind kind = Kind::Null;
  bool boolean = false;
  std::string text;                 // a string's characters, or a number's literal
  std::vector<JsonValue> items;     // an array's elements
  std::vector<JsonMember> members;  // an object's members in order

  // The number as an integer when its literal is one (no fraction, no exponent) and fits.
  std::optional<std::int64_t> Integer() const;

  // The member called `key`, or nullptr.
  const JsonValue* Find(std::string_view key) const;
};

// One member of a JSON object.
struct JsonMember {
  std::string name;
  JsonValue value;
};

// Nesting deeper than this is refused, so no input can exhaust the stack.
inline constexpr int kJsonMaxDepth = 64;

// Parses one JSON document (RFC 8259: no comments, no trailing commas, no duplicate keys,
// well-formed UTF-8). Throws trimora::Error with the line and column of the fault.
JsonValue ParseJson(std::string_view document);

// `utf8` as a JSON string literal with its quotation marks.
std::string JsonQuote(std::string_view utf8);

}  // namespace trimora
