#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "params/panels.h"

// Keeps what the panels would show and answers the rename panel from a queue.
class RecordingPanels : public vrl::params::Panels {
  public:
    void showRecord(const Parametersatz& record) override {
        shown = record;
        ++shows;
    }
    void takeRecord(Parametersatz& record) override {
        if (onPanel) {
            // The panel edits every field but the name and the calibration.
            const auto name = record;
            record = *onPanel;
            std::copy(std::begin(name.programmname), std::end(name.programmname),
                      record.programmname);
            record.kundenkalibrierungAktiv = name.kundenkalibrierungAktiv;
        }
    }
    void updateCycleField() override {}
    void showProgramList(const std::vector<std::string>& l, int selected) override {
        labels = l;
        listSelection = selected;
    }
    void selectProgram(int index) override { listSelection = index; }
    void setTitle(std::string_view t) override { title = t; }
    void showCustomerCalibration(int active) override { customerCalibration = active; }
    std::optional<std::string> askName(std::string_view current) override {
        askedWith = current;
        if (names.empty()) return std::nullopt;
        auto name = names.front();
        names.pop_front();
        return name;
    }
    void showComActivity(bool on) override { comLamp.push_back(on); }

    Parametersatz shown{};
    int shows = 0;
    std::optional<Parametersatz> onPanel;
    std::vector<std::string> labels;
    int listSelection = -1;
    std::string title;
    int customerCalibration = -1;
    std::string askedWith;
    std::deque<std::optional<std::string>> names;
    std::vector<bool> comLamp;
};
