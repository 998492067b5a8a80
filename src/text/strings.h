#pragma once
#include <string>
#include <string_view>

// Adds 32 to the bytes A..Z only; Cyrillic capitals stay as they are.
std::string lowerLatin(std::string_view text);

// Drops characters with codes 0..32 from both ends.
std::string trimBlanks(std::string_view text);

// Replaces everything from the last point in the path (folders included) by the
// extension, which brings its own point; without a point the extension is appended.
std::string changeExtension(std::string_view path, std::string_view extension);
