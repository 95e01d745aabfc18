// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
// Well-formed UTF-8 and the reading of other bytes.
#include <gtest/gtest.h>

#include "system/utf8_text.h"

TEST(Utf8TextTest, OnlyWellFormedSequencesCount)
{
    EXPECT_EQ(Utf8SequenceLength("a", 0), 1u);
    EXPECT_EQ(Utf8SequenceLength("\xC3\xA9", 0), 2u);
    EXPECT_EQ(Utf8SequenceLength("\xE5\xA4\xA7", 0), 3u);
    char32_t cp = 0;
    EXPECT_EQ(Utf8SequenceLength("\xF0\x9F\x98\x80", 0, &cp), 4u);
    EXPECT_EQ(cp, U'\U0001F600');
    for (const char* bad :
         {"\xC0\xAF", "\xE0\x80\xAF", "\xED\xA0\x80", "\xF4\x90\x80\x80", "\xC3", "\x80", "\xFF", "\xE5\xA4"})
        EXPECT_EQ(Utf8SequenceLength(bad, 0), 0u) << bad;
}

TEST(Utf8TextTest, StrayBytesReadAsLatin1AndGoodOnesStay)
{
    EXPECT_EQ(Utf8FromWireText("Caf\xE9"), "Caf\xC3\xA9");
    EXPECT_EQ(Utf8FromWireText("\xE5\xA4\xA7\xE9\x96\x80"), "\xE5\xA4\xA7\xE9\x96\x80");
    EXPECT_EQ(Utf8FromWireText(std::string("a\0b", 3)), std::string("a\0b", 3));
    EXPECT_EQ(Utf8FromWireText("\xC3"), "\xC3\x83");
    EXPECT_EQ(Utf8FromWireText(""), "");
}
