#include <cstring>
#include <new>

#include "params/calibration.h"
#include "params_fixture.h"

namespace {

class Programs : public ParamsTest {};

TEST_F(Programs, FreshTableListsWorkingParametersAndSixteenPrograms) {
    ASSERT_EQ(Prog_Initialisieren(), 0);
    ASSERT_EQ(panels.labels.size(), 17u);
    EXPECT_EQ(panels.labels[0], "A - Arbeitsparameter");
    EXPECT_EQ(panels.labels[1], "1 - Programm 1");
    EXPECT_EQ(panels.labels[16], "16 - Programm 16");
    EXPECT_EQ(panels.listSelection, 0);
    EXPECT_EQ(ws.progIndex, 0);
    EXPECT_EQ(vrl::params::nameOf(panels.shown), "Arbeitsparameter");
    EXPECT_EQ(panels.title, "TKV-9D Steuerung - Unbenannt");
    EXPECT_FALSE(ws.datenGeaendert);
}

// The file writes every byte of a record, the reserved field too: a fresh table must not take
// it from whatever the memory held before.
TEST_F(Programs, FreshTableHoldsNoStrayBytes) {
    alignas(vrl::params::Workspace) unsigned char memory[sizeof(vrl::params::Workspace)];
    std::memset(memory, 0xA5, sizeof memory);
    auto* fresh = new (memory) vrl::params::Workspace;
    for (const Parametersatz& entry : fresh->prog) EXPECT_EQ(entry.reserviert, 0);
    EXPECT_EQ(fresh->parameter.reserviert, 0);
    fresh->~Workspace();
}

TEST_F(Programs, SwitchStoresEditsAndShowsTheOtherEntry) {
    ws.parameter.strom1 = 1.25;
    EXPECT_EQ(Prog_ProgrammAuswaehlen(3), 0);
    EXPECT_EQ(ws.progIndex, 3);
    EXPECT_EQ(ws.prog[0].strom1, 1.25);
    EXPECT_EQ(vrl::params::nameOf(ws.parameter), "Programm 3");
    EXPECT_EQ(vrl::params::nameOf(panels.shown), "Programm 3");
    EXPECT_FALSE(ws.datenGeaendert);
}

TEST_F(Programs, ImplausibleEditsKeepTheOldSelection) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(2), 0);
    ws.parameter.messbereich = 1;
    ws.parameter.strom1 = 3.0;
    panels.listSelection = 9;  // the operator picked entry 9 in the list
    EXPECT_EQ(Prog_ProgrammAuswaehlen(9), 0);
    EXPECT_EQ(ws.progIndex, 2);
    EXPECT_EQ(panels.listSelection, 2);
    EXPECT_EQ(ws.parameter.strom1, 3.0);  // edits stay in the working copy
    EXPECT_EQ(ws.prog[2].strom1, 0.0);    // and are not stored
    EXPECT_EQ(popups.shown.size(), 1u);
}

TEST_F(Programs, RenameReplacesControlCharactersAndKeepsEdits) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(4), 0);
    ws.parameter.zeit2 = 77.0;  // edited, not yet stored
    panels.names = {std::string("Prüf\tlauf\x01 A")};
    EXPECT_EQ(Prog_Umbenennen(), 0);
    EXPECT_EQ(panels.askedWith, "Programm 4");
    EXPECT_EQ(vrl::params::nameOf(ws.prog[4]), "Pruef lauf  A");
    EXPECT_EQ(vrl::params::nameOf(ws.parameter), "Pruef lauf  A");
    EXPECT_EQ(ws.parameter.zeit2, 77.0);
    EXPECT_EQ(panels.labels[4], "4 - Pruef lauf  A");
    EXPECT_TRUE(ws.datenGeaendert);
}

TEST_F(Programs, RenameIsCutAt25Characters) {
    panels.names = {std::string(30, 'z')};
    Prog_Umbenennen();
    EXPECT_EQ(vrl::params::nameOf(ws.prog[0]), std::string(25, 'z'));
}

TEST_F(Programs, CancelledRenameChangesNothing) {
    panels.names = {std::nullopt};
    EXPECT_EQ(Prog_Umbenennen(), 0);
    EXPECT_EQ(vrl::params::nameOf(ws.prog[0]), "Arbeitsparameter");
    EXPECT_FALSE(ws.datenGeaendert);
}

TEST_F(Programs, NewTableDiscardsEverything) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(7), 0);
    ws.parameter.strom3 = 2.0;
    DatenAlsGeaendertMarkieren();
    ws.dateiname = "/tmp/x.tkv";
    Prog_Initialisieren();
    EXPECT_EQ(ws.progIndex, 0);
    EXPECT_EQ(ws.prog[7].strom3, 0.0);
    EXPECT_FALSE(ws.datenGeaendert);
    EXPECT_EQ(ws.dateiname, "Unbenannt");
    EXPECT_EQ(panels.title, "TKV-9D Steuerung - Unbenannt");
}

TEST_F(Programs, CancelledTransfersSendNothing) {
    popups.answers = {3, 3};
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), 0);
    EXPECT_EQ(Prog_ProgrammeVonGeraetLesen(), 0);
    ASSERT_EQ(popups.shown.size(), 2u);
    EXPECT_EQ(popups.shown[0].title, "Programme zu TKV-9D schreiben");
    EXPECT_EQ(popups.shown[0].text, "Nur aktuell ausgewähltes oder alle Programme schreiben?");
    EXPECT_EQ(popups.shown[0].buttons,
              (std::vector<std::string>{"aktuelles", "alle", "abbrechen"}));
    EXPECT_EQ(popups.shown[1].title, "Programme vom TKV-9D lesen");
    EXPECT_EQ(popups.shown[1].text, "Nur aktuell ausgewähltes oder alle Programme lesen?");
}

TEST_F(Programs, ImplausibleRecordIsNotWrittenAndNothingAsked) {
    ws.parameter.messbereich = 1;
    ws.parameter.strom1 = 1.0;
    EXPECT_EQ(Prog_ProgrammeAufGeraetSchreiben(), -510451);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Fehler in den Parametern");
}

class DataState : public ParamsTest {};

TEST_F(DataState, TitleShowsOnlyTheFileName) {
    const std::pair<const char*, const char*> rows[] = {
        {"C:\\daten\\pruef\\a.tkv", "TKV-9D Steuerung - a.tkv"},
        {"/home/op/pruefling.tkv", "TKV-9D Steuerung - pruefling.tkv"},
        {"Unbenannt", "TKV-9D Steuerung - Unbenannt"},
    };
    for (const auto& [path, title] : rows) {
        ws.dateiname = path;
        PaneltitelAktualisieren();
        EXPECT_EQ(panels.title, title);
    }
}

class Calibration : public ParamsTest {};

TEST_F(Calibration, DefaultPointsGiveIdentity) {
    EXPECT_DOUBLE_EQ(KalibrierIstwert(0.1, 0.0, 1.0), 0.1);
    EXPECT_EQ(KalibrierungAnwenden(0.1, 0.1, 4.0, 4.0), 0);
    EXPECT_DOUBLE_EQ(ws.parameter.kalibrierungVerstaerkung, 1.0);
    EXPECT_NEAR(ws.parameter.kalibrierungOffset, 0.0, 1e-15);
    EXPECT_EQ(ws.parameter.kundenkalibrierungAktiv, 1);
    EXPECT_EQ(panels.customerCalibration, 1);
}

TEST_F(Calibration, WorkedExample) {
    EXPECT_EQ(KalibrierungAnwenden(0.1, 0.102, 4.0, 4.05), 0);
    EXPECT_NEAR(ws.parameter.kalibrierungVerstaerkung, 0.987842, 5e-7);
    EXPECT_NEAR(ws.parameter.kalibrierungOffset, -0.000769, 5e-7);
    // The measured currents come back from the stored calibration.
    EXPECT_NEAR(KalibrierIstwert(0.1, ws.parameter.kalibrierungOffset,
                                 ws.parameter.kalibrierungVerstaerkung),
                0.102, 1e-12);
    EXPECT_NEAR(KalibrierIstwert(4.0, ws.parameter.kalibrierungOffset,
                                 ws.parameter.kalibrierungVerstaerkung),
                4.05, 1e-12);
}

TEST_F(Calibration, DegeneratePointsAreRefused) {
    const Parametersatz before = ws.parameter;
    const double rows[][4] = {{0.1, 1.0, 4.0, 1.0}, {2.0, 0.1, 2.0, 4.0}, {1.0, 1.0, 1.0, 1.0}};
    for (const auto& row : rows) EXPECT_NE(KalibrierungAnwenden(row[0], row[1], row[2], row[3]), 0);
    EXPECT_EQ(std::memcmp(&before, &ws.parameter, sizeof before), 0);
}

TEST_F(Calibration, ResetKeepsGainAndOffset) {
    ASSERT_EQ(KalibrierungAnwenden(0.1, 0.102, 4.0, 4.05), 0);
    const double gain = ws.parameter.kalibrierungVerstaerkung;
    KalibrierungZuruecksetzen();
    EXPECT_EQ(ws.parameter.kundenkalibrierungAktiv, 0);
    EXPECT_EQ(ws.parameter.kalibrierungVerstaerkung, gain);
    EXPECT_EQ(panels.customerCalibration, 0);
}

TEST_F(Calibration, StaysWithItsProgram) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(3), 0);
    ASSERT_EQ(KalibrierungAnwenden(0.1, 0.102, 4.0, 4.05), 0);
    ASSERT_EQ(Prog_ProgrammAuswaehlen(4), 0);
    EXPECT_EQ(ws.parameter.kundenkalibrierungAktiv, 0);
    EXPECT_EQ(ws.parameter.kalibrierungVerstaerkung, 1.0);
    EXPECT_EQ(ws.prog[3].kundenkalibrierungAktiv, 1);
}

}  // namespace
