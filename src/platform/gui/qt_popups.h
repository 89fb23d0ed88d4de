#pragma once

#include <memory>

#include "errors/popups.h"

class QDialog;
class QFileDialog;
class QMessageBox;
class QWidget;

namespace vrl::gui {

class QuestionDialog;

// The popup service of the GUI program: every popup is modal and opens over the window the
// operator is working in. Install it with setPopups() once the QApplication exists.
class QtPopups : public Popups {
  public:
    void message(std::string_view title, std::string_view text) override;
    // Enter presses the first button, Esc the last one given.
    int question(std::string_view title, std::string_view text, std::string_view button1,
                 std::string_view button2, std::string_view button3) override;
    int questionWithKeys(std::string_view title, std::string_view text, std::string_view button1,
                         std::string_view button2, std::string_view button3, int enterButton,
                         int escapeButton) override;
    std::optional<std::string> selectFile(FileMode mode, std::string_view title,
                                          std::string_view directory,
                                          std::string_view pattern) override;
    std::optional<SaveChoice> selectFileAndForm(std::string_view title, std::string_view directory,
                                                std::string_view filters) override;
    // Runs the dialog whose object name is panelName (the panel's resource name) with exec();
    // the panel's own buttons accept (OK) or reject it. 0 when no such panel exists.
    int runModal(std::string_view panelName) override;

    // The popups as they will be shown, built without showing them.
    static std::unique_ptr<QMessageBox> makeMessage(std::string_view title, std::string_view text,
                                                    QWidget* parent);
    static std::unique_ptr<QuestionDialog> makeQuestion(std::string_view title,
                                                        std::string_view text,
                                                        std::string_view button1,
                                                        std::string_view button2,
                                                        std::string_view button3, int enterButton,
                                                        int escapeButton, QWidget* parent);
    // pattern is a wildcard such as "*.tkv": the dialog lists only such files, and a file name
    // typed without extension gets it.
    static std::unique_ptr<QFileDialog> makeFileDialog(FileMode mode, std::string_view title,
                                                       std::string_view directory,
                                                       std::string_view pattern, QWidget* parent);
    static QDialog* findPanel(std::string_view panelName);
};

}  // namespace vrl::gui
