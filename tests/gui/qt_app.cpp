#include "gui/qt_app.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <memory>

namespace vrl::test {

namespace {

int gArgc = 1;
char gName[] = "tkv9d-gui-test";
char* gArgv[] = {gName, nullptr};
std::unique_ptr<QApplication> gApp;

class QtAppEnvironment : public ::testing::Environment {
  public:
    void SetUp() override { gApp = std::make_unique<QApplication>(gArgc, gArgv); }
    void TearDown() override { gApp.reset(); }
};

[[maybe_unused]] ::testing::Environment* const gEnvironment =
    ::testing::AddGlobalTestEnvironment(new QtAppEnvironment);

}  // namespace

QApplication& qtApp() {
    return *gApp;
}

}  // namespace vrl::test
