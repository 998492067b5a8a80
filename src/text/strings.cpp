#include "text/strings.h"

std::string lowerLatin(std::string_view text) {
    std::string out(text);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

std::string trimBlanks(std::string_view text) {
    auto blank = [](char c) { return static_cast<unsigned char>(c) <= 32; };
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && blank(text[begin]))
        ++begin;
    while (end > begin && blank(text[end - 1]))
        --end;
    return std::string(text.substr(begin, end - begin));
}

std::string changeExtension(std::string_view path, std::string_view extension) {
    const size_t point = path.rfind('.');
    std::string out(point == std::string_view::npos ? path : path.substr(0, point));
    out += extension;
    return out;
}
