/* Prints the Windows clipboard's text byte for byte: under Wine an X program
 * would be handed LF line ends, so CR LF can only be seen from here. */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <string.h>
#include <windows.h>

int main(void)
{
    if (!OpenClipboard(NULL))
        return 2;
    HANDLE data = GetClipboardData(CF_TEXT); /* made from the Unicode text */
    const char *text = data ? GlobalLock(data) : NULL;
    _setmode(_fileno(stdout), _O_BINARY);
    if (text)
        fwrite(text, 1, strlen(text), stdout);
    CloseClipboard();
    return text ? 0 : 3;
}
