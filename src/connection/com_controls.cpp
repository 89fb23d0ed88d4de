#include "connection/com_controls.h"

#include <QAbstractButton>
#include <QColor>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPointer>
#include <QSpinBox>
#include <QStatusBar>
#include <QTimer>
#include <string>
#include <vector>

#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "errors/popups.h"
#include "errors/vrl_errors.h"
#include "platform/gui/controls.h"
#include "platform/gui/led.h"
#include "platform/gui/port_picture_ring.h"
#include "platform/text/translate.h"
#include "ui_COMPANEL.h"

namespace {

using vrl::gui::Led;
using vrl::gui::PortPictureRing;

struct ErrorControls {
    QPointer<Led> led;
    QPointer<QLineEdit> text;
    QPointer<QSpinBox> number;
};

// An error text is read from its beginning, where it says what went wrong; a line edit would
// show its end. The whole text is in the tool tip when it does not fit.
void showFromStart(QLineEdit* display, std::string_view text) {
    const QString whole = QString::fromUtf8(text.data(), static_cast<int>(text.size()));
    vrl::gui::quietly(display, [&] {
        display->setText(whole);
        display->setCursorPosition(0);
        display->setToolTip(whole);
    });
}

// What the registered controls show; every table is bounded as the panels were designed for.
class RegisteredControls : public vrl::com::View {
  public:
    void showPort(int port) override {
        if (comRing) vrl::gui::setQuietly(comRing.data(), port);
    }
    void showPicture(int value) override {
        for (auto& ring : pictureRings)
            if (ring) vrl::gui::setQuietly(ring.data(), value);
    }
    void showAddress(char address) override {
        if (addressRing)
            vrl::gui::setQuietly(addressRing.data(), static_cast<unsigned char>(address));
    }
    void showError(int code, std::string_view text) override {
        for (auto& set : errorSets) {
            if (set.led) vrl::gui::setQuietly(set.led.data(), code != 0);
            if (set.text) showFromStart(set.text.data(), text);
            if (set.number) vrl::gui::setQuietly(set.number.data(), -code);
        }
    }
    void showIdText(std::string_view text) override {
        if (idText)
            vrl::gui::setQuietly(idText.data(),
                                 QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    }
    int addressLedCount() const override { return static_cast<int>(addressLeds.size()); }
    void showAddressLed(int index, vrl::com::AddressLed state) override {
        Led* led = addressLeds.at(static_cast<std::size_t>(index)).data();
        if (!led) return;
        if (state == vrl::com::AddressLed::Found) led->setOnColor(QColor(0x00, 0xFF, 0x00));
        if (state == vrl::com::AddressLed::Foreign) led->setOnColor(QColor(0xFF, 0x00, 0x00));
        vrl::gui::setQuietly(led, state != vrl::com::AddressLed::Off);
    }
    void showLinkState(int, vrl::com::LinkState state) override {
        using Link = vrl::gui::PortPictureRing::Link;
        const Link link = state == vrl::com::LinkState::Gone           ? Link::Gone
                          : state == vrl::com::LinkState::Reconnecting ? Link::Reconnecting
                                                                       : Link::Connected;
        for (auto& ring : pictureRings)
            if (ring) ring->setLink(link);
    }
    void showScanText(std::string_view text) override {
        if (!scanText) return;
        vrl::gui::setQuietly(scanText.data(),
                             QString::fromUtf8(text.data(), static_cast<int>(text.size())));
    }

    QPointer<QComboBox> comRing;
    QPointer<QComboBox> addressRing;
    std::vector<QPointer<PortPictureRing>> pictureRings;
    std::vector<ErrorControls> errorSets;
    QPointer<QAbstractButton> idButton;
    QPointer<QLineEdit> idText;
    std::vector<QPointer<Led>> addressLeds;
    QPointer<QAbstractButton> scanButton;
    QPointer<QLabel> scanText;
};

RegisteredControls gControls;

RegisteredControls& controls() {
    vrl::com::setView(&gControls);
    return gControls;
}

// A full table keeps what it has: the new control is dropped after the message.
bool roomFor(std::size_t count, int capacity, const char* limitName) {
    if (count < static_cast<std::size_t>(capacity)) return true;
    vrl::popups().message(VRL_TR("Com", "Interner Fehler"),
                          vrl::text::fill(VRL_TR("Com", "%1 ist zu klein"), {limitName}));
    return false;
}

}  // namespace

namespace vrl::com {

void registerComPanel(Ui::COMPANEL& ui) {
    VrlCom_RegisterComControl(ui.COMPORT);
    VrlCom_RegisterPictureringControl(ui.COMPICTURERING);
    VrlCom_RegisterFehlerControls(ui.FEHLERLED, ui.FEHLERSTRING, ui.FEHLERNUMMER);
    VrlCom_RegisterIdReadButton(ui.IDLESEN);
    VrlCom_RegisterIdTextdisplay(ui.ID);
    VrlCom_RegisterAdressControl(ui.ADRESSE);
    for (auto* led :
         {ui.LED1, ui.LED2, ui.LED3, ui.LED4, ui.LED5, ui.LED6, ui.LED7, ui.LED8, ui.LED9})
        VrlCom_RegisterAdressLeds(led);
    VrlCom_RegisterScanButton(ui.SCANN);
    VrlCom_RegisterScanStringControl(ui.SCANNTEXT);
    // An unplugged adapter is tried again about once a second; opening a port that is not there
    // fails at once and costs the line nothing.
    auto* reconnect = new QTimer(ui.COMPORT);
    reconnect->setObjectName(QStringLiteral("reconnectTimer"));
    reconnect->setInterval(kReconnectPeriod);
    QObject::connect(reconnect, &QTimer::timeout, reconnect, [] {
        if (VrlCom_WartetAufAdapter()) Callback_NeuVerbinden(vrl::op::Kind::Background);
    });
    reconnect->start();
}

void unregisterAll() {
    gControls = RegisteredControls();
    setView(nullptr);
}

}  // namespace vrl::com

void VrlCom_RegisterComControl(QComboBox* ring) {
    controls().comRing = ring;
    vrl::gui::connectCommit(ring, [ring] { Callback_ComPortEinstellen(ring); });
    vrl::gui::beforeRingOpens(ring, [ring] { VrlCom_ComPortListeErstellen(ring); });
    VrlCom_ComPortListeErstellen(ring);
}

void VrlCom_RegisterAdressControl(QComboBox* ring) {
    controls().addressRing = ring;
    vrl::gui::connectCommit(ring, [ring] { Callback_ComPortAdresse(ring); });
}

void VrlCom_RegisterPictureringControl(vrl::gui::PortPictureRing* ring) {
    auto& c = controls();
    if (!roomFor(c.pictureRings.size(), vrl::com::MAX_PICTURERINGCONTROLS,
                 "MAX_PICTURERINGCONTROLS"))
        return;
    c.pictureRings.emplace_back(ring);
    // A double click arrives as a click and a double click, and so toggles twice.
    QObject::connect(ring, &PortPictureRing::leftClicked, ring,
                     [] { Callback_ComPortUmschalten(); });
    QObject::connect(ring, &PortPictureRing::doubleClicked, ring,
                     [] { Callback_ComPortUmschalten(); });
}

void VrlCom_RegisterFehlerControls(vrl::gui::Led* led, QLineEdit* text, QSpinBox* number) {
    auto& c = controls();
    if (!roomFor(c.errorSets.size(), vrl::com::MAX_FEHLERCONTROLS, "MAX_FEHLERCONTROLS")) return;
    c.errorSets.push_back({led, text, number});
}

void VrlCom_RegisterIdReadButton(QAbstractButton* button) {
    controls().idButton = button;
    vrl::gui::connectCommit(button, [] { Callback_IdLesen(); });
}

void VrlCom_RegisterIdTextdisplay(QLineEdit* display) {
    controls().idText = display;
}

void VrlCom_RegisterAdressLeds(vrl::gui::Led* led) {
    auto& c = controls();
    if (!roomFor(c.addressLeds.size(), vrl::com::MAX_ADRESSLEDS, "MAX_ADRESSLEDS")) return;
    c.addressLeds.emplace_back(led);
}

void VrlCom_RegisterScanButton(QAbstractButton* button) {
    controls().scanButton = button;
    vrl::gui::connectCommit(button, [] { Callback_Scan(); });
}

void VrlCom_RegisterScanStringControl(QLabel* text) {
    controls().scanText = text;
}

void VrlCom_ComPortListeErstellen(QComboBox* ring) {
    vrl::gui::quietly(ring, [ring] {
        ring->clear();
        for (const auto& item : vrl::com::portItems())
            vrl::gui::addRingItem(ring, QString::fromStdString(item.label), item.value);
    });
    int port = VrlCom_ComPortGet();
    if (vrl::gui::ringIndexOf(gControls.comRing.data() ? gControls.comRing.data() : ring, port) <
        0) {
        VrlCom_Close();
        port = 0;
    }
    if (gControls.comRing) vrl::gui::setQuietly(gControls.comRing.data(), port);
}

int Callback_ComPortEinstellen(QComboBox* ring) {
    const vrl::op::Operation operation(VRL_TR("Com", "COM-Port"));
    if (!operation.started()) {
        VrlCom_ComPortAnzeigen(VrlCom_ComPortGet());  // the ring keeps the port in use
        return 0;
    }
    VrlCom_FehlermeldungSet(VrlCom_Open(vrl::gui::ringValue(ring)));
    return 0;
}

namespace {
std::function<void()> gChoosePort;
}

void vrl::com::setChoosePort(std::function<void()> handler) {
    gChoosePort = std::move(handler);
}

int Callback_ComPortUmschalten() {
    if (VrlCom_ComPortGet() == 0 && VrlCom_LastComPortGet() == 0 && gChoosePort) {
        gChoosePort();
        return 0;
    }
    const vrl::op::Operation operation(VRL_TR("Com", "COM-Port"));
    if (operation.started()) VrlCom_FehlermeldungSet(VrlCom_ComPortUmschalten());
    return 0;
}

int Callback_NeuVerbinden(vrl::op::Kind kind) {
    const vrl::op::Operation operation(VRL_TR("Com", "Neu verbinden"), kind);
    if (!operation.started()) return 0;
    const int code = VrlCom_NeuVerbinden();
    // Waiting for the adapter is said already; the other failures are shown as any device
    // operation's.
    if (code != 0 && !VrlCom_Getrennt()) VrlCom_FehlermeldungSet(code);
    return 0;
}

int Callback_ComPortAdresse(QComboBox* ring) {
    // The running operation talks to the address it began with.
    if (vrl::op::busy()) {
        VrlCom_AdresseSet(VrlCom_AdresseGet());
        return 0;
    }
    VrlCom_FehlermeldungSet(VrlCom_AdresseSet(static_cast<char>(vrl::gui::ringValue(ring) & 0xFF)));
    return 0;
}

void VrlCom_AktionMelden(QWidget* window, std::string_view what, std::string_view done,
                         char address, int code) {
    // The failure the status line named last: a later success there wipes it, nothing else.
    static QString lastFailure;
    auto* main = qobject_cast<QMainWindow*>(window ? window->window() : nullptr);
    const std::string at =
        vrl::text::fill(VRL_TR("Com", " (Adresse %1)"), {std::string(1, address)});
    if (code == 0) {
        VrlCom_HinweisSet(std::string(done) + at);
        if (main && main->statusBar()->currentMessage() == lastFailure)
            main->statusBar()->clearMessage();
        return;
    }
    lastFailure = QString::fromStdString(vrl::text::fill(
        vrl::isSilent(code) ? VRL_TR("Com", "„%1“ an Adresse %2 nicht zu Ende geführt")
                            : VRL_TR("Com", "„%1“ an Adresse %2 fehlgeschlagen"),
        {what, std::string(1, address)}));
    if (main) main->statusBar()->showMessage(lastFailure);
}

int VrlCom_GeraeteAktion(QWidget* window, std::string_view what, std::string_view done,
                         const std::function<int()>& action) {
    const vrl::op::Operation operation(what);
    if (!operation.started()) return 0;
    // The operation talks to the address it began with.
    const char address = VrlCom_AdresseGet();
    const unsigned long before = vrl::op::lineWorkCount();
    const int code = action();
    if (code != 0 || vrl::op::lineWorkCount() != before)
        VrlCom_AktionMelden(window, what, done, address, code);
    return code;
}

int Callback_IdLesen() {
    QWidget* window = controls().idButton ? controls().idButton->window() : nullptr;
    VrlCom_GeraeteAktion(window, VRL_TR("Com", "ID lesen"), VRL_TR("Com", "ID gelesen"), [] {
        const int code = VrlCom_IdLesen();
        VrlCom_FehlermeldungSet(code);
        return code;
    });
    return 0;
}

int Callback_Scan() {
    const vrl::op::Operation operation(VRL_TR("Com", "Scann"));
    if (!operation.started()) return 0;
    // A stopped scan is no failure: the displays keep what they showed.
    if (const int code = VrlCom_Scan(); !vrl::isSilent(code)) VrlCom_FehlermeldungSet(code);
    return 0;
}
