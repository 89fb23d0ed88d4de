#include <clocale>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "driver/parameter_catalogue.h"
#include "scripted_fixture.h"

namespace {

using Op = serial::ScriptedBackend::Op;

const double kNaN = std::numeric_limits<double>::quiet_NaN();
const double kInf = std::numeric_limits<double>::infinity();

class Parameters : public ScriptedPort {
  protected:
    int write(std::string_view name, double real, int integer = 0, std::string_view text = {},
              int address = '1') {
        return VRLTKV9D_ParameterSchreiben(kPort, address, name, real, integer, text);
    }
    int writeInt(std::string_view name, int integer, int address = '1') {
        return write(name, 0.0, integer, {}, address);
    }
    bool nothingWritten() const {
        for (Op op : peer.calls)
            if (op == Op::Write || op == Op::FlushInput) return false;
        return true;
    }
};

TEST_F(Parameters, WriteFramesAreByteExact) {
    struct Row {
        const char* name;
        int address;
        double real;
        int integer;
        const char* text;
        const char* frame;
    };
    const Row rows[] = {
        {"stromkurve", '1', 0, 2, "", "#1WFW2\r"},
        {"strom2", '3', 1.5, 0, "", "#3C2W1.500\r"},
        {"strom1", '1', 4.0951, 0, "", "#1C1W4.095\r"},
        {"strom4", 'f', 0.0, 0, "", "#fC4W0.000\r"},
        {"alleausgaenge", '1', 0, 0x7FFF, "", "#1O0W7FFF\r"},
        {"alleausgaenge", '1', 0, 0x00af, "", "#1O0W00AF\r"},
        {"alleausgaenge", '1', 0, 65535, "", "#1O0WFFFF\r"},
        {"alleausgaenge", '1', 0, 0, "", "#1O0W0000\r"},
        {"stromausgangsfilter", '1', 1000.0, 0, "", "#1P6W1000\r"},
        {"hysteresepoti", '1', 25.4, 0, "", "#1P3W25\r"},
        {"regelgeschwindigkeitspoti", '1', 99.6, 0, "", "#1P5W100\r"},
        {"mindestdauerFreilaufdiode", '1', 2.0, 0, "", "#1P2W2.0\r"},
        {"mindestdauerFreilaufdiode", '1', 6553.5, 0, "", "#1P2W6553.5\r"},
        {"zeit3", '2', 0.05, 0, "", "#2T3W0.1\r"},  // 0.05 lies just above the half in binary
        {"pruefspannung", '1', 150.0001, 0, "", "#1V1W150.0\r"},
        {"kalibriersollstrom1", '1', 0.409, 0, "", "#1B2W0.409\r"},
        {"kalibrierungOffset", '1', 1.0, 0, "", "#1B4W1.000000\r"},
        {"kalibrierungVerstaerkung", '1', -0.0000126, 0, "", "#1B5W-0.000013\r"},
        {"zyklen", '1', 0, 65535, "", "#1L1W65535\r"},
        {"ausgang10", '1', 0, 1, "", "#1OaW1\r"},
        {"ausgang15", 'c', 0, 0, "", "#cOfW0\r"},
        {"freilaufdiodeAktivBeiSprungAufNull", '1', 0, 1, "", "#1D2W1\r"},
        {"programmname", '1', 0, 0, " Prog 7 ", "#1N1W Prog 7 \r"},
        {"programmname", '1', 0, 0, "", "#1N1W\r"},
        {"programmname", '1', 0, 0, " !~", "#1N1W !~\r"},  // the first and last printable
    };
    for (const auto& row : rows) {
        peer.frames.clear();
        peer.reply("\x06");
        EXPECT_EQ(write(row.name, row.real, row.integer, row.text, row.address), 0) << row.frame;
        ASSERT_EQ(peer.frames.size(), 1u);
        EXPECT_EQ(peer.frames[0], row.frame);
    }
}

TEST_F(Parameters, WriteChecksEveryRangeWithItsOwnCode) {
    struct Row {
        const char* name;
        double low, high;  // accepted, bounds included
        int code;
    };
    const Row rows[] = {
        {"stromkurve", 1, 2, -500063},
        {"messbereich", 1, 2, -500064},
        {"stromausgangsfilter", 4.9999, 1250.0001, -500065},
        {"mindestdauerFreilaufdiode", 0.0999, 6553.5001, -500066},
        {"hysteresepoti", 0.9999, 100.0001, -500067},
        {"pwmfilterpoti", 0.9999, 100.0001, -500068},
        {"regelgeschwindigkeitspoti", 0.9999, 100.0001, -500069},
        {"strom1", -0.0001, 4.0951, -500070},
        {"strom2", -0.0001, 4.0951, -500071},
        {"strom3", -0.0001, 4.0951, -500072},
        {"strom4", -0.0001, 4.0951, -500073},
        {"zeit1", -0.0001, 65535.0001, -500074},
        {"zeit2", -0.0001, 65535.0001, -500075},
        {"zeit3", -0.0001, 65535.0001, -500076},
        {"zeit4", -0.0001, 65535.0001, -500077},
        {"pruefspannung", 1.9999, 150.0001, -500214},
        {"freilaufdiodeAktivBeiDeltaIIst", 0, 1, -500078},
        {"freilaufdiodeAktivBeiSprungAufNull", 0, 1, -500228},
        {"freilaufdiodeMindestDeltaIIst", 0.0099, 4.0951, -500079},
        {"zyklen", 0, 65535, -500080},
        {"alleausgaenge", 0, 65535, -500081},
        {"ausgang1", 0, 1, -500082},
        {"ausgang2", 0, 1, -500083},
        {"ausgang3", 0, 1, -500084},
        {"ausgang4", 0, 1, -500085},
        {"ausgang5", 0, 1, -500086},
        {"ausgang6", 0, 1, -500087},
        {"ausgang7", 0, 1, -500088},
        {"ausgang8", 0, 1, -500089},
        {"ausgang9", 0, 1, -500090},
        {"ausgang10", 0, 1, -500091},
        {"ausgang11", 0, 1, -500092},
        {"ausgang12", 0, 1, -500093},
        {"ausgang13", 0, 1, -500094},
        {"ausgang14", 0, 1, -500095},
        {"ausgang15", 0, 1, -500096},
        {"kundenkalibrierungAktiv", 0, 1, -500218},
        {"kalibriersollstrom1", 0.0, 4.09, -500219},
        {"kalibriersollstrom2", 0.0, 4.09, -500220},
    };
    for (const auto& row : rows) {
        const auto* entry = vrl::driver::findParameter(row.name);
        ASSERT_NE(entry, nullptr) << row.name;
        const bool real = entry->kind == vrl::driver::ValueKind::Real;
        auto attempt = [&](double value) {
            return real ? write(row.name, value) : writeInt(row.name, static_cast<int>(value));
        };
        const double below = real ? std::nextafter(row.low, -kInf) : row.low - 1;
        const double above = real ? std::nextafter(row.high, kInf) : row.high + 1;
        for (double outside : {below, above}) {
            peer.calls.clear();
            EXPECT_EQ(attempt(outside), row.code) << row.name << " " << outside;
            EXPECT_TRUE(nothingWritten()) << row.name;
        }
        if (real) {
            EXPECT_EQ(write(row.name, kNaN), row.code) << row.name;
            EXPECT_EQ(write(row.name, -kInf), row.code) << row.name;
        }
        for (double inside : {row.low, row.high}) {
            peer.reply("\x06");
            EXPECT_EQ(attempt(inside), 0) << row.name << " " << inside;
        }
    }
}

TEST_F(Parameters, WriteRefusalsComeBeforeAnythingIsSent) {
    struct Row {
        const char* what;
        std::function<int()> call;
        int code;
    };
    const std::string name33(33, 'n');
    const std::string name34(34, 'n');
    const Row rows[] = {
        {"strom1 just above 4.0951", [&] { return write("strom1", 4.0952); }, -500070},
        {"set point above 4.09", [&] { return write("kalibriersollstrom1", 4.095); }, -500219},
        {"set point below 0", [&] { return write("kalibriersollstrom1", -0.00001); }, -500219},
        {"mask 65536", [&] { return writeInt("alleausgaenge", 65536); }, -500081},
        {"mask -1", [&] { return writeInt("alleausgaenge", -1); }, -500081},
        {"address 0", [&] { return write("strom1", 1.0, 0, {}, '0'); }, -400061},
        {"address A", [&] { return write("strom1", 1.0, 0, {}, 'A'); }, -400061},
        {"address blank", [&] { return write("strom1", 1.0, 0, {}, ' '); }, -400061},
        {"address beyond a char", [&] { return write("strom1", 1.0, 0, {}, '1' + 256); }, -400061},
        {"bad address before bad name", [&] { return write("nix", 1.0, 0, {}, 'A'); }, -400061},
        {"read-only iststrom", [&] { return write("iststrom", 1.0); }, -401097},
        {"read-only status", [&] { return writeInt("status", 1); }, -401097},
        {"read-only kartenstatus15", [&] { return writeInt("kartenstatus15", 1); }, -401097},
        {"capital letter", [&] { return write("Strom1", 1.0); }, -401097},
        {"empty name", [&] { return write("", 1.0); }, -401097},
        {"no fifth current", [&] { return write("strom5", 1.0); }, -401097},
        {"name of 34 characters", [&] { return write("programmname", 0, 0, name34); }, -113098},
        {"offset of 34 characters", [&] { return write("kalibrierungOffset", 1e26); }, -113098},
        {"negative offset", [&] { return write("kalibrierungOffset", -1e25); }, -113098},
        {"huge gain", [&] { return write("kalibrierungVerstaerkung", 1e300); }, -113098},
        {"offset not a number", [&] { return write("kalibrierungOffset", kNaN); }, -500062},
        {"infinite gain", [&] { return write("kalibrierungVerstaerkung", kInf); }, -500062},
        {"CR and a command in a name", [&] { return write("programmname", 0, 0, "x\r#1DF1"); },
         -510229},
        {"LF in a name", [&] { return write("programmname", 0, 0, "x\n"); }, -510229},
        {"tab in a name", [&] { return write("programmname", 0, 0, "a\tb"); }, -510229},
        {"escape in a name", [&] { return write("programmname", 0, 0, "\x1b[2J"); }, -510229},
        {"DEL in a name", [&] { return write("programmname", 0, 0, "\x7f"); }, -510229},
        {"NUL inside a name", [&] { return write("programmname", 0, 0, std::string("a\0b", 3)); },
         -510229},
        {"umlaut in a name", [&] { return write("programmname", 0, 0, "Pr\xc3\xbc"); }, -510229},
        {"byte 0x80 in a name", [&] { return write("programmname", 0, 0, "\x80"); }, -510229},
    };
    for (const auto& row : rows) {
        peer.calls.clear();
        EXPECT_EQ(row.call(), row.code) << row.what;
        EXPECT_TRUE(nothingWritten()) << row.what;
    }
    // The longest value texts that still fit the frame buffer go out whole: 39 bytes.
    peer.reply("\x06");
    peer.reply("\x06");
    EXPECT_EQ(write("programmname", 0, 0, name33), 0);
    EXPECT_EQ(write("kalibrierungOffset", 1e25), 0);
    ASSERT_EQ(peer.frames.size(), 2u);
    EXPECT_EQ(peer.frames[0], "#1N1W" + name33 + "\r");
    EXPECT_EQ(peer.frames[1], "#1B4W10000000000000000905969664.000000\r");
}

const PeerFault kFaults[] = {
    {"flush input", [](auto& p) { p.failNext(Op::FlushInput, -1); }},
    {"flush output", [](auto& p) { p.failNext(Op::FlushOutput, -1); }},
    {"write failed", [](auto& p) { p.failNext(Op::Write, -1); }},
    {"queue query failed", [](auto& p) { p.failNext(Op::Drain, -1); }},
    {"short write", [](auto& p) { p.failNext(Op::Write, 2); }},
    {"NAK", [](auto& p) { p.reply("\x15"); }},
    {"CAN", [](auto& p) { p.reply("\x18"); }},
    {"no acknowledgement", [](auto&) {}},
    {"top bit set", [](auto& p) { p.reply(std::vector<int>{0x86}); }},
    {"unexpected acknowledgement", [](auto& p) { p.reply("#"); }},
};

TEST(ParameterTransaction, FailureTablesOfWriteAndRead) {
    struct Row {
        const char* name;
        std::function<int(int)> command;
        int codes[std::size(kFaults)];
    };
    double real = 0;
    const Row rows[] = {
        {"write",
         [](int p) { return VRLTKV9D_ParameterSchreiben(p, '1', "strom1", 1.0, 0, {}); },
         {-112099, -112099, -101100, -101100, -101101, -402102, -405103, -403104, -403104,
          -404105}},
        {"read",
         [&](int p) { return VRLTKV9D_ParameterLesen(p, '1', "strom1", &real, nullptr, nullptr); },
         {-112160, -112160, -101161, -101161, -114162, -402163, -405164, -403165, -403165,
          -404166}},
    };
    for (const auto& row : rows) {
        for (std::size_t i = 0; i < std::size(kFaults); ++i) {
            serial::ScriptedBackend peer;
            serial::BackendGuard use(peer);
            kFaults[i].arrange(peer);
            EXPECT_EQ(row.command(1), row.codes[i]) << row.name << ": " << kFaults[i].what;
        }
    }
}

TEST_F(Parameters, WriteToCommonAddressReadsNothing) {
    EXPECT_EQ(write("strom1", 1.0, 0, {}, '&'), 0);
    EXPECT_EQ(sent(), "#&C1W1.000\r");
    EXPECT_EQ(peer.reads(), 0);
}

class ParameterRead : public ScriptedPort {
  protected:
    static constexpr double kUntouched = -77.0;

    int read(std::string_view name, int address = '1') {
        real = kUntouched;
        integer = -77;
        text = "untouched";
        return VRLTKV9D_ParameterLesen(kPort, address, name, &real, &integer, &text);
    }

    double real = 0;
    int integer = 0;
    std::string text;
};

TEST_F(ParameterRead, FramesCarryTheLettersAndR) {
    struct Row {
        const char* name;
        char address;
        const char* frame;
    };
    const Row rows[] = {
        {"iststrom", '2', "#2C0R\r"},       {"stromkurve", '1', "#1WFR\r"},
        {"kartenstatus12", 'f', "#fKcR\r"}, {"status", '9', "#9S1R\r"},
        {"programmname", 'a', "#aN1R\r"},
    };
    for (const auto& row : rows) {
        peer.frames.clear();
        read(row.name, row.address);
        ASSERT_EQ(peer.frames.size(), 1u);
        EXPECT_EQ(peer.frames[0], row.frame);
    }
}

TEST_F(ParameterRead, ValuesAreScannedByKind) {
    struct Row {
        const char* name;
        const char* answer;  // after ACK
        double real;
        int integer;
        const char* text;
    };
    const std::string zeros(21, '0');
    const std::string noCr = "#1C1R1.0" + zeros;  // 29 bytes, the limit, without CR
    const std::string longName = "#1N1R" + std::string(24, 'x');
    const Row rows[] = {
        {"strom1", "#1C1R1.5\r", 1.5, -77, "untouched"},
        {"strom1", "#1C1R 1.5\r", 1.5, -77, "untouched"},
        {"strom1", "#1C1R+2.25\r", 2.25, -77, "untouched"},
        {"strom1", "#1C1R-0.5\r", -0.5, -77, "untouched"},
        {"strom1", "#1C1R.5e-3\r", 0.0005, -77, "untouched"},
        {"strom1", "#1C1R4\r", 4.0, -77, "untouched"},
        {"strom1", noCr.c_str(), 1.0, -77, "untouched"},
        {"zyklen", "#1L1R65535\r", kUntouched, 65535, "untouched"},
        {"zyklen", "#1L1R  7\r", kUntouched, 7, "untouched"},
        {"zyklen", "#1L1R-3\r", kUntouched, -3, "untouched"},
        {"status", "#1S1R00af\r", kUntouched, 0xAF, "untouched"},
        {"status", "#1S1RFFFF\r", kUntouched, 0xFFFF, "untouched"},
        {"status", "#1S1R 8001\r", kUntouched, 0x8001, "untouched"},
        {"programmname", "#1N1R  Mein Prog \r", kUntouched, -77, "  Mein Prog "},
        {"programmname", "#1N1Rerr\r", kUntouched, -77, "err"},
        {"programmname", "#1N1R\r", kUntouched, -77, ""},
        {"programmname", longName.c_str(), kUntouched, -77, longName.c_str() + 5},
    };
    for (const auto& row : rows) {
        peer.reply(std::string("\x06") + row.answer);
        EXPECT_EQ(read(row.name), 0) << row.answer;
        EXPECT_EQ(real, row.real) << row.answer;
        EXPECT_EQ(integer, row.integer) << row.answer;
        EXPECT_EQ(text, row.text) << row.answer;
    }
}

TEST_F(ParameterRead, AnswerChecksAndTheirCodes) {
    struct Row {
        const char* name;
        int address;
        const char* answer;  // nullptr: nothing sent is expected
        int code;
    };
    const Row rows[] = {
        {"strom1", '&', nullptr, -400106},
        {"strom1", 'A', nullptr, -400106},
        {"strom1", '0', nullptr, -400106},
        {"strom0", 'A', nullptr, -400106},
        {"strom0", '1', nullptr, -401159},
        {"", '1', nullptr, -401159},
        {"strom1", '1', "#1C1R1.", -404167},  // broken off before CR
        {"strom1", '1', "#1C2R1.0\r", -404168},
        {"strom1", '1', "#2C1R1.0\r", -404168},
        {"strom1", '1', "$1C1R1.0\r", -404168},
        {"strom1", '1', "#1C\r", -404168},
        {"strom1", '1', "#1C1Rerr\r", -409169},
        {"zyklen", '1', "#1L1Rerr\r", -409169},
        {"status", '1', "#1S1Rerr\r", -409169},
        {"strom1", '1', "#1C1Rabc\r", -404170},
        {"strom1", '1', "#1C1Rnan\r", -404170},
        {"strom1", '1', "#1C1Rinf\r", -404170},
        {"strom1", '1', "#1C1R1e999\r", -404170},
        {"strom1", '1', "#1C1R\r", -404170},
        {"zyklen", '1', "#1L1Rx\r", -404171},
        {"zyklen", '1', "#1L1R99999999999\r", -404171},
        {"programmname", '1', "#1N1Rab\tc\r", -404173},
        {"status", '1', "#1S1R\r", -404174},
        {"status", '1', "#1S1R-1\r", -404174},
        {"status", '1', "#1S1R1FFFFFFFF\r", -404174},
    };
    for (const auto& row : rows) {
        peer.calls.clear();
        if (row.answer) peer.reply(std::string("\x06") + row.answer);
        const char* answer = row.answer ? row.answer : "(none)";
        EXPECT_EQ(read(row.name, row.address), row.code) << row.name << " " << answer;
        EXPECT_EQ(real, kUntouched);
        EXPECT_EQ(integer, -77);
        EXPECT_EQ(text, "untouched");
        if (!row.answer) {
            EXPECT_TRUE(peer.calls.empty()) << row.name;
        }
        VRLTKV9D_PufferLeeren(kPort);
    }
}

// A bit flipped on the line ("1.500" arriving as "1.700") shows as a parity error; the byte must
// not be taken for the one it became, on any system.
TEST_F(ParameterRead, ByteWithParityErrorRefusesTheAnswer) {
    struct Row {
        const char* answer;  // after ACK
        std::size_t damaged;
        int code;
    };
    const Row rows[] = {
        {"#1C1R1.700\r", 7, -404170},
        {"#1C1R1.700\r", 1, -404168},
        {"#1N1RProg\r", 6, -404173},
    };
    for (const auto& row : rows) {
        std::vector<int> bytes{0x06};
        for (const char c : std::string_view(row.answer)) bytes.push_back(c);
        bytes[row.damaged + 1] |= serial::ScriptedBackend::kParityError;
        peer.reply(bytes);
        EXPECT_EQ(read(row.answer[2] == 'N' ? "programmname" : "strom1"), row.code) << row.answer;
        EXPECT_EQ(real, kUntouched) << row.answer;
        VRLTKV9D_PufferLeeren(kPort);
    }
}

TEST_F(ParameterRead, WithoutADestinationForTheKindNothingIsSent) {
    double real = 0;
    int integer = 0;
    std::string text;
    EXPECT_EQ(VRLTKV9D_ParameterLesen(kPort, '1', "strom1", nullptr, &integer, &text), -401159);
    EXPECT_EQ(VRLTKV9D_ParameterLesen(kPort, '1', "status", &real, nullptr, &text), -401159);
    EXPECT_EQ(VRLTKV9D_ParameterLesen(kPort, '1', "programmname", &real, &integer, nullptr),
              -401159);
    EXPECT_TRUE(peer.frames.empty());
}

// Operators run German locales, where the decimal separator is a comma.
TEST_F(Parameters, WireTextDoesNotFollowTheLocale) {
    const std::string previous = std::setlocale(LC_ALL, nullptr);
    if (std::setlocale(LC_ALL, "de_DE.UTF-8") == nullptr)
        GTEST_SKIP() << "the de_DE.UTF-8 locale is not installed (scripts/install-deps adds it)";
    peer.reply("\x06");
    peer.reply("\x06");
    peer.reply("\x06#1C1R1.25\r");
    const int written = write("strom2", 1.5, 0, {}, '3');
    const int offset = write("kalibrierungOffset", -0.5);
    double real = 0;
    const int read = VRLTKV9D_ParameterLesen(kPort, '1', "strom1", &real, nullptr, nullptr);
    std::setlocale(LC_ALL, previous.c_str());
    EXPECT_EQ(written, 0);
    EXPECT_EQ(offset, 0);
    EXPECT_EQ(read, 0);
    ASSERT_EQ(peer.frames.size(), 3u);
    EXPECT_EQ(peer.frames[0], "#3C2W1.500\r");
    EXPECT_EQ(peer.frames[1], "#1B4W-0.500000\r");
    EXPECT_EQ(real, 1.25);
}

}  // namespace
