#include "platform/gui/panels.h"

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

}  // namespace

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

void finishPanel(QWidget* panel) {
    applyItemValues(panel);
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
