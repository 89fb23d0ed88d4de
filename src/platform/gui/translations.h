#pragma once

class QTranslator;

namespace vrl::gui {

// Loads Qt's own German texts (file dialog, standard buttons of message boxes) into translator
// and installs it in the application. German whatever the process locale says: the operators'
// program speaks German throughout. The file embedded under :/qt-translations (the Windows
// program's) comes first, else the one Qt's installation has. False when there is neither; Qt's
// dialogs then stay English.
bool installGermanQtTranslations(QTranslator& translator);

}  // namespace vrl::gui
