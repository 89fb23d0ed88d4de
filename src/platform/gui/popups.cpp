#include <iostream>

#include "platform/gui/popups.h"
#include "platform/gui/scripted_popups.h"

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

void ScriptedPopups::message(std::string_view title, std::string_view text) {
    shown.push_back({"message", std::string(title), std::string(text), {"OK"}});
}

int ScriptedPopups::question(std::string_view title, std::string_view text,
                             std::string_view button1, std::string_view button2,
                             std::string_view button3) {
    shown.push_back({"question",
                     std::string(title),
                     std::string(text),
                     {std::string(button1), std::string(button2), std::string(button3)}});
    if (answers.empty()) return 1;
    const int answer = answers.front();
    answers.pop_front();
    return answer;
}

std::optional<std::string> ScriptedPopups::selectFile(FileMode mode, std::string_view title,
                                                      std::string_view directory,
                                                      std::string_view pattern) {
    shown.push_back({"file",
                     std::string(title),
                     std::string(directory),
                     {mode == FileMode::Open ? "open" : "save", std::string(pattern)}});
    if (files.empty()) return std::nullopt;
    auto file = files.front();
    files.pop_front();
    return file;
}

int ScriptedPopups::runModal(std::string_view panelName) {
    shown.push_back({"modal", std::string(panelName), "", {}});
    return onModal ? onModal(panelName) : 0;
}

PopupsGuard::PopupsGuard(Popups& service) : previous_(&popups()) {
    setPopups(&service);
}
PopupsGuard::~PopupsGuard() {
    setPopups(previous_);
}

}  // namespace vrl
