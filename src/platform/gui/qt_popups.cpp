#include "platform/gui/qt_popups.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QGridLayout>
#include <QMessageBox>
#include <algorithm>

#include "platform/gui/question_dialog.h"

namespace vrl::gui {

namespace {

QString qs(std::string_view text) {
    return QString::fromUtf8(text.data(), qsizetype(text.size()));
}

QWidget* activeWindow() {
    return QApplication::activeWindow();
}

// "*.tkv" -> "tkv"; no suffix for anything that is not a single "*.ext" wildcard.
QString suffixOf(const QString& pattern) {
    if (!pattern.startsWith(QStringLiteral("*.")) || pattern.contains(u' ')) return {};
    const QString suffix = pattern.mid(2);
    return suffix.contains(u'*') || suffix.contains(u'?') ? QString() : suffix;
}

}  // namespace

std::unique_ptr<QMessageBox> QtPopups::makeMessage(std::string_view title, std::string_view text,
                                                   QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(QMessageBox::NoIcon, qs(title), qs(text),
                                             QMessageBox::Ok, parent);
    box->setTextFormat(Qt::PlainText);
    // A message box sizes itself to its text and ignores a minimum width; a spacer across its
    // grid is what it honours.
    if (auto* grid = qobject_cast<QGridLayout*>(box->layout()))
        grid->addItem(
            new QSpacerItem(widthForTitle(*box), 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
            grid->rowCount(), 0, 1, grid->columnCount());
    return box;
}

std::unique_ptr<QuestionDialog> QtPopups::makeQuestion(std::string_view title,
                                                       std::string_view text,
                                                       std::string_view button1,
                                                       std::string_view button2,
                                                       std::string_view button3, int enterButton,
                                                       int escapeButton, QWidget* parent) {
    return std::make_unique<QuestionDialog>(qs(title), qs(text),
                                            QStringList{qs(button1), qs(button2), qs(button3)},
                                            enterButton, escapeButton, parent);
}

std::unique_ptr<QFileDialog> QtPopups::makeFileDialog(FileMode mode, std::string_view title,
                                                      std::string_view directory,
                                                      std::string_view pattern, QWidget* parent) {
    auto dialog = std::make_unique<QFileDialog>(parent, qs(title), qs(directory));
    const bool open = mode == FileMode::Open;
    dialog->setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog->setFileMode(open ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
    // Opening never creates folders; saving may.
    dialog->setOption(QFileDialog::ReadOnly, open);
    if (!pattern.empty()) {
        dialog->setNameFilter(qs(pattern));
        dialog->setDefaultSuffix(suffixOf(qs(pattern)));
    }
    return dialog;
}

QDialog* QtPopups::findPanel(std::string_view panelName) {
    const QString name = qs(panelName);
    for (QWidget* widget : QApplication::allWidgets()) {
        auto* dialog = qobject_cast<QDialog*>(widget);
        if (dialog && dialog->objectName() == name) return dialog;
    }
    return nullptr;
}

void QtPopups::message(std::string_view title, std::string_view text) {
    makeMessage(title, text, activeWindow())->exec();
}

int QtPopups::question(std::string_view title, std::string_view text, std::string_view button1,
                       std::string_view button2, std::string_view button3) {
    return questionWithKeys(title, text, button1, button2, button3, 1, 3);
}

int QtPopups::questionWithKeys(std::string_view title, std::string_view text,
                               std::string_view button1, std::string_view button2,
                               std::string_view button3, int enterButton, int escapeButton) {
    auto dialog = makeQuestion(title, text, button1, button2, button3, enterButton, escapeButton,
                               activeWindow());
    dialog->exec();
    return dialog->answer();
}

std::optional<std::string> QtPopups::selectFile(FileMode mode, std::string_view title,
                                                std::string_view directory,
                                                std::string_view pattern) {
    auto dialog = makeFileDialog(mode, title, directory, pattern, activeWindow());
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    return files.first().toStdString();
}

std::optional<Popups::SaveChoice> QtPopups::selectFileAndForm(std::string_view title,
                                                              std::string_view directory,
                                                              std::string_view filters) {
    auto dialog = makeFileDialog(FileMode::Save, title, directory, filters, activeWindow());
    if (dialog->exec() != QDialog::Accepted) return std::nullopt;
    const QStringList files = dialog->selectedFiles();
    if (files.isEmpty()) return std::nullopt;
    const auto form = dialog->nameFilters().indexOf(dialog->selectedNameFilter());
    return SaveChoice{files.first().toStdString(), static_cast<int>(std::max<qsizetype>(form, 0))};
}

int QtPopups::runModal(std::string_view panelName) {
    QDialog* panel = findPanel(panelName);
    if (!panel) return 0;
    return panel->exec() == QDialog::Accepted ? 1 : 0;
}

}  // namespace vrl::gui
