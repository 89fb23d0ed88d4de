#pragma once

// Error codes: 0 is success, a failure is -(1000 * message number + origin number). The
// message number picks the text, the origin number tells where the failure arose.

#include <string_view>

namespace vrl {

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

// The German catalogue text of a code alone: no pending extra line is taken, no buffer is
// shared, so it serves any thread (the protocol trace formats its lines on the thread that runs
// the transaction).
const char* messageText(int code);

}  // namespace vrl

// The text for a code in the selected language. The returned buffer is overwritten by the
// next call.
const char* VRL_Fehlermeldung(int code);

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
