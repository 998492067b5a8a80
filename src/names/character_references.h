#pragma once
// A name page is XML: a name may hold entities and numeric character references,
// which the editor lists as the characters they stand for.

#include <string>
#include <string_view>

// The text (Windows-1251) with the five XML entities (&amp; &lt; &gt; &quot;
// &apos;) and the references &#N; and &#xH; replaced by their character's 1251
// byte, or by '?' when the code page lacks it. A reference that names no
// character a one-line name can hold (an unknown entity, no semicolon, no digits,
// code 0 to 31 or 127, a surrogate, beyond U+10FFFF) stays as written.
std::string decodeReferences(std::string_view text);
