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

}  // namespace vrl::text
