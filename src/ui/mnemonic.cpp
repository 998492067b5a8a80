#include "ui/mnemonic.h"

std::string withoutMnemonics(std::string_view caption) {
    std::string shown;
    for (size_t i = 0; i < caption.size(); ++i) {
        if (caption[i] == '&' && i + 1 < caption.size()) ++i;
        shown += caption[i];
    }
    return shown;
}

unsigned char mnemonicLetter(std::string_view caption) {
    for (size_t i = 0; i + 1 < caption.size(); ++i) {
        if (caption[i] != '&') continue;
        if (caption[i + 1] != '&') return static_cast<unsigned char>(caption[i + 1]);
        ++i;
    }
    return 0;
}
