#pragma once

#include <functional>
#include <string_view>

#include "connection/operation.h"

// The controls that panels register with the connection manager, and their callbacks. The
// manager keeps every registered control up to date, whichever panel is visible.

class QAbstractButton;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QWidget;

namespace Ui {
class COMPANEL;
}
namespace vrl::gui {
class Led;
class PortPictureRing;
}  // namespace vrl::gui

namespace vrl::com {
inline constexpr int MAX_PICTURERINGCONTROLS = 10;
inline constexpr int MAX_FEHLERCONTROLS = 10;
inline constexpr int MAX_ADRESSLEDS = 15;
inline constexpr int kReconnectPeriod = 1000;  // [ms] between tries to reopen a port gone

// Registers the connection panel's controls: port ring, port picture, error displays,
// identification, address with its lamps, scan.
void registerComPanel(Ui::COMPANEL& ui);

// Forgets every registration (the panels are being discarded) and stops showing.
void unregisterAll();
}  // namespace vrl::com

void VrlCom_RegisterComControl(QComboBox* ring);
void VrlCom_RegisterAdressControl(QComboBox* ring);
void VrlCom_RegisterPictureringControl(vrl::gui::PortPictureRing* ring);
void VrlCom_RegisterFehlerControls(vrl::gui::Led* led, QLineEdit* text, QSpinBox* number);
void VrlCom_RegisterIdReadButton(QAbstractButton* button);
void VrlCom_RegisterIdTextdisplay(QLineEdit* display);
void VrlCom_RegisterAdressLeds(vrl::gui::Led* led);
void VrlCom_RegisterScanButton(QAbstractButton* button);
void VrlCom_RegisterScanStringControl(QLabel* text);

// Says where a device action went, since the address shown after a scan need not be the one in
// use. On success `done` stands on the error displays' line with the address; a failure keeps
// the error's own text there and the status line of `window` names the address instead.
void VrlCom_AktionMelden(QWidget* window, std::string_view what, std::string_view done,
                         char address, int code);
// Runs `action` as the device operation `what` and says where it went. An action that sent
// nothing (a question before it answered "Abbrechen") says nothing.
int VrlCom_GeraeteAktion(QWidget* window, std::string_view what, std::string_view done,
                         const std::function<int()>& action);

// Fills a COM ring with "nicht geöffnet" and the system's ports; an open port that has
// vanished from the system is closed.
void VrlCom_ComPortListeErstellen(QComboBox* ring);

// Commit of the COM ring: switch to the chosen port.
int Callback_ComPortEinstellen(QComboBox* ring);
// Click or double click on a picture ring: toggle the port. With no port open and none used
// before there is nothing to reopen; the handler given here (the program shows the connection
// window) lets the operator choose one.
int Callback_ComPortUmschalten();
namespace vrl::com {
void setChoosePort(std::function<void()> handler);
}
// "Neu verbinden" (the operator's, from a menu) and the tries to reopen a port that went away
// (in the background): VrlCom_NeuVerbinden as an operation.
int Callback_NeuVerbinden(vrl::op::Kind kind = vrl::op::Kind::Operator);
// Commit of the address ring.
int Callback_ComPortAdresse(QComboBox* ring);
int Callback_IdLesen();
int Callback_Scan();
