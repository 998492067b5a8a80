#include <gtest/gtest.h>

#include "json.h"
#include "utf.h"
#include "window_tree.h"

namespace uidriver {
namespace {

TEST(Utf, MalformedInputBecomesReplacementCharacters) {
    EXPECT_EQ(utf8ToUtf16("a\xFF" "b"), u"a\uFFFDb");
    EXPECT_EQ(utf8ToUtf16("\xD0"), u"\uFFFD");               // cut-off sequence
    EXPECT_EQ(utf8ToUtf16("\xC0\xAF"), u"\uFFFD\uFFFD");     // overlong '/'
    EXPECT_EQ(utf8ToUtf16("\xED\xA0\x80"), u"\uFFFD\uFFFD\uFFFD"); // encoded surrogate
    EXPECT_EQ(utf16ToUtf8(std::u16string(1, char16_t(0xD800))), "\xEF\xBF\xBD");
}

TEST(Json, StringsEscapeOnlyWhatJsonNeeds) {
    EXPECT_EQ(jsonString("Сохранить"), "\"Сохранить\"");
    EXPECT_EQ(jsonString("a\"b\\c\n\b\x01"), "\"a\\\"b\\\\c\\n\\b\\u0001\"");
}

TEST(WindowKinds, ComeFromBaseClassAndButtonStyle) {
    WindowNode n;
    auto kind = [&](const char* cls, std::uint32_t style) {
        n.className = cls;
        n.style = style;
        return std::string(kindOf(n));
    };
    EXPECT_EQ(kind("obj_Edit", 0x50012080), "Edit");
    EXPECT_EQ(kind("obj_ComboBox", 0x50210003), "ComboBox");
    EXPECT_EQ(kind("obj_SysTabControl32", 0), "Tab");
    EXPECT_EQ(kind("STATIC", 0), "Static");
    EXPECT_EQ(kind("Button", 0x50010007), "GroupBox");
    EXPECT_EQ(kind("obj_Button", 0x50010003), "CheckBox");
    EXPECT_EQ(kind("Button", 0x50010009), "RadioButton");
    EXPECT_EQ(kind("Button", 0x50010001), "Button");
    EXPECT_EQ(kind("#32770", 0), "Dialog");
    EXPECT_EQ(kind("OrvexMain", 0), "Window");
    EXPECT_EQ(baseClassName("obj_"), "obj_");
}

TEST(WindowText, MnemonicsAreDroppedAsShown) {
    EXPECT_EQ(withoutMnemonics("&Да"), "Да");
    EXPECT_EQ(withoutMnemonics("Save && close"), "Save & close");
    EXPECT_EQ(withoutMnemonics("End&"), "End&");
}

} // namespace
} // namespace uidriver
