#include "platform/gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QStringList>
#include <QTranslator>
#include <memory>
#include <mutex>
#include <string>
#include <unordered_map>

#include "platform/text/translate.h"

namespace vrl::gui {
namespace {

Language gInstalled = Language::German;
std::unique_ptr<QLocale> gLocaleBefore;
std::unique_ptr<QTranslator> gOwnTexts;
std::unique_ptr<QTranslator> gQtTexts;

// The Qt-free layers' texts through Qt's translators. They ask from any thread (the line worker,
// the server) and keep the pointer, so every translation is kept once for the process's life.
const char* translateForLayers(const char* context, const char* german) {
    const QString translated = QCoreApplication::translate(context, german);
    if (translated == QString::fromUtf8(german)) return nullptr;
    static std::mutex guard;
    static std::unordered_map<std::string, std::string> kept;
    std::string key = std::string(context) + '\n' + german;
    const std::lock_guard lock(guard);
    return kept.try_emplace(std::move(key), translated.toStdString()).first->second.c_str();
}

void removeTranslator(std::unique_ptr<QTranslator>& translator) {
    if (!translator) return;
    QCoreApplication::removeTranslator(translator.get());
    translator.reset();
}

}  // namespace

bool installGermanQtTranslations(QTranslator& translator) {
    // By file name, not by QLocale::system(): under LANG=C the dialogs are German too when the
    // operator chose German. The Windows program carries the file as a resource (Windows has no
    // copy of Qt's translations); on Linux it is the system's.
    const QString name = QStringLiteral("qtbase_de");
    if (!translator.load(name, QStringLiteral(":/qt-translations")) &&
        !translator.load(name, QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    return QCoreApplication::installTranslator(&translator);
}

Language desktopLanguage() {
    // The desktop's language for messages (LANGUAGE, LC_ALL, LC_MESSAGES, LANG on Linux; the
    // user's display language on Windows), not the one of its number format.
    const QStringList languages = QLocale::system().uiLanguages();
    return !languages.isEmpty() && languages.first().startsWith(QStringLiteral("de"))
               ? Language::German
               : Language::English;
}

bool installLanguage(Language language) {
    removeTranslator(gOwnTexts);
    removeTranslator(gQtTexts);
    if (!gLocaleBefore) gLocaleBefore = std::make_unique<QLocale>();
    gInstalled = language;
    bool loaded = true;
    if (language == Language::German) {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        gQtTexts = std::make_unique<QTranslator>();
        loaded = installGermanQtTranslations(*gQtTexts);
        vrl::text::install(nullptr);
        return loaded;
    }
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    gOwnTexts = std::make_unique<QTranslator>();
    loaded = gOwnTexts->load(QStringLiteral(":/translations/tkv9d_en.qm")) &&
             QCoreApplication::installTranslator(gOwnTexts.get());
    vrl::text::install(translateForLayers);
    return loaded;
}

void uninstallLanguage() {
    removeTranslator(gOwnTexts);
    removeTranslator(gQtTexts);
    vrl::text::install(nullptr);
    if (gLocaleBefore) QLocale::setDefault(*gLocaleBefore);
    gLocaleBefore.reset();
    gInstalled = Language::German;
}

Language installedLanguage() {
    return gInstalled;
}

}  // namespace vrl::gui
