#include "connection/vrlcom.h"

#include <algorithm>
#include <atomic>

#include "connection/operation.h"
#include "driver/ports.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"
#include "platform/text/translate.h"

namespace {

constexpr int kScanCancelled = -6306;  // the operator stopped the scan; never shown as an error
constexpr int kOtherDevice = -122306;  // refused: not the device that was connected

// The one mutable datum of this file at namespace scope: which link is installed. The VrlCom_
// functions are called by name from every panel and the command line, which have no object to
// hand them.
std::atomic<vrl::com::Link*> gInstalled{nullptr};

std::string comName(int port) {
    return "COM " + std::to_string(port);
}

static_assert(vrl::com::operatorAddress(vrl::driver::kCommonAddress));

bool validPortOrNone(int port) {
    return port == 0 || (port >= vrl::driver::kFirstPort && port <= vrl::driver::kLastPort);
}

}  // namespace

namespace vrl::com {

Link& link() {
    // Never destroyed: the port stays open to the end of the process, which has always left
    // closing it to the system.
    static Link* const fallback = new Link;
    Link* installed = gInstalled.load();
    return installed ? *installed : *fallback;
}

void setLink(Link* installed) {
    gInstalled.store(installed);
}

void setView(View* view) {
    link().setView(view);
}

void resetState() {
    link().reset();
}

void Link::reset() {
    if (openPort_ != 0) VRLTKV9D_Close(openPort_);
    openPort_ = 0;
    lastPort_ = 0;
    address_ = kStartAddress;
    refusedPort_ = 0;
    errorShown_ = false;
    gonePort_ = 0;
    otherDevice_ = false;
    knownId_.clear();
}

void Link::showLinkState(int port, LinkState state) {
    if (view_) view_->showLinkState(port, state);
}

// The port went away under an operation: closed (so the system can give the adapter back under
// its name), remembered for the reconnect, and said plainly instead of the failed command's
// text, since the cure is to plug it in, not to look at the device.
void Link::portLost(int code) {
    const int port = openPort_;
    vrl::op::onLine([port] { return VRLTKV9D_Close(port); });
    openPort_ = 0;
    gonePort_ = port;
    otherDevice_ = false;
    showPort(port);
    showLinkState(port, LinkState::Gone);
    errorShown_ = true;
    errorSource_.clear();
    // The failed command's extra line goes with its text: left pending, it would turn up below
    // the next message, whatever that is about.
    vrl::messages().setExtraLine({});
    if (view_)
        view_->showError(code,
                         vrl::text::fill(VRL_TR("Com",
                                                "%1 getrennt – wird wieder verbunden, sobald der "
                                                "Adapter zurück ist"),
                                         {comName(port)}));
}

std::vector<PortItem> portItems() {
    std::vector<PortItem> items{{VRL_TR("Com", kNotOpenLabel), 0}};
    for (int port : vrl::driver::listPorts())
        items.push_back({"COM " + std::to_string(port), port});
    std::sort(items.begin() + 1, items.end(),
              [](const PortItem& a, const PortItem& b) { return a.value < b.value; });
    return items;
}

int Link::setLastPort(int port) {
    if (!validPortOrNone(port)) return -110302;
    lastPort_ = port;
    return 0;
}

int Link::setAddress(char address) {
    if (!operatorAddress(address)) return -400301;
    address_ = address;
    if (view_) view_->showAddress(address);
    return 0;
}

int Link::open(int port) {
    if (!validPortOrNone(port)) return -110303;
    // The operator's choice of a port ends waiting for the one that went away, and whatever
    // device is at the chosen one is his.
    if (gonePort_ != 0) {
        showLinkState(gonePort_, LinkState::Connected);
        gonePort_ = 0;
    }
    knownId_.clear();
    if (port == openPort_) return 0;
    if (openPort_ != 0) {
        const int open = openPort_;
        vrl::op::onLine([open] { return VRLTKV9D_Close(open); });
        lastPort_ = openPort_;
        openPort_ = 0;
    }
    int result = 0;
    if (port != 0) {
        result = vrl::op::onLine([port] {
            const int code = VRLTKV9D_Open(port, vrl::driver::kBaudRate);
            if (code == 0) VRLTKV9D_Timeout(port, kPortTimeout);
            return code;
        });
        if (result == 0) {
            openPort_ = port;
        } else {
            refusedPort_ = port;
        }
    }
    showPort(openPort_);
    return result;
}

int Link::close() {
    open(0);
    return 0;
}

int Link::toggle() {
    if (openPort_ != 0) {
        close();
        return 0;
    }
    return open(lastPort_);
}

void Link::showPort(int port) {
    if (!view_) return;
    view_->showPort(port);
    view_->showPicture(pictureFor(port));
}

int Link::readId() {
    if (openPort_ == 0) return -122304;
    if (view_) view_->showIdText("");
    std::string text;
    const int port = openPort_;
    const char address = address_;
    if (int code = vrl::op::onLine([&] { return VRLTKV9D_IDLesen(port, address, text); });
        code != 0)
        return code;
    if (view_) view_->showIdText(text);
    knownId_ = text;
    return 0;
}

int Link::reconnect() {
    const int port = gonePort_ != 0 ? gonePort_ : openPort_ != 0 ? openPort_ : lastPort_;
    if (port == 0) return -122304;
    if (openPort_ != 0) {
        const int open = openPort_;
        vrl::op::onLine([open] { return VRLTKV9D_Close(open); });
        openPort_ = 0;
        lastPort_ = open;
    }
    gonePort_ = port;
    showLinkState(port, LinkState::Reconnecting);
    const char address = address_;
    std::string id;
    const int code = vrl::op::onLine(
        [&] { return vrl::driver::reopenAndIdentify(port, address, kPortTimeout, id); });
    if (code != 0) {
        showLinkState(port, LinkState::Gone);
        return code;
    }
    // Only the device that was there, or any TKV-9D when none was identified: readings from
    // another device would pass for this one's.
    const bool same =
        knownId_.empty() ? id.empty() || id.rfind(kDeviceIdPrefix, 0) == 0 : id == knownId_;
    if (!same) {
        vrl::op::onLine([port] { return VRLTKV9D_Close(port); });
        otherDevice_ = true;
        showLinkState(port, LinkState::Gone);
        errorShown_ = true;
        errorSource_.clear();
        if (view_)
            view_->showError(kOtherDevice,
                             vrl::text::fill(VRL_TR("Com",
                                                    "An %1 antwortet ein anderes Gerät "
                                                    "(%2) – nicht verbunden"),
                                             {comName(port), id}));
        return kOtherDevice;
    }
    openPort_ = port;
    gonePort_ = 0;
    otherDevice_ = false;
    if (!id.empty()) knownId_ = id;
    showPort(port);
    showLinkState(port, LinkState::Connected);
    showHint(vrl::text::fill(VRL_TR("Com", "%1 wieder verbunden"), {comName(port)}) +
             (id.empty() ? "" : " (" + id + ")"));
    return 0;
}

int Link::scan() {
    if (openPort_ == 0) return -122305;
    if (!view_) return 0;
    view_->showIdText("");
    const int port = openPort_;
    const int count = std::min('9' - '1' + 1, view_->addressLedCount());
    for (int i = 0; i < count; ++i) {
        const char address = static_cast<char>('1' + i);
        // Between two addresses: a read that has begun is never cut off.
        if (vrl::op::cancelRequested()) {
            view_->showScanText("");
            return vrl::op::cancelled(
                kScanCancelled,
                i == 0 ? VRL_TR("Com", "Abgebrochen, bevor eine Adresse abgefragt wurde.")
                       : vrl::text::fill(VRL_TR("Com", "Abgebrochen nach Adresse %1 von %2."),
                                         {std::to_string(i), std::to_string(count)}));
        }
        vrl::op::progress(
            vrl::text::fill(VRL_TR("Com", "Adresse %1 wird abgefragt"), {std::string(1, address)}),
            i, count);
        view_->showScanText(
            vrl::text::fill(VRL_TR("Com", "Suche nach Gerät %1"), {std::string(1, address)}));
        std::string text;
        if (vrl::op::onLine([&] { return VRLTKV9D_IDLesen(port, address, text); }) != 0) {
            view_->showAddressLed(i, AddressLed::Off);
        } else if (text.rfind(kDeviceIdPrefix, 0) == 0) {
            view_->showAddressLed(i, AddressLed::Found);
            // The address control shows the find; the address in use changes only when the
            // operator commits a choice.
            view_->showAddress(address);
            view_->showIdText(text);
        } else {
            view_->showAddressLed(i, AddressLed::Foreign);
        }
    }
    view_->showScanText("");
    return 0;
}

void Link::showError(int code) {
    if (!view_) return;
    if (code != 0 && openPort_ != 0 && vrl::driver::portGone(openPort_)) {
        portLost(code);
        return;
    }
    // The poll and the recording run side by side in the background: one's success says nothing
    // about the other's failure, whose reason stays until the operator acts or it succeeds, nor
    // about a hint the operator has yet to read ("Stopp vom TKV-9D angenommen").
    const std::string& source = vrl::op::title();
    if (code == 0 && vrl::op::background() && !(errorShown_ && source == errorSource_)) return;
    errorShown_ = code != 0;
    errorSource_ = source;
    std::string text = code != 0 ? VRL_Fehlermeldung(code) : "";
    // The code says only that the open failed; a port that another program holds is worth
    // naming together with the holder, or the operator looks for a fault in the wiring.
    if (code == -100003 && refusedPort_ != 0 && vrl::driver::openFailedInUse(refusedPort_))
        text += ": " + vrl::driver::openFailureReason(refusedPort_);
    view_->showError(code, text);
}

void Link::showHint(std::string_view text) {
    errorShown_ = false;
    if (view_) view_->showError(0, text);
}

}  // namespace vrl::com

int VrlCom_ComPortGet() {
    return vrl::com::link().port();
}
int VrlCom_LastComPortGet() {
    return vrl::com::link().lastPort();
}
int VrlCom_LastComPortSet(int port) {
    return vrl::com::link().setLastPort(port);
}
char VrlCom_AdresseGet() {
    return vrl::com::link().address();
}
int VrlCom_AdresseSet(char address) {
    return vrl::com::link().setAddress(address);
}
int VrlCom_Open(int port) {
    return vrl::com::link().open(port);
}
int VrlCom_Close() {
    return vrl::com::link().close();
}
int VrlCom_ComPortUmschalten() {
    return vrl::com::link().toggle();
}
void VrlCom_ComPortAnzeigen(int port) {
    vrl::com::link().showPort(port);
}
int VrlCom_IdLesen() {
    return vrl::com::link().readId();
}
int VrlCom_Scan() {
    return vrl::com::link().scan();
}
bool VrlCom_Getrennt() {
    return vrl::com::link().gone();
}
int VrlCom_GetrennterPort() {
    return vrl::com::link().gonePort();
}
bool VrlCom_WartetAufAdapter() {
    return vrl::com::link().waitsForAdapter();
}
int VrlCom_NeuVerbinden() {
    return vrl::com::link().reconnect();
}
void VrlCom_FehlermeldungSet(int code) {
    vrl::com::link().showError(code);
}
void VrlCom_HinweisSet(std::string_view text) {
    vrl::com::link().showHint(text);
}
