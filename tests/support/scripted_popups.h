#pragma once

#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "errors/popups.h"

namespace vrl {

// Records every popup and answers from queues: the tests' double, also used by the benchmarks
// and the screenshot tool, which drive the real windows without an operator.
class ScriptedPopups : public Popups {
  public:
    struct Shown {
        std::string kind;  // "message", "question" or "file"
        std::string title;
        std::string text;
        std::vector<std::string> buttons;
    };

    void message(std::string_view title, std::string_view text) override {
        shown.push_back({"message", std::string(title), std::string(text), {"OK"}});
    }
    int question(std::string_view title, std::string_view text, std::string_view button1,
                 std::string_view button2, std::string_view button3) override {
        shown.push_back({"question",
                         std::string(title),
                         std::string(text),
                         {std::string(button1), std::string(button2), std::string(button3)}});
        if (answers.empty()) return 1;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    std::optional<std::string> selectFile(FileMode mode, std::string_view title,
                                          std::string_view directory,
                                          std::string_view pattern) override {
        shown.push_back({"file",
                         std::string(title),
                         std::string(directory),
                         {mode == FileMode::Open ? "open" : "save", std::string(pattern)}});
        if (files.empty()) return std::nullopt;
        auto file = files.front();
        files.pop_front();
        return file;
    }

    // Recorded as a "file" selection; the form chosen comes from `forms` (the first without).
    std::optional<SaveChoice> selectFileAndForm(std::string_view title, std::string_view directory,
                                                std::string_view filters) override {
        auto path = selectFile(FileMode::Save, title, directory, filters);
        if (!path) return std::nullopt;
        int form = 0;
        if (!forms.empty()) {
            form = forms.front();
            forms.pop_front();
        }
        return SaveChoice{*path, form};
    }

    // Modal panels: recorded as "modal" with the panel's name as title; onModal plays the
    // operator (fills the panel's controls) and answers 1 for OK. Without it: cancelled.
    int runModal(std::string_view panelName) override {
        shown.push_back({"modal", std::string(panelName), "", {}});
        return onModal ? onModal(panelName) : 0;
    }
    std::function<int(std::string_view panelName)> onModal;

    std::vector<Shown> shown;
    std::deque<int> answers;                       // questions with no answer left get 1
    std::deque<std::optional<std::string>> files;  // selections with none left are cancelled
    std::deque<int> forms;                         // forms chosen with a file to save
};

}  // namespace vrl
