#include "params/parameter_panels.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <cmath>

#include "connection/operation.h"
#include "driver/transaction.h"
#include "errors/popups.h"
#include "params/calibration.h"
#include "params/datastate.h"
#include "params/program.h"
#include "params/program_name.h"
#include "platform/gui/controls.h"
#include "platform/gui/indicator_ring.h"
#include "platform/gui/led.h"

namespace vrl::params {

namespace {

QtParameterPanels* gActive = nullptr;
gui::KalibPanel* gCalibration = nullptr;

QString qt(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<int>(text.size()));
}

bool isCycleField(const Field& field) {
    return field.name == "zyklen";
}

// What the tooltip of a marked control adds when the operator can change it.
constexpr char kKeptUntilChanged[] =
    QT_TRANSLATE_NOOP("Parameter", " Der Wert bleibt erhalten, bis Sie ihn ändern.");
constexpr char kKeptUntilChosen[] =
    QT_TRANSLATE_NOOP("Parameter", " Der Wert bleibt erhalten, bis Sie eine Auswahl treffen.");

QString numberText(const QWidget* control, double value) {
    return control->locale().toString(value, 'g', QLocale::FloatingPointShortest);
}

// Why a spin box cannot show the stored value; the box holds its normal range.
QString whyNotShown(const QDoubleSpinBox* box, double value) {
    const QString stored = numberText(box, value);
    if (!std::isfinite(value))
        return QCoreApplication::translate("Parameter", "Gespeichert ist %1, keine gültige Zahl.")
            .arg(stored);
    if (value < box->minimum() || value > box->maximum()) {
        return QCoreApplication::translate("Parameter",
                                           "Gespeichert ist %1, außerhalb des Bereichs %2 bis %3.")
            .arg(stored, numberText(box, box->minimum()), numberText(box, box->maximum()));
    }
    return QCoreApplication::translate(
               "Parameter", "Gespeichert ist %1, genauer als die %2 Nachkommastellen des Feldes.")
        .arg(stored)
        .arg(box->decimals());
}

QString foreignItemLabel(int value) {
    return QStringLiteral("? (%1)").arg(value);
}

QString notAnItem(int value) {
    return QCoreApplication::translate("Parameter",
                                       "Gespeichert ist %1, keine der Auswahlmöglichkeiten.")
        .arg(value);
}

}  // namespace

QtParameterPanels::QtParameterPanels(gui::MainPanel& main, gui::KalibPanel& calibration,
                                     gui::RenamePanel& rename)
    : main_(main), calibration_(calibration), rename_(rename) {
    rename_.ui.STRING->setMaxLength(static_cast<int>(kRenameLimit));
    // Room for the note about the device's answer, so the dialog keeps its size while it comes
    // and goes.
    auto* note = rename_.ui.HINWEIS;
    note->setMinimumHeight(2 * note->fontMetrics().lineSpacing());
    main_.ui.PROGRAMMNUMMER->setMaximum(16);
    connectCallbacks();
    gActive = this;
    gCalibration = &calibration_;
    setPanels(this);
}

QtParameterPanels::~QtParameterPanels() {
    if (panels() == this) setPanels(nullptr);
    if (gActive == this) {
        gActive = nullptr;
        gCalibration = nullptr;
    }
}

void QtParameterPanels::connectCallbacks() {
    const auto commit = [this](QWidget* widget) {
        gui::connectCommit(widget, [this, widget] {
            operatorChanged(widget);
            Callback_AllgemeineAenderung();
            if (recordChanged) recordChanged();
        });
    };
    for (const Field& field : kFields) {
        if (field.takenOver) commit(control(field.control));
    }
    commit(main_.ui.PAR_ZYKLENUNBEGRENZT);
    QObject::connect(rename_.ui.STRING, &QLineEdit::textChanged, rename_.widget(),
                     [this] { showRenamePreview(); });
    auto* list = main_.ui.PROGRAMMLISTE;
    gui::connectCommit(list, [list] { Callback_Programmliste(gui::ringValue(list)); });
    auto& kalib = calibration_.ui;
    gui::connectCommit(kalib.UEBERNEHMEN, [] { Callback_Kalib_Buttons(KalibButton::Uebernehmen); });
    gui::connectCommit(kalib.WERKSKALIBRIERUNG,
                       [] { Callback_Kalib_Buttons(KalibButton::Werkskalibrierung); });
    gui::connectCommit(kalib.ABBRUCH, [] { Callback_Kalib_Buttons(KalibButton::Abbruch); });
}

QWidget* QtParameterPanels::control(std::string_view name) const {
    const QString objectName = qt(name);
    if (auto* found = main_.widget()->findChild<QWidget*>(objectName)) return found;
    return calibration_.widget()->findChild<QWidget*>(objectName);
}

void QtParameterPanels::showReal(QDoubleSpinBox* box, double value) {
    gui::clearForeign(box);
    gui::setQuietly(box, value);
    // The box rounds to its decimals and pulls into its range; NaN equals nothing.
    if (!(box->value() == value)) {
        const QString why = whyNotShown(box, value);
        gui::showForeign(box, numberText(box, value),
                         why + QCoreApplication::translate("Parameter", kKeptUntilChanged));
    }
    shown_[box] = {value, false};
}

void QtParameterPanels::showInteger(QWidget* control, int value) {
    if (auto* ring = qobject_cast<QComboBox*>(control)) {
        gui::clearForeign(ring);
        if (!gui::setQuietly(ring, value)) {
            gui::showForeign(
                ring, value, foreignItemLabel(value),
                notAnItem(value) + QCoreApplication::translate("Parameter", kKeptUntilChosen));
        }
    } else if (auto* spin = qobject_cast<QSpinBox*>(control)) {
        gui::clearForeign(spin);
        gui::setQuietly(spin, value);
        if (spin->value() != value) {
            const QString stored = numberText(spin, value);
            const QString why =
                QCoreApplication::translate("Parameter",
                                            "Gespeichert ist %1, außerhalb des Bereichs %2 bis %3.")
                    .arg(stored, numberText(spin, spin->minimum()),
                         numberText(spin, spin->maximum()));
            gui::showForeign(spin, stored,
                             why + QCoreApplication::translate("Parameter", kKeptUntilChanged));
        }
    }
    shown_[control] = {static_cast<double>(value), false};
}

bool QtParameterPanels::changed(const QWidget* control) const {
    const auto it = shown_.find(control);
    return it != shown_.end() && it->second.changed;
}

int QtParameterPanels::shownCycles() const {
    QSpinBox* count = main_.ui.PAR_ZYKLEN;
    if (gui::showsForeignValue(count)) return static_cast<int>(shown_.at(count).value);
    return count->value();
}

void QtParameterPanels::operatorChanged(QWidget* control) {
    shown_[control].changed = true;
    // A ring on which the stored value's own item was chosen again still shows that value.
    if (!gui::showsForeignValue(control)) gui::clearForeign(control);
}

void QtParameterPanels::showRecord(const Parametersatz& record) {
    for (const Field& field : kFields) {
        if (!field.takenOver) continue;
        QWidget* widget = control(field.control);
        if (isCycleField(field)) {
            // 0 means unlimited: the box is ticked and the count keeps what it showed, but not a
            // marked count, which belonged to the record shown before.
            QSpinBox* count = main_.ui.PAR_ZYKLEN;
            const bool unlimited = record.zyklen == 0;
            if (unlimited) {
                gui::clearForeign(count);
                shown_.erase(count);
            } else {
                showInteger(count, record.zyklen);
            }
            gui::setQuietly(main_.ui.PAR_ZYKLENUNBEGRENZT, unlimited);
            shown_[main_.ui.PAR_ZYKLENUNBEGRENZT] = {unlimited ? 1.0 : 0.0, false};
        } else if (auto* box = qobject_cast<QDoubleSpinBox*>(widget)) {
            showReal(box, realOf(record, field));
        } else {
            showInteger(widget, integerOf(record, field));
        }
    }
    showCustomerCalibration(record.kundenkalibrierungAktiv);
    auto& kalib = calibration_.ui;
    gui::setQuietly(kalib.SOLL1, record.kalibriersollstrom1);
    gui::setQuietly(kalib.SOLL2, record.kalibriersollstrom2);
    gui::setQuietly(kalib.IST1,
                    KalibrierIstwert(record.kalibriersollstrom1, record.kalibrierungOffset,
                                     record.kalibrierungVerstaerkung));
    gui::setQuietly(kalib.IST2,
                    KalibrierIstwert(record.kalibriersollstrom2, record.kalibrierungOffset,
                                     record.kalibrierungVerstaerkung));
    updateCycleField();
    if (recordChanged) recordChanged();
}

void QtParameterPanels::takeRecord(Parametersatz& record) {
    for (const Field& field : kFields) {
        if (!field.takenOver) continue;
        QWidget* widget = control(field.control);
        if (isCycleField(field)) {
            auto* unlimited = main_.ui.PAR_ZYKLENUNBEGRENZT;
            if (!changed(widget) && !changed(unlimited)) continue;
            record.zyklen = unlimited->isChecked() ? 0 : shownCycles();
        } else if (!changed(widget)) {
            continue;
        } else if (auto* box = qobject_cast<QDoubleSpinBox*>(widget)) {
            setReal(record, field, box->value());
        } else if (auto* ring = qobject_cast<QComboBox*>(widget)) {
            setInteger(record, field, gui::ringValue(ring));
        } else if (auto* spin = qobject_cast<QSpinBox*>(widget)) {
            setInteger(record, field, spin->value());
        }
    }
}

void QtParameterPanels::updateCycleField() {
    gui::setDimmed(main_.ui.PAR_ZYKLEN, main_.ui.PAR_ZYKLENUNBEGRENZT->isChecked());
}

void QtParameterPanels::showProgramList(const std::vector<std::string>& labels, int selected) {
    auto* list = main_.ui.PROGRAMMLISTE;
    gui::quietly(list, [&] {
        list->clear();
        for (std::size_t i = 0; i < labels.size(); ++i)
            gui::addRingItem(list, qt(labels[i]), static_cast<int>(i));
    });
    gui::setQuietly(list, selected);
}

void QtParameterPanels::selectProgram(int index) {
    gui::setQuietly(main_.ui.PROGRAMMLISTE, index);
}

void QtParameterPanels::setTitle(std::string_view title) {
    main_.widget()->setWindowTitle(qt(title));
}

void QtParameterPanels::showCustomerCalibration(int active) {
    auto* ring = main_.ui.PAR_KUNDENKALIBRIERUN;
    gui::clearForeign(ring);
    if (!gui::setQuietly(ring, active))
        gui::showForeign(ring, active, foreignItemLabel(active), notAnItem(active));
}

std::optional<std::string> QtParameterPanels::askName(std::string_view current) {
    gui::setQuietly(rename_.ui.STRING, qt(current));
    showRenamePreview();
    if (popups().runModal("RENAMEPNL") != 1) return std::nullopt;
    return rename_.ui.STRING->text().left(static_cast<int>(kRenameLimit)).toStdString();
}

void QtParameterPanels::showRenamePreview() {
    auto& ui = rename_.ui;
    const std::string name = storableName(ui.STRING->text().toStdString());
    // Quoted, so that blanks at either end show.
    ui.VORSCHAU->setText(
        QCoreApplication::translate("Parameter", "Gespeichert wird: „%1“").arg(qt(name)));
    // The device takes the longer name, but a read brings back only the answer line's share.
    constexpr auto readable = driver::kReadableValueLength;
    ui.HINWEIS->setText(name.size() > readable
                            ? QCoreApplication::translate(
                                  "Parameter", "Das Gerät meldet nur die ersten %1 Zeichen zurück.")
                                  .arg(readable)
                            : QString());
}

void QtParameterPanels::showComActivity(bool on) {
    gui::setQuietly(main_.ui.COMAKTIVLED, on);
    if (otherComLamp) otherComLamp(on);
}

}  // namespace vrl::params

int Callback_AllgemeineAenderung() {
    // The running operation reads the record; the control shows the record again.
    if (vrl::op::busy()) {
        ParameterAnzeigen();
        return 0;
    }
    DatenAlsGeaendertMarkieren();
    ParameterUebernehmen();
    ZyklenfeldAktualisieren();
    return 0;
}

int Callback_Programmliste(int index) {
    if (vrl::op::busy()) return ProgrammlisteAuswahlSetzen();
    return Prog_ProgrammAuswaehlen(index);
}

int Callback_Kalib_Buttons(KalibButton button) {
    auto* panel = vrl::params::gCalibration;
    if (!panel || vrl::op::busy()) return 0;
    auto& ui = panel->ui;
    switch (button) {
        case KalibButton::Abbruch:
            break;
        case KalibButton::Uebernehmen:
            // Points that define no calibration are refused on the panel, which stays open.
            if (KalibrierungAnwenden(ui.SOLL1->value(), ui.IST1->value(), ui.SOLL2->value(),
                                     ui.IST2->value()) != 0) {
                ui.KALIBMELDUNG->setText(
                    QCoreApplication::translate("Kalibrierung", kKalibrierungUngueltig));
                return 0;
            }
            DatenAlsGeaendertMarkieren();
            break;
        case KalibButton::Werkskalibrierung:
            DatenAlsGeaendertMarkieren();
            KalibrierungZuruecksetzen();
            break;
    }
    ui.KALIBMELDUNG->clear();
    panel->widget()->hide();
    return 0;
}
