#include <iostream>

#include "errors/popups.h"

namespace vrl {

namespace {

class ConsolePopups : public Popups {
  public:
    void message(std::string_view title, std::string_view text) override {
        std::cerr << title << ": " << text << '\n';
    }
    int question(std::string_view title, std::string_view text, std::string_view, std::string_view,
                 std::string_view) override {
        std::cerr << title << ": " << text << '\n';
        return 1;
    }
    std::optional<std::string> selectFile(FileMode, std::string_view, std::string_view,
                                          std::string_view) override {
        return std::nullopt;
    }
};

ConsolePopups gConsole;
Popups* gService = nullptr;

}  // namespace

Popups& popups() {
    return gService ? *gService : gConsole;
}
void setPopups(Popups* service) {
    gService = service;
}

PopupsGuard::PopupsGuard(Popups& service) : previous_(&popups()) {
    setPopups(&service);
}
PopupsGuard::~PopupsGuard() {
    setPopups(previous_);
}

}  // namespace vrl
