#include "app/fenster.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMargins>
#include <QMenu>
#include <QPointer>
#include <QRect>
#include <QScreen>
#include <QString>
#include <algorithm>
#include <vector>

#include "app/ini.h"

#include "platform/gui/panels.h"

namespace {

struct Fenster {
    QPointer<QMainWindow> panel;
    QString name;
    QPointer<QMenu> menu;
};

std::vector<Fenster> gFensterliste;
QPointer<QMainWindow> gHauptpanel;
// The window last shown, whose place the settings keep: the one visible when the program ends.
QPointer<QMainWindow> gZuletztGezeigt;

constexpr const char* kFensterSection = "fenster";
// The frame the usual desktops draw around a window: title bar above, borders elsewhere [px].
constexpr QMargins kRahmen{8, 40, 8, 8};

// The window whose menu was used: the one visible top-level window of the list.
QMainWindow* activePanel() {
    for (const auto& entry : gFensterliste)
        if (entry.panel && entry.panel->isVisible()) return entry.panel;
    return nullptr;
}

void chooseWindow(const QString& name) {
    for (const auto& entry : gFensterliste) {
        if (entry.name != name) continue;
        if (QMainWindow* from = activePanel(); from && entry.panel && from != entry.panel)
            Fenster_SwitchPanels(from, entry.panel);
    }
}

}  // namespace

void Fenster_Initialisieren() {
    gFensterliste.clear();
    gZuletztGezeigt = nullptr;
}

void Fenster_HauptpanelSet(QMainWindow* panel) {
    gHauptpanel = panel;
}

QMainWindow* Fenster_MainpanelGet() {
    return gHauptpanel;
}

void Fenster_PanelZurListeHinzufuegen(QMainWindow* panel, const char* name, QMenu* menu) {
    if (static_cast<int>(gFensterliste.size()) >= kMaxFenster) return;
    gFensterliste.push_back({panel, QString::fromUtf8(name).left(49), menu});
}

void Fenster_MenueintraegeErstellen() {
    for (const auto& owner : gFensterliste) {
        if (!owner.menu) continue;
        for (const auto& entry : gFensterliste) {
            QAction* item = owner.menu->addAction(entry.name);
            if (entry.name == owner.name) {
                // The window's own entry is checked and does nothing.
                item->setCheckable(true);
                item->setChecked(true);
                QObject::connect(item, &QAction::triggered, item,
                                 [item] { item->setChecked(true); });
                continue;
            }
            const QString name = entry.name;
            QObject::connect(item, &QAction::triggered, item, [name] { chooseWindow(name); });
        }
        vrl::gui::addMnemonics(owner.menu);
    }
}

void Fenster_Anzeigen(QMainWindow* to) {
    if (QMainWindow* from = activePanel(); from && to && from != to) Fenster_SwitchPanels(from, to);
}

void Fenster_SwitchPanels(QMainWindow* from, QMainWindow* to) {
    if (!from || !to || from == to) return;
    gZuletztGezeigt = to;
    const bool maximized = from->isMaximized();
    const bool normal = !maximized && !from->isMinimized() && !from->isFullScreen();
    const QRect geometry = from->geometry();
    from->hide();
    if (normal) to->setGeometry(geometry);
    if (maximized)
        to->showMaximized();
    else
        to->showNormal();
    to->activateWindow();
}

QRect Fenster_AufBildschirm(const QRect& wanted, const QRect& available) {
    const QRect area = available.marginsRemoved(kRahmen);
    const QSize size = wanted.size().boundedTo(area.size());
    const int left =
        std::clamp(wanted.left(), area.left(), area.left() + area.width() - size.width());
    const int top =
        std::clamp(wanted.top(), area.top(), area.top() + area.height() - size.height());
    return {QPoint(left, top), size};
}

int Fenster_ReadIni(IniText store) {
    QMainWindow* window = gHauptpanel;
    if (!window) return 0;
    int left = 0, top = 0, width = 0, height = 0, maximized = 0;
    const bool stored = Ini_GetInt(store, kFensterSection, "links", &left) > 0 &&
                        Ini_GetInt(store, kFensterSection, "oben", &top) > 0 &&
                        Ini_GetInt(store, kFensterSection, "breite", &width) > 0 &&
                        Ini_GetInt(store, kFensterSection, "hoehe", &height) > 0;
    Ini_GetInt(store, kFensterSection, "maximiert", &maximized);
    // The screen the window was on, if it is still there; the primary one otherwise.
    QRect wanted = stored ? QRect(left, top, width, height) : QRect(QPoint(), window->size());
    QScreen* screen = stored ? QGuiApplication::screenAt(wanted.center()) : nullptr;
    if (!screen) screen = QGuiApplication::primaryScreen();
    if (!screen) return 0;
    const QRect available = screen->availableGeometry();
    if (!stored) wanted.moveCenter(available.center());
    window->setGeometry(Fenster_AufBildschirm(wanted, available));
    if (maximized > 0) window->setWindowState(window->windowState() | Qt::WindowMaximized);
    return 0;
}

int Fenster_WriteIni(IniText store) {
    QMainWindow* window = gZuletztGezeigt ? gZuletztGezeigt.data() : gHauptpanel.data();
    if (!window) return 0;
    // The normal geometry: a maximised window comes back maximised over the place it had.
    const QRect place =
        window->normalGeometry().isValid() ? window->normalGeometry() : window->geometry();
    Ini_PutInt(store, kFensterSection, "links", place.left());
    Ini_PutInt(store, kFensterSection, "oben", place.top());
    Ini_PutInt(store, kFensterSection, "breite", place.width());
    Ini_PutInt(store, kFensterSection, "hoehe", place.height());
    Ini_PutInt(store, kFensterSection, "maximiert", window->isMaximized() ? 1 : 0);
    return 0;
}
