#pragma once

// The program's texts are written in German; a program that speaks another language installs a
// translator that gives the text for the operator's language. Qt-free, so that every layer can
// mark its texts: `VRL_TR("context", "German text")` is found by lupdate (run with
// `-tr-function-alias translate+=VRL_TR`) like QCoreApplication::translate.

#include <initializer_list>
#include <string>
#include <string_view>

namespace vrl::text {

// The text in the installed language; null when the source text is to stand.
using Translator = const char* (*)(const char* context, const char* german);

// Installs translator for the whole process; nullptr goes back to German. Installed once at
// start-up (and on a change of language in the window's thread), before the texts are read.
void install(Translator translator);

// The translation of german, or german itself when no translator is installed or it has none.
std::string tr(const char* context, const char* german);

// text with %1, %2 ... %9 replaced by the values in order, as QString::arg would: a translation
// may put them elsewhere than the German text does. A number without its value stays.
std::string fill(std::string_view text, std::initializer_list<std::string_view> values);

}  // namespace vrl::text

#define VRL_TR(context, german) ::vrl::text::tr(context, german)
// Marks a text kept in a table for lupdate; VRL_TR(context, row.text) translates it where shown.
#define VRL_TR_NOOP(context, german) german
