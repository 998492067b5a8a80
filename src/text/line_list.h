#pragma once
// A whole file as an ordered list of lines: views into one block owned by the
// list (no allocation per line).
//
// Splitting: a line ends at CR, CR LF, or a lone LF (an LF right after a CR belongs
// to that CR's break; a CR after an LF starts a break of its own). A break at the
// very end adds no empty line. A NUL at the start of a line ends the text; a NUL
// inside a line ends that line's text; where the first NUL stood is remembered
// (shape()), so that no reader mistakes the lines for the whole text. Joining:
// every line followed by CR LF.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class LineList {
  public:
    LineList() = default;
    LineList(LineList&& other) noexcept;
    LineList& operator=(LineList&& other) noexcept;
    LineList(const LineList&) = delete;
    LineList& operator=(const LineList&) = delete;

    int count() const { return static_cast<int>(lines_.size()); }
    // The line; an index outside 0..count-1 yields empty text.
    std::string_view item(int index) const;
    void clear();
    std::string text() const;
    // Replaces the content by the lines of the text (which may be a view into this list).
    void setText(std::string_view text);
    // Takes the bytes as the list's block without copying them.
    void setText(std::string&& text);
    void setText(const char* text) { setText(std::string_view(text)); }
    // One read; on failure (missing file, a folder, a short read) the list keeps
    // its content and false is returned.
    bool loadFromFile(std::string_view path);

    // What the last setText or loadFromFile saw besides the lines (cleared by
    // clear): for a writer that gives a file back as it was, and for a reader
    // that must not take a text cut at a NUL for the whole file.
    struct Shape {
        bool lfOnly = false;     // there were line breaks, and every one was a lone LF
        bool finalBreak = false; // the text ended with a line break
        int64_t nulOffset = -1;  // the byte offset of the first NUL; -1 when none
        int nulLine = 0;         // the line (from 0) that NUL stands on
    };
    const Shape& shape() const { return shape_; }

  private:
    // A heap object, so that moving the list never moves the bytes the views see.
    std::unique_ptr<std::string> block_;
    std::vector<std::string_view> lines_;
    Shape shape_;
};
