#pragma once

#include <gtest/gtest.h>

#include "connection/vrlcom.h"
#include "params/datastate.h"
#include "params/panels.h"
#include "params/program.h"
#include "recording_panels.h"
#include "support/scripted_popups.h"

// A fresh workspace, recorded panels and popups, no port open.
class ParamsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        vrl::com::resetState();
        vrl::params::setPanels(&panels);
    }
    void TearDown() override {
        vrl::params::setPanels(nullptr);
        vrl::com::resetState();
    }

    vrl::params::ScopedWorkspace ws;
    RecordingPanels panels;
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard popupsGuard{popups};
};
