#include "platform/gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vrl::gui {

bool installGermanQtTranslations(QTranslator& translator) {
    // By file name, not by QLocale::system(): under LANG=C the dialogs must be German too.
    if (!translator.load(QStringLiteral("qtbase_de"),
                         QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace vrl::gui
