#pragma once

// The parameter file: all 17 table entries as one 3576-byte image with an identifier and a
// version number.

#include <cstddef>
#include <string>

namespace vrl::params {
inline constexpr const char* kFileIdentifier = "VRLTKV9DSteuerung";
inline constexpr int kFileVersion = 4;
inline constexpr std::size_t kHeaderSize = 36;  // [bytes] identifier field and version
inline constexpr std::size_t kRecordsOffset = 40;
inline constexpr std::size_t kFileSize = 3576;
}  // namespace vrl::params

// 0 = go on, 1 = stop: asks whether to save changed data.
int AbfrageWennNichtGespeichert();
// 0 = "Speichern", 1 = "Speichern unter...".
int DateiSpeichern(int saveAs);
int DateiOeffnen();
// Opens the parameter file at a path the operator named outside the file dialog (a double click
// on a .tkv file, the program's argument), with the dialog's checks.
int DateiOeffnenPfad(const std::string& path);

// Writes the table to a path without a dialog or a check, and makes it the current file.
int Datei_Schreiben(const std::string& path);
// Reads the table from a path without a dialog, and makes it the current file.
int Datei_Lesen(const std::string& path);
