#pragma once

// A folder of the user's own to start in. The settings file lives in the folder the program is
// started in, and a program started from the desktop's menu or by a double click on a file would
// start in one the user may not write (Program Files) or shares with everything else (home).

#include <optional>
#include <string>

namespace vrl::app {

// %APPDATA%\TKV9DSteuerung on Windows; elsewhere $XDG_CONFIG_HOME/tkv9d (~/.config/tkv9d when
// that is unset or relative), the folder that holds the port links too. "" when the
// environment names no such place.
std::string userFolder();

// Makes startFile (when given) absolute in the current folder, since it was named from there;
// then creates the user folder where it is missing and enters it. nullopt once there; else why
// not, in words for the operator, and the current folder stays.
std::optional<std::string> enterUserFolder(std::string& startFile);

}  // namespace vrl::app
