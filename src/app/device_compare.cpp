#include "app/device_compare.h"

#include <QApplication>
#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "connection/com_controls.h"
#include "connection/operation.h"
#include "errors/popups.h"
#include "params/curve.h"
#include "params/parametersatz.h"
#include "params/program.h"
#include "platform/gui/controls.h"
#include "platform/text/translate.h"

namespace vrl::app {

namespace {

constexpr const char* kTitle = QT_TRANSLATE_NOOP("Vergleich", "Mit TKV-9D vergleichen");
constexpr int kLastEntry = params::kTableSize - 1;

QPointer<CompareWindow> gWindow;

// Reading the device's programs is no mere look: each is loaded into the working parameters once,
// which stops the device (a running curve too). The operator says yes to that first.
constexpr const char* kAskFirst = QT_TRANSLATE_NOOP(
    "Vergleich",
    "Zum Vergleichen wird der TKV-9D angehalten und jedes seiner 16 Programme einmal in die "
    "Arbeitsparameter geladen. Danach werden seine Arbeitsparameter wieder zurückgeschrieben.\n\n"
    "Jetzt vergleichen?");
constexpr int kJa = 1, kNein = 2;
constexpr const char* kStopped =
    QT_TRANSLATE_NOOP("Vergleich", "Der TKV-9D wurde für den Vergleich angehalten.");

std::string translated(const char* german) {
    return VRL_TR("Vergleich", german);
}

QString text(std::string_view value) {
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

// The control that shows a field on the main or the calibration window; nullptr for none.
QWidget* controlOf(std::string_view fieldName) {
    const auto& fields = params::kFields;
    const auto* field = std::find_if(fields.begin(), fields.end(),
                                     [&](const params::Field& f) { return f.name == fieldName; });
    if (field == fields.end() || field->control.empty()) return nullptr;
    const QString name = text(field->control);
    for (QWidget* widget : QApplication::allWidgets())
        if (widget->objectName() == name) return widget;
    return nullptr;
}

// A field as the operator knows it: by the label of its control, the unit left to the values.
QString fieldLabel(std::string_view fieldName) {
    if (fieldName == "programmname")
        return QCoreApplication::translate("Vergleich", "Programmname");
    const QWidget* control = controlOf(fieldName);
    QString label = control ? gui::labelOf(control) : QString();
    if (control && label.isEmpty()) label = control->accessibleName();
    if (label.isEmpty()) return text(params::curveFieldLabel(fieldName));
    if (const qsizetype unit = label.lastIndexOf(QStringLiteral(" ["));
        unit > 0 && label.endsWith(u']'))
        label.truncate(unit);
    return label;
}

// A value as the field's control shows it: a choice by its item, a number in the locale's format.
QString valueText(std::string_view fieldName, const std::string& value) {
    if (fieldName == "programmname") return QString::fromStdString(value);
    if (auto* ring = qobject_cast<const QComboBox*>(controlOf(fieldName))) {
        bool ok = false;
        const int index = gui::ringIndexOf(ring, QString::fromStdString(value).toInt(&ok));
        if (ok && index >= 0) return ring->itemText(index);
    }
    bool ok = false;
    const double number = QString::fromStdString(value).toDouble(&ok);
    if (!ok) return QString::fromStdString(value);
    // As in the number fields: the locale's decimal separator, no group separator.
    QLocale locale;
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    return locale.toString(number, 'g', QLocale::FloatingPointShortest);
}

}  // namespace

CompareWindow::CompareWindow(QWidget* parent)
    : QDialog(parent), summary_(new QLabel(this)), table_(new QTableWidget(0, 4, this)) {
    setWindowTitle(QCoreApplication::translate("Vergleich", kTitle));
    table_->setHorizontalHeaderLabels({QCoreApplication::translate("Vergleich", "Eintrag"),
                                       QCoreApplication::translate("Vergleich", "Feld"),
                                       QCoreApplication::translate("Vergleich", "Im Programm"),
                                       QCoreApplication::translate("Vergleich", "Im TKV-9D")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAccessibleName(QCoreApplication::translate("Vergleich", "Unterschiede"));
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    table_->resizeColumnsToContents();  // the headings whole before the first row comes
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)
        ->setText(QCoreApplication::translate("Vergleich", "Schließen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(560, 360);
}

void CompareWindow::showDifferences(const std::vector<params::Difference>& differences) {
    const QString count = differences.size() == 1
                              ? QCoreApplication::translate(
                                    "Vergleich", "1 Unterschied zwischen Programm und TKV-9D:")
                              : QCoreApplication::translate(
                                    "Vergleich", "%1 Unterschiede zwischen Programm und TKV-9D:")
                                    .arg(differences.size());
    summary_->setText(QCoreApplication::translate("Vergleich", kStopped) + u' ' + count);
    table_->setRowCount(static_cast<int>(differences.size()));
    int row = 0;
    for (const auto& difference : differences) {
        const QString cells[] = {
            text(params::programLabel(difference.entry)),
            fieldLabel(difference.field),
            valueText(difference.field, difference.program),
            valueText(difference.field, difference.device),
        };
        for (int column = 0; column < 4; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        ++row;
    }
    table_->resizeColumnsToContents();
}

int compareWithDevice(QWidget* parent) {
    // What the operator sees: the values on the panel may not be in the table yet.
    const params::Workspace& ws = params::workspace();
    ProgramTable program = ws.prog;
    program[static_cast<std::size_t>(ws.progIndex)] = ws.parameter;
    // Fields the read leaves alone keep the program's values, so they never differ.
    ProgramTable device = program;
    if (op::running()) return 0;
    const std::string title = translated(kTitle);
    if (popups().questionWithKeys(title, translated(kAskFirst), VRL_TR("Vergleich", "Ja"),
                                  VRL_TR("Vergleich", "Nein"), "", kNein, kNein) != kJa)
        return 0;
    // The read shows its own failure on the error displays, a cancel its own message.
    const unsigned long before = op::lineWorkCount();
    if (int code = VrlCom_GeraeteAktion(
            parent, title, VRL_TR("Vergleich", "Programme zum Vergleich gelesen"),
            [&device] { return Prog_ProgrammeLesenNach(device, 0, kLastEntry); });
        code != 0 || op::lineWorkCount() == before)
        return code;
    const auto differences = params::compareTables(program, device);
    if (differences.empty()) {
        popups().message(title, translated(kStopped) + " " +
                                    VRL_TR("Vergleich",
                                           "Keine Unterschiede: Er hält die Arbeitsparameter und "
                                           "alle 16 Programme so, wie sie im Programm stehen."));
        return 0;
    }
    if (!gWindow) gWindow = new CompareWindow(parent);
    gWindow->showDifferences(differences);
    gWindow->show();
    gWindow->raise();
    return 0;
}

CompareWindow* compareWindow() {
    return gWindow.data();
}

}  // namespace vrl::app
