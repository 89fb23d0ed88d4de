// "Mit TKV-9D vergleichen...": the device read into a scratch table with the frames of reading
// all, and only what differs listed; the table the operator edits stays as it is.

#include <QAction>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLocale>
#include <QTableWidget>
#include <QTest>
#include <cstring>
#include <vector>

#include "app/device_compare.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app_fixture.h"
#include "params/datastate.h"
#include "params/program.h"
#include "params/program_name.h"
#include "platform/gui/panels.h"

namespace {

constexpr int kAlle = 2;  // answer to the range question
constexpr int kJa = 1;    // to the question before a read

class CompareWithDevice : public PanelsTest {
  protected:
    void SetUp() override {
        PanelsTest::SetUp();
        ASSERT_EQ(VrlCom_Open(kSimPort), 0);
        // The device holds what the table holds.
        ASSERT_EQ(Prog_ProgrammeSchreiben(0, vrl::params::kTableSize - 1), 0);
        line.clearFrames();
        popups.shown.clear();
    }
    Ui::MAINPANEL& main() { return ParMain_Panel()->ui; }
    void compare() { main().MENUMAIN_PROGRAMM_VERGLEICHEN->trigger(); }

    vrl::PopupsGuard guard{popups};
    GermanLocale german;
};

std::vector<std::vector<QString>> rowsOf(const QTableWidget* table) {
    std::vector<std::vector<QString>> rows;
    for (int row = 0; row < table->rowCount(); ++row) {
        std::vector<QString> cells;
        for (int column = 0; column < table->columnCount(); ++column)
            cells.push_back(table->item(row, column)->text());
        rows.push_back(cells);
    }
    return rows;
}

// Values changed on the device behind the program's back, and one edited on the panel but not
// yet stored in the table, are listed; nothing else is, and nothing of the program changes.
// Fields and values read as on the panels (faults caught: internal names such as
// "programmname", choices as numbers, a decimal point on a German desktop).
TEST_F(CompareWithDevice, ListsExactlyWhatDiffersAndLeavesTheTableAlone) {
    struct Change {
        int slot;  // 0 the working parameters
        const char* letters;
        const char* text;
        std::vector<QString> listed;
    };
    const std::vector<Change> changes = {
        {0, "M1", "1", {"A - Arbeitsparameter", "Meßbereich", "0 - 4 A", "0 - 0.4 A"}},
        {0, "C2", "0.250", {"A - Arbeitsparameter", "Strom 2", "0", "0,25"}},
        {5, "T3", "1234.5", {"5 - Programm 5", "Zeit 3", "0", "1234,5"}},
        {9, "L1", "7", {"9 - Programm 9", "Anzahl Zyklen", "0", "7"}},
        {16, "N1", "anders", {"16 - Programm 16", "Programmname", "Programm 16", "anders"}},
    };
    for (const auto& change : changes) {
        const bool stored =
            change.slot == 0 ? line.setValue('1', change.letters, change.text)
                             : line.tkv('1').setSlotValue(change.slot, change.letters, change.text);
        ASSERT_TRUE(stored) << change.letters;
    }
    // Entry 3 shown and Zeit 1 stepped up on the panel: in the working copy only.
    Prog_ProgrammAuswaehlen(3);
    QTest::keyClick(main().PAR_ZEIT1, Qt::Key_Up);
    ASSERT_DOUBLE_EQ(ws.parameter.zeit1, 1100.0);
    const auto table = ws.prog;
    const auto working = ws.parameter;
    const bool changed = ws.datenGeaendert;

    compare();

    std::vector<std::vector<QString>> expected;
    for (const auto& change : changes) expected.push_back(change.listed);
    expected.insert(expected.begin() + 2, {"3 - Programm 3", "Zeit 1", "1100", "1000"});
    auto* window = vrl::app::compareWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(rowsOf(window->table()), expected);
    EXPECT_EQ(window->summary()->text(),
              "Der TKV-9D wurde für den Vergleich angehalten. 6 Unterschiede zwischen "
              "Programm und TKV-9D:");
    EXPECT_EQ(std::memcmp(table.data(), ws.prog.data(), sizeof table), 0);
    EXPECT_EQ(std::memcmp(&working, &ws.parameter, sizeof working), 0);
    EXPECT_EQ(ws.datenGeaendert, changed);
    EXPECT_EQ(ws.progIndex, 3);
    EXPECT_FALSE(main().FEHLERLED->isOn());
}

// The comparison sends exactly the frames of "vom TKV-9D lesen" / "alle"; a device that holds
// the table says so.
TEST_F(CompareWithDevice, SendsTheFramesOfReadingAllAndSaysWhenNothingDiffers) {
    compare();
    const auto compared = line.frames();
    ASSERT_EQ(popups.shown.size(), 2u);  // "Ja" to the question, then the result
    EXPECT_EQ(popups.shown[1].title, "Mit TKV-9D vergleichen");
    EXPECT_NE(popups.shown[1].text.find("Keine Unterschiede"), std::string::npos)
        << popups.shown[1].text;
    EXPECT_EQ(vrl::app::compareWindow(), nullptr);

    line.clearFrames();
    popups.answers = {kJa, kAlle};  // the device may be running: read all the same
    main().PROGLESEN->click();
    EXPECT_EQ(compared, line.frames());
    EXPECT_GT(compared.size(), 400u);
}

// Fault caught: the comparison stops the device and loads its programs without asking, and the
// result does not say that the device was stopped.
TEST_F(CompareWithDevice, AsksFirstAndNeinSendsNothing) {
    struct Row {
        int answer;
        bool sent;
    };
    for (const Row row : {Row{2, false}, Row{1, true}}) {
        line.clearFrames();
        popups.shown.clear();
        popups.answers = {row.answer};
        compare();
        ASSERT_FALSE(popups.shown.empty());
        const auto& question = popups.shown.front();
        EXPECT_EQ(question.kind, "question");
        EXPECT_EQ(question.buttons, (std::vector<std::string>{"Ja", "Nein", ""}));
        EXPECT_NE(question.text.find("angehalten"), std::string::npos) << question.text;
        EXPECT_NE(question.text.find("zurückgeschrieben"), std::string::npos) << question.text;
        EXPECT_EQ(!line.frames().empty(), row.sent) << row.answer;
        EXPECT_EQ(popups.shown.size(), row.sent ? 2u : 1u) << row.answer;
        if (row.sent) {
            EXPECT_EQ(popups.shown.back().text.rfind("Der TKV-9D wurde für den Vergleich "
                                                     "angehalten.",
                                                     0),
                      0u);
        }
    }
}

}  // namespace
