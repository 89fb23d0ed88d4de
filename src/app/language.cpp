#include "app/language.h"

#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <string>

#include "app/ini.h"
#include "app/shell.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "platform/text/translate.h"

namespace {

constexpr const char* kSection = "sprache";
constexpr const char* kTag = "auswahl";
constexpr int kDesktop = 0;  // no choice kept: the desktop's language

int gAuswahl = kDesktop;
bool gNeustart = false;

int validChoice(int value) {
    return value == static_cast<int>(vrl::gui::Language::German) ||
                   value == static_cast<int>(vrl::gui::Language::English)
               ? value
               : kDesktop;
}

vrl::gui::Language chosenLanguage() {
    return gAuswahl == kDesktop ? vrl::gui::desktopLanguage()
                                : static_cast<vrl::gui::Language>(gAuswahl);
}

void choose(int auswahl) {
    gAuswahl = auswahl;
    gNeustart = false;
    if (chosenLanguage() == vrl::gui::installedLanguage()) return;
    constexpr int kNeuStarten = 1, kSpaeter = 2;
    const int answer = vrl::popups().questionWithKeys(
        "Sprache / Language",
        VRL_TR("Sprache",
               "Die gewählte Sprache gilt ab dem nächsten Start des Programms. Jetzt neu starten?"),
        VRL_TR("Sprache", "Neu starten"), VRL_TR("Sprache", "Später"), "", kSpaeter, kSpaeter);
    if (answer != kNeuStarten) return;
    gNeustart = true;
    Menu_Datei_Beenden();
}

}  // namespace

void Sprache_Einstellen(vrl::gui::Language language) {
    vrl::gui::installLanguage(language);
    VRL_Fehlersprache(static_cast<int>(language));
}

void Sprache_BeimStartEinstellen(const char* iniPath) {
    IniText store = Ini_New(1);
    if (Ini_ReadFromFile(store, iniPath) == 0) Sprache_ReadIni(store);
    Ini_Dispose(store);
    Sprache_Einstellen(chosenLanguage());
}

int Sprache_ReadIni(IniText store) {
    int value = kDesktop;
    gAuswahl = Ini_GetInt(store, kSection, kTag, &value) > 0 ? validChoice(value) : kDesktop;
    return 0;
}

int Sprache_WriteIni(IniText store) {
    if (gAuswahl != kDesktop) Ini_PutInt(store, kSection, kTag, gAuswahl);
    return 0;
}

void Sprache_MenueErstellen(QMenu* menu) {
    QMenu* sprachen = menu->addMenu(QStringLiteral("Sprache / Language"));
    sprachen->setObjectName(QStringLiteral("SPRACHE"));
    auto* group = new QActionGroup(sprachen);
    const struct {
        QString text;
        int auswahl;
    } entries[] = {
        {QCoreApplication::translate("Sprache", "Wie der Desktop"), kDesktop},
        {QStringLiteral("Deutsch"), static_cast<int>(vrl::gui::Language::German)},
        {QStringLiteral("English"), static_cast<int>(vrl::gui::Language::English)},
    };
    for (const auto& entry : entries) {
        QAction* item = sprachen->addAction(entry.text);
        item->setCheckable(true);
        item->setChecked(entry.auswahl == gAuswahl);
        group->addAction(item);
        const int auswahl = entry.auswahl;
        QObject::connect(item, &QAction::triggered, item, [auswahl] { choose(auswahl); });
    }
}

bool Sprache_NeustartGewuenscht() {
    return gNeustart;
}

void Sprache_KeinNeustart() {
    gNeustart = false;
}
