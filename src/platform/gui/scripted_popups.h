#pragma once

#include <deque>
#include <functional>
#include <vector>

#include "platform/gui/popups.h"

namespace vrl {

// Records every popup and answers from queues; for tests and for programs without a screen.
class ScriptedPopups : public Popups {
  public:
    struct Shown {
        std::string kind;  // "message", "question" or "file"
        std::string title;
        std::string text;
        std::vector<std::string> buttons;
    };

    void message(std::string_view title, std::string_view text) override;
    int question(std::string_view title, std::string_view text, std::string_view button1,
                 std::string_view button2, std::string_view button3) override;
    std::optional<std::string> selectFile(FileMode mode, std::string_view title,
                                          std::string_view directory,
                                          std::string_view pattern) override;

    // Modal panels: recorded as "modal" with the panel's name as title; onModal plays the
    // operator (fills the panel's controls) and answers 1 for OK. Without it: cancelled.
    int runModal(std::string_view panelName) override;
    std::function<int(std::string_view panelName)> onModal;

    std::vector<Shown> shown;
    std::deque<int> answers;                       // questions with no answer left get 1
    std::deque<std::optional<std::string>> files;  // selections with none left are cancelled
};

// Installs a service for the lifetime of the guard and puts the previous one back.
class PopupsGuard {
  public:
    explicit PopupsGuard(Popups& service);
    ~PopupsGuard();
    PopupsGuard(const PopupsGuard&) = delete;
    PopupsGuard& operator=(const PopupsGuard&) = delete;

  private:
    Popups* previous_;
};

}  // namespace vrl
