#include "params/tkvcom.h"

#include <functional>
#include <string>

#include "connection/operation.h"
#include "connection/vrlcom.h"
#include "driver/parameter_catalogue.h"
#include "driver/vrltkv9d.h"
#include "errors/vrl_errors.h"
#include "params/device_watch.h"
#include "params/panels.h"
#include "params/transfer_check.h"
#include "platform/text/translate.h"

namespace {

using vrl::params::Field;
using vrl::params::FieldType;
using vrl::params::kFields;

constexpr int kNoPort = -122350;
constexpr int kBadModule = -504350;
constexpr double kUntransferredVoltage = 2.0;  // [V] what a record read from the device carries

struct Link {
    int port;
    char address;
};

void comActivity(bool on) {
    if (auto* panels = vrl::params::panels()) panels->showComActivity(on);
}

int endTransfer(int code) {
    comActivity(false);
    VrlCom_FehlermeldungSet(code);
    return code;
}

// The frame every operation runs in: port and address, lamps on, the driver calls, lamps off
// and the outcome on the error displays. The driver calls run where the line is owned (the
// worker thread while the windows are up); lamps and displays stay with the caller. So does the
// caller's data: a body sends a copy taken before the hand-over and reads into values of its
// own, which the caller takes over once the body has returned, never the window's table or
// record while the worker runs.
template <typename Body>
int transfer(Body body, const std::function<std::string(int)>& detail = {}) {
    const int port = VrlCom_ComPortGet();
    if (port == 0) return endTransfer(kNoPort);
    const Link link{port, VrlCom_AdresseGet()};
    comActivity(true);
    const int code = vrl::op::onLine([&] { return body(link); });
    if (detail && code != 0)
        if (const std::string line = detail(code); !line.empty()) VRL_Fehleruserstring(line);
    return endTransfer(code);
}

// Codes of a read whose answer came, but with no value the field can hold.
bool valueRefused(int code) {
    constexpr int kDeviceRefused = -409169;  // the device answered "err" for a number
    return code == vrl::params::kReadNoValue || code == vrl::params::kReadErrorAnswer ||
           code == kDeviceRefused;
}

// One field into the record, taken only when it is a value the device can hold.
int readField(const Link& link, Parametersatz& record, const Field& field) {
    const vrl::driver::Parameter& row = *vrl::driver::findParameter(field.name);
    switch (field.type) {
        case FieldType::Text: {
            std::string name;
            int code = VRLTKV9D_ParameterLesen(link.port, link.address, field.name, nullptr,
                                               nullptr, &name);
            if (code == 0) code = vrl::params::checkRead(row, 0.0, 0, name);
            if (code == 0) vrl::params::setName(record, name);
            return code;
        }
        case FieldType::Integer: {
            int value = 0;
            int code = VRLTKV9D_ParameterLesen(link.port, link.address, field.name, nullptr, &value,
                                               nullptr);
            if (code == 0) code = vrl::params::checkRead(row, 0.0, value, {});
            if (code == 0) vrl::params::setInteger(record, field, value);
            return code;
        }
        case FieldType::Real: {
            double value = 0.0;
            int code = VRLTKV9D_ParameterLesen(link.port, link.address, field.name, &value, nullptr,
                                               nullptr);
            if (code == 0) code = vrl::params::checkRead(row, value, 0, {});
            if (code == 0) vrl::params::setReal(record, field, value);
            return code;
        }
    }
    return 0;
}

int writeField(const Link& link, const Parametersatz& record, const Field& field) {
    const vrl::params::WriteArguments value = vrl::params::writeArguments(record, field);
    return VRLTKV9D_ParameterSchreiben(link.port, link.address, field.name, value.real,
                                       value.integer, value.text);
}

int readInteger(const char* name, int* destination) {
    int value = *destination;
    const int code = transfer([&](const Link& link) {
        return VRLTKV9D_ParameterLesen(link.port, link.address, name, nullptr, &value, nullptr);
    });
    *destination = value;
    return code;
}

}  // namespace

int TkvCom_ParameterLesen(Parametersatz* record) {
    std::string_view failed;
    // Into a copy, so that a failure part-way leaves the destination as it was.
    Parametersatz read = *record;
    const int code = transfer(
        [&](const Link& link) {
            for (const Field& field : kFields) {
                if (!field.transferred) {
                    if (field.name == "pruefspannung") read.pruefspannung = kUntransferredVoltage;
                    continue;
                }
                if (int code = readField(link, read, field); code != 0) {
                    failed = field.name;
                    return code;
                }
            }
            return 0;
        },
        // Which of the 25 values the device could not give.
        [&](int code) {
            return valueRefused(code)
                       ? vrl::text::fill(VRL_TR("Parameter", "Feld %1"), {std::string(failed)})
                       : "";
        });
    if (code == 0) *record = read;
    return code;
}

int TkvCom_ParameterSchreiben(const Parametersatz* record) {
    const Parametersatz sent = *record;
    return transfer([&](const Link& link) {
        // A value the driver would refuse goes nowhere, and neither does the rest of the
        // record: the device is not even stopped for it.
        if (int code = vrl::params::checkRecord(sent).code; code != 0) return code;
        // A running curve must not pick up a half-written record: a device that does not take
        // the stop is not written to.
        if (int code = VRLTKV9D_DeviceFunction(link.port, link.address, "stopp"); code != 0)
            return code;
        for (const Field& field : kFields) {
            if (!field.transferred) continue;
            if (int code = writeField(link, sent, field); code != 0) return code;
        }
        return 0;
    });
}

int TkvCom_ParameterAlsProgrammSpeichern(int program) {
    return transfer([&](const Link& link) {
        return VRLTKV9D_ProgrammSpeichern(link.port, link.address, program);
    });
}

int TkvCom_ProgrammLaden(int program) {
    return transfer(
        [&](const Link& link) { return VRLTKV9D_ProgrammLaden(link.port, link.address, program); });
}

int TkvCom_GeraetStarten() {
    const int code = transfer(
        [](const Link& link) { return VRLTKV9D_DeviceFunction(link.port, link.address, "start"); });
    if (const auto& started = vrl::params::deviceWatch().started; code == 0 && started) started();
    return code;
}

int TkvCom_GeraetStoppen() {
    return transfer(
        [](const Link& link) { return VRLTKV9D_DeviceFunction(link.port, link.address, "stopp"); });
}

int TkvCom_StatusLesen(int* status) {
    const int code = readInteger("status", status);
    if (const auto& seen = vrl::params::deviceWatch().status; code == 0 && seen) seen(*status);
    return code;
}

int TkvCom_HdxStatusLesen(int module, int* status) {
    // Checked before anything else: a wrong module number is the caller's fault, not the
    // device's, and leaves the displays alone.
    if (module < 1 || module > 15) return kBadModule;
    return readInteger(("kartenstatus" + std::to_string(module)).c_str(), status);
}

int TkvCom_IstwerteLesen(double* current, double* voltage) {
    double readCurrent = *current, readVoltage = *voltage;
    const int code = transfer([&](const Link& link) {
        if (int code = VRLTKV9D_ParameterLesen(link.port, link.address, "iststrom", &readCurrent,
                                               nullptr, nullptr);
            code != 0)
            return code;
        return VRLTKV9D_ParameterLesen(link.port, link.address, "istspannung", &readVoltage,
                                       nullptr, nullptr);
    });
    *current = readCurrent;
    *voltage = readVoltage;
    return code;
}

int TkvCom_OutputenableLesen(int* mask) {
    return readInteger("alleausgaenge", mask);
}

int TkvCom_OutputenableSchreiben(int mask) {
    return transfer([&](const Link& link) {
        return VRLTKV9D_ParameterSchreiben(link.port, link.address, "alleausgaenge", 0.0, mask, {});
    });
}

int TkvCom_ProgrammEinstellen(int program) {
    const int code = TkvCom_ProgrammLaden(program);
    if (const auto& set = vrl::params::deviceWatch().programSet; code == 0 && set) set(program);
    return code;
}
int TkvCom_ProgrammAbspeichern(int program) {
    return TkvCom_ParameterAlsProgrammSpeichern(program);
}
