// What the operator types into a number field on a German desktop is the value the field takes,
// or it is refused with a reason: never another number.

#include <QAbstractSpinBox>
#include <QApplication>
#include <QDoubleSpinBox>
#include <QFocusEvent>
#include <QLineEdit>
#include <QLocale>
#include <QSpinBox>
#include <QTest>

#include "app/com_main.h"
#include "app/par_main.h"
#include "app/shell.h"
#include "app/status_main.h"
#include "app_fixture.h"
#include "params/parameter_panels.h"
#include "platform/gui/controls.h"
#include "platform/gui/number_field.h"
#include "platform/gui/panels.h"

namespace {

class NumberEntry : public PanelsTest {
  protected:
    void SetUp() override {
        PanelsTest::SetUp();
        ParMain_GetMainpanel()->show();
        // Anzahl Zyklen takes input only with a limited count.
        auto* unlimited = ParMain_Panel()->ui.PAR_ZYKLENUNBEGRENZT;
        if (unlimited->isChecked()) unlimited->click();
    }

    // The editable number fields of the windows, by name.
    static QAbstractSpinBox* field(const char* name) {
        for (QWidget* window : QApplication::allWidgets()) {
            if (auto* box = qobject_cast<QAbstractSpinBox*>(window);
                box && box->objectName() == name)
                return box;
        }
        return nullptr;
    }
    static double valueOf(QAbstractSpinBox* box) {
        if (auto* real = qobject_cast<QDoubleSpinBox*>(box)) return real->value();
        return qobject_cast<QSpinBox*>(box)->value();
    }
    // Types `text` over the field's content; Enter or leaving the field ends the entry.
    static void type(QAbstractSpinBox* box, const char* text, bool byEnter) {
        box->selectAll();
        QTest::keyClicks(box, QString::fromUtf8(text));
        if (byEnter) {
            QTest::keyClick(box, Qt::Key_Return);
        } else {
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);
            QApplication::sendEvent(box, &leave);
        }
    }
    vrl::PopupsGuard guard{popups};
    GermanLocale german;
};

// Fault caught: "." read as a group separator ("0.25" -> 2,000, "1.5" -> 15,0), a typed number
// pulled into the range instead of taken as typed, or a range's own end refused.
TEST_F(NumberEntry, BothSeparatorsAreTheDecimalSeparator) {
    struct Row {
        const char* field;
        const char* typed;
        double taken;
    };
    const Row rows[] = {
        {"PAR_STROM1", "0.25", 0.25},  {"PAR_STROM1", "0,25", 0.25},
        {"PAR_STROM1", "1.5", 1.5},    {"PAR_ZEIT1", "1.5", 1.5},
        {"PAR_ZEIT1", "1,5", 1.5},     {"PAR_ZEIT1", "1000", 1000},
        {"SOLL1", "0.5", 0.5},         {"PAR_PRUEFSPANNUNG", "2.5", 2.5},
        {"PAR_ZYKLEN", "12", 12},      {"PAR_STROM1", "4.09", 4.09},
        {"PAR_STROM1", "4,090", 4.09}, {"PAR_ZYKLEN", "65535", 65535},
        {"PAR_STROM1", "0", 0},
    };
    for (const auto& row : rows) {
        for (const bool byEnter : {true, false}) {
            QAbstractSpinBox* box = field(row.field);
            ASSERT_NE(box, nullptr) << row.field;
            type(box, "1", true);
            type(box, row.typed, byEnter);
            EXPECT_DOUBLE_EQ(valueOf(box), row.taken) << row.field << " " << row.typed;
            EXPECT_TRUE(vrl::gui::refusalOf(box).isEmpty()) << row.field << " " << row.typed;
        }
    }
}

// Fault caught: a number the field cannot hold becomes another one (the range's end, a rounded
// or a group-separated value) and goes to the device with the next write, unmarked; or its
// reason floats over the next field (where it swallows the click meant for that field) instead
// of standing on the error display's line.
TEST_F(NumberEntry, AnEntryTheFieldCannotHoldIsRefusedWithItsReason) {
    struct Row {
        const char* field;
        const char* before;
        const char* typed;
        const char* why;
        bool foreign = false;
    };
    const Row rows[] = {
        {"PAR_STROM1", "1", "5", "Strom 1: höchstens 4,090 A"},
        {"PAR_STROM1", "1", "4.0905", "Strom 1: höchstens 4,090 A"},
        {"PAR_STROM1", "1", "0.2555", "Strom 1: höchstens 3 Nachkommastellen"},
        {"PAR_STROM1", "1", "-1", "Strom 1: mindestens 0,000 A"},
        {"PAR_ZEIT1", "2", "1.25", "Zeit 1: höchstens 1 Nachkommastelle"},
        {"PAR_ZYKLEN", "3", "1.000", "Anzahl Zyklen: nur ganze Zahlen"},
        {"PAR_ZYKLEN", "3", "70000", "Anzahl Zyklen: höchstens 65535"},
        {"PAR_ZYKLEN", "3", "0", "Anzahl Zyklen: mindestens 1"},
        {"SOLL1", "1", "0", "Sollstrom Messpunkt 1: mindestens 0,001 A"},
        // A stored value the field cannot show widens its range by one step; typing into that
        // step is no way around the minimum.
        {"PAR_ZYKLEN", "3", "0", "Anzahl Zyklen: mindestens 1", true},
    };
    QLineEdit* errorLine = ParMain_Panel()->ui.FEHLERSTRING;
    errorLine->setText("Keine Antwort");
    for (const auto& row : rows) {
        for (const bool byEnter : {true, false}) {
            QAbstractSpinBox* box = field(row.field);
            ASSERT_NE(box, nullptr) << row.field;
            type(box, row.before, true);
            if (row.foreign) vrl::gui::showForeign(qobject_cast<QSpinBox*>(box), "?", "");
            const double before = valueOf(box);
            const QString shown = box->text();
            type(box, row.typed, byEnter);
            EXPECT_DOUBLE_EQ(valueOf(box), before) << row.field << " " << row.typed;
            EXPECT_EQ(box->text(), shown) << row.field << " " << row.typed;
            EXPECT_EQ(vrl::gui::refusalOf(box).toStdString(), row.why) << row.typed;
            EXPECT_EQ(errorLine->text().toStdString(), row.why) << row.typed;
            // The next value taken ends the mark, and the line says what it said before.
            type(box, row.before, true);
            EXPECT_TRUE(vrl::gui::refusalOf(box).isEmpty()) << row.field << " " << row.typed;
            EXPECT_EQ(errorLine->text(), "Keine Antwort") << row.typed;
        }
    }
}

}  // namespace
