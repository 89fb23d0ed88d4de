#pragma once

#include <gtest/gtest.h>

#include <QLocale>
#include <QTimer>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>

#include <unistd.h>

#include "app/shell.h"
#include "connection/vrlcom.h"
#include "params/workspace.h"
#include "platform/serial/port_map.h"
#include "platform/temp_config.h"
#include "sim/line.h"
#include "support/scripted_popups.h"

// The whole program in a scratch folder (the settings file lives in the working directory),
// with the simulated device as COM 7 and scripted popups.
class AppTest : public ::testing::Test {
  protected:
    static constexpr int kSimPort = 7;

    void SetUp() override {
        char pattern[] = "/tmp/tkv9d-app-XXXXXX";
        dir_ = ::mkdtemp(pattern);
        oldDir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        line.addTkv('1', "VRL-TKV9D-APP");
        serial::setPortPath(kSimPort, line.devicePath());
        vrl::com::resetState();
    }
    void TearDown() override {
        vrl::com::resetState();
        serial::setPortPath(kSimPort, "");
        std::filesystem::current_path(oldDir_);
        std::filesystem::remove_all(dir_);
    }

    void writeSettings(const std::string& text) {
        std::ofstream("tkv9dSteuerung.ini", std::ios::binary) << text;
    }
    std::string settings() const {
        std::ifstream in("tkv9dSteuerung.ini", std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    // The connection's section as written, with its blank line; the window's place follows in
    // a section of its own.
    std::string comSettings() const {
        const std::string text = settings();
        const auto end = text.find("\r\n\r\n");
        return end == std::string::npos ? text : text.substr(0, end + 4);
    }
    // Runs `operatorActions` once the event loop is running; the program must end by itself.
    int run(std::function<void()> operatorActions, const std::string& startFile = {}) {
        QTimer::singleShot(0, [&] { operatorActions(); });
        return Func_Run(popups, startFile);
    }

    vrl::params::ScopedWorkspace ws;
    TempConfigHome home;
    sim::Line line;
    vrl::ScriptedPopups popups;

  private:
    std::string dir_;
    std::filesystem::path oldDir_;
};

// The program's windows built as at start-up, nothing shown yet.
class PanelsTest : public AppTest {
  protected:
    void SetUp() override {
        AppTest::SetUp();
        ASSERT_EQ(Func_PanelsInitialisieren("V 1.2.3", "4/2011"), 0);
    }
    void TearDown() override {
        Func_PanelsFreigeben();
        AppTest::TearDown();
    }
};

// A German desktop's number format for the life of a test fixture (a member, so that it holds
// before the windows are built and after they are gone).
struct GermanLocale {
    GermanLocale() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    ~GermanLocale() { QLocale::setDefault(previous); }
    GermanLocale(const GermanLocale&) = delete;
    GermanLocale& operator=(const GermanLocale&) = delete;
    QLocale previous;
};
