#pragma once

// Error codes: 0 is success, a failure is -(1000 * message number + origin number). The
// message number picks the text, the origin number tells where the failure arose.

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

namespace vrl {

inline constexpr int kLanguageGerman = 1;
inline constexpr int kLanguageEnglish = 2;
inline constexpr int kMessageBufferSize = 500;  // [characters], terminator included
inline constexpr int kUserTextSize = 300;       // [characters], terminator included

// Truncates toward zero, so -999..999 all give message 0 and -6000..-6999 give 6.
constexpr int messageNumber(int code) {
    return -(code / 1000);
}

// Codes -6000..-6999: the operator cancelled, or the failure has been shown already.
constexpr bool isSilent(int code) {
    return (code / 1000) * 1000 == -6000;
}

// Whether the text of a code takes an extra line: every one but English "No error", which
// leaves it for the next message.
constexpr bool takesExtraLine(int code, int language) {
    return language != kLanguageEnglish || messageNumber(code) != 0;
}

// The German catalogue text of a code alone, in static storage: it serves any thread (the
// protocol trace formats its lines on the thread that runs the transaction).
const char* messageText(int code);

// The text of a code in a language (2 English, every other German), with the extra line below
// it (cut to 299 characters) where the code takes one.
std::string messageText(int code, int language, std::string_view extraLine);

// The language of the messages and the extra line waiting for the next one. Every thread has
// a pending line of its own: a line set for a failure on one thread (the window's, the
// server's worker) is never taken by a message built on another.
class Messages {
  public:
    void setLanguage(int language) { language_ = language; }
    int language() const { return language_; }

    // One extra line for the calling thread's next message; longer text is cut at 299
    // characters.
    void setExtraLine(std::string_view text);
    // Adds a line below the calling thread's pending line (or makes it the pending line).
    void appendExtraLine(std::string_view text);

    // The text of a code with the calling thread's pending line, which is used up by it.
    std::string take(int code);
    // The text of a code alone: the pending line stays.
    std::string text(int code) const { return messageText(code, language_, {}); }

  private:
    std::string takeLine();

    // Atomic: the server's worker formats texts while the window's thread may switch.
    std::atomic<int> language_{kLanguageGerman};
    std::mutex mutex_;
    std::map<std::thread::id, std::string> pending_;  // no entry: no line pending
};

// The messages in use: the installed ones, or a default set that a program which installs
// none works with.
Messages& messages();
// Installs messages for the whole process (nullptr: back to the default). Installed at
// start-up, before a thread of ours runs; the object must outlive its installation.
void setMessages(Messages* installed);

}  // namespace vrl

// The text for a code in the selected language, with the calling thread's pending extra line.
std::string VRL_Fehlermeldung(int code);

// 2 selects English, every other value German.
void VRL_Fehlersprache(int language);

// One extra line for the next message text (at most 299 characters; longer text is cut).
void VRL_Fehleruserstring(std::string_view text);

// Adds a line below the pending extra line (or makes it the extra line when none is pending),
// within the same limit.
void VRL_FehleruserstringAnfuegen(std::string_view text);

// Shows the text in a popup titled "Fehler #<n>"; silent for cancelled actions.
void VRL_Fehlerpopup(int code);

// Like VRL_Fehlerpopup, titled with the caller's text (at most 87 characters) and " #<n>".
void VRL_Fehlerpopup2(int code, std::string_view title);
