#pragma once

// A COM port set to a line's settings, for the serial layer and for the simulator serving a
// port on Windows alike.

#include <windows.h>

#include "platform/serial/serial.h"

namespace serial {

inline BYTE parityFor(Parity parity) {
    switch (parity) {
        case Parity::Odd:
            return ODDPARITY;
        case Parity::Even:
            return EVENPARITY;
        default:
            return NOPARITY;
    }
}

// Raw bytes, no handshake in either direction, nothing replaced or dropped; DTR and RTS on, as
// a terminal program leaves them, so a device powered from them keeps running.
inline bool applyLineSettings(HANDLE handle, const LineSettings& settings) {
    DCB dcb{};
    dcb.DCBlength = sizeof dcb;
    if (!GetCommState(handle, &dcb)) return false;
    dcb.BaudRate = static_cast<DWORD>(settings.baud);
    dcb.ByteSize = static_cast<BYTE>(settings.dataBits);
    dcb.Parity = parityFor(settings.parity);
    dcb.StopBits = settings.stopBits == 2 ? TWOSTOPBITS : ONESTOPBIT;
    dcb.fBinary = TRUE;
    dcb.fParity = settings.parity == Parity::None ? FALSE : TRUE;
    dcb.fOutxCtsFlow = FALSE;
    dcb.fOutxDsrFlow = FALSE;
    dcb.fDtrControl = DTR_CONTROL_ENABLE;
    dcb.fRtsControl = RTS_CONTROL_ENABLE;
    dcb.fDsrSensitivity = FALSE;
    dcb.fOutX = FALSE;
    dcb.fInX = FALSE;
    // A byte that arrives with a parity error is replaced by NUL, which no answer contains, so
    // the answer is refused as it is on Linux; a framing error is caught after the read.
    dcb.fErrorChar = settings.parity == Parity::None ? FALSE : TRUE;
    dcb.ErrorChar = '\0';
    dcb.fNull = FALSE;
    dcb.fAbortOnError = FALSE;
    return SetCommState(handle, &dcb) != 0;
}

}  // namespace serial
