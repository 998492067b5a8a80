#pragma once
// A whole file as an ordered list of lines. Loaded lines are views into one block
// owned by the list (no allocation per line); added or replaced lines are owned copies.
//
// Splitting: a line ends at CR, CR LF, or a lone LF (an LF right after a CR belongs
// to that CR's break). A break at the very end adds no empty line. A NUL at the
// start of a line ends the text; a NUL inside a line ends that line's text.
// Joining: every line followed by CR LF.

#include <cstddef>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

class LineList {
public:
    int count() const { return static_cast<int>(lines_.size()); }
    // The line; an index outside 0..count-1 yields empty text.
    std::string_view item(int index) const;
    int add(std::string_view text);
    void setItem(int index, std::string_view text);
    void remove(int index);
    void clear();
    std::string text() const;
    void setText(std::string_view text);
    // Takes the bytes as the list's block without copying them.
    void setText(std::string&& text);
    // One read; on failure the list keeps its content and false is returned.
    bool loadFromFile(std::string_view path);
    // One write of text() over the file, which is cut after it.
    bool saveToFile(std::string_view path) const;

private:
    std::string block_;
    std::deque<std::string> owned_;
    std::vector<std::string_view> lines_;
};
