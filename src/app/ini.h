#pragma once

// The settings store: named sections of tagged items held in memory, read from and written to a
// small text file of "[section]" lines and "tag = value" lines. Section and tag names are
// compared ignoring case and leading and trailing white space. Every operation returns 0 (or, for
// a read of an item, 1 when it was found) or a negative code; nothing throws.

struct IniStore;
using IniText = IniStore*;

namespace ini {

inline constexpr int kNoStore = -65;  // the store (or another pointer argument) is missing
inline constexpr int kOutOfMemory = -12;
inline constexpr int kIoError = -93;  // reading or writing failed part-way
inline constexpr int kFileNotFound = -94;
inline constexpr int kAccessDenied = -95;  // the target can neither be opened nor created
inline constexpr int kCannotOpen = -5001;  // the file exists but cannot be opened for reading
inline constexpr int kNoTemporaryName = -5003;
inline constexpr int kTemporaryNotCreated = -5004;
inline constexpr int kNotAnInteger = -5005;

inline constexpr int kLineLimit = 255;  // [characters] kept of a line read; the rest is dropped

}  // namespace ini

// A new empty store, or nullptr when memory runs out. With autoSort (the program always passes
// 1) sections and items are kept in alphabetical order ignoring case; otherwise in the order
// they were first put or read.
IniText Ini_New(int autoSort);
// Frees the store and everything in it; nullptr is allowed.
void Ini_Dispose(IniText store);

// Adds the file's sections and items to the store. A missing file gives kFileNotFound, one that
// exists but cannot be opened kCannotOpen.
int Ini_ReadFromFile(IniText store, const char* path);
// Replaces the file at path, or the file a symbolic link there leads to, with the store's
// contents. The text goes to a temporary file beside the target that then takes the target's
// place in one step, so a failed write leaves the old file as it was; where the folder takes no
// new file, the target is overwritten directly and kIoError then means it may be incomplete.
int Ini_WriteToFile(IniText store, const char* path);

// Puts value's decimal text under the tag, replacing an item of the same tag; creates the
// section when it does not exist yet.
int Ini_PutInt(IniText store, const char* section, const char* tag, int value);
// 1 with *value set when the item exists and its text is a decimal integer in the int range;
// 0 when the section or the item does not exist; kNotAnInteger (with *value untouched) when the
// text is something else.
int Ini_GetInt(IniText store, const char* section, const char* tag, int* value);
