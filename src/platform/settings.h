// The settings store: named values under one per-user key shared by Trimora2 and Brevio.
//
// A name without "\" is a value directly in the key; "ToolBar\Order" is the value "Order" in
// the sub-key "ToolBar" (split at the first "\"). Every call opens the key anew (creating it,
// also on reads) and keeps nothing cached. Texts are UTF-8.
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

// The key path: "\Software\Halvorn\Trimora\" followed by major and minor of ProgramVersion().
std::string SettingsKey();

// The file that holds the key on this system (for messages and for tests).
std::string SettingsFilePath();

// Lets tests put the store under `folder` instead of $XDG_CONFIG_HOME (read on every call);
// an empty folder returns to the environment.
void SetSettingsHomeForTesting(std::string folder);

}  // namespace trimora
