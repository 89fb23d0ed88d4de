#include "app/fenster.h"

#include <QAction>
#include <QApplication>
#include <QMainWindow>
#include <QMenu>
#include <QPointer>
#include <QString>
#include <vector>

#include "platform/gui/panels.h"

namespace {

struct Fenster {
    QPointer<QMainWindow> panel;
    QString name;
    QPointer<QMenu> menu;
};

std::vector<Fenster> gFensterliste;
QPointer<QMainWindow> gHauptpanel;

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

void Fenster_SwitchPanels(QMainWindow* from, QMainWindow* to) {
    if (!from || !to || from == to) return;
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
