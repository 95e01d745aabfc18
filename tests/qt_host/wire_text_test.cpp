// SPDX-License-Identifier: MIT
// SPDX-FileCopyrightText: The Varnex developers
#include <gtest/gtest.h>

#include "qt_host/wire_text.h"

namespace {

QString Chars(std::initializer_list<char16_t> units)
{
    QString s;
    for (char16_t u : units)
        s.append(QChar(u));
    return s;
}

} // namespace

TEST(WireText, ValidUtf8ShowsAsItIsAndComesBackUnchanged)
{
    const std::string bytes = "Ger\xc3\xa4t \xe8\xa8\xad\xe5\x82\x99 \xf0\x9f\x98\x80"; // Gerät 設備 😀
    const QString text = TextFromBytes(bytes);
    EXPECT_EQ(text, QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size())));
    EXPECT_EQ(BytesFromText(text), bytes);
    const std::string withNul("a\0b", 3);
    EXPECT_EQ(TextFromBytes(withNul).size(), 3);
    EXPECT_EQ(BytesFromText(TextFromBytes(withNul)), withNul);
}

TEST(WireText, EveryInvalidByteShowsAsItsLatin1Character)
{
    EXPECT_EQ(TextFromBytes("\xff\xfe"), Chars({0xFF, 0xFE}));
    // Truncated sequence at the end, overlong form, surrogate, past U+10FFFF.
    EXPECT_EQ(TextFromBytes("\xe8\xa8"), Chars({0xE8, 0xA8}));
    EXPECT_EQ(TextFromBytes("\xc0\xaf"), Chars({0xC0, 0xAF}));
    EXPECT_EQ(TextFromBytes("\xed\xa0\x80"), Chars({0xED, 0xA0, 0x80}));
    EXPECT_EQ(TextFromBytes("\xf4\x90\x80\x80"), Chars({0xF4, 0x90, 0x80, 0x80}));
    // Shown bytes keep their value: the text's UTF-8 names each byte.
    EXPECT_EQ(BytesFromText(TextFromBytes("\xff")), "\xc3\xbf");
}

TEST(WireText, MixedTextKeepsValidPartsAndEveryStrayByte)
{
    // "A", a valid é, a stray 0xE9 (Latin-1 é), a valid 'B', a lead byte cut off by 'C'.
    EXPECT_EQ(TextFromBytes("A\xc3\xa9\xe9"
                            "B\xe2"
                            "C"),
              Chars({'A', 0xE9, 0xE9, 'B', 0xE2, 'C'}));
    const QString text = TextFromBytes("\x80\xf0\x9f\x98\x80\x80");
    ASSERT_EQ(text.size(), 4);
    EXPECT_EQ(text.at(0), QChar(0x80));
    EXPECT_EQ(text.mid(1, 2), QString::fromUtf8("\xf0\x9f\x98\x80"));
    EXPECT_EQ(text.at(3), QChar(0x80));
}
