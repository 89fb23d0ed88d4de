// Faults as written on the simulator's command line: what each text sets, and which texts are
// refused with which reason.

#include <gtest/gtest.h>

#include <string>

#include "platform/text/language.h"
#include "sim/fault_option.h"

namespace {

using sim::FaultKind;

struct Valid {
    const char* text;
    FaultKind kind;
    const char* command = "";
    int count = -1;
    int every = 1;
    int after = 1;
    double probability = 1.0;
    char address = 0;  // 0: every device
};

TEST(FaultOptionTest, ValidTextsSetKindAndTriggers) {
    const Valid rows[] = {
        {"nak:every=5", FaultKind::Nak, "", -1, 5},
        {"silent:after=100", FaultKind::Silence, "", -1, 1, 100},
        {"garbage:prob=0.01", FaultKind::OtherByte, "", -1, 1, 1, 0.01},
        {"wrong-echo:command=N", FaultKind::WrongEcho, "N"},
        {"can:command=C1W,count=2,address=b", FaultKind::Can, "C1W", 2, 1, 1, 1.0, 'b'},
        {"broken", FaultKind::BrokenOff},
        {"other-address:prob=1", FaultKind::OtherAddress},
        {"err:command=Oa", FaultKind::Err, "Oa"},
        {"overlong:every=2,after=3", FaultKind::OverlongLine, "", -1, 2, 3},
        {"lower-hex", FaultKind::LowerCaseHex},
        {"checksum:command=BDR", FaultKind::WrongChecksum, "BDR"},
        {"store-different:command=C1", FaultKind::StoreDifferent, "C1"},
        {"slow", FaultKind::Slow},
    };
    for (const Valid& row : rows) {
        std::string error;
        const auto option = sim::parseFaultOption(row.text, error);
        ASSERT_TRUE(option) << row.text << ": " << error;
        const sim::Fault& f = option->fault;
        EXPECT_EQ(f.kind, row.kind) << row.text;
        EXPECT_EQ(sim::faultName(f.kind),
                  std::string(row.text).substr(0, std::string(row.text).find(':')));
        EXPECT_EQ(f.command, row.command) << row.text;
        EXPECT_EQ(f.count, row.count) << row.text;
        EXPECT_EQ(f.every, row.every) << row.text;
        EXPECT_EQ(f.after, row.after) << row.text;
        EXPECT_EQ(f.probability, row.probability) << row.text;
        EXPECT_EQ(option->address.value_or(0), row.address) << row.text;
    }
}

TEST(FaultOptionTest, KindKeysSetTheirValues) {
    std::string error;
    auto option = sim::parseFaultOption("garbage", error);
    ASSERT_TRUE(option);
    EXPECT_TRUE(option->fault.randomByte);
    option = sim::parseFaultOption("garbage:byte=#", error);
    ASSERT_TRUE(option);
    EXPECT_FALSE(option->fault.randomByte);
    EXPECT_EQ(option->fault.byte, '#');
    option = sim::parseFaultOption("garbage:byte=0x2C", error);
    ASSERT_TRUE(option);
    EXPECT_EQ(option->fault.byte, ',');
    option = sim::parseFaultOption("store-different:command=C1,delta=0.002", error);
    ASSERT_TRUE(option);
    EXPECT_EQ(option->fault.delta, 0.002);
    option = sim::parseFaultOption("slow:byte-ms=5", error);
    ASSERT_TRUE(option);
    EXPECT_EQ(option->fault.byteMs, 5);
}

// In both languages the simulator speaks: German, and English as LC_ALL=C gives it.
TEST(FaultOptionTest, RefusedTextsSayWhy) {
    const struct {
        const char* text;
        const char* german;
        const char* english;
    } rows[] = {
        {"", "unbekannte Störung ''", "unknown fault ''"},
        {"NAK", "unbekannte Störung 'NAK'", "unknown fault 'NAK'"},
        {"nak:", "'' ist nicht KEY=VALUE", "'' is not KEY=VALUE"},
        {"nak:every", "'every' ist nicht KEY=VALUE", "'every' is not KEY=VALUE"},
        {"nak:every=5,", "'' ist nicht KEY=VALUE", "'' is not KEY=VALUE"},
        {"nak:every=0", "every braucht eine ganze Zahl ab 1", "every needs a whole number from 1"},
        {"nak:after=x", "after braucht eine ganze Zahl ab 1", "after needs a whole number from 1"},
        {"nak:count=-1", "count braucht eine ganze Zahl ab 1", "count needs a whole number from 1"},
        {"nak:prob=0", "prob braucht eine Zahl über 0 bis 1",
         "prob needs a number above 0 up to 1"},
        {"nak:prob=1.5", "prob braucht eine Zahl über 0 bis 1",
         "prob needs a number above 0 up to 1"},
        {"nak:command=C1RW", "command braucht ein bis drei Befehlsbuchstaben, etwa C1R oder N",
         "command needs one to three command letters, such as C1R or N"},
        {"nak:command=", "command braucht ein bis drei Befehlsbuchstaben, etwa C1R oder N",
         "command needs one to three command letters, such as C1R or N"},
        {"nak:address=&", "address braucht eine Geräteadresse 1..9, a..f",
         "address needs a device address 1..9, a..f"},
        {"nak:byte=#", "unbekannter Schlüssel 'byte'", "unknown key 'byte'"},
        {"nak:colour=red", "unbekannter Schlüssel 'colour'", "unknown key 'colour'"},
        {"garbage:byte=0x15", "byte braucht ein Zeichen oder 0x00..0x7F, nicht ACK, NAK oder CAN",
         "byte needs one character or 0x00..0x7F, not ACK, NAK or CAN"},
        {"garbage:byte=0x80", "byte braucht ein Zeichen oder 0x00..0x7F, nicht ACK, NAK oder CAN",
         "byte needs one character or 0x00..0x7F, not ACK, NAK or CAN"},
        {"garbage:byte=ab", "byte braucht ein Zeichen oder 0x00..0x7F, nicht ACK, NAK oder CAN",
         "byte needs one character or 0x00..0x7F, not ACK, NAK or CAN"},
        {"store-different:delta=0", "delta braucht eine Zahl über 0",
         "delta needs a number above 0"},
        {"slow:byte-ms=0", "byte-ms braucht eine ganze Zahl ms von 1 bis 10000",
         "byte-ms needs a whole number of ms from 1 to 10000"},
        {"slow:delta=1", "unbekannter Schlüssel 'delta'", "unknown key 'delta'"},
    };
    for (const auto language : {vrl::text::Language::German, vrl::text::Language::English}) {
        vrl::text::useLanguage(language);
        const bool english = language == vrl::text::Language::English;
        for (const auto& row : rows) {
            std::string error;
            EXPECT_FALSE(sim::parseFaultOption(row.text, error)) << row.text;
            EXPECT_EQ(error, english ? row.english : row.german) << row.text;
        }
    }
    vrl::text::useLanguage(vrl::text::Language::German);
}

}  // namespace
