#include <iostream>
#include <string_view>

#include "cli/cli.h"
#include "cli/complete.h"
#include "platform/console/program_text.h"
#include "platform/text/language.h"
#include "platform/text/translate.h"

int main(int argc, char** argv) {
    cli::useLanguage(vrl::text::systemLanguage());
    platform::ProgramText text(argc, argv);
    if (!text.valid()) {
        std::cerr << VRL_TR("tkv9d", "tkv9d: ein Argument ist kein gültiger Text") << '\n';
        return 2;
    }
    // The shell's completion asks for its words; no device is involved.
    if (text.argc() == 3 && std::string_view(text.argv()[1]) == "complete")
        return cli::complete(text.argv()[2], std::cout);
    return cli::run(text.argc(), text.argv(), std::cout, std::cerr);
}
