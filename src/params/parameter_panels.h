#pragma once

// The parameter logic on the real panels: the main panel's parameter controls and program list,
// the calibration panel and the rename panel. The main panel module creates one of these for its
// panels; it installs itself as the parameter logic's panels for its lifetime.

#include <QString>
#include <functional>
#include <map>

#include "params/panels.h"
#include "platform/gui/panels.h"

class QDoubleSpinBox;
class QWidget;

namespace vrl::params {

class QtParameterPanels : public Panels {
  public:
    QtParameterPanels(gui::MainPanel& main, gui::KalibPanel& calibration, gui::RenamePanel& rename);
    ~QtParameterPanels() override;
    QtParameterPanels(const QtParameterPanels&) = delete;
    QtParameterPanels& operator=(const QtParameterPanels&) = delete;

    // Also lit while a device operation runs: the status panel's COM lamp.
    std::function<void(bool)> otherComLamp;
    // Runs after a record was shown and after each committed change was taken over: the working
    // copy is new.
    std::function<void()> recordChanged;

    void showRecord(const Parametersatz& record) override;
    void takeRecord(Parametersatz& record) override;
    void updateCycleField() override;
    void showProgramList(const std::vector<std::string>& labels, int selected) override;
    void selectProgram(int index) override;
    void setTitle(std::string_view title) override;
    void showCustomerCalibration(int active) override;
    std::optional<std::string> askName(std::string_view current) override;
    void showComActivity(bool on) override;

  private:
    // What a control was last given from a record. A field's control that the operator has not
    // changed since leaves the field alone when the panel is taken over: the record keeps
    // exactly what it held, also a value the control cannot show (which it shows marked).
    struct Shown {
        double value = 0.0;    // the record's value as given (an integer field's too)
        bool changed = false;  // the operator committed a change since
    };

    QWidget* control(std::string_view name) const;
    void showReal(QDoubleSpinBox* box, double value);
    void showInteger(QWidget* control, int value);
    bool changed(const QWidget* control) const;
    // The cycle count as shown: the stored count while the control shows it marked.
    int shownCycles() const;
    void operatorChanged(QWidget* control);
    void showRenamePreview();
    void connectCallbacks();

    gui::MainPanel& main_;
    gui::KalibPanel& calibration_;
    gui::RenamePanel& rename_;
    std::map<const QWidget*, Shown> shown_;
};

}  // namespace vrl::params

// A committed change of any parameter control on the main panel.
int Callback_AllgemeineAenderung();
// The program list's commit.
int Callback_Programmliste(int index);

// The calibration panel's buttons.
enum class KalibButton { Uebernehmen, Werkskalibrierung, Abbruch };
int Callback_Kalib_Buttons(KalibButton button);
