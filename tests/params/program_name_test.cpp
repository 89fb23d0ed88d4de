#include <gtest/gtest.h>

#include <string>

#include "params/program_name.h"

namespace {

using vrl::params::storableName;

TEST(StorableName, SpellsGermanLettersAndBlanksWhatTheLineCannotCarry) {
    struct Row {
        const char* typed;  // UTF-8
        std::string stored;
    };
    const Row rows[] = {
        {"Prüfling Übermaß", "Pruefling Uebermass"},
        {"äöüÄÖÜß", "aeoeueAeOeUess"},
        {"Dauer\tlauf", "Dauer lauf"},
        {"x\r#1DF1", "x #1DF1"},
        {"\x7F~ !", " ~ !"},
        {"é€😀|", "   |"},  // one blank per character, whatever its length
        {"a\x80\xFF"
         "b",
         "a  b"},  // bytes that start no character
        {"\xC3"
         "b\xE2\x82",
         " b "},  // characters broken off
        {"", ""},
        // 25 characters at most; a spelling that does not fit whole ends the name there.
        {"abcdefghijklmnopqrstuvwxyz", "abcdefghijklmnopqrstuvwxy"},
        {"23456789012345678901234ü", "23456789012345678901234ue"},
        {"234567890123456789012345üx", "234567890123456789012345"},
    };
    for (const Row& row : rows) EXPECT_EQ(storableName(row.typed), row.stored) << row.typed;
}

}  // namespace
