#pragma once

// The command line and the console in the program's own text, UTF-8. On Windows the arguments
// are taken from the system's UTF-16 command line (a narrow argv is in the ANSI code page and
// loses every character outside it), and a console is switched to UTF-8 while the program runs,
// so German texts show as they are; redirected output is UTF-8 in any case. Elsewhere both are
// UTF-8 already.

#include <string>
#include <vector>

namespace platform {

class ProgramText {
  public:
    ProgramText(int argc, char** argv);
    ~ProgramText();
    ProgramText(const ProgramText&) = delete;
    ProgramText& operator=(const ProgramText&) = delete;

    // false when an argument is no valid text (Windows allows lone surrogates in names).
    bool valid() const { return valid_; }
    int argc() const { return static_cast<int>(arguments_.size()); }
    char** argv() { return pointers_.data(); }

  private:
    std::vector<std::string> arguments_;
    std::vector<char*> pointers_;
    bool valid_ = true;
    unsigned previousOutputCodePage_ = 0;
};

}  // namespace platform
