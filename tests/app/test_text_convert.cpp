// Narrow and wide engine strings: the game window and the launcher widen bytes above 127
// differently, and both narrow to the low byte.
#include <gtest/gtest.h>
#include <string>
#include "TextConvert.h"

using irr::core::stringc;
using irr::core::stringw;

namespace {
// The engine compares strings only up to a zero byte; this sees every byte.
std::string asBytes(const stringc& s) { return std::string(s.c_str(), s.size()); }
}

TEST(TextConvert, BytesAbove127AndZeroBytes) {
    // A zero byte inside the text is kept as a character, not taken as the end.
    stringc bytes("A\xE9");
    bytes.append('\0');
    bytes.append('\xFF');
    ASSERT_EQ(bytes.size(), 4u);

    const stringw plain = widen(bytes);
    ASSERT_EQ(plain.size(), 4u);
    EXPECT_EQ(plain[0], L'A');
    EXPECT_EQ(plain[1], (wchar_t)0xE9);
    EXPECT_EQ(plain[2], (wchar_t)0);
    EXPECT_EQ(plain[3], (wchar_t)0xFF);

    const stringw withSign = widenSigned(bytes);
    ASSERT_EQ(withSign.size(), 4u);
    EXPECT_EQ(withSign[0], L'A');
    EXPECT_EQ(withSign[1], (wchar_t)(signed char)0xE9);
    EXPECT_EQ(withSign[2], (wchar_t)0);
    EXPECT_EQ(withSign[3], (wchar_t)-1);

    // Either way narrowing gives the same bytes back.
    EXPECT_EQ(asBytes(narrow(plain)), asBytes(bytes));
    EXPECT_EQ(asBytes(narrow(withSign)), asBytes(bytes));
}

TEST(TextConvert, NarrowKeepsTheLowByteOfWideCharacters) {
    const wchar_t wide[] = {L'x', (wchar_t)0x1E9, (wchar_t)0x2100, (wchar_t)0x7F};
    EXPECT_EQ(asBytes(narrow(stringw(wide, 4))), std::string("x\xE9\0\x7F", 4));
    EXPECT_EQ(narrow(stringw()).size(), 0u);
}
