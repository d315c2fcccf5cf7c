// The user's home and configuration folders, as the other folder and settings code uses them.
#pragma once

#include <string>
#include <string_view>

namespace trimora {

// The folder of the program's own files below a user's configuration or data folder.
inline constexpr std::string_view kUserSubfolder = "Halvorn/Trimora";

// $HOME, else the home folder of the user's account; without a trailing "/".
std::string HomeFolder();

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; read anew on every call.
std::string ConfigHome();

// $XDG_DATA_HOME when it is an absolute path, else ~/.local/share; read anew on every call.
std::string DataHome();

}  // namespace trimora
