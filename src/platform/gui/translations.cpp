#include "platform/gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QTranslator>

namespace vrl::gui {

bool installGermanQtTranslations(QTranslator& translator) {
    // By file name, not by QLocale::system(): under LANG=C the dialogs must be German too. The
    // Windows program carries the file as a resource (Windows has no copy of Qt's translations);
    // on Linux it is the system's.
    const QString name = QStringLiteral("qtbase_de");
    if (!translator.load(name, QStringLiteral(":/qt-translations")) &&
        !translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

}  // namespace vrl::gui
