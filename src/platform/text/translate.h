#pragma once

// The program's texts are written in German; a program that speaks another language installs a
// translator that gives the text for the operator's language. Qt-free, so that every layer can
// mark its texts: `VRL_TR("context", "German text")` is found by lupdate (run with
// `-tr-function-alias translate+=VRL_TR`) like QCoreApplication::translate.

#include <string>

namespace vrl::text {

// The text in the installed language; null when the source text is to stand.
using Translator = const char* (*)(const char* context, const char* german);

// Installs translator for the whole process; nullptr goes back to German. Installed once at
// start-up (and on a change of language in the window's thread), before the texts are read.
void install(Translator translator);

// The translation of german, or german itself when no translator is installed or it has none.
std::string tr(const char* context, const char* german);

}  // namespace vrl::text

#define VRL_TR(context, german) ::vrl::text::tr(context, german)
