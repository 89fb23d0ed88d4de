// Program transfers against the simulated device: the order of the frames on the line is the
// behaviour the device relies on (a program is written as working parameters, then stored).

#include <gtest/gtest.h>

#include "connection/vrlcom.h"
#include "errors/vrl_errors.h"
#include "params/program.h"
#include "params/tkvcom.h"
#include "platform/serial/port_map.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

namespace {

constexpr int kPort = 11;

class Transfers : public ::testing::Test {
  protected:
    void SetUp() override {
        line.addTkv('1');
        for (int slot = 1; slot <= 16; ++slot)
            ASSERT_TRUE(line.setSlotValue('1', slot, "N1", "Slot " + std::to_string(slot)));
        ASSERT_TRUE(line.setValue('1', "N1", "Arbeit"));
        serial::setPortPath(kPort, line.devicePath());
        vrl::com::resetState();
        ASSERT_EQ(VrlCom_Open(kPort), 0);
        line.clearFrames();
    }
    void TearDown() override {
        vrl::com::resetState();
        serial::setPortPath(kPort, "");
    }

    // The frames as a short story: runs of parameter reads and writes are counted, the other
    // commands named ("25R DF2 25W PNP5"); each record is a run of its own.
    std::string story() const {
        std::vector<std::string> words;
        std::string run;
        int count = 0;
        auto flush = [&] {
            if (count) words.push_back(std::to_string(count) + run);
            count = 0;
        };
        for (const auto& frame : line.frames()) {
            const std::string command = frame.substr(2, frame.size() - 3);
            const bool parameter = command.rfind("DF", 0) != 0 && command.rfind("PN", 0) != 0;
            if (parameter) {
                // A record starts with its name: "N1".
                const std::string kind(1, command[2]);
                if (kind != run || command.rfind("N1", 0) == 0) flush();
                run = kind;
                ++count;
            } else {
                flush();
                run.clear();
                words.push_back(command);
            }
        }
        flush();
        std::string text;
        for (const auto& word : words) text += (text.empty() ? "" : " ") + word;
        return text;
    }

    vrl::params::ScopedWorkspace ws;
    sim::Line line;
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard guard{popups};
};

constexpr int kSelected = 1, kAll = 2;

std::string repeat(const std::string& part, int from, int to) {
    std::string text;
    for (int i = from; i <= to; ++i) {
        std::string piece = part;
        for (std::size_t at; (at = piece.find('%')) != std::string::npos;)
            piece.replace(at, 1, std::to_string(i));
        text += (text.empty() ? "" : " ") + piece;
    }
    return text;
}

TEST_F(Transfers, WriteSelectedWorkingParametersOnly) {
    popups.answers = {kSelected};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), 0);
    EXPECT_EQ(story(), "DF2 25W");
}

// The story above counts a record's frames; the device takes the fields in one order, letter by
// letter, and a record written or read in another order would swap values (strom1 for strom2).
TEST_F(Transfers, ARecordTravelsFieldByFieldInTheDevicesOrder) {
    const std::vector<std::string> order = {"N1", "WF", "M1", "P6", "P2", "P3", "P4", "P5", "C1",
                                            "C2", "C3", "C4", "T1", "T2", "T3", "T4", "D1", "D2",
                                            "P1", "L1", "B1", "B2", "B3", "B4", "B5"};
    for (const auto& [answer, direction] : {std::pair{kSelected, 'W'}, std::pair{0, 'R'}}) {
        line.clearFrames();
        popups.answers = {answer};
        if (direction == 'W') {
            ASSERT_EQ(Prog_ProgrammeAufGeraetSchreiben(), 0);
        } else {
            ASSERT_EQ(TkvCom_ParameterLesen(&ws.prog[0]), 0);
        }
        std::vector<std::string> letters;
        for (const auto& frame : line.frames())
            if (frame.size() > 4 && frame[4] == direction) letters.push_back(frame.substr(2, 2));
        EXPECT_EQ(letters, order) << direction;
    }
}

TEST_F(Transfers, WriteSelectedProgramKeepsTheDevicesWorkingParameters) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(5), 0);
    ws.parameter.strom1 = 2.5;
    popups.answers = {kSelected};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), 0);
    EXPECT_EQ(story(), "25R DF2 25W PNP5 DF2 25W");
    EXPECT_EQ(line.slotValue('1', 5, "C1"), "2.500");
    EXPECT_EQ(line.slotValue('1', 5, "N1"), "Programm 5");
    EXPECT_EQ(line.value('1', "N1"), "Arbeit");
}

TEST_F(Transfers, WriteAllStoresSixteenProgramsThenTheWorkingParameters) {
    popups.answers = {kAll};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), 0);
    EXPECT_EQ(story(), repeat("DF2 25W PNP%", 1, 16) + " DF2 25W");
    EXPECT_EQ(line.value('1', "N1"), "Arbeitsparameter");
    EXPECT_EQ(line.slotValue('1', 16, "N1"), "Programm 16");
}

TEST_F(Transfers, ReadAllLoadsEachProgramAndRestoresTheWorkingParameters) {
    ASSERT_TRUE(line.setSlotValue('1', 9, "T3", "12.5"));
    popups.answers = {kAll};
    EXPECT_EQ(Prog_ProgrammeVonGeraetLesen(), 0);
    EXPECT_EQ(story(), "25R 25R " + repeat("PNS% 25R", 1, 16) + " DF2 25W");
    EXPECT_EQ(vrl::params::nameOf(ws.prog[0]), "Arbeit");
    EXPECT_EQ(vrl::params::nameOf(ws.prog[16]), "Slot 16");
    EXPECT_EQ(ws.prog[9].zeit3, 12.5);
    EXPECT_EQ(line.value('1', "N1"), "Arbeit");
}

TEST_F(Transfers, ReadSelectedWorkingParametersReadsTwiceWritesOnce) {
    popups.answers = {kSelected};
    EXPECT_EQ(Prog_ProgrammeVonGeraetLesen(), 0);
    EXPECT_EQ(story(), "25R 25R DF2 25W");
    EXPECT_EQ(vrl::params::nameOf(ws.parameter), "Arbeit");
}

TEST_F(Transfers, ReadSelectedProgram) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(5), 0);
    popups.answers = {kSelected};
    EXPECT_EQ(Prog_ProgrammeVonGeraetLesen(), 0);
    EXPECT_EQ(story(), "25R PNS5 25R DF2 25W");
    EXPECT_EQ(vrl::params::nameOf(ws.parameter), "Slot 5");
    EXPECT_EQ(ws.parameter.pruefspannung, 2.0);
}

// A read loads programs over the device's working parameters and writes those back at the end;
// when the write would refuse them, loading even one program would lose them for good. A value
// outside what a write accepts is no value the device can hold: the read ends at it.
TEST_F(Transfers, ReadLoadsNothingWhenTheWorkingParametersCannotGoBack) {
    struct Row {
        const char* letters;
        const char* stored;
        int answer;
        int code;
        const char* story;
        const char* field;
    };
    const Row rows[] = {
        {"P6", "1300", kAll, -404352, "4R", "Feld stromausgangsfilter"},
        {"C3", "4.200", kAll, -404352, "11R", "Feld strom3"},
        {"P6", "1300", kSelected, -404352, "4R", "Feld stromausgangsfilter"},
    };
    for (const auto& row : rows) {
        ASSERT_TRUE(line.setStoredValue('1', row.letters, row.stored)) << row.letters;
        line.clearFrames();
        popups.answers = {row.answer};
        EXPECT_EQ(Prog_ProgrammeVonGeraetLesen(), row.code) << row.letters;
        EXPECT_EQ(story(), row.story) << row.letters;
        if (row.field) {
            EXPECT_NE(std::string(VRL_Fehlermeldung(row.code)).find(row.field), std::string::npos)
                << row.letters;
        }
        ASSERT_TRUE(line.setValue('1', row.letters, row.letters[0] == 'P' ? "1000" : "0.000"));
    }
}

TEST_F(Transfers, FailurePartWayStopsTheTransfer) {
    line.injectFault('1', sim::Fault{sim::FaultKind::Nak, "PNP", 1});
    popups.answers = {kAll};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), -402048);
    // Entry A goes back into the working parameters, as the write would have ended.
    EXPECT_EQ(story(), "DF2 25W PNP1 DF2 25W");
}

}  // namespace
