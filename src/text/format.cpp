#include "text/format.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

namespace {

constexpr size_t kOutputLimit = 1024;

// How one placeholder is shown: its flags, width and precision.
struct Shape {
    bool left = false;      // '-'
    bool zeroPad = false;   // '0'
    bool alternate = false; // '#': 0x before hexadecimal digits
    size_t width = 0;
    int precision = -1; // -1: none given
};

// A text argument is read as the platform formatter reads a character address:
// up to its first NUL.
std::string_view untilNul(std::string_view text) {
    const size_t nul = text.find('\0');
    return nul == std::string_view::npos ? text : text.substr(0, nul);
}

std::string digitsOf(uint64_t value, uint32_t base, bool upper) {
    const char* symbols = upper ? "0123456789ABCDEF" : "0123456789abcdef";
    char buffer[32];
    size_t n = 0;
    do {
        buffer[n++] = symbols[value % base];
        value /= base;
    } while (value != 0);
    std::string out;
    while (n > 0)
        out += buffer[--n];
    return out;
}

uint64_t magnitude(int64_t n) {
    return n < 0 ? 0u - static_cast<uint64_t>(n) : static_cast<uint64_t>(n);
}

// prefix (sign or 0x) and digits, widened by precision and width.
void appendNumber(std::string& out, std::string_view prefix, std::string_view digits,
                  const Shape& shape) {
    size_t zeros = 0;
    if (shape.precision >= 0 && digits.size() < static_cast<size_t>(shape.precision))
        zeros = static_cast<size_t>(shape.precision) - digits.size();
    const size_t length = prefix.size() + zeros + digits.size();
    const size_t fill = length < shape.width ? shape.width - length : 0;
    if (shape.zeroPad && !shape.left && shape.precision < 0)
        zeros += fill;
    else if (!shape.left)
        out.append(fill, ' ');
    out += prefix;
    out.append(zeros, '0');
    out += digits;
    if (shape.left) out.append(fill, ' ');
}

void appendText(std::string& out, std::string_view text, const Shape& shape) {
    if (shape.precision >= 0 && text.size() > static_cast<size_t>(shape.precision))
        text = text.substr(0, static_cast<size_t>(shape.precision));
    const size_t fill = text.size() < shape.width ? shape.width - text.size() : 0;
    if (!shape.left) out.append(fill, ' ');
    out += text;
    if (shape.left) out.append(fill, ' ');
}

// A number placeholder given a text argument shows 0.
int64_t numberOf(const FormatArg* arg) {
    return arg != nullptr && arg->kind == FormatArg::Kind::Int ? arg->number : 0;
}

// Reads a conversion's flags, width and precision from format[i]; i is left
// on its type letter (or at the end).
Shape readShape(std::string_view format, size_t& i) {
    Shape shape;
    for (; i < format.size(); ++i) {
        const char flag = format[i];
        if (flag == '-')
            shape.left = true;
        else if (flag == '0')
            shape.zeroPad = true;
        else if (flag == '#')
            shape.alternate = true;
        else
            break;
    }
    for (; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
        shape.width = std::min<size_t>(shape.width * 10 + static_cast<size_t>(format[i] - '0'), kOutputLimit);
    if (i < format.size() && format[i] == '.') {
        shape.precision = 0;
        for (++i; i < format.size() && format[i] >= '0' && format[i] <= '9'; ++i)
            shape.precision = std::min(shape.precision * 10 + (format[i] - '0'), static_cast<int>(kOutputLimit));
    }
    if (i < format.size() && (format[i] == 'h' || format[i] == 'l')) ++i; // sizes are ignored
    return shape;
}

// Appends one conversion of `type` with its argument `arg` (null when the
// arguments ran out). False when the output ends here, at a NUL it writes.
bool appendConversion(std::string& out, char type, const Shape& shape, const FormatArg* arg) {
    switch (type) {
    case 'd':
    case 'i': {
        const int64_t n = numberOf(arg);
        appendNumber(out, n < 0 ? "-" : "", digitsOf(magnitude(n), 10, false), shape);
        return true;
    }
    case 'u': appendNumber(out, "", digitsOf(static_cast<uint32_t>(numberOf(arg)), 10, false), shape); return true;
    case 'x':
    case 'X': {
        const uint32_t n = static_cast<uint32_t>(numberOf(arg));
        std::string_view prefix;
        if (shape.alternate && n != 0) prefix = type == 'x' ? "0x" : "0X";
        appendNumber(out, prefix, digitsOf(n, 16, type == 'X'), shape);
        return true;
    }
    case 'c':
    case 'C': {
        char c = '\0';
        if (arg != nullptr && arg->kind == FormatArg::Kind::Int)
            c = static_cast<char>(arg->number);
        else if (arg != nullptr && !arg->text.empty())
            c = arg->text[0];
        if (c == '\0') return false;
        appendText(out, std::string_view(&c, 1), shape);
        return true;
    }
    case 's':
    case 'S':
        if (arg != nullptr && arg->kind == FormatArg::Kind::Int) { // its decimal form
            std::string digits = arg->number < 0 ? std::string("-") : std::string();
            digits += digitsOf(magnitude(arg->number), 10, false);
            appendText(out, digits, shape);
        } else {
            appendText(out, arg != nullptr ? untilNul(arg->text) : std::string_view(), shape);
        }
        return true;
    default: // "%%" and unknown types show the character itself
        out += type;
        return true;
    }
}

// True for the types that take an argument.
bool takesArgument(char type) { return std::string_view("diuxXcCsS").find(type) != std::string_view::npos; }

} // namespace

std::string formatText(std::string_view format, std::initializer_list<FormatArg> args) {
    std::string out;
    const FormatArg* next = args.begin();
    size_t i = 0;
    while (i < format.size() && format[i] != '\0' && out.size() < kOutputLimit) {
        if (format[i] != '%') {
            out += format[i++];
            continue;
        }
        ++i;
        const Shape shape = readShape(format, i);
        if (i >= format.size() || format[i] == '\0') break; // a lone % at the end shows nothing
        const char type = format[i++];
        const FormatArg* arg = nullptr;
        if (takesArgument(type) && next != args.end()) arg = next++;
        if (!appendConversion(out, type, shape, arg)) break;
    }
    if (out.size() > kOutputLimit) out.resize(kOutputLimit);
    return out;
}
