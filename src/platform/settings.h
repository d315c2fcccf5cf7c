// The settings store: named values under one per-user key shared by Trimora2 and Brevio.
//
// A name without "\" is a value directly in the key; "ToolBar\Order" is the value "Order" in
// the sub-key "ToolBar" (split at the first "\"). A read creates the key when it is missing.
// What was read is kept while the stored file stays the same; a change by another program is
// seen at the next call. Texts are UTF-8.
#pragma once

#include <string>
#include <string_view>

namespace trimora {

// A missing value or an empty string gives `defaultText`.
std::string ReadStringSetting(std::string_view name, std::string_view defaultText);
void WriteStringSetting(std::string_view name, std::string_view text);

// A missing value, or one that is not a number, gives `defaultNumber`.
int ReadIntSetting(std::string_view name, int defaultNumber);
void WriteIntSetting(std::string_view name, int number);

// Stored as a number; true only when it is exactly 1.
bool ReadBoolSetting(std::string_view name, bool defaultFlag);
void WriteBoolSetting(std::string_view name, bool flag);

// While one lives (they may nest), changes are gathered and written together when the last one
// ends; reads in between see them. Without one, every change is written at once.
class SettingsBatch {
 public:
  SettingsBatch();
  ~SettingsBatch();
  SettingsBatch(const SettingsBatch&) = delete;
  SettingsBatch& operator=(const SettingsBatch&) = delete;
};

// The key path: "\Software\Halvorn\Trimora\" followed by major and minor of ProgramVersion().
std::string SettingsKey();

// The file that holds the key on this system (for messages and for tests).
std::string SettingsFilePath();

// Lets tests put the store under `folder` instead of $XDG_CONFIG_HOME (read on every call);
// an empty folder returns to the environment.
void SetSettingsHomeForTesting(std::string folder);

}  // namespace trimora
