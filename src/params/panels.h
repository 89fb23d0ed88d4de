#pragma once

// What the parameter logic needs from the main, calibration and rename panels. The main panel
// module installs an implementation; without one (the command-line tool) nothing is shown.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "params/parametersatz.h"

namespace vrl::params {

class Panels {
  public:
    virtual ~Panels() = default;
    // Puts a record on the main and the calibration panel.
    virtual void showRecord(const Parametersatz& record) = 0;
    // Reads the main panel's parameter controls into a record (the fields it edits only).
    virtual void takeRecord(Parametersatz& record) = 0;
    // Dims the cycle count while "unlimited" is ticked.
    virtual void updateCycleField() = 0;
    virtual void showProgramList(const std::vector<std::string>& labels, int selected) = 0;
    virtual void selectProgram(int index) = 0;
    virtual void setTitle(std::string_view title) = 0;
    virtual void showCustomerCalibration(int active) = 0;
    // The rename panel, modal; the new text, or nothing when the operator cancelled.
    virtual std::optional<std::string> askName(std::string_view current) = 0;
    // The COM activity lamps of the main and the status panel.
    virtual void showComActivity(bool on) = 0;
};

void setPanels(Panels* panels);
Panels* panels();

}  // namespace vrl::params
