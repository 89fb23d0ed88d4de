#pragma once

#include <gtest/gtest.h>

#include "connection/vrlcom.h"
#include "params/datastate.h"
#include "params/panels.h"
#include "params/program.h"
#include "support/scripted_popups.h"
#include "recording_panels.h"

// Fresh table and file state, recorded panels and popups, no port open.
class ParamsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vrl::com::resetState();
        vrl::params::setPanels(&panels);
        Prog_Initialisieren();
        popups.shown.clear();
    }
    void TearDown() override {
        vrl::params::setPanels(nullptr);
        vrl::com::resetState();
    }

    RecordingPanels panels;
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard popupsGuard{popups};
};
