// The user's home and configuration folders, as the other folder and settings code uses them.
#pragma once

#include <string>

namespace trimora {

// $HOME, else the home folder of the user's account; without a trailing "/".
std::string HomeFolder();

// $XDG_CONFIG_HOME when it is an absolute path, else ~/.config; read anew on every call.
std::string ConfigHome();

}  // namespace trimora
