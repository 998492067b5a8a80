// The caption rule the layer draws and presses by and the UI driver reads by.

#include "text/cp1251.h"
#include "ui/mnemonic.h"

#include <gtest/gtest.h>

#include <string_view>

namespace {

struct MnemonicCase {
    std::string_view caption;
    std::string_view shown;
    unsigned char letter;
};

TEST(Mnemonic, CaptionsShowWithoutTheirMarksAndTellTheMarkedLetter) {
    const MnemonicCase cases[] = {
        {"", "", 0},
        {"Save", "Save", 0},
        {"&Save", "Save", 'S'},
        {"Sa&ve", "Save", 'v'},
        {"Fish && Chips", "Fish & Chips", 0},    // "&&" marks nothing
        {"Fish && &Chips", "Fish & Chips", 'C'}, // the letter after a doubled "&"
        {"&&&x", "&x", 'x'},                     // a doubled "&", then a mark
        {"&A&B", "AB", 'A'},                     // the first mark counts
        {"Save&", "Save&", 0},                   // a lone "&" at the end is drawn
        {"&", "&", 0},
        {"&&", "&", 0},
        {"a&&&", "a&&", 0},
        {u8"&Сохранить"_cp1251, u8"Сохранить"_cp1251, 0xD1}, // the layer's Windows-1251
        {"&Сохранить", "Сохранить", 0xD0},                   // the driver's UTF-8: a lead byte
    };
    for (const MnemonicCase& c : cases) {
        EXPECT_EQ(withoutMnemonics(c.caption), c.shown) << c.caption;
        EXPECT_EQ(mnemonicLetter(c.caption), c.letter) << c.caption;
    }
}

} // namespace
