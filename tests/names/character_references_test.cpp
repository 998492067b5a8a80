#include "names/character_references.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// The five entities and the numeric references read as the characters they name.
// What names no character a one-line name can hold stays as written, and the text
// after it is still read.
TEST(DecodeReferences, ReferencesBecomeTheirCharactersOrStayAsWritten) {
    const struct {
        std::string_view text;
        std::string_view expected; // Windows-1251
    } cases[] = {
        {"Tom &amp; Jerry &quot;Special&quot;", "Tom & Jerry \"Special\""},
        {"&lt;b&gt; &apos;x&apos;", "<b> 'x'"},
        {"&#65;&#x42;&#X43;&#x00044;", "ABCD"},
        {"&#1040;&#x0451;", "\xC0\xB8"},           // А ё
        {"a&#8212;b &#x2116;", "a\x97" "b \xB9"},  // — №
        {"&#x1F680;!", "?!"},                      // an emoji: one '?'
        {"&#19968;&#160;", "?\xA0"},               // a CJK sign, a no-break space
        {"&amp;amp;", "&amp;"},                    // decoded once only
        {"", ""},
        {"no references", "no references"},
        // Bad references.
        {"A & B", "A & B"},
        {"&amp", "&amp"},
        {"&nbsp; &AMP; &;", "&nbsp; &AMP; &;"},
        {"&#; &#x; &#-5; &#+5; &#5a; &#xG;", "&#; &#x; &#-5; &#+5; &#5a; &#xG;"},
        {"&#0; &#10; &#x1F; &#127;", "&#0; &#10; &#x1F; &#127;"},
        {"&#xD800; &#x110000; &#99999999999999999999;",
         "&#xD800; &#x110000; &#99999999999999999999;"},
        {"&#1114111;", "?"},                              // U+10FFFF, the last one
        {"& &amp; && &lt;", "& & && <"},
        {"&#x0000000000000000041;", "&#x0000000000000000041;"}, // too long to be a reference
        {"x&", "x&"},
    };
    for (const auto& c : cases) EXPECT_EQ(decodeReferences(c.text), c.expected) << c.text;
}

} // namespace
