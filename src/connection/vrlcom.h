#pragma once

// The connection manager: which COM port is open, which was open last, and which device
// address is in use. Panels show its state through the view that the panel layer installs;
// without one (the command-line tool) the state is kept and nothing is shown.

#include <string>
#include <string_view>
#include <vector>

#include "platform/text/translate.h"

namespace vrl::com {

inline constexpr double kPortTimeout = 1.5;  // [s], set on every port right after it opens
inline constexpr int kPictureAbove16 = 99;
inline constexpr const char* kNotOpenLabel = VRL_TR_NOOP("Com", "nicht geöffnet");
inline constexpr const char* kDeviceIdPrefix = "VRL-TKV9D-";

enum class AddressLed { Off, Found, Foreign };  // Found lights green, Foreign red

// The open port's link: there, gone (an adapter unplugged) while it waits to be reopened, or
// being reopened just now.
enum class LinkState { Connected, Gone, Reconnecting };

// What the registered controls show. Every call goes to every registered control of its kind.
class View {
  public:
    virtual ~View() = default;
    virtual void showPort(int port) = 0;      // the COM ring's value
    virtual void showPicture(int value) = 0;  // 0, 1..16 or 99
    virtual void showAddress(char address) = 0;
    virtual void showError(int code, std::string_view text) = 0;  // 0 and "" clear
    virtual void showIdText(std::string_view text) = 0;
    virtual int addressLedCount() const = 0;
    virtual void showAddressLed(int index, AddressLed state) = 0;
    virtual void showScanText(std::string_view text) = 0;
    // The port picture's state of the link to `port`.
    virtual void showLinkState(int /*port*/, LinkState /*state*/) {}
};

// The open port, the last port and the address in use, with what the error displays show: the
// state of one connection. The VrlCom_ functions act on the installed link; all of it belongs
// to the thread that runs the operations (the window's), and the line's work gets the port and
// address by value.
class Link {
  public:
    static constexpr char kStartAddress = '1';

    Link() = default;
    Link(const Link&) = delete;
    Link& operator=(const Link&) = delete;

    void setView(View* view) { view_ = view; }

    // Back to the start state: no port open (an open port is closed), last port 0, address '1'.
    // It closes the port on the caller's thread, not the line worker's: only tests call it,
    // between operations, when nothing else uses the port.
    void reset();

    int port() const { return openPort_; }
    int lastPort() const { return lastPort_; }
    int setLastPort(int port);
    char address() const { return address_; }
    int setAddress(char address);

    int open(int port);
    int close();
    int toggle();
    void showPort(int port);

    int readId();
    int scan();

    bool gone() const { return gonePort_ != 0; }
    int gonePort() const { return gonePort_; }
    bool waitsForAdapter() const { return gonePort_ != 0 && !otherDevice_; }
    int reconnect();

    void showError(int code);
    void showHint(std::string_view text);

  private:
    void showLinkState(int port, LinkState state);
    void portLost(int code);

    int openPort_ = 0;
    int lastPort_ = 0;
    char address_ = kStartAddress;
    int refusedPort_ = 0;  // the port whose open failed last, 0 = none
    View* view_ = nullptr;
    // The operation whose failure the error displays show ("" for one outside an operation);
    // none while they show no failure.
    bool errorShown_ = false;
    std::string errorSource_;
    // The port that went away and waits to be reopened, 0 = none; whether another device
    // answered there; the identification of the device last seen at the port.
    int gonePort_ = 0;
    bool otherDevice_ = false;
    std::string knownId_;
};

// The link in use: the installed one, or one the process keeps for a program that installs
// none. Installed at start-up, before any operation; it must outlive its installation.
Link& link();
void setLink(Link* installed);

// The installed link's.
void setView(View* view);
void resetState();

struct PortItem {
    std::string label;
    int value;
};
// The items of a COM ring: "nicht geöffnet" (0), then "COM %d" for every port the system has,
// ascending. Called on the window's thread while the worker may be on the line: the port list
// opens each candidate device briefly by its path, on a descriptor of its own, and only reads
// the port map, so it never touches the open port's descriptor or its exclusive lock.
std::vector<PortItem> portItems();

// The addresses an operator may choose: one device '1'..'9', or '&' for all of them at once.
// 'a'..'f', which the driver knows, are not offered.
constexpr bool operatorAddress(char address) {
    return (address >= '1' && address <= '9') || address == '&';
}

// The picture ring value for a port.
constexpr int pictureFor(int port) {
    return port <= 16 ? port : kPictureAbove16;
}

}  // namespace vrl::com

int VrlCom_ComPortGet();
int VrlCom_LastComPortGet();
int VrlCom_LastComPortSet(int port);
char VrlCom_AdresseGet();
int VrlCom_AdresseSet(char address);

int VrlCom_Open(int port);
int VrlCom_Close();
int VrlCom_ComPortUmschalten();
void VrlCom_ComPortAnzeigen(int port);

int VrlCom_IdLesen();
int VrlCom_Scan();

// The open port went away (adapter unplugged): it is closed and waits to be reopened; the
// device operations fail as without a port, and polling and recording pause.
bool VrlCom_Getrennt();
// That port, 0 when none went away.
int VrlCom_GetrennterPort();
// Whether it is worth trying to reopen it by itself: gone, and no other device answered there.
bool VrlCom_WartetAufAdapter();
// Reopens the port that went away, or the open one (the operator's "Neu verbinden"), and checks
// that the device at the address is the one that was there: 0 once connected again; another
// device is refused and named.
int VrlCom_NeuVerbinden();

void VrlCom_FehlermeldungSet(int code);
// A hint on every error display where no error stands: the lamp off, no number, the text.
void VrlCom_HinweisSet(std::string_view text);
