#include "errors/vrl_errors.h"

#include <algorithm>
#include <string>

#include "errors/catalogue.h"
#include "errors/popups.h"

namespace {

constexpr const char* kUnknownGerman = "Ein unbekannter Fehler ist aufgetreten";
constexpr const char* kUnknownEnglish = "A unknown error occured";
constexpr std::size_t kTitleTextLimit = 87;  // [bytes] of the caller's popup title

int gLanguage = 1;
std::string gMessage;
std::string gUserText;

bool english() {
    return gLanguage == vrl::kLanguageEnglish;
}

const vrl::CatalogueRow* findRow(int number) {
    const auto& rows = vrl::kCatalogue;
    auto it = std::lower_bound(rows.begin(), rows.end(), number,
                               [](const vrl::CatalogueRow& row, int n) { return row.number < n; });
    return it != rows.end() && it->number == number ? &*it : nullptr;
}

// Cuts UTF-8 text to at most `limit` bytes without splitting a character.
std::string_view cutUtf8(std::string_view text, std::size_t limit) {
    if (text.size() <= limit) return text;
    std::size_t end = limit;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80) --end;
    return text.substr(0, end);
}

void showPopup(int code, const std::string& title) {
    if (vrl::isSilent(code)) return;
    const std::string text = VRL_Fehlermeldung(code);
    vrl::popups().message(title, text);
}

}  // namespace

const char* vrl::messageText(int code) {
    const vrl::CatalogueRow* row = findRow(vrl::messageNumber(code));
    return row ? row->german : kUnknownGerman;
}

const char* VRL_Fehlermeldung(int code) {
    const int number = vrl::messageNumber(code);
    const vrl::CatalogueRow* row = findRow(number);
    if (english()) {
        gMessage = row ? row->english : kUnknownEnglish;
        // "No error" in English leaves the pending line for the next message.
        if (number == 0) return gMessage.c_str();
    } else {
        gMessage = row ? row->german : kUnknownGerman;
    }
    if (!gUserText.empty()) {
        gMessage += '\n';
        gMessage += gUserText;
        gUserText.clear();
    }
    return gMessage.c_str();
}

void VRL_Fehlersprache(int language) {
    gLanguage = language;
}

void VRL_Fehleruserstring(std::string_view text) {
    gUserText = cutUtf8(text, vrl::kUserTextSize - 1);
}

void VRL_FehleruserstringAnfuegen(std::string_view text) {
    VRL_Fehleruserstring(gUserText.empty() ? std::string(text)
                                           : gUserText + '\n' + std::string(text));
}

void VRL_Fehlerpopup(int code) {
    const char* format = english() ? "Error #" : "Fehler #";
    showPopup(code, format + std::to_string(-static_cast<long long>(code)));
}

void VRL_Fehlerpopup2(int code, std::string_view title) {
    showPopup(code, std::string(cutUtf8(title, kTitleTextLimit)) + " #" +
                        std::to_string(-static_cast<long long>(code)));
}
