#pragma once
// A control's id: a name for the field it edits or the role it plays
// ("ship.hullStrength", "saveButton"), and the number its window carries as its
// child-window id (GetDlgCtrlID). The number is made from the name by one fixed
// rule, so that a tool outside the program (the UI driver) that knows the name
// finds the window without a list of every id: FNV-1a over the name's bytes,
// folded into 0x100..0xFEFF, clear of the dialog answers' ids and of 0xFFFF.
// Two names of one window must not give the same number (the editor's tests check).

#include <cstdint>
#include <string_view>

constexpr int controlIdNumber(std::string_view name) {
    if (name.empty()) return 0; // no id
    uint32_t hash = 0x811C9DC5u;
    for (char ch : name)
        hash = (hash ^ static_cast<unsigned char>(ch)) * 0x01000193u;
    return 0x100 + static_cast<int>((hash ^ (hash >> 16)) % 0xFE00u);
}
