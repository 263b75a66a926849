// Tests of the printer glyphs: the 1252 vector's bytes and the glyph names beyond it.
#include "print/printer_glyphs.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

TEST(PrinterGlyph, CharactersOfTheVectorAreItsBytes) {
    struct Case {
        char32_t code;
        int byte;
    };
    const Case cases[] = {
        {U'A', 'A'},
        {U'\t', '\t'},
        {0x7F, 0x7F},
        {0xA0, 0xA0},
        {0xE9, 0xE9},
        {0xFF, 0xFF},
        {0x20AC, 0x80},
        {0x201A, 0x82},
        {0x201C, 0x93},
        {0x201D, 0x94},
        {0x0160, 0x8A},
        {0x017D, 0x8E},
        {0x2122, 0x99},
        {0x0178, 0x9F},
        {0x02DC, 0x98},
        // The control characters U+0080 to U+009F show as blanks, as the vector's holes do.
        {0x0080, 0x81},
        {0x0090, 0x81},
        {0x009F, 0x81},
    };
    for (const Case& c : cases) {
        PrinterGlyph glyph;
        ASSERT_TRUE(FindPrinterGlyph(c.code, &glyph)) << std::hex << c.code;
        EXPECT_EQ(glyph.byte, c.byte) << std::hex << c.code;
        EXPECT_EQ(glyph.name, nullptr);
    }
}

TEST(PrinterGlyph, OthersGoByTheNamesThePrinterFontsUse) {
    struct Case {
        char32_t code;
        const char* name;
    };
    const Case cases[] = {
        {0x03A9, "uni03A9"},   {0x2126, "uni2126"},   {0x0394, "uni0394"},   {0x0416, "afii10024"},
        {0x0443, "afii10085"}, {0x043A, "afii10076"}, {0x0410, "afii10017"}, {0x0131, "dotlessi"},
        {0x2500, "SF100000"},  {0x2206, "Delta"},     {0x0141, "Lslash"},    {0x2264, "lessequal"},
    };
    for (const Case& c : cases) {
        PrinterGlyph glyph;
        ASSERT_TRUE(FindPrinterGlyph(c.code, &glyph)) << std::hex << c.code;
        EXPECT_EQ(glyph.byte, -1);
        ASSERT_NE(glyph.name, nullptr);
        EXPECT_STREQ(glyph.name, c.name) << std::hex << c.code;
    }
}

TEST(PrinterGlyph, WhatThePrinterFontsLackIsFoundLacking) {
    const char32_t lacking[] = {
        0x65E5,   // CJK
        0xFF21,   // fullwidth A
        0xFFFD,   // the replacement character
        0x0301,   // a combining mark
        0xE000,   // private use, whatever a font keeps there
        0x1F600,  // beyond the basic plane
        0x10FFFF,
        0x0590,  // Hebrew: no glyph
    };
    for (char32_t code : lacking) {
        PrinterGlyph glyph;
        EXPECT_FALSE(FindPrinterGlyph(code, &glyph)) << std::hex << code;
        EXPECT_EQ(glyph.byte, -1);
        EXPECT_EQ(glyph.name, nullptr);
    }
}

TEST(PrinterGlyph, NamesHoldOnlyWhatAPostScriptNameMay) {
    int named = 0;
    for (char32_t code = 0xA0; code < 0x10000; ++code) {
        PrinterGlyph glyph;
        if (!FindPrinterGlyph(code, &glyph) || glyph.name == nullptr) {
            continue;
        }
        ++named;
        std::size_t length = std::strlen(glyph.name);
        ASSERT_GT(length, 0u);
        ASSERT_LT(length, 32u);
        for (const char* p = glyph.name; *p != '\0'; ++p) {
            ASSERT_TRUE(std::strchr("()<>[]{}/% ", *p) == nullptr && *p > 32 && *p < 127)
                << glyph.name;
        }
    }
    // Greek, Cyrillic, Latin Extended, box drawing and a few symbols.
    EXPECT_GT(named, 500);
}

TEST(PrinterGlyph, OnlyInvisibleCharactersOfNoWidthDrawNothing) {
    for (char32_t code : {0x200B, 0x200D, 0x200E, 0x202E, 0x2060, 0xFEFF}) {
        EXPECT_TRUE(DrawsNothing(static_cast<char32_t>(code))) << std::hex << code;
    }
    for (char32_t code : {0x0301, 0x20DD, 0x200A, 0x2065, 0xFEFE, 0x00AD}) {
        EXPECT_FALSE(DrawsNothing(static_cast<char32_t>(code))) << std::hex << code;
    }
}
