#include <QApplication>
#include <QTranslator>

#include "app/shell.h"
#include "platform/gui/qt_popups.h"
#include "platform/gui/translations.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("tkv9d-steuerung");
    // Without the translations Qt's dialogs speak English; the program works all the same.
    QTranslator qtGerman;
    vrl::gui::installGermanQtTranslations(qtGerman);
    vrl::gui::QtPopups popups;
    return Func_Run(popups);
}
