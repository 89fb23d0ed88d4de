#pragma once

// Every popup of the program goes through this one service, so that tests answer them from a
// script and never block on a real modal dialog. Qt-free: the error module and the
// command-line tool use it; the Qt implementation lives with the widgets (platform/gui).

#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>

namespace vrl {

class Popups {
  public:
    virtual ~Popups() = default;

    // A message with an OK button; returns when the operator has pressed it.
    virtual void message(std::string_view title, std::string_view text) = 0;

    // A question with up to three buttons (an empty label leaves its button out). Returns the
    // number of the button pressed, 1..3.
    virtual int question(std::string_view title, std::string_view text, std::string_view button1,
                         std::string_view button2, std::string_view button3) = 0;

    enum class FileMode { Open, Save };
    // A file selection; returns the chosen full path, or nothing when the operator cancelled.
    virtual std::optional<std::string> selectFile(FileMode mode, std::string_view title,
                                                  std::string_view directory,
                                                  std::string_view pattern) = 0;

    // A file to save in one of several forms, each named by a filter of its own ("CSV
    // (*.csv)", separated by ";;"); returns the chosen path and the number (0..) of the form
    // whose filter was selected. A service without a choice of filters offers them as one
    // pattern and answers with the first form.
    struct SaveChoice {
        std::string path;
        int form = 0;
    };
    virtual std::optional<SaveChoice> selectFileAndForm(std::string_view title,
                                                        std::string_view directory,
                                                        std::string_view filters) {
        auto path = selectFile(FileMode::Save, title, directory, filters);
        if (!path) return std::nullopt;
        return SaveChoice{*path, 0};
    }

    // Like question(), and Enter presses button enterButton while Esc (and closing the popup)
    // presses button escapeButton (both 1..3). A service without keys answers as question().
    virtual int questionWithKeys(std::string_view title, std::string_view text,
                                 std::string_view button1, std::string_view button2,
                                 std::string_view button3, int enterButton, int escapeButton) {
        (void)enterButton;
        (void)escapeButton;
        return question(title, text, button1, button2, button3);
    }

    // Shows a child panel of the main panel (by its resource name, e.g. "RENAMEPNL") as a modal
    // popup: no other window can be used until one of the panel's closing buttons is pressed.
    // Returns 1 when the panel was closed by its OK button, 0 otherwise. A service without a
    // screen returns 0 at once, as if the operator had cancelled.
    virtual int runModal(std::string_view panelName) {
        (void)panelName;
        return 0;
    }
};

// Popups for a program without a screen: they become lines on a stream, and a question answers
// at once, so a tool never waits for an operator.
class ConsolePopups : public Popups {
  public:
    struct Form {
        bool messageTitle = true;    // "title: text", or the text alone
        bool messageLineEnd = true;  // a message ends its line, or its text ends as it is
        // The button every question answers; 0 answers none, and the question is not written.
        int answer = 1;
    };
    explicit ConsolePopups(std::ostream& out, Form form) : out_(out), form_(form) {}

    void message(std::string_view title, std::string_view text) override;
    int question(std::string_view title, std::string_view text, std::string_view button1,
                 std::string_view button2, std::string_view button3) override;
    std::optional<std::string> selectFile(FileMode mode, std::string_view title,
                                          std::string_view directory,
                                          std::string_view pattern) override;

  private:
    std::ostream& out_;
    Form form_;
};

// The service in use. Until one is installed, popups are written to stderr and questions
// answer with their first button: a tool without a screen never waits for an operator.
Popups& popups();
void setPopups(Popups* service);

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
