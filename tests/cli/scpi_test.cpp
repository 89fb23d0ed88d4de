// The SCPI session of tkv9d serve against the simulated device: what each command sends, what
// it answers, and what a refused command puts in the queue instead of on the line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/scpi.h"
#include "driver/vrltkv9d.h"
#include "platform/serial/port_map.h"
#include "sim/line.h"
#include "tkv9d_version.h"

namespace {

using cli::scpi::Session;

class Scpi : public ::testing::Test {
  protected:
    void SetUp() override {
        line.addTkv('1');
        line.addTkv('3', "VRL-TKV9D-DREI");
        serial::setPortPath(kPort, line.devicePath());
        ASSERT_EQ(VRLTKV9D_Open(kPort, 9600), 0);
        ASSERT_EQ(VRLTKV9D_Timeout(kPort, 0.2), 0);
    }
    void TearDown() override {
        VRLTKV9D_Close(kPort);
        serial::setPortPath(kPort, "");
    }

    // The frames sent, CR shown as '|'.
    std::vector<std::string> sent() {
        std::vector<std::string> frames = line.frames();
        for (auto& frame : frames)
            for (char& c : frame)
                if (c == '\r') c = '|';
        line.clearFrames();
        return frames;
    }

    static constexpr int kPort = 9;
    sim::Line line;
};

// Faults caught: a short form that is not the long form's capitals, an optional node that is
// required (or a required one skipped), case that matters, a query matched by its setting form.
TEST(ScpiHeaders, ShortLongOptionalAndQueryForms) {
    const struct {
        const char* pattern;
        const char* header;
        bool matches;
    } rows[] = {
        {"MEASure:CURRent?", "MEAS:CURR?", true},
        {"MEASure:CURRent?", "measure:current?", true},
        {"MEASure:CURRent?", ":Meas:Current?", true},
        {"MEASure:CURRent?", "MEASU:CURR?", false},
        {"MEASure:CURRent?", "MEAS:CURR", false},
        {"MEASure:CURRent?", "MEAS?", false},
        {"SYSTem:ERRor[:NEXT]?", "SYST:ERR?", true},
        {"SYSTem:ERRor[:NEXT]?", "syst:err:next?", true},
        {"SYSTem:ERRor[:NEXT]?", "SYST:NEXT?", false},
        {"OUTPut[:STATe]", "OUTP", true},
        {"OUTPut[:STATe]", "OUTP:STAT", true},
        {"OUTPut[:STATe]", "OUTP:STAT?", false},
        {"SOURce:CURRent[:LEVel]?", "SOUR:CURR:LEV?", true},
        {"SOURce:CURRent[:LEVel]?", "SOUR::CURR?", false},
        {"*IDN?", "*idn?", true},
        {"*IDN?", "IDN?", false},
    };
    for (const auto& row : rows)
        EXPECT_EQ(cli::scpi::headerMatches(row.pattern, row.header), row.matches)
            << row.pattern << " / " << row.header;
}

// The simulator's identification, VRL-TKV9D-SIM, gives the serial number; the version is ours.
const std::string kIdentification = std::string("VRL,TKV-9D,SIM,") + kProjectVersion + "\n";
const std::string kThirdIdentification = std::string("3;VRL,TKV-9D,DREI,") + kProjectVersion + "\n";

// Faults caught: a command mapped to the wrong frame (start for stop, store for load, strom2
// for the source current), a number read in another form than SCPI's or its unit's multiplier
// dropped, answers of one line joined wrongly, a header after ';' not continuing the path (or not
// found from the root when the path does not fit), the address of SYST:ADDR not used, an answer for
// a setting.
TEST_F(Scpi, CommandsSendTheirFramesAndAnswer) {
    const struct {
        const char* line;
        const char* answer;
        std::vector<std::string> frames;
    } rows[] = {
        // Before anything started the device: nothing measured, no status bit.
        {"MEAS:CURR?;VOLT?;STAT:DEV?", "0;0;0\n", {"#1C0R|", "#1V0R|", "#1S1R|"}},
        {"*IDN?", kIdentification.c_str(), {"#1IDR|"}},
        {"*RST", "", {"#1DF2|"}},
        {"OUTP ON", "", {"#1DF1|"}},
        {"outp:stat off", "", {"#1DF2|"}},
        {"OUTPut 1;OUTP?", "1\n", {"#1DF1|", "#1S1R|"}},
        {"*SAV 16", "", {"#1PNP16|"}},
        {"*RCL 1", "", {"#1PNS1|"}},
        {"SOUR:CURR +1.5E0", "", {"#1C1W1.500|"}},
        {"SOUR:CURR 250 mA", "", {"#1C1W0.250|"}},
        {"SOUR:CURR 1500MA", "", {"#1C1W1.500|"}},
        {"SOUR:CURR 0.5;CURR?;:SOUR:CURR +1.5E0",
         "0.5\n",
         {"#1C1W0.500|", "#1C1R|", "#1C1W1.500|"}},
        {"SOURce:CURRent:LEVel?", "1.5\n", {"#1C1R|"}},
        {"PAR \"strom2\",0.25;PAR? \"strom2\"", "0.25\n", {"#1C2W0.250|", "#1C2R|"}},
        {"PAR 'alleausgaenge',65535", "", {"#1O0WFFFF|"}},
        {"PAR \"programmname\",\"Lauf \"\"A\"\"\";PAR? \"programmname\"",
         "\"Lauf \"\"A\"\"\"\n",
         {"#1N1WLauf \"A\"|", "#1N1R|"}},
        {"SYST:ADDR 3;SYST:ADDR?;*IDN?", kThirdIdentification.c_str(), {"#3IDR|"}},
        {"*TST?;*OPC?;SYST:VERS?;*WAI", "0;1;1999.0\n", {}},
    };
    for (const auto& row : rows) {
        Session session(kPort, '1', false);
        EXPECT_EQ(session.executeLine(row.line), row.answer) << row.line;
        EXPECT_EQ(sent(), row.frames) << row.line;
        EXPECT_EQ(session.executeLine("SYST:ERR?"), "0,\"No error\"\n") << row.line;
    }
}

// Faults caught: a refused command that still sends a frame (or the commands after it on the
// line), the wrong standard number for a fault, read-only mode that lets a change through or
// refuses a query, the driver's own line missing after the ';'.
TEST_F(Scpi, RefusedCommandsSendNothingAndQueueTheirError) {
    const struct {
        const char* line;
        bool readOnly;
        const char* error;
    } rows[] = {
        {"FOO:BAR?", false, "-113,\"Undefined header\""},
        {"MEAS:CURR", false, "-113,\"Undefined header\""},
        {"PAR\"strom1\",1", false, "-102,\"Syntax error\""},
        {"PAR \"strom1,1", false, "-102,\"Syntax error\""},
        {"PAR \"strom1\",", false, "-102,\"Syntax error\""},
        {"PAR \"strom1\"", false, "-109,\"Missing parameter\""},
        {"*RST 1", false, "-108,\"Parameter not allowed\""},
        {"SOUR:CURR abc", false, "-104,\"Data type error\""},
        // 0.0015 A: finer than the frame's milliampere, never 1.5 A.
        {"SOUR:CURR 1.5mA", false, "-224,\"Illegal parameter value\""},
        {"SOUR:CURR 1.5 V", false, "-131,\"Invalid suffix\""},
        {"*SAV 1 A", false, "-138,\"Suffix not allowed\""},
        {"PAR strom1,1", false, "-104,\"Data type error\""},
        {"OUTP maybe;OUTP ON", false, "-224,\"Illegal parameter value\""},
        {"*SAV 17", false, "-222,\"Data out of range\""},
        {"*RCL 1.5", false, "-224,\"Illegal parameter value\""},
        {"SYST:ADDR 0", false, "-222,\"Data out of range\""},
        {"SOUR:CURR 4.0952;OUTP ON", false,
         "-222,\"Data out of range;Fehler #500070: Parameter ausserhalb der Grenzwerte\""},
        {"PAR \"iststrom\",1", false, "-224,\"Illegal parameter value;Fehler #401097"},
        {"PAR \"programmname\",\"a#b\"", false, "-224,\"Illegal parameter value;Fehler #510229"},
        {"PAR? \"strom9\"", false, "-224,\"Illegal parameter value\""},
        {"SYST:ADDR 10", false, "-222,\"Data out of range\""},
        {"OUTP ON", true, "-203,\"Command protected\""},
        {"*RST", true, "-203,\"Command protected\""},
        {"*SAV 1", true, "-203,\"Command protected\""},
        {"PAR \"strom1\",1", true, "-203,\"Command protected\""},
        {"SOUR:CURR 1", true, "-203,\"Command protected\""},
    };
    for (const auto& row : rows) {
        Session session(kPort, '1', row.readOnly);
        EXPECT_EQ(session.executeLine(row.line), "") << row.line;
        EXPECT_EQ(sent(), std::vector<std::string>{}) << row.line;
        EXPECT_EQ(session.statusByte() & 0x04, 0x04) << row.line;
        EXPECT_EQ(session.executeLine("SYST:ERR?").rfind(row.error, 0), 0u)
            << row.line << ": " << session.executeLine("SYST:ERR?");
        EXPECT_EQ(session.executeLine("SYST:ERR?;*STB?"), "0,\"No error\";0\n") << row.line;
    }
    // Read-only still answers queries.
    Session readOnly(kPort, '1', true);
    EXPECT_EQ(readOnly.executeLine("OUTP?;SOUR:CURR?"), "0;0\n");
}

// Faults caught: a device fault reported as a command error or without the program's own line,
// an answer made up for a query that failed, the commands after a failed one still carried out.
TEST_F(Scpi, DeviceFaultsAreHardwareErrorsWithoutAnswer) {
    const struct {
        sim::FaultKind kind;
        const char* line;
        std::vector<std::string> frames;
        const char* error;
    } rows[] = {
        {sim::FaultKind::Silence,
         "MEAS:CURR?;OUTP ON",
         {"#1C0R|"},
         "-240,\"Hardware error;Fehler #403165: "},
        {sim::FaultKind::Nak, "OUTP ON", {"#1DF1|"}, "-240,\"Hardware error;Fehler #402039: "},
        {sim::FaultKind::Can, "*IDN?", {"#1IDR|"}, "-240,\"Hardware error;Fehler #405011: "},
    };
    for (const auto& row : rows) {
        line.injectFault('1', sim::Fault{row.kind, ""});
        Session session(kPort, '1', false);
        EXPECT_EQ(session.executeLine(row.line), "") << row.line;
        // A silent device's frame is not logged as carried out; the others are.
        const auto frames = sent();
        if (row.kind != sim::FaultKind::Silence) {
            EXPECT_EQ(frames, row.frames) << row.line;
        }
        EXPECT_LE(frames.size(), 1u) << row.line;
        EXPECT_EQ(session.executeLine("SYST:ERR?").rfind(row.error, 0), 0u) << row.line;
        line.clearFaults('1');
    }
}

// Faults caught: a setting to the common address not sent to every device; a query to it
// reported as a hardware fault instead of a value the command cannot take.
TEST_F(Scpi, CommonAddressCarriesOutButAnswersNothing) {
    Session session(kPort, '&', false);
    // No acknowledgement is awaited from the common address: the frame arrives on its own. On a
    // pseudo-terminal the next frame's emptying of the output queue may drop what the simulator
    // has not read yet (a real line has sent it when the drain returns), so one at a time.
    EXPECT_EQ(session.executeLine("OUTP ON"), "");
    EXPECT_TRUE(line.waitForFrames(1, std::chrono::seconds(2)));
    EXPECT_EQ(session.executeLine("SOUR:CURR 0.5"), "");
    EXPECT_TRUE(line.waitForFrames(2, std::chrono::seconds(2)));
    EXPECT_EQ(sent(), (std::vector<std::string>{"#&DF1|", "#&C1W0.500|"}));
    EXPECT_EQ(session.executeLine("MEAS:CURR?"), "");
    EXPECT_EQ(
        session.executeLine("SYST:ERR?").rfind("-224,\"Illegal parameter value;Fehler #400106", 0),
        0u);
    EXPECT_TRUE(sent().empty());
}

// Faults caught: a queue that grows with every error of a client that never reads it, holds
// other than its 16 entries, or drops the oldest errors instead of marking the overflow; *CLS that
// leaves the queue or the event register; *ESR? that does not clear, or classes an error under the
// wrong bit.
TEST_F(Scpi, QueueIsBoundedAndRegistersFollowIt) {
    Session session(kPort, '1', false);
    for (int i = 0; i < 20; ++i) session.executeLine("FOO");
    std::vector<std::string> errors;
    for (int i = 0; i < 17; ++i) errors.push_back(session.executeLine("SYST:ERR?"));
    // The manual's 16 entries: the oldest 15 errors, then the overflow in place of the rest.
    const std::vector<std::string> kept(15, "-113,\"Undefined header\"\n");
    EXPECT_EQ(std::vector<std::string>(errors.begin(), errors.begin() + 15), kept);
    EXPECT_EQ(errors[15], "-350,\"Queue overflow\"\n");
    EXPECT_EQ(errors[16], "0,\"No error\"\n");

    const struct {
        const char* line;
        const char* answer;
    } rows[] = {
        {"FOO;*ESR?", ""},  // the line ends at the fault
        {"*ESR?;*ESR?", "32;0\n"}, {"*SAV 0", ""},
        {"*ESE 16;*STB?", "36\n"}, {"*CLS;*STB?;*ESR?;*ESE?", "0;0;16\n"},
        {"*OPC;*ESR?", "1\n"},
    };
    for (const auto& row : rows) EXPECT_EQ(session.executeLine(row.line), row.answer) << row.line;
    session.inputOverrun();
    EXPECT_EQ(session.executeLine("SYST:ERR?"), "-363,\"Input buffer overrun\"\n");
    EXPECT_TRUE(sent().empty());
}

}  // namespace
