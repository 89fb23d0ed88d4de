#include "platform/gui/panels.h"

#include <QAbstractSpinBox>
#include <QAction>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QScrollArea>
#include <QShortcut>
#include <QtGlobal>

#include "platform/gui/controls.h"

// Outside any namespace, as Q_INIT_RESOURCE requires. Referencing the images' initialiser also
// keeps the linker from dropping them out of this static library.
static void initPanelImages() {
    Q_INIT_RESOURCE(panel_images);
}

namespace vrl::gui {

namespace {

template <class Form>
std::unique_ptr<QWidget> build(QWidget* parent) {
    preparePanelResources();
    auto window = std::make_unique<typename PanelWindow<Form>::type>(parent);
    Form form;
    form.setupUi(window.get());
    finishPanel(window.get());
    return window;
}

// The letter after the '&' of a text that has a mnemonic, else a null character.
QChar mnemonicOf(const QString& text) {
    for (qsizetype i = text.indexOf(QLatin1Char('&')); i >= 0 && i + 1 < text.size();
         i = text.indexOf(QLatin1Char('&'), i + 2)) {
        if (text[i + 1] != QLatin1Char('&')) return text[i + 1].toLower();
    }
    return {};
}

// Where the mnemonic goes: a free word-initial letter first ("Speichern &unter..." beside
// "&Speichern"), then any free letter or digit; -1 when every one is taken.
qsizetype mnemonicPlace(const QString& text, const QString& used) {
    for (const bool wordStart : {true, false}) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!text[i].isLetterOrNumber() || used.contains(text[i].toLower())) continue;
            if (!wordStart || i == 0 || !text[i - 1].isLetterOrNumber()) return i;
        }
    }
    return -1;
}

void addMnemonics(const QList<QAction*>& actions) {
    QString used;
    for (const QAction* action : actions)
        if (const QChar taken = mnemonicOf(action->text()); !taken.isNull()) used += taken;
    for (QAction* action : actions) {
        QString text = action->text();
        if (action->isSeparator() || text.isEmpty() || !mnemonicOf(text).isNull()) continue;
        const qsizetype place = mnemonicPlace(text, used);
        if (place < 0) continue;
        used += text[place].toLower();
        action->setText(text.insert(place, QLatin1Char('&')));
    }
}

// Scrolls a window's content when the screen is smaller than it (a notebook at 125 %), so the
// window and its last row stay on the screen. It asks for the content's full size: a window
// opens as large as it wants or as the screen allows, never at QScrollArea's small default.
class ContentScroller : public QScrollArea {
  public:
    using QScrollArea::QScrollArea;
    QSize sizeHint() const override {
        return widget() ? widget()->sizeHint().expandedTo(widget()->minimumSize())
                        : QScrollArea::sizeHint();
    }
};

}  // namespace

void scrollWhenLargerThanScreen(QWidget* part) {
    auto* window = qobject_cast<QMainWindow*>(part->parentWidget());
    const bool central = window && window->centralWidget() == part;
    QLayout* layout = part->parentWidget() ? part->parentWidget()->layout() : nullptr;
    if (!central && !layout) return;
    auto* scroller = new ContentScroller(part->parentWidget());
    scroller->setObjectName(part->objectName() + QStringLiteral("_scroller"));
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setWidgetResizable(true);
    scroller->setFocusPolicy(Qt::NoFocus);  // the controls inside take focus, not the frame
    if (central) {
        window->takeCentralWidget();
        window->setCentralWidget(scroller);
    } else {
        delete layout->replaceWidget(part, scroller);  // in the nested layout that holds it
    }
    scroller->setWidget(part);
}

void addMnemonics(QMenu* menu) {
    addMnemonics(menu->actions());
}

void addMenuKeys(QMainWindow* window) {
    QMenuBar* bar = window->menuBar();
    addMnemonics(bar->actions());
    for (QMenu* menu : bar->findChildren<QMenu*>()) addMnemonics(menu);
    auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(f10, &QShortcut::activated, bar, [bar] {
        for (QAction* action : bar->actions())
            if (action->isVisible() && action->isEnabled()) return bar->setActiveAction(action);
    });
}

void placeInTabOrder(QWidget* after, QWidget* part, QWidget* before) {
    // The part's controls in their own order; a spin box's or ring's inner editor follows its
    // owner by itself.
    QList<QWidget*> controls;
    for (QWidget* w = part->nextInFocusChain(); w != part && part->isAncestorOf(w);
         w = w->nextInFocusChain()) {
        if ((w->focusPolicy() & Qt::TabFocus) && !w->focusProxy() &&
            !qobject_cast<QAbstractSpinBox*>(w->parentWidget()) &&
            !qobject_cast<QComboBox*>(w->parentWidget()))
            controls << w;
    }
    QWidget* previous = after;
    for (QWidget* control : controls) {
        QWidget::setTabOrder(previous, control);
        previous = control;
    }
    QWidget::setTabOrder(previous, before);
}

void StatusPanelForm::setupUi(QMainWindow* panel) {
    Ui::STATUSPNL::setupUi(panel);
    STATUSTIMER = new QTimer(panel);
    STATUSTIMER->setObjectName(QStringLiteral("STATUSTIMER"));
    STATUSTIMER->setInterval(kStatusTimerPeriod);
    STATUSTIMER->setSingleShot(false);
}

void preparePanelResources() {
    static const bool done = (initPanelImages(), true);
    (void)done;
}

QIcon programIcon() {
    preparePanelResources();
    QIcon icon;
    for (int size : {16, 32, 48, 256})
        icon.addFile(QStringLiteral(":/images/tkv9d-steuerung-%1.png").arg(size),
                     QSize(size, size));
    return icon;
}

void finishPanel(QWidget* panel) {
    applyItemValues(panel);
    if (auto* window = qobject_cast<QMainWindow*>(panel)) {
        addMenuKeys(window);
        if (window->centralWidget()) scrollWhenLargerThanScreen(window->centralWidget());
    }
}

std::unique_ptr<QWidget> loadPanel(std::string_view resourceName, QWidget* parent) {
    if (resourceName == "MAINPANEL") return build<Ui::MAINPANEL>(parent);
    if (resourceName == "COMPANEL") return build<Ui::COMPANEL>(parent);
    if (resourceName == "STATUSPNL") return build<StatusPanelForm>(parent);
    if (resourceName == "INFOPANEL") return build<Ui::INFOPANEL>(parent);
    if (resourceName == "KALIBPANEL") return build<Ui::KALIBPANEL>(parent);
    if (resourceName == "RENAMEPNL") return build<Ui::RENAMEPNL>(parent);
    return nullptr;
}

}  // namespace vrl::gui
