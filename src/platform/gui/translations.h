#pragma once

class QTranslator;

namespace vrl::gui {

// Loads Qt's own German texts (file dialog, standard buttons of message boxes) into translator
// and installs it in the application, whatever the process locale says. The file embedded under
// :/qt-translations (the Windows program's) comes first, else the one Qt's installation has.
// False when there is neither; Qt's dialogs then stay English.
bool installGermanQtTranslations(QTranslator& translator);

// The languages the program speaks; the numbers are those the settings file keeps and the error
// catalogue's language numbers (2 English, every other value German).
enum class Language { German = 1, English = 2 };

// German on a desktop whose language is German (de, de_AT, de_CH ...), English on every other.
Language desktopLanguage();

// Makes the program speak language from here on: its own texts (the English translation
// embedded under :/translations, also for the Qt-free layers' VRL_TR texts), Qt's dialogs
// (Qt's German texts only for German; Qt speaks English by itself) and the numbers on screen
// (the default QLocale: a decimal comma in German, a point in English). The translators live in
// this module until the next call; install before the windows are built, since they take their
// texts when made. False when a translation could not be loaded; the texts then stay German
// (or Qt's English), the program works all the same.
bool installLanguage(Language language);

// Takes the translators out again: the source texts, Qt's English, and the default QLocale as
// before the first install.
void uninstallLanguage();

// The language installed last (German before any install).
Language installedLanguage();

}  // namespace vrl::gui
