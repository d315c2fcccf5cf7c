// Fuzzes the settings file parser and the version record scanner: any bytes must parse
// without fault, a parsed file must write out to a text that parses to the same text, and
// a value set in it must read back.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "platform/settings_file.h"
#include "platform/version_record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  trimora::SettingsDocument document = trimora::SettingsDocument::Parse(input);
  const std::string written = document.Serialize();
  if (trimora::SettingsDocument::Parse(written).Serialize() != written) std::abort();

  // The input's first line names a key and a value; the rest is a text to store.
  const std::size_t split = input.find('\n');
  const std::string_view name = input.substr(0, split == std::string_view::npos ? 0 : split);
  const std::string_view text = split == std::string_view::npos ? input : input.substr(split + 1);
  const std::string key = "\\Software\\Halvorn\\Trimora\\2.0\\" + std::string(name);
  document.Set(key, name, {trimora::SettingsValue::Kind::kString, std::string(text), 0});
  const auto back = trimora::SettingsDocument::Parse(document.Serialize()).Find(key, name);
  if (!back || back->text != text) std::abort();

  // The quick lookup agrees with the parsed document.
  const std::string changed = document.Serialize();
  const auto quick = trimora::SettingsDocument::Lookup(changed, key, name);
  if (!quick.hasKey || !quick.value || quick.value->text != text) std::abort();
  const auto original = trimora::SettingsDocument::Lookup(input, key, name);
  const auto full = trimora::SettingsDocument::Parse(input).Find(key, name);
  if (original.hasKey != trimora::SettingsDocument::Parse(input).HasKey(key) ||
      original.value.has_value() != full.has_value() ||
      (full && (full->kind != original.value->kind || full->text != original.value->text ||
                full->number != original.value->number))) {
    std::abort();
  }

  trimora::FindVersionRecord({data, size});
  return 0;
}
