#include <QApplication>

#include "app/shell.h"
#include "platform/gui/qt_popups.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("tkv9d-steuerung");
    vrl::gui::QtPopups popups;
    return Func_Run(popups);
}
