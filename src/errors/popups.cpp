#include <iostream>

#include "errors/popups.h"

namespace vrl {

void ConsolePopups::message(std::string_view title, std::string_view text) {
    if (form_.messageTitle) out_ << title << ": ";
    out_ << text;
    if (form_.messageLineEnd) out_ << '\n';
}

int ConsolePopups::question(std::string_view title, std::string_view text, std::string_view,
                            std::string_view, std::string_view) {
    if (form_.answer != 0) out_ << title << ": " << text << '\n';
    return form_.answer;
}

std::optional<std::string> ConsolePopups::selectFile(FileMode, std::string_view, std::string_view,
                                                     std::string_view) {
    return std::nullopt;
}

namespace {

ConsolePopups gConsole(std::cerr, {});
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
