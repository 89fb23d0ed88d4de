#pragma once

// The TKV-9D driver: serial link, command transaction and the device's command set. Every
// function returns 0 or an error code; arguments are checked before anything is sent.

#include <string>
#include <string_view>

#include "driver/transaction.h"

// Opens a COM port (1..256) at the device's line settings; 9600 is the only rate.
int VRLTKV9D_Open(int port, int baudRate);
int VRLTKV9D_Close(int port);
// The time-out of every single byte read [s].
int VRLTKV9D_Timeout(int port, double seconds);

// The transaction's steps.
int VRLTKV9D_PufferLeeren(int port);
vrl::driver::Failure VRLTKV9D_BefehlSenden(int port, std::string_view frame);
vrl::driver::Failure VRLTKV9D_QuittungLesen(int port);
// Reads bytes up to and including CR, at most `limit` of them.
vrl::driver::Failure VRLTKV9D_AntwortzeileLesen(int port, std::string& line,
                                                std::size_t limit = vrl::driver::kAnswerLineLimit);

// The identification text (at most 26 characters). Not to the common address.
int VRLTKV9D_IDLesen(int port, char address, std::string& idText);
// function is "start" or "stopp".
int VRLTKV9D_DeviceFunction(int port, char address, std::string_view function);
// Stores the working parameters as program 1..16.
int VRLTKV9D_ProgrammSpeichern(int port, char address, int program);
// Makes program 1..16 the working parameters.
int VRLTKV9D_ProgrammLaden(int port, char address, int program);

// One parameter by its catalogue name. The write uses the argument of the parameter's kind
// (real, integer for integers and hex words, text for the program name) and accepts the common
// address; a text holding anything but printable ASCII (0x20..0x7E), or a '#' (which begins
// every frame), is refused with -510229 before anything is sent. The read fills only the
// destination of the kind, and only on success.
int VRLTKV9D_ParameterSchreiben(int port, int address, std::string_view name, double real,
                                int integer, std::string_view text);
int VRLTKV9D_ParameterLesen(int port, int address, std::string_view name, double* real,
                            int* integer, std::string* text);
