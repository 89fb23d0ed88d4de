#include "app/device_compare.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPointer>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "connection/operation.h"
#include "params/curve.h"
#include "params/program.h"
#include "platform/gui/popups.h"

namespace vrl::app {

namespace {

constexpr const char* kTitle = "Mit TKV-9D vergleichen";
constexpr int kLastEntry = params::kTableSize - 1;

QPointer<CompareWindow> gWindow;

QString text(std::string_view value) {
    return QString::fromUtf8(value.data(), static_cast<qsizetype>(value.size()));
}

}  // namespace

CompareWindow::CompareWindow(QWidget* parent)
    : QDialog(parent), summary_(new QLabel(this)), table_(new QTableWidget(0, 4, this)) {
    setWindowTitle(QString::fromUtf8(kTitle));
    table_->setHorizontalHeaderLabels({QStringLiteral("Eintrag"), QStringLiteral("Feld"),
                                       QStringLiteral("Im Programm"), QStringLiteral("Im TKV-9D")});
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAccessibleName(QStringLiteral("Unterschiede"));
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setStretchLastSection(true);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Schließen"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(summary_);
    layout->addWidget(table_);
    layout->addWidget(buttons);
    resize(560, 360);
}

void CompareWindow::showDifferences(const std::vector<params::Difference>& differences) {
    summary_->setText(differences.size() == 1
                          ? QStringLiteral("1 Unterschied zwischen Programm und TKV-9D:")
                          : QStringLiteral("%1 Unterschiede zwischen Programm und TKV-9D:")
                                .arg(differences.size()));
    table_->setRowCount(static_cast<int>(differences.size()));
    int row = 0;
    for (const auto& difference : differences) {
        const QString cells[] = {
            text(params::programLabel(difference.entry)),
            text(params::curveFieldLabel(difference.field)),
            text(difference.program),
            text(difference.device),
        };
        for (int column = 0; column < 4; ++column)
            table_->setItem(row, column, new QTableWidgetItem(cells[column]));
        ++row;
    }
    table_->resizeColumnsToContents();
}

int compareWithDevice(QWidget* parent) {
    // What the operator sees: the values on the panel may not be in the table yet.
    ProgramTable program = gProg;
    program[static_cast<std::size_t>(gProgIndex)] = gParameter;
    // Fields the read leaves alone keep the program's values, so they never differ.
    ProgramTable device = program;
    {
        const op::Operation operation(kTitle);
        if (!operation.started()) return 0;
        // The read shows its own failure on the error displays, a cancel its own message.
        if (int code = Prog_ProgrammeLesenNach(device, 0, kLastEntry); code != 0) return code;
    }
    const auto differences = params::compareTables(program, device);
    if (differences.empty()) {
        popups().message(kTitle,
                         "Keine Unterschiede: Der TKV-9D hält die Arbeitsparameter und alle 16 "
                         "Programme so, wie sie im Programm stehen.");
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
