// The Qt popups as the operator meets them, built and worked without a modal loop.

#include <gtest/gtest.h>

#include <QDialog>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFont>
#include <QFontMetrics>
#include <QKeySequence>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>
#include <QtTest/QTest>
#include <functional>

#include "gui/qt_app.h"
#include "platform/gui/qt_popups.h"
#include "platform/gui/question_dialog.h"
#include "platform/gui/translations.h"
#include "support/scripted_popups.h"

namespace {

using vrl::Popups;
using vrl::gui::QtPopups;
using vrl::gui::QuestionDialog;

QString u8(const char* text) {
    return QString::fromUtf8(text);
}

// ---- question

struct QuestionRow {
    const char* name;
    const char* labels[3];
    int enter;
    int escape;
    std::vector<int> shown;  // numbers of the buttons present, left to right
    int expectedEnter;
    int expectedEscape;
};

void PrintTo(const QuestionRow& row, std::ostream* out) {
    *out << row.name;
}

class QuestionDialogTest : public ::testing::TestWithParam<QuestionRow> {
  protected:
    std::unique_ptr<QuestionDialog> make() const {
        const auto& row = GetParam();
        return QtPopups::makeQuestion("Programme zu TKV-9D schreiben",
                                      "Nur aktuell ausgewähltes oder alle Programme schreiben?",
                                      row.labels[0], row.labels[1], row.labels[2], row.enter,
                                      row.escape, nullptr);
    }
    // Shows the dialog without a modal loop and runs one operator action on it.
    int answerAfter(const std::function<void(QuestionDialog&)>& action) const {
        auto dialog = make();
        dialog->show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), 1000));
        action(*dialog);
        EXPECT_FALSE(dialog->isVisible());
        EXPECT_EQ(dialog->result(), dialog->answer());
        return dialog->answer();
    }
};

TEST_P(QuestionDialogTest, ShowsTheButtonsInTheOrderGiven) {
    const auto& row = GetParam();
    const auto dialog = make();
    EXPECT_EQ(dialog->windowTitle(), u8("Programme zu TKV-9D schreiben"));
    std::vector<std::pair<int, int>> positions;  // x, number
    for (int number = 1; number <= 3; ++number) {
        QPushButton* button = dialog->button(number);
        const bool expected =
            std::find(row.shown.begin(), row.shown.end(), number) != row.shown.end();
        ASSERT_EQ(button != nullptr, expected) << "button " << number;
        if (!button) continue;
        const char* label = row.labels[number - 1];
        EXPECT_EQ(button->text().remove(u'&'), u8(*label ? label : "OK"));  // one at least
        positions.emplace_back(0, number);
    }
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog.get(), 1000));
    for (auto& [x, number] : positions) x = dialog->button(number)->x();
    std::sort(positions.begin(), positions.end());
    std::vector<int> order;
    for (const auto& position : positions) order.push_back(position.second);
    EXPECT_EQ(order, row.shown);
    EXPECT_EQ(dialog->focusWidget(), dialog->button(row.shown.front()));
}

TEST_P(QuestionDialogTest, EnterAndEscapePressTheirButtons) {
    const auto& row = GetParam();
    EXPECT_EQ(answerAfter([](QuestionDialog& d) { QTest::keyClick(&d, Qt::Key_Return); }),
              row.expectedEnter);
    EXPECT_EQ(answerAfter([](QuestionDialog& d) { QTest::keyClick(&d, Qt::Key_Escape); }),
              row.expectedEscape);
    EXPECT_EQ(answerAfter([](QuestionDialog& d) { d.close(); }), row.expectedEscape);
}

// Fault caught: buttons without Alt letters, or two buttons on one letter ("aktuelles", "alle",
// "abbrechen"), so that the keyboard reaches only the default and Esc.
TEST_P(QuestionDialogTest, EachButtonHasAnAltLetterOfItsOwn) {
    const auto dialog = make();
    std::vector<QKeySequence> letters;
    for (int number : GetParam().shown) {
        const QKeySequence letter = QKeySequence::mnemonic(dialog->button(number)->text());
        EXPECT_FALSE(letter.isEmpty()) << number;
        EXPECT_EQ(std::count(letters.begin(), letters.end(), letter), 0) << number;
        letters.push_back(letter);
    }
}

TEST_P(QuestionDialogTest, ClickAnswersWithTheButtonNumber) {
    for (int number : GetParam().shown) {
        EXPECT_EQ(answerAfter([number](QuestionDialog& d) { d.button(number)->click(); }), number);
    }
}

const QuestionRow kQuestionRows[] = {
    {"ProgramTransfer", {"aktuelles", "alle", "abbrechen"}, 2, 3, {1, 2, 3}, 2, 3},
    {"UnsavedChanges", {"Ja", "Nein", "Abbrechen"}, 1, 3, {1, 2, 3}, 1, 3},
    {"MissingMiddle", {"Ja", "", "Abbrechen"}, 2, 3, {1, 3}, 1, 3},
    {"TwoButtons", {"OK", "Abbrechen", ""}, 1, 3, {1, 2}, 1, 2},
    {"NoLabels", {"", "", ""}, 1, 3, {1}, 1, 1},
};

INSTANTIATE_TEST_SUITE_P(Popups, QuestionDialogTest, ::testing::ValuesIn(kQuestionRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- message

TEST(MessageTest, ShowsTitleTextAndOneButton) {
    const auto box = QtPopups::makeMessage("Fehler #802251", "INI-Datei nicht gefunden", nullptr);
    EXPECT_EQ(box->windowTitle(), u8("Fehler #802251"));
    EXPECT_EQ(box->text(), u8("INI-Datei nicht gefunden"));
    EXPECT_EQ(box->textFormat(), Qt::PlainText);
    EXPECT_EQ(box->buttons().size(), 1);
    EXPECT_NE(box->button(QMessageBox::Ok), nullptr);
}

// Catches a popup as narrow as its short text, whose title the window manager then cuts
// ("Er… 1" for "Error #802251" over "INI-File not found").
TEST(PopupWidthTest, LeavesRoomForTheWholeTitle) {
    const QString title = QStringLiteral("Programme zu TKV-9D schreiben");
    const std::unique_ptr<QWidget> popups[] = {
        QtPopups::makeMessage(title.toStdString(), "OK", nullptr),
        QtPopups::makeQuestion(title.toStdString(), "?", "Ja", "", "", 1, 1, nullptr),
    };
    QFont bold = popups[0]->font();
    bold.setBold(true);
    for (const auto& popup : popups) {
        popup->adjustSize();
        EXPECT_GE(popup->width(), QFontMetrics(bold).horizontalAdvance(title) + 100)
            << popup->metaObject()->className();
    }
}

// ---- file selection

struct FileRow {
    const char* name;
    Popups::FileMode mode;
    const char* pattern;
    QFileDialog::AcceptMode accept;
    QFileDialog::FileMode files;
    bool readOnly;
    const char* suffix;
};

void PrintTo(const FileRow& row, std::ostream* out) {
    *out << row.name;
}

class FileDialogTest : public ::testing::TestWithParam<FileRow> {};

TEST_P(FileDialogTest, IsSetUpForTheMode) {
    const auto& row = GetParam();
    const QString directory = QDir::tempPath();
    const auto dialog = QtPopups::makeFileDialog(row.mode, "Speichern", directory.toStdString(),
                                                 row.pattern, nullptr);
    EXPECT_EQ(dialog->windowTitle(), "Speichern");
    EXPECT_EQ(dialog->directory().absolutePath(), QDir(directory).absolutePath());
    EXPECT_EQ(dialog->acceptMode(), row.accept);
    EXPECT_EQ(dialog->fileMode(), row.files);
    EXPECT_EQ(dialog->testOption(QFileDialog::ReadOnly), row.readOnly);
    EXPECT_EQ(dialog->nameFilters(), QStringList{u8(row.pattern)});
    EXPECT_EQ(dialog->defaultSuffix(), u8(row.suffix));
}

const FileRow kFileRows[] = {
    {"Open", Popups::FileMode::Open, "*.tkv", QFileDialog::AcceptOpen, QFileDialog::ExistingFile,
     true, "tkv"},
    {"Save", Popups::FileMode::Save, "*.tkv", QFileDialog::AcceptSave, QFileDialog::AnyFile, false,
     "tkv"},
    {"SaveAnyName", Popups::FileMode::Save, "*.*", QFileDialog::AcceptSave, QFileDialog::AnyFile,
     false, ""},
};

INSTANTIATE_TEST_SUITE_P(Popups, FileDialogTest, ::testing::ValuesIn(kFileRows),
                         [](const auto& info) { return std::string(info.param.name); });

// ---- Qt's own texts

// The file dialog's own buttons and labels come from Qt: German once the translations are in,
// whatever the locale of the process.
TEST(GermanQtTextsTest, FileDialogSpeaksGerman) {
    QTranslator german;
    ASSERT_TRUE(vrl::gui::installGermanQtTranslations(german));
    const auto dialog = QtPopups::makeFileDialog(Popups::FileMode::Open, "Öffnen",
                                                 QDir::tempPath().toStdString(), "*.tkv", nullptr);
    const auto* buttons = dialog->findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text().remove(u'&'), "Abbrechen");
    EXPECT_EQ(buttons->button(QDialogButtonBox::Open)->text().remove(u'&'), u8("Öffnen"));
}

// ---- modal child panels

TEST(ModalPanelTest, PanelIsFoundByItsResourceName) {
    QWidget main;
    auto* rename = new QDialog(&main);
    rename->setObjectName(QStringLiteral("RENAMEPNL"));
    EXPECT_EQ(QtPopups::findPanel("RENAMEPNL"), rename);
    EXPECT_EQ(QtPopups::findPanel("INFOPANEL"), nullptr);
}

TEST(ModalPanelTest, UnknownPanelIsNotRun) {
    QtPopups popups;
    EXPECT_EQ(popups.runModal("INFOPANEL"), 0);
}

// ---- what the interface gives services that know no keys or panels

TEST(PopupsDefaultsTest, QuestionWithKeysIsAnsweredAsAQuestion) {
    vrl::ScriptedPopups scripted;
    scripted.answers.push_back(2);
    Popups& service = scripted;
    EXPECT_EQ(service.questionWithKeys("Datei speichern", "Möchten Sie?", "Ja", "Nein", "Abbrechen",
                                       1, 3),
              2);
    ASSERT_EQ(scripted.shown.size(), 1u);
    EXPECT_EQ(scripted.shown[0].kind, "question");
    EXPECT_EQ(scripted.shown[0].buttons, (std::vector<std::string>{"Ja", "Nein", "Abbrechen"}));
}

TEST(PopupsDefaultsTest, ModalPanelWithoutScreenIsCancelled) {
    vrl::ScriptedPopups scripted;
    Popups& service = scripted;
    EXPECT_EQ(service.runModal("RENAMEPNL"), 0);
}

}  // namespace
