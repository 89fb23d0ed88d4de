#include "connection/vrlcom.h"

#include <algorithm>

#include "connection/operation.h"
#include "driver/ports.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"

namespace {

constexpr char kStartAddress = '1';
constexpr int kScanCancelled = -6306;  // the operator stopped the scan; never shown as an error

int gOpenPort = 0;
int gLastPort = 0;
char gAddress = kStartAddress;
int gRefusedPort = 0;  // the port whose open failed last, 0 = none
vrl::com::View* gView = nullptr;

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
}

std::vector<PortItem> portItems() {
    std::vector<PortItem> items{{kNotOpenLabel, 0}};
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
                kScanCancelled, i == 0 ? "Abgebrochen, bevor eine Adresse abgefragt wurde."
                                       : "Abgebrochen nach Adresse " + std::to_string(i) + " von " +
                                             std::to_string(count) + ".");
        }
        vrl::op::progress(std::string("Adresse ") + address + " wird abgefragt", i, count);
        gView->showScanText(std::string("Suche nach Gerät ") + address);
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
    std::string text = code != 0 ? VRL_Fehlermeldung(code) : "";
    // The code says only that the open failed; a port that another program holds is worth
    // naming together with the holder, or the operator looks for a fault in the wiring.
    if (code == -100003 && gRefusedPort != 0 && vrl::driver::openFailedInUse(gRefusedPort))
        text += ": " + vrl::driver::openFailureReason(gRefusedPort);
    gView->showError(code, text);
}

void VrlCom_HinweisSet(std::string_view text) {
    if (gView) gView->showError(0, text);
}
