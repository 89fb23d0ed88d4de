#include "platform/console/program_text.h"

#ifdef _WIN32
// windows.h (through win32_text.h) first: shellapi.h builds on it.
#include "platform/win32_text.h"

#include <shellapi.h>
#endif

namespace platform {

ProgramText::ProgramText(int argc, char** argv) {
#ifdef _WIN32
    (void)argc;
    (void)argv;
    int count = 0;
    wchar_t** wideArguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!wideArguments) {
        valid_ = false;
        count = 0;
    }
    for (int i = 0; i < count; ++i) {
        auto argument = narrow(wideArguments[i]);
        if (!argument) valid_ = false;
        arguments_.push_back(argument.value_or(""));
    }
    if (wideArguments) LocalFree(wideArguments);
    // Only a console has a code page to set; the old one is put back for the programs that run
    // in the same console afterwards.
    if (GetConsoleWindow() != nullptr) {
        previousOutputCodePage_ = GetConsoleOutputCP();
        SetConsoleOutputCP(CP_UTF8);
    }
#else
    arguments_.assign(argv, argv + argc);
#endif
    for (auto& argument : arguments_) pointers_.push_back(argument.data());
    // argv[argc] is a null pointer, as for main.
    pointers_.push_back(nullptr);
}

ProgramText::~ProgramText() {
#ifdef _WIN32
    if (previousOutputCodePage_ != 0) SetConsoleOutputCP(previousOutputCodePage_);
#endif
}

}  // namespace platform
