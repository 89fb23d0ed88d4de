#include <gtest/gtest.h>

#include <string>
#include <thread>

#include "errors/catalogue.h"
#include "errors/vrl_errors.h"
#include "support/scripted_popups.h"

namespace {

class ErrorTexts : public ::testing::Test {
  protected:
    void SetUp() override {
        VRL_Fehlersprache(1);
        VRL_Fehlermeldung(-1000);  // consumes any pending line another test left
    }
    void TearDown() override { VRL_Fehlersprache(1); }
};

struct TextRow {
    int code;
    int language;
    const char* text;
};

TEST_F(ErrorTexts, CodeSelectsTextByMessageNumber) {
    const TextRow rows[] = {
        {0, 1, "Es ist kein Fehler aufgetreten"},
        {-5, 1, "Es ist kein Fehler aufgetreten"},
        {999, 1, "Es ist kein Fehler aufgetreten"},
        {-6999, 1, ""},
        {-9001, 1, ""},
        {-1034001, 1, "Keine Antwort von der Waage.\nGewicht hat sich evtl. nicht stabilisiert."},
        {-1035000, 1, "Ein unbekannter Fehler ist aufgetreten"},
        {1000, 1, "Ein unbekannter Fehler ist aufgetreten"},
        {-1000, 1, "Ein unbekannter Fehler ist aufgetreten"},
        {-99000, 1, "Ein unbekannter Fehler ist aufgetreten"},
        {-302406, 1, "Die Datei ist nicht vom richtigen Typ"},
        {-100002, 2, "Error opening com-port"},
        {0, 2, "No error"},
        {-1035000, 2, "A unknown error occured"},
        {-400006, 7, "Unzulässige Geräteadresse"},
        {-350000, 2, "Timeout:\nPressure could not be generated."},
    };
    for (const auto& row : rows) {
        VRL_Fehlersprache(row.language);
        EXPECT_EQ(VRL_Fehlermeldung(row.code), std::string(row.text))
            << "code " << row.code << " language " << row.language;
    }
}

TEST_F(ErrorTexts, CatalogueIsSortedWithBothLanguagesForEveryRow) {
    for (std::size_t i = 1; i < vrl::kCatalogue.size(); ++i)
        EXPECT_LT(vrl::kCatalogue[i - 1].number, vrl::kCatalogue[i].number);
    for (const auto& row : vrl::kCatalogue) {
        const bool emptyByDesign = row.number == 6 || row.number == 9;
        EXPECT_EQ(std::string(row.german).empty(), emptyByDesign) << row.number;
        EXPECT_EQ(std::string(row.english).empty(), emptyByDesign) << row.number;
    }
}

TEST_F(ErrorTexts, PendingUserTextIsAppendedOnce) {
    VRL_Fehleruserstring("erwartet 4, gefunden 3");
    EXPECT_EQ(std::string(VRL_Fehlermeldung(-303407)),
              "Die Datei hat die falsche Versionsnummer\nerwartet 4, gefunden 3");
    EXPECT_EQ(std::string(VRL_Fehlermeldung(-303407)), "Die Datei hat die falsche Versionsnummer");
}

TEST_F(ErrorTexts, SecondUserTextReplacesFirst) {
    VRL_Fehleruserstring("eins");
    VRL_Fehleruserstring("zwei");
    EXPECT_EQ(std::string(VRL_Fehlermeldung(-6000)), "\nzwei");
}

TEST_F(ErrorTexts, EnglishNoErrorKeepsPendingText) {
    VRL_Fehlersprache(2);
    VRL_Fehleruserstring("T");
    EXPECT_EQ(std::string(VRL_Fehlermeldung(0)), "No error");
    EXPECT_EQ(std::string(VRL_Fehlermeldung(-100002)), "Error opening com-port\nT");
}

// Characters, not bytes: the umlauts of the German texts take two bytes each.
std::size_t characters(const std::string& text) {
    std::size_t count = 0;
    for (unsigned char c : text) count += (c & 0xC0) != 0x80;
    return count;
}

TEST_F(ErrorTexts, LongestTextWithLongestUserTextIsKeptWhole) {
    const vrl::CatalogueRow* longest = &vrl::kCatalogue[0];
    for (const auto& row : vrl::kCatalogue)
        if (characters(row.german) > characters(longest->german)) longest = &row;
    EXPECT_EQ(characters(longest->german), 192u);
    const std::string user(299, 'x');
    VRL_Fehleruserstring(user);
    const std::string text = VRL_Fehlermeldung(-1000 * longest->number - 1);
    EXPECT_EQ(text, std::string(longest->german) + "\n" + user);
    EXPECT_LT(characters(text), static_cast<std::size_t>(vrl::kMessageBufferSize));
}

TEST_F(ErrorTexts, UserTextIsCutAtCharacterBoundary) {
    std::string user(298, 'x');
    user += "ä";  // two bytes: the 299-byte cut falls inside it
    VRL_Fehleruserstring(user);
    const std::string text = VRL_Fehlermeldung(-6000);
    EXPECT_EQ(text, "\n" + std::string(298, 'x'));
}

struct PopupRow {
    int code;
    const char* callerTitle;  // nullptr: VRL_Fehlerpopup
    const char* title;        // nullptr: nothing shown
    const char* text;
};

TEST_F(ErrorTexts, PopupsShowTitleAndTextExceptForCancellations) {
    const PopupRow rows[] = {
        {-301402, nullptr, "Fehler #301402", "Fehler beim Schreiben auf Datei"},
        {-302406, nullptr, "Fehler #302406", "Die Datei ist nicht vom richtigen Typ"},
        {-6000, nullptr, nullptr, nullptr},
        {-6999, nullptr, nullptr, nullptr},
        {-125001, "T", "T #125001", "Unzulässige Baudrate"},
        {-6500, "T", nullptr, nullptr},
        {-7000, nullptr, "Fehler #7000", "Ein unerwarteter Fehler ist aufgetreten"},
    };
    for (const auto& row : rows) {
        vrl::ScriptedPopups popups;
        vrl::PopupsGuard guard(popups);
        if (row.callerTitle)
            VRL_Fehlerpopup2(row.code, row.callerTitle);
        else
            VRL_Fehlerpopup(row.code);
        if (!row.title) {
            EXPECT_TRUE(popups.shown.empty()) << row.code;
            continue;
        }
        ASSERT_EQ(popups.shown.size(), 1u) << row.code;
        EXPECT_EQ(popups.shown[0].title, row.title);
        EXPECT_EQ(popups.shown[0].text, row.text);
    }
}

TEST_F(ErrorTexts, EnglishPopupTitle) {
    vrl::ScriptedPopups popups;
    vrl::PopupsGuard guard(popups);
    VRL_Fehlersprache(2);
    VRL_Fehlerpopup(-301402);
    ASSERT_EQ(popups.shown.size(), 1u);
    EXPECT_EQ(popups.shown[0].title, "Error #301402");
    EXPECT_EQ(popups.shown[0].text, "Error writing to file");
}

// Fault caught: the text by value following other rules than the installed messages (an
// English "No error" that takes the line, an extra line that is not cut).
TEST(MessageText, ExtraLineBelowTheTextWhereTheCodeTakesOne) {
    const struct {
        int code;
        int language;
        std::string extra;
        std::string text;
    } rows[] = {
        {-303407, 1, "T", "Die Datei hat die falsche Versionsnummer\nT"},
        {-100002, 2, "T", "Error opening com-port\nT"},
        {0, 2, "T", "No error"},
        {0, 1, "T", "Es ist kein Fehler aufgetreten\nT"},
        {-6000, 1, std::string(300, 'x'), "\n" + std::string(299, 'x')},
        {-6000, 1, "", ""},
    };
    for (const auto& row : rows)
        EXPECT_EQ(vrl::messageText(row.code, row.language, row.extra), row.text) << row.code;
}

// Fault caught: one pending line for the whole process, so that a message built on the
// server's worker takes the line the window's thread set for its own failure, or the reverse.
TEST_F(ErrorTexts, ExtraLineStaysWithTheThreadThatSetIt) {
    VRL_Fehleruserstring("Fenster");
    std::string worker, workerAfterOwn;
    std::thread([&] {
        worker = VRL_Fehlermeldung(-6000);
        VRL_Fehleruserstring("Server");
        workerAfterOwn = VRL_Fehlermeldung(-6000);
    }).join();
    EXPECT_EQ(worker, "");
    EXPECT_EQ(workerAfterOwn, "\nServer");
    EXPECT_EQ(VRL_Fehlermeldung(-6000), "\nFenster");
}

// Fault caught: the facade keeping language or line beside the installed messages, so that
// what one owner set leaks into the other's texts.
TEST_F(ErrorTexts, InstalledMessagesKeepTheirOwnLanguageAndLine) {
    vrl::Messages own;
    vrl::setMessages(&own);
    VRL_Fehlersprache(2);
    VRL_Fehleruserstring("T");
    vrl::setMessages(nullptr);
    EXPECT_EQ(VRL_Fehlermeldung(-100002), "Fehler beim öffnen der seriellen Schnittstelle");
    EXPECT_EQ(own.take(-100002), "Error opening com-port\nT");
}

}  // namespace
