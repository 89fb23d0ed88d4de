#include <cstring>

#include "params/calibration.h"
#include "params_fixture.h"

namespace {

class Programs : public ParamsTest {};

TEST_F(Programs, FreshTableListsWorkingParametersAndSixteenPrograms) {
    ASSERT_EQ(panels.labels.size(), 17u);
    EXPECT_EQ(panels.labels[0], "A - Arbeitsparameter");
    EXPECT_EQ(panels.labels[1], "1 - Programm 1");
    EXPECT_EQ(panels.labels[16], "16 - Programm 16");
    EXPECT_EQ(panels.listSelection, 0);
    EXPECT_EQ(gProgIndex, 0);
    EXPECT_EQ(vrl::params::nameOf(panels.shown), "Arbeitsparameter");
    EXPECT_EQ(panels.title, "TKV-9D Steuerung - Unbenannt");
    EXPECT_FALSE(gDatenGeaendert);
}

TEST_F(Programs, SwitchStoresEditsAndShowsTheOtherEntry) {
    gParameter.strom1 = 1.25;
    EXPECT_EQ(Prog_ProgrammAuswaehlen(3), 0);
    EXPECT_EQ(gProgIndex, 3);
    EXPECT_EQ(gProg[0].strom1, 1.25);
    EXPECT_EQ(vrl::params::nameOf(gParameter), "Programm 3");
    EXPECT_EQ(vrl::params::nameOf(panels.shown), "Programm 3");
    EXPECT_FALSE(gDatenGeaendert);
}

TEST_F(Programs, ImplausibleEditsKeepTheOldSelection) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(2), 0);
    gParameter.messbereich = 1;
    gParameter.strom1 = 3.0;
    panels.listSelection = 9;  // the operator picked entry 9 in the list
    EXPECT_EQ(Prog_ProgrammAuswaehlen(9), 0);
    EXPECT_EQ(gProgIndex, 2);
    EXPECT_EQ(panels.listSelection, 2);
    EXPECT_EQ(gParameter.strom1, 3.0);  // edits stay in the working copy
    EXPECT_EQ(gProg[2].strom1, 0.0);    // and are not stored
    EXPECT_EQ(popups.shown.size(), 1u);
}

TEST_F(Programs, RenameReplacesControlCharactersAndKeepsEdits) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(4), 0);
    gParameter.zeit2 = 77.0;  // edited, not yet stored
    panels.names = {std::string("Prüf\tlauf\x01 A")};
    EXPECT_EQ(Prog_Umbenennen(), 0);
    EXPECT_EQ(panels.askedWith, "Programm 4");
    EXPECT_EQ(vrl::params::nameOf(gProg[4]), "Pruef lauf  A");
    EXPECT_EQ(vrl::params::nameOf(gParameter), "Pruef lauf  A");
    EXPECT_EQ(gParameter.zeit2, 77.0);
    EXPECT_EQ(panels.labels[4], "4 - Pruef lauf  A");
    EXPECT_TRUE(gDatenGeaendert);
}

TEST_F(Programs, RenameIsCutAt25Characters) {
    panels.names = {std::string(30, 'z')};
    Prog_Umbenennen();
    EXPECT_EQ(vrl::params::nameOf(gProg[0]), std::string(25, 'z'));
}

TEST_F(Programs, CancelledRenameChangesNothing) {
    panels.names = {std::nullopt};
    EXPECT_EQ(Prog_Umbenennen(), 0);
    EXPECT_EQ(vrl::params::nameOf(gProg[0]), "Arbeitsparameter");
    EXPECT_FALSE(gDatenGeaendert);
}

TEST_F(Programs, NewTableDiscardsEverything) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(7), 0);
    gParameter.strom3 = 2.0;
    DatenAlsGeaendertMarkieren();
    gDateiname = "/tmp/x.tkv";
    Prog_Initialisieren();
    EXPECT_EQ(gProgIndex, 0);
    EXPECT_EQ(gProg[7].strom3, 0.0);
    EXPECT_FALSE(gDatenGeaendert);
    EXPECT_EQ(gDateiname, "Unbenannt");
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
    gParameter.messbereich = 1;
    gParameter.strom1 = 1.0;
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
        gDateiname = path;
        PaneltitelAktualisieren();
        EXPECT_EQ(panels.title, title);
    }
}

class Calibration : public ParamsTest {};

TEST_F(Calibration, DefaultPointsGiveIdentity) {
    EXPECT_DOUBLE_EQ(KalibrierIstwert(0.1, 0.0, 1.0), 0.1);
    EXPECT_EQ(KalibrierungAnwenden(0.1, 0.1, 4.0, 4.0), 0);
    EXPECT_DOUBLE_EQ(gParameter.kalibrierungVerstaerkung, 1.0);
    EXPECT_NEAR(gParameter.kalibrierungOffset, 0.0, 1e-15);
    EXPECT_EQ(gParameter.kundenkalibrierungAktiv, 1);
    EXPECT_EQ(panels.customerCalibration, 1);
}

TEST_F(Calibration, WorkedExample) {
    EXPECT_EQ(KalibrierungAnwenden(0.1, 0.102, 4.0, 4.05), 0);
    EXPECT_NEAR(gParameter.kalibrierungVerstaerkung, 0.987842, 5e-7);
    EXPECT_NEAR(gParameter.kalibrierungOffset, -0.000769, 5e-7);
    // The measured currents come back from the stored calibration.
    EXPECT_NEAR(
        KalibrierIstwert(0.1, gParameter.kalibrierungOffset, gParameter.kalibrierungVerstaerkung),
        0.102, 1e-12);
    EXPECT_NEAR(
        KalibrierIstwert(4.0, gParameter.kalibrierungOffset, gParameter.kalibrierungVerstaerkung),
        4.05, 1e-12);
}

TEST_F(Calibration, DegeneratePointsAreRefused) {
    const Parametersatz before = gParameter;
    const double rows[][4] = {{0.1, 1.0, 4.0, 1.0}, {2.0, 0.1, 2.0, 4.0}, {1.0, 1.0, 1.0, 1.0}};
    for (const auto& row : rows) EXPECT_NE(KalibrierungAnwenden(row[0], row[1], row[2], row[3]), 0);
    EXPECT_EQ(std::memcmp(&before, &gParameter, sizeof before), 0);
}

TEST_F(Calibration, ResetKeepsGainAndOffset) {
    ASSERT_EQ(KalibrierungAnwenden(0.1, 0.102, 4.0, 4.05), 0);
    const double gain = gParameter.kalibrierungVerstaerkung;
    KalibrierungZuruecksetzen();
    EXPECT_EQ(gParameter.kundenkalibrierungAktiv, 0);
    EXPECT_EQ(gParameter.kalibrierungVerstaerkung, gain);
    EXPECT_EQ(panels.customerCalibration, 0);
}

TEST_F(Calibration, StaysWithItsProgram) {
    ASSERT_EQ(Prog_ProgrammAuswaehlen(3), 0);
    ASSERT_EQ(KalibrierungAnwenden(0.1, 0.102, 4.0, 4.05), 0);
    ASSERT_EQ(Prog_ProgrammAuswaehlen(4), 0);
    EXPECT_EQ(gParameter.kundenkalibrierungAktiv, 0);
    EXPECT_EQ(gParameter.kalibrierungVerstaerkung, 1.0);
    EXPECT_EQ(gProg[3].kundenkalibrierungAktiv, 1);
}

}  // namespace
