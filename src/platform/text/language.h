#pragma once

// The language a console program speaks: German on a German system, English on every other.

#include <string>
#include <string_view>

#include "platform/text/translate.h"

namespace vrl::text {

enum class Language { German, English };

// The choice as POSIX orders the locale's variables: the first of LC_ALL, LC_MESSAGES and LANG
// that is set and not empty decides; "de..." (de_DE.UTF-8, de_AT, de) is German, anything else
// (C, POSIX, en_US) and nothing set at all is English. Null stands for a variable not set.
Language languageOf(const char* lcAll, const char* lcMessages, const char* lang);

// This process's language: from the environment as above; on Windows the user's language of
// the desktop, as the window program follows it.
Language systemLanguage();

// The English text of the program's own translation table, or null where it has none; a
// Translator for install().
const char* englishText(const char* context, const char* german);

// Installs the translator for `language` (none for German).
void useLanguage(Language language);

}  // namespace vrl::text
