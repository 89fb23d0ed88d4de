#include "errors/vrl_errors.h"

#include <algorithm>

#include "errors/catalogue.h"
#include "errors/popups.h"

namespace {

constexpr const char* kUnknownGerman = "Ein unbekannter Fehler ist aufgetreten";
constexpr const char* kUnknownEnglish = "A unknown error occured";
constexpr std::size_t kTitleTextLimit = 87;  // [bytes] of the caller's popup title

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

std::string_view cutExtraLine(std::string_view text) {
    return cutUtf8(text, vrl::kUserTextSize - 1);
}

// The one mutable datum of this module at namespace scope: which messages are installed. The
// free functions below are called by name from every layer, which has no object to hand them;
// atomic, as the server's worker reads it too.
std::atomic<vrl::Messages*> gInstalled{nullptr};

void showPopup(int code, const std::string& title) {
    if (vrl::isSilent(code)) return;
    vrl::popups().message(title, VRL_Fehlermeldung(code));
}

std::string magnitude(int code) {
    return std::to_string(-static_cast<long long>(code));
}

}  // namespace

namespace vrl {

const char* messageText(int code) {
    const CatalogueRow* row = findRow(messageNumber(code));
    return row ? row->german : kUnknownGerman;
}

std::string messageText(int code, int language, std::string_view extraLine) {
    const CatalogueRow* row = findRow(messageNumber(code));
    const bool english = language == kLanguageEnglish;
    std::string text =
        row ? (english ? row->english : row->german) : (english ? kUnknownEnglish : kUnknownGerman);
    if (takesExtraLine(code, language) && !extraLine.empty()) {
        text += '\n';
        text += cutExtraLine(extraLine);
    }
    return text;
}

void Messages::setExtraLine(std::string_view text) {
    const std::lock_guard lock(mutex_);
    if (text.empty())
        pending_.erase(std::this_thread::get_id());
    else
        pending_[std::this_thread::get_id()] = cutExtraLine(text);
}

void Messages::appendExtraLine(std::string_view text) {
    const std::lock_guard lock(mutex_);
    std::string& line = pending_[std::this_thread::get_id()];
    line = cutExtraLine(line.empty() ? std::string(text) : line + '\n' + std::string(text));
    if (line.empty()) pending_.erase(std::this_thread::get_id());
}

std::string Messages::takeLine() {
    const std::lock_guard lock(mutex_);
    const auto found = pending_.find(std::this_thread::get_id());
    if (found == pending_.end()) return {};
    std::string line = std::move(found->second);
    pending_.erase(found);
    return line;
}

std::string Messages::take(int code) {
    const int language = language_;
    return messageText(code, language, takesExtraLine(code, language) ? takeLine() : "");
}

Messages& messages() {
    static Messages fallback;
    Messages* installed = gInstalled.load();
    return installed ? *installed : fallback;
}

void setMessages(Messages* installed) {
    gInstalled.store(installed);
}

}  // namespace vrl

std::string VRL_Fehlermeldung(int code) {
    return vrl::messages().take(code);
}

void VRL_Fehlersprache(int language) {
    vrl::messages().setLanguage(language);
}

void VRL_Fehleruserstring(std::string_view text) {
    vrl::messages().setExtraLine(text);
}

void VRL_FehleruserstringAnfuegen(std::string_view text) {
    vrl::messages().appendExtraLine(text);
}

void VRL_Fehlerpopup(int code) {
    const char* format =
        vrl::messages().language() == vrl::kLanguageEnglish ? "Error #" : "Fehler #";
    showPopup(code, format + magnitude(code));
}

void VRL_Fehlerpopup2(int code, std::string_view title) {
    showPopup(code, std::string(cutUtf8(title, kTitleTextLimit)) + " #" + magnitude(code));
}
