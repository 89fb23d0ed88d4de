// The parameter logic on the real main, calibration and rename panels, offscreen.

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <bit>
#include <cstring>
#include <limits>

#include "gui/qt_app.h"
#include "params/datastate.h"
#include "params/parameter_panels.h"
#include "params/program.h"
#include "platform/gui/controls.h"
#include "platform/gui/indicator_ring.h"
#include "platform/gui/led.h"
#include "support/scripted_popups.h"

namespace {

class ParameterPanels : public ::testing::Test {
  protected:
    void SetUp() override {
        main.widget()->setLocale(QLocale::c());  // number texts independent of the host
        Prog_Initialisieren();
    }

    // The operator types a value into a spin box and leaves the field.
    template <class Box, class Value>
    void commit(Box* box, Value value) {
        box->setValue(value);  // keyboard tracking is off: this is the commit
    }
    void choose(QComboBox* ring, int value) {
        const int index = vrl::gui::ringIndexOf(ring, value);
        ASSERT_GE(index, 0);
        ring->setCurrentIndex(index);
        emit ring->activated(index);
    }

    vrl::params::ScopedWorkspace ws;
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard guard{popups};
    vrl::gui::MainPanel main;
    vrl::gui::KalibPanel kalib{main.widget()};
    vrl::gui::RenamePanel rename{main.widget()};
    vrl::params::QtParameterPanels binding{main, kalib, rename};
};

TEST_F(ParameterPanels, FreshTableIsListedAndShown) {
    auto* list = main.ui.PROGRAMMLISTE;
    ASSERT_EQ(list->count(), 17);
    EXPECT_EQ(list->itemText(0), "A - Arbeitsparameter");
    EXPECT_EQ(list->itemText(1), "1 - Programm 1");
    EXPECT_EQ(list->itemText(16), "16 - Programm 16");
    EXPECT_EQ(vrl::gui::ringValue(list), 0);
    EXPECT_EQ(main.widget()->windowTitle(), "TKV-9D Steuerung - Unbenannt");
    EXPECT_EQ(vrl::gui::ringValue(main.ui.PAR_MESSBEREICH), 2);
    EXPECT_EQ(vrl::gui::ringValue(main.ui.PAR_STROMKURVE), 1);
    EXPECT_DOUBLE_EQ(main.ui.PAR_ZEIT1->value(), 1000.0);
    EXPECT_DOUBLE_EQ(main.ui.PAR_PRUEFSPANNUNG->value(), 2.0);
    EXPECT_DOUBLE_EQ(kalib.ui.IST1->value(), 0.1);
    EXPECT_DOUBLE_EQ(kalib.ui.IST2->value(), 4.0);
    EXPECT_EQ(main.ui.PROGRAMMNUMMER->maximum(), 16);
    EXPECT_EQ(rename.ui.STRING->maxLength(), 25);
}

TEST_F(ParameterPanels, UnlimitedCyclesTickTheBoxAndDimTheCount) {
    EXPECT_TRUE(main.ui.PAR_ZYKLENUNBEGRENZT->isChecked());
    EXPECT_TRUE(vrl::gui::isDimmed(main.ui.PAR_ZYKLEN));
    vrl::gui::setQuietly(main.ui.PAR_ZYKLEN, 40);
    main.ui.PAR_ZYKLENUNBEGRENZT->click();  // untick and commit
    EXPECT_FALSE(vrl::gui::isDimmed(main.ui.PAR_ZYKLEN));
    EXPECT_EQ(ws.parameter.zyklen, 40);
    EXPECT_TRUE(ws.datenGeaendert);
    main.ui.PAR_ZYKLENUNBEGRENZT->click();
    EXPECT_EQ(ws.parameter.zyklen, 0);
}

TEST_F(ParameterPanels, CommittedChangeGoesIntoTheWorkingCopyOnly) {
    commit(main.ui.PAR_STROM3, 1.25);
    choose(main.ui.PAR_FREILAUFBEINULL, 1);
    EXPECT_DOUBLE_EQ(ws.parameter.strom3, 1.25);
    EXPECT_EQ(ws.parameter.freilaufdiodeAktivBeiSprungAufNull, 1);
    EXPECT_EQ(ws.prog[0].strom3, 0.0);
    EXPECT_TRUE(ws.datenGeaendert);
    EXPECT_EQ(vrl::params::nameOf(ws.parameter), "Arbeitsparameter");
}

TEST_F(ParameterPanels, CoarseControlsDoNotRoundUntouchedValues) {
    ws.parameter.pwmfilterpoti = 25.5;
    ws.parameter.stromausgangsfilter = 999.75;
    ParameterAnzeigen();
    commit(main.ui.PAR_STROM1, 0.5);  // another field
    EXPECT_DOUBLE_EQ(ws.parameter.pwmfilterpoti, 25.5);
    EXPECT_DOUBLE_EQ(ws.parameter.stromausgangsfilter, 999.75);
    commit(main.ui.PAR_PWMFILTERPOTI, 30.0);  // the field itself
    EXPECT_DOUBLE_EQ(ws.parameter.pwmfilterpoti, 30.0);
}

// A record from a file or the device may hold what no control can show. It is shown marked, as
// it is, and stays in the record bit for bit until the operator changes that very control.
TEST_F(ParameterPanels, UnshowableValuesStayUntilTheOperatorChangesThem) {
    const double nan = std::bit_cast<double>(0x7FF8'0000'0000'0123ull);  // with a payload
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* field;
        double stored;
        const char* control;
        const char* shown;  // the ring's item or the box's text
        double changedTo;   // what the operator then chooses or types
    };
    const Row rows[] = {
        {"messbereich", 3, "PAR_MESSBEREICH", "? (3)", 1},
        {"stromkurve", 7, "PAR_STROMKURVE", "? (7)", 2},
        {"freilaufdiodeAktivBeiSprungAufNull", -5, "PAR_FREILAUFBEINULL", "? (-5)", 0},
        {"zyklen", -1, "PAR_ZYKLEN", "-1", 5},
        {"zyklen", 70000, "PAR_ZYKLEN", "70000", 1},
        {"strom1", nan, "PAR_STROM1", "nan", 0.5},
        {"strom4", -0.5, "PAR_STROM4", "-0.5", 0.0},  // the box's own minimum
        {"zeit2", 1e9, "PAR_ZEIT2", "1e+09", 200},
        {"stromausgangsfilter", -inf, "PAR_STROMOUTFILTER", "-inf", 5},
        {"pwmfilterpoti", 25.5, "PAR_PWMFILTERPOTI", "25.5", 30},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.field);
        Prog_Initialisieren();  // each row on a fresh table
        const auto* field = vrl::params::findField(row.field);
        ASSERT_NE(field, nullptr);
        if (field->type == vrl::params::FieldType::Real)
            vrl::params::setReal(ws.parameter, *field, row.stored);
        else
            vrl::params::setInteger(ws.parameter, *field, static_cast<int>(row.stored));
        const Parametersatz stored = ws.parameter;
        ParameterAnzeigen();

        auto* widget = main.widget()->findChild<QWidget*>(row.control);
        auto* ring = qobject_cast<QComboBox*>(widget);
        auto* box = qobject_cast<QAbstractSpinBox*>(widget);
        EXPECT_EQ(ring ? ring->currentText() : box->text(), row.shown);
        EXPECT_TRUE(vrl::gui::showsForeignValue(widget));
        const QString storedText = ring ? QString::number(row.stored) : QString(row.shown);
        EXPECT_TRUE(widget->toolTip().startsWith("Gespeichert ist " + storedText + ","))
            << widget->toolTip().toStdString();

        commit(main.ui.PAR_ZEIT3, 300.0);  // another field
        Parametersatz expected = stored;
        expected.zeit3 = 300.0;
        EXPECT_EQ(std::memcmp(&ws.parameter, &expected, sizeof expected), 0);

        if (ring) {
            choose(ring, static_cast<int>(row.changedTo));
            EXPECT_EQ(vrl::gui::ringIndexOf(ring, static_cast<int>(row.stored)), -1);
        } else if (auto* real = qobject_cast<QDoubleSpinBox*>(widget)) {
            commit(real, row.changedTo);
        } else {
            commit(qobject_cast<QSpinBox*>(widget), static_cast<int>(row.changedTo));
        }
        const double taken = field->type == vrl::params::FieldType::Real
                                 ? vrl::params::realOf(ws.parameter, *field)
                                 : vrl::params::integerOf(ws.parameter, *field);
        EXPECT_EQ(taken, row.changedTo);
        EXPECT_FALSE(vrl::gui::showsForeignValue(widget));
        EXPECT_TRUE(widget->toolTip().isEmpty());
    }
}

TEST_F(ParameterPanels, UnlimitedBoxGivesBackTheMarkedCount) {
    ws.parameter.zyklen = -1;
    ParameterAnzeigen();
    main.ui.PAR_ZYKLENUNBEGRENZT->click();
    EXPECT_EQ(ws.parameter.zyklen, 0);
    main.ui.PAR_ZYKLENUNBEGRENZT->click();
    EXPECT_EQ(ws.parameter.zyklen, -1);  // what the count still shows
    ws.parameter.zyklen = 0;
    ParameterAnzeigen();  // a record with unlimited cycles: the mark belonged to the one before
    main.ui.PAR_ZYKLENUNBEGRENZT->click();
    EXPECT_EQ(ws.parameter.zyklen, 1);
}

TEST_F(ParameterPanels, DisplayOnlyRingShowsAnUnknownCalibrationState) {
    ws.parameter.kundenkalibrierungAktiv = 4;
    ParameterAnzeigen();
    EXPECT_EQ(main.ui.PAR_KUNDENKALIBRIERUN->currentText(), "? (4)");
    ws.parameter.kundenkalibrierungAktiv = 1;
    ParameterAnzeigen();
    EXPECT_EQ(main.ui.PAR_KUNDENKALIBRIERUN->currentText(), "speziell");
    EXPECT_EQ(main.ui.PAR_KUNDENKALIBRIERUN->count(), 2);
}

TEST_F(ParameterPanels, ListSwitchesOnlyWhenPlausible) {
    choose(main.ui.PROGRAMMLISTE, 3);
    EXPECT_EQ(ws.progIndex, 3);
    EXPECT_FALSE(ws.datenGeaendert);
    choose(main.ui.PAR_MESSBEREICH, 1);  // default currents 1.0 A and 4.0 A are too large now
    choose(main.ui.PROGRAMMLISTE, 8);
    EXPECT_EQ(ws.progIndex, 3);
    EXPECT_EQ(vrl::gui::ringValue(main.ui.PROGRAMMLISTE), 3);
    EXPECT_EQ(ws.parameter.messbereich, 1);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Fehler in den Parametern");
}

TEST_F(ParameterPanels, RenameThroughTheModalPanel) {
    choose(main.ui.PROGRAMMLISTE, 2);
    commit(main.ui.PAR_ZEIT2, 5.0);
    popups.onModal = [&](std::string_view panel) {
        EXPECT_EQ(panel, "RENAMEPNL");
        EXPECT_EQ(rename.ui.STRING->text(), "Programm 2");
        rename.ui.STRING->setText("Dauer\tlauf");
        return 1;
    };
    Prog_Umbenennen();
    EXPECT_EQ(main.ui.PROGRAMMLISTE->itemText(2), "2 - Dauer lauf");
    EXPECT_EQ(vrl::params::nameOf(ws.parameter), "Dauer lauf");
    EXPECT_DOUBLE_EQ(ws.parameter.zeit2, 5.0);
    popups.onModal = [&](std::string_view) {
        rename.ui.STRING->setText("Verworfen");
        return 0;  // Abbruch
    };
    AlsGespeichertSetzen();
    Prog_Umbenennen();
    EXPECT_EQ(vrl::params::nameOf(ws.prog[2]), "Dauer lauf");
    EXPECT_FALSE(ws.datenGeaendert);
}

// While the operator types, the dialog shows what will be stored and whether a read from the
// device brings the name back whole.
TEST_F(ParameterPanels, RenameShowsTheStoredNameBeforeConfirming) {
    struct Row {
        const char* typed;
        const char* stored;
        bool cutOnRead;
    };
    const Row rows[] = {
        {"Prüfling Übermaß", "Pruefling Uebermass", false},
        {"Kurz\tname", "Kurz name", false},
        {"12345678901234567890123", "12345678901234567890123", false},
        {"123456789012345678901234", "123456789012345678901234", true},
        {"Prüfstand Übermaß 1234", "Pruefstand Uebermass 1234", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        popups.onModal = [&](std::string_view) {
            rename.ui.STRING->setText(QString::fromUtf8(row.typed));
            EXPECT_TRUE(rename.ui.VORSCHAU->text().contains(QString::fromUtf8(row.stored)))
                << rename.ui.VORSCHAU->text().toStdString();
            EXPECT_EQ(rename.ui.HINWEIS->text().contains("23 Zeichen"), row.cutOnRead);
            return 1;
        };
        Prog_Umbenennen();
        EXPECT_EQ(vrl::params::nameOf(ws.prog[0]), row.stored);
    }
}

TEST_F(ParameterPanels, CalibrationWithDefaultPointsIsIdentity) {
    kalib.widget()->show();
    kalib.ui.UEBERNEHMEN->click();
    EXPECT_EQ(ws.parameter.kundenkalibrierungAktiv, 1);
    EXPECT_DOUBLE_EQ(ws.parameter.kalibrierungVerstaerkung, 1.0);
    EXPECT_NEAR(ws.parameter.kalibrierungOffset, 0.0, 1e-12);
    EXPECT_EQ(vrl::gui::ringValue(main.ui.PAR_KUNDENKALIBRIERUN), 1);
    EXPECT_TRUE(ws.datenGeaendert);
    EXPECT_FALSE(kalib.widget()->isVisible());
}

TEST_F(ParameterPanels, CalibrationTakesThePanelsPoints) {
    kalib.ui.IST1->setValue(0.102);
    kalib.ui.IST2->setValue(4.05);
    kalib.ui.UEBERNEHMEN->click();
    EXPECT_NEAR(ws.parameter.kalibrierungVerstaerkung, 0.987842, 5e-7);
    EXPECT_NEAR(ws.parameter.kalibrierungOffset, -0.000769, 5e-7);
    kalib.ui.WERKSKALIBRIERUNG->click();
    EXPECT_EQ(ws.parameter.kundenkalibrierungAktiv, 0);
    EXPECT_EQ(vrl::gui::ringValue(main.ui.PAR_KUNDENKALIBRIERUN), 0);
    ParameterAnzeigen();
    EXPECT_NEAR(kalib.ui.IST1->value(), 0.102, 1e-4);
    EXPECT_NEAR(kalib.ui.IST2->value(), 4.05, 1e-4);
}

TEST_F(ParameterPanels, CancelAndDegeneratePointsChangeNothing) {
    const Parametersatz before = ws.parameter;
    kalib.widget()->show();
    kalib.ui.IST1->setValue(2.0);
    kalib.ui.ABBRUCH->click();
    EXPECT_FALSE(kalib.widget()->isVisible());
    kalib.widget()->show();
    kalib.ui.IST2->setValue(2.0);  // both measured 2.0 A
    kalib.ui.UEBERNEHMEN->click();
    EXPECT_TRUE(kalib.widget()->isVisible());
    EXPECT_FALSE(kalib.ui.KALIBMELDUNG->text().isEmpty());
    EXPECT_EQ(std::memcmp(&before, &ws.parameter, sizeof before), 0);
    EXPECT_FALSE(ws.datenGeaendert);
}

TEST_F(ParameterPanels, ComLampsFollowTheOperation) {
    std::vector<bool> other;
    binding.otherComLamp = [&](bool on) { other.push_back(on); };
    binding.showComActivity(true);
    EXPECT_TRUE(main.ui.COMAKTIVLED->isOn());
    binding.showComActivity(false);
    EXPECT_FALSE(main.ui.COMAKTIVLED->isOn());
    EXPECT_EQ(other, (std::vector<bool>{true, false}));
}

}  // namespace
