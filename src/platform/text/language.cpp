#include "platform/text/language.h"

#include <cstdlib>
#include <string>
#include <unordered_map>

#include "platform/text/translate.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace vrl::text {

namespace {

struct Row {
    const char* context;
    const char* german;
    const char* english;
};

// Generated at build time from resources/translations/tkv9d_en.ts: the finished translations,
// ended by a row of nulls.
#include "tkv9d_en_rows.inc"

// Context and source text joined by a byte that neither holds.
std::string key(std::string_view context, std::string_view german) {
    std::string joined(context);
    joined += '\x04';
    joined += german;
    return joined;
}

}  // namespace

Language languageOf(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang}) {
        if (!value || !*value) continue;
        return std::string_view(value).starts_with("de") ? Language::German : Language::English;
    }
    return Language::English;
}

Language systemLanguage() {
#ifdef _WIN32
    return PRIMARYLANGID(::GetUserDefaultUILanguage()) == LANG_GERMAN ? Language::German
                                                                      : Language::English;
#else
    return languageOf(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
#endif
}

const char* englishText(const char* context, const char* german) {
    // Built once, on first use, from any thread; the texts live as long as the program.
    static const std::unordered_map<std::string, const char*> table = [] {
        std::unordered_map<std::string, const char*> rows;
        for (const Row* row = kRows; row->context; ++row)
            rows.emplace(key(row->context, row->german), row->english);
        return rows;
    }();
    const auto found = table.find(key(context, german));
    return found == table.end() ? nullptr : found->second;
}

void useLanguage(Language language) {
    install(language == Language::English ? &englishText : nullptr);
}

}  // namespace vrl::text
