#pragma once

// "Programm" -> "Mit TKV-9D vergleichen...": the working parameters and all 16 programs read
// from the device into a scratch table, with the frames, progress and cancel of reading them
// all, and every field that differs from what the operator sees listed in a window. The table
// he edits, the working copy and the changed flag stay as they are.

#include <QDialog>
#include <vector>

#include "params/compare.h"

class QLabel;
class QTableWidget;

namespace vrl::app {

// The list of differences: entry, field, value in the program, value on the device.
class CompareWindow : public QDialog {
    Q_OBJECT

  public:
    explicit CompareWindow(QWidget* parent);

    void showDifferences(const std::vector<params::Difference>& differences);

    QTableWidget* table() const { return table_; }
    QLabel* summary() const { return summary_; }

  private:
    QLabel* summary_;
    QTableWidget* table_;
};

// Runs the comparison as one device operation; nothing when another one runs. The result is
// the read's code (0 also when values differ: a difference is no failure of the link).
int compareWithDevice(QWidget* parent);

// The window of the last comparison that found differences; nullptr before the first.
CompareWindow* compareWindow();

}  // namespace vrl::app
