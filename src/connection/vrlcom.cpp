#include "connection/vrlcom.h"

#include <algorithm>

#include "connection/operation.h"
#include "driver/ports.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"
#include "platform/text/translate.h"

namespace {

constexpr char kStartAddress = '1';
constexpr int kScanCancelled = -6306;  // the operator stopped the scan; never shown as an error

int gOpenPort = 0;
int gLastPort = 0;
char gAddress = kStartAddress;
int gRefusedPort = 0;  // the port whose open failed last, 0 = none
vrl::com::View* gView = nullptr;
// The operation whose failure the error displays show ("" for one outside an operation); none
// while they show no failure.
bool gErrorShown = false;
std::string gErrorSource;
// The port that went away and waits to be reopened, 0 = none; whether another device answered
// there; the identification of the device last seen at the port.
int gGonePort = 0;
bool gOtherDevice = false;
std::string gKnownId;

constexpr int kOtherDevice = -122306;  // refused: not the device that was connected

std::string comName(int port) {
    return "COM " + std::to_string(port);
}

void showLinkState(int port, vrl::com::LinkState state) {
    if (gView) gView->showLinkState(port, state);
}

// The port went away under an operation: closed (so the system can give the adapter back under
// its name), remembered for the reconnect, and said plainly instead of the failed command's
// text, since the cure is to plug it in, not to look at the device.
void portVerloren(int code) {
    const int port = gOpenPort;
    vrl::op::onLine([port] { return VRLTKV9D_Close(port); });
    gOpenPort = 0;
    gGonePort = port;
    gOtherDevice = false;
    VrlCom_ComPortAnzeigen(port);
    showLinkState(port, vrl::com::LinkState::Gone);
    gErrorShown = true;
    gErrorSource.clear();
    if (gView)
        gView->showError(
            code, vrl::text::fill(VRL_TR("Com",
                                         "%1 getrennt – wird wieder verbunden, sobald der Adapter "
                                         "zurück ist"),
                                  {comName(port)}));
}

static_assert(vrl::com::operatorAddress(vrl::driver::kCommonAddress));

bool validPortOrNone(int port) {
    return port == 0 || (port >= vrl::driver::kFirstPort && port <= vrl::driver::kLastPort);
}

}  // namespace

namespace vrl::com {

void setView(View* view) {
    gView = view;
}

void resetState() {
    if (gOpenPort != 0) VRLTKV9D_Close(gOpenPort);
    gOpenPort = 0;
    gLastPort = 0;
    gAddress = kStartAddress;
    gRefusedPort = 0;
    gErrorShown = false;
    gGonePort = 0;
    gOtherDevice = false;
    gKnownId.clear();
}

std::vector<PortItem> portItems() {
    std::vector<PortItem> items{{VRL_TR("Com", kNotOpenLabel), 0}};
    for (int port : vrl::driver::listPorts())
        items.push_back({"COM " + std::to_string(port), port});
    std::sort(items.begin() + 1, items.end(),
              [](const PortItem& a, const PortItem& b) { return a.value < b.value; });
    return items;
}

}  // namespace vrl::com

int VrlCom_ComPortGet() {
    return gOpenPort;
}
int VrlCom_LastComPortGet() {
    return gLastPort;
}

int VrlCom_LastComPortSet(int port) {
    if (!validPortOrNone(port)) return -110302;
    gLastPort = port;
    return 0;
}

char VrlCom_AdresseGet() {
    return gAddress;
}

int VrlCom_AdresseSet(char address) {
    if (!vrl::com::operatorAddress(address)) return -400301;
    gAddress = address;
    if (gView) gView->showAddress(address);
    return 0;
}

int VrlCom_Open(int port) {
    if (!validPortOrNone(port)) return -110303;
    // The operator's choice of a port ends waiting for the one that went away, and whatever
    // device is at the chosen one is his.
    if (gGonePort != 0) {
        showLinkState(gGonePort, vrl::com::LinkState::Connected);
        gGonePort = 0;
    }
    gKnownId.clear();
    if (port == gOpenPort) return 0;
    if (gOpenPort != 0) {
        const int open = gOpenPort;
        vrl::op::onLine([open] { return VRLTKV9D_Close(open); });
        gLastPort = gOpenPort;
        gOpenPort = 0;
    }
    int result = 0;
    if (port != 0) {
        result = vrl::op::onLine([port] {
            const int code = VRLTKV9D_Open(port, vrl::driver::kBaudRate);
            if (code == 0) VRLTKV9D_Timeout(port, vrl::com::kPortTimeout);
            return code;
        });
        if (result == 0) {
            gOpenPort = port;
        } else {
            gRefusedPort = port;
        }
    }
    VrlCom_ComPortAnzeigen(gOpenPort);
    return result;
}

int VrlCom_Close() {
    VrlCom_Open(0);
    return 0;
}

int VrlCom_ComPortUmschalten() {
    if (gOpenPort != 0) {
        VrlCom_Close();
        return 0;
    }
    return VrlCom_Open(gLastPort);
}

void VrlCom_ComPortAnzeigen(int port) {
    if (!gView) return;
    gView->showPort(port);
    gView->showPicture(vrl::com::pictureFor(port));
}

int VrlCom_IdLesen() {
    if (gOpenPort == 0) return -122304;
    if (gView) gView->showIdText("");
    std::string text;
    const int port = gOpenPort;
    const char address = gAddress;
    if (int code = vrl::op::onLine([&] { return VRLTKV9D_IDLesen(port, address, text); });
        code != 0)
        return code;
    if (gView) gView->showIdText(text);
    gKnownId = text;
    return 0;
}

bool VrlCom_Getrennt() {
    return gGonePort != 0;
}

int VrlCom_GetrennterPort() {
    return gGonePort;
}

bool VrlCom_WartetAufAdapter() {
    return gGonePort != 0 && !gOtherDevice;
}

int VrlCom_NeuVerbinden() {
    const int port = gGonePort != 0 ? gGonePort : gOpenPort != 0 ? gOpenPort : gLastPort;
    if (port == 0) return -122304;
    if (gOpenPort != 0) {
        const int open = gOpenPort;
        vrl::op::onLine([open] { return VRLTKV9D_Close(open); });
        gOpenPort = 0;
        gLastPort = open;
    }
    gGonePort = port;
    showLinkState(port, vrl::com::LinkState::Reconnecting);
    const char address = gAddress;
    std::string id;
    const int code = vrl::op::onLine(
        [&] { return vrl::driver::reopenAndIdentify(port, address, vrl::com::kPortTimeout, id); });
    if (code != 0) {
        showLinkState(port, vrl::com::LinkState::Gone);
        return code;
    }
    // Only the device that was there, or any TKV-9D when none was identified: readings from
    // another device would pass for this one's.
    const bool same = gKnownId.empty() ? id.empty() || id.rfind(vrl::com::kDeviceIdPrefix, 0) == 0
                                       : id == gKnownId;
    if (!same) {
        vrl::op::onLine([port] { return VRLTKV9D_Close(port); });
        gOtherDevice = true;
        showLinkState(port, vrl::com::LinkState::Gone);
        gErrorShown = true;
        gErrorSource.clear();
        if (gView)
            gView->showError(kOtherDevice,
                             vrl::text::fill(VRL_TR("Com",
                                                    "An %1 antwortet ein anderes Gerät "
                                                    "(%2) – nicht verbunden"),
                                             {comName(port), id}));
        return kOtherDevice;
    }
    gOpenPort = port;
    gGonePort = 0;
    gOtherDevice = false;
    if (!id.empty()) gKnownId = id;
    VrlCom_ComPortAnzeigen(port);
    showLinkState(port, vrl::com::LinkState::Connected);
    VrlCom_HinweisSet(vrl::text::fill(VRL_TR("Com", "%1 wieder verbunden"), {comName(port)}) +
                      (id.empty() ? "" : " (" + id + ")"));
    return 0;
}

int VrlCom_Scan() {
    if (gOpenPort == 0) return -122305;
    if (!gView) return 0;
    gView->showIdText("");
    const int port = gOpenPort;
    const int count = std::min('9' - '1' + 1, gView->addressLedCount());
    for (int i = 0; i < count; ++i) {
        const char address = static_cast<char>('1' + i);
        // Between two addresses: a read that has begun is never cut off.
        if (vrl::op::cancelRequested()) {
            gView->showScanText("");
            return vrl::op::cancelled(
                kScanCancelled,
                i == 0 ? VRL_TR("Com", "Abgebrochen, bevor eine Adresse abgefragt wurde.")
                       : vrl::text::fill(VRL_TR("Com", "Abgebrochen nach Adresse %1 von %2."),
                                         {std::to_string(i), std::to_string(count)}));
        }
        vrl::op::progress(
            vrl::text::fill(VRL_TR("Com", "Adresse %1 wird abgefragt"), {std::string(1, address)}),
            i, count);
        gView->showScanText(
            vrl::text::fill(VRL_TR("Com", "Suche nach Gerät %1"), {std::string(1, address)}));
        std::string text;
        if (vrl::op::onLine([&] { return VRLTKV9D_IDLesen(port, address, text); }) != 0) {
            gView->showAddressLed(i, vrl::com::AddressLed::Off);
        } else if (text.rfind(vrl::com::kDeviceIdPrefix, 0) == 0) {
            gView->showAddressLed(i, vrl::com::AddressLed::Found);
            // The address control shows the find; the address in use changes only when the
            // operator commits a choice.
            gView->showAddress(address);
            gView->showIdText(text);
        } else {
            gView->showAddressLed(i, vrl::com::AddressLed::Foreign);
        }
    }
    gView->showScanText("");
    return 0;
}

void VrlCom_FehlermeldungSet(int code) {
    if (!gView) return;
    if (code != 0 && gOpenPort != 0 && vrl::driver::portGone(gOpenPort)) {
        portVerloren(code);
        return;
    }
    // The poll and the recording run side by side in the background: one's success says nothing
    // about the other's failure, whose reason stays until the operator acts or it succeeds, nor
    // about a hint the operator has yet to read ("Stopp vom TKV-9D angenommen").
    const std::string& source = vrl::op::title();
    if (code == 0 && vrl::op::background() && !(gErrorShown && source == gErrorSource)) return;
    gErrorShown = code != 0;
    gErrorSource = source;
    std::string text = code != 0 ? VRL_Fehlermeldung(code) : "";
    // The code says only that the open failed; a port that another program holds is worth
    // naming together with the holder, or the operator looks for a fault in the wiring.
    if (code == -100003 && gRefusedPort != 0 && vrl::driver::openFailedInUse(gRefusedPort))
        text += ": " + vrl::driver::openFailureReason(gRefusedPort);
    gView->showError(code, text);
}

void VrlCom_HinweisSet(std::string_view text) {
    gErrorShown = false;
    if (gView) gView->showError(0, text);
}
