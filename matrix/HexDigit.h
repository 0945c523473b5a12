#pragma once

// The value of one hexadecimal digit, written once for the model and the
// readers of text.
namespace HexDigit {

// 0..15 for 0-9, a-f and A-F; -1 for anything else.
constexpr int anyCase(char16_t c)
{
    if (c >= u'0' && c <= u'9')
        return c - u'0';
    if (c >= u'a' && c <= u'f')
        return c - u'a' + 10;
    if (c >= u'A' && c <= u'F')
        return c - u'A' + 10;
    return -1;
}

// A typed column takes lowercase digits only, as its box always has: "A"
// sets nothing there.
constexpr int lowercaseOnly(char16_t c)
{
    return c >= u'A' && c <= u'F' ? -1 : anyCase(c);
}

} // namespace HexDigit
