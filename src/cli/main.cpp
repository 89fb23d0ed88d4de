#include <iostream>

#include "cli/cli.h"
#include "platform/console/program_text.h"

int main(int argc, char** argv) {
    platform::ProgramText text(argc, argv);
    if (!text.valid()) {
        std::cerr << "tkv9d: an argument is no valid text\n";
        return 2;
    }
    return cli::run(text.argc(), text.argv(), std::cout, std::cerr);
}
