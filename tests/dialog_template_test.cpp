// DialogTemplate: a template's font face replaced, its header and controls kept byte for byte.
#include "ui/dialog_template.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kSetFont = 0x40;
constexpr std::uint32_t kPopup = 0x80000000;

void Word(Bytes& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}

void Dword(Bytes& out, std::uint32_t value) {
    Word(out, value & 0xFFFF);
    Word(out, value >> 16);
}

void Text(Bytes& out, const std::u16string& text) {
    for (char16_t unit : text) {
        Word(out, unit);
    }
    Word(out, 0);
}

void Align(Bytes& out) {
    while (out.size() % 4 != 0) {
        out.push_back(0);
    }
}

// One push button "OK" with id 1.
Bytes Item(bool extended) {
    Bytes item;
    if (extended) {
        Dword(item, 0);  // help id
        Dword(item, 0);  // extended style
        Dword(item, 0x50010000);
    } else {
        Dword(item, 0x50010000);
        Dword(item, 0);
    }
    for (int v : {7, 70, 44, 12}) {
        Word(item, static_cast<std::uint32_t>(v));
    }
    if (extended) {
        Dword(item, 1);
    } else {
        Word(item, 1);
    }
    Word(item, 0xFFFF);
    Word(item, 0x0080);  // the button class
    Text(item, u"OK");
    Word(item, 0);  // no creation data
    return item;
}

struct Template {
    Bytes bytes;
    std::size_t faceStart = 0;
    Bytes items;
};

// A template with `title`, menu and class fields as given, the face `face` and two buttons.
Template Make(bool extended, std::uint32_t style, const std::u16string& title, const Bytes& menu,
              const Bytes& windowClass, const std::u16string& face) {
    Template t;
    Bytes& out = t.bytes;
    if (extended) {
        Word(out, 1);
        Word(out, 0xFFFF);
        Dword(out, 0);  // help id
        Dword(out, 0);  // extended style
        Dword(out, style);
    } else {
        Dword(out, style);
        Dword(out, 0);
    }
    Word(out, 2);
    for (int v : {15, 32, 220, 90}) {
        Word(out, static_cast<std::uint32_t>(v));
    }
    out.insert(out.end(), menu.begin(), menu.end());
    out.insert(out.end(), windowClass.begin(), windowClass.end());
    Text(out, title);
    if ((style & kSetFont) != 0) {
        Word(out, 10);
        if (extended) {
            Word(out, 700);
            out.push_back(0);  // italic
            out.push_back(1);  // character set
        }
        t.faceStart = out.size();
        Text(out, face);
    }
    Align(out);
    const std::size_t itemsStart = out.size();
    for (int i = 0; i < 2; ++i) {
        Bytes item = Item(extended);
        out.insert(out.end(), item.begin(), item.end());
        Align(out);
    }
    t.items.assign(out.begin() + static_cast<long>(itemsStart), out.end());
    return t;
}

Bytes NoName() {
    Bytes none;
    Word(none, 0);
    return none;
}

Bytes Ordinal(std::uint32_t value) {
    Bytes ordinal;
    Word(ordinal, 0xFFFF);
    Word(ordinal, value);
    return ordinal;
}

Bytes Named(const std::u16string& name) {
    Bytes named;
    Text(named, name);
    return named;
}

}  // namespace

TEST(DialogTemplateFace, ReplacedWithTheHeaderAndControlsKept) {
    struct Case {
        const char* what;
        bool extended;
        std::u16string title;
        Bytes menu;
        Bytes windowClass;
        std::u16string face;
    };
    const Case cases[] = {
        {"the setup dialog's kind", false, u"Quillmar Setup", NoName(), NoName(), u"MS Sans Serif"},
        {"an empty title, the face System", false, u"", NoName(), NoName(), u"System"},
        {"a menu by number and a class by name", false, u"T", Ordinal(7), Named(u"CLS"), u"A"},
        {"a menu by name, a class by number", false, u"Ti", Named(u"M"), Ordinal(32770), u"AB"},
        {"an extended template", true, u"Quillmar", NoName(), NoName(), u"MS Sans Serif"},
        {"an extended template with names", true, u"", Named(u"MENU"), Named(u"C"), u"X"},
    };
    const std::u16string face = u"Microsoft Sans Serif";
    for (const Case& c : cases) {
        const Template original =
            Make(c.extended, kPopup | kSetFont, c.title, c.menu, c.windowClass, c.face);
        const Bytes copy =
            WithDialogFace(original.bytes.data(), original.bytes.size(), face.c_str());
        const Template expected =
            Make(c.extended, kPopup | kSetFont, c.title, c.menu, c.windowClass, face);
        EXPECT_EQ(copy, expected.bytes) << c.what;
        ASSERT_GE(copy.size(), expected.items.size()) << c.what;
        EXPECT_EQ(Bytes(copy.end() - static_cast<long>(original.items.size()), copy.end()),
                  original.items)
            << c.what << ": the controls unchanged";
        EXPECT_EQ((copy.size() - original.items.size()) % 4, 0u) << c.what << ": aligned";
    }
}

TEST(DialogTemplateFace, NothingWithoutAFontOrFromABrokenTemplate) {
    const Template plain = Make(false, kPopup, u"T", NoName(), NoName(), u"");
    EXPECT_TRUE(WithDialogFace(plain.bytes.data(), plain.bytes.size(), u"F").empty())
        << "no DS_SETFONT: the system's font, nothing to replace";
    const Template extendedPlain = Make(true, kPopup, u"T", NoName(), NoName(), u"");
    EXPECT_TRUE(
        WithDialogFace(extendedPlain.bytes.data(), extendedPlain.bytes.size(), u"F").empty());

    const Template full = Make(false, kPopup | kSetFont, u"Title", NoName(), NoName(), u"Face");
    // Cut anywhere up to the end of the face: never read beyond the bytes given.
    for (std::size_t size = 0; size < full.faceStart + 10; ++size) {
        Bytes cut(full.bytes.begin(), full.bytes.begin() + static_cast<long>(size));
        EXPECT_TRUE(WithDialogFace(cut.data(), cut.size(), u"F").empty()) << size;
    }
    // An unterminated title running to the end.
    Bytes unterminated = full.bytes;
    for (std::size_t i = 22; i < unterminated.size(); ++i) {
        unterminated[i] = 0x41;
    }
    EXPECT_TRUE(WithDialogFace(unterminated.data(), unterminated.size(), u"F").empty());
    EXPECT_TRUE(WithDialogFace(nullptr, 100, u"F").empty());
    EXPECT_TRUE(WithDialogFace(full.bytes.data(), full.bytes.size(), nullptr).empty());
}
