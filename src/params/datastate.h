#pragma once

// Which parameter file the data belong to, whether they changed since, and the window title.

#include <string>

inline constexpr const char* kUnbenannt = "Unbenannt";

int AlsGespeichertSetzen();
int DatenAlsGeaendertMarkieren();
int DateinameZuruecksetzen();
int PaneltitelAktualisieren();

namespace vrl::params {
// The file-name part of a path, extension included.
std::string fileNamePart(const std::string& path);
// The directory part of a path, "" when it has none.
std::string directoryPart(const std::string& path);
// The file the data belong to as the operator sees it: its name, or "Unbenannt" in the
// operator's language.
std::string shownFileName();
}  // namespace vrl::params
