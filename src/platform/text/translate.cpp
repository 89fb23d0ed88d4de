#include "platform/text/translate.h"

#include <atomic>

namespace vrl::text {
namespace {

// Atomic: the line worker and the server's threads read texts while the window's thread may
// switch the language.
std::atomic<Translator> gTranslator{nullptr};

}  // namespace

void install(Translator translator) {
    gTranslator.store(translator);
}

std::string tr(const char* context, const char* german) {
    const Translator translator = gTranslator.load();
    const char* translated = translator ? translator(context, german) : nullptr;
    return translated ? translated : german;
}

std::string fill(std::string_view text, std::initializer_list<std::string_view> values) {
    std::string filled;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool marker = text[i] == '%' && i + 1 < text.size() && text[i + 1] >= '1' &&
                            text[i + 1] <= '9' &&
                            static_cast<std::size_t>(text[i + 1] - '1') < values.size();
        if (!marker) {
            filled += text[i];
            continue;
        }
        filled += values.begin()[text[i + 1] - '1'];
        ++i;
    }
    return filled;
}

}  // namespace vrl::text
