#pragma once
// A caption's mnemonic: "&" marks the letter after it as the one Alt presses
// and is not drawn; "&&" is one drawn "&"; a lone "&" at the end is drawn as it
// is. The window layer draws captions and presses buttons by this rule, and the
// UI driver reads captions by it. Bytes only: '&' is the same in Windows-1251
// and UTF-8, so the rule holds for either.

#include <string>
#include <string_view>

// The caption as drawn, without its marking "&"s ("Fish && &Chips" -> "Fish & Chips").
std::string withoutMnemonics(std::string_view caption);

// The byte the first marking "&" of a caption marks ("&Save" -> 'S'), or 0
// when no "&" marks one ("", "Fish && Chips", "Save&").
unsigned char mnemonicLetter(std::string_view caption);
