/* Prints the Windows clipboard's text as UTF-8, byte for byte: under Wine an
 * X program would be handed LF line ends, so CR LF can only be seen here. */
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <windows.h>

int main(void)
{
    if (!OpenClipboard(NULL))
        return 2;
    HANDLE data = GetClipboardData(CF_UNICODETEXT);
    const wchar_t *text = data ? GlobalLock(data) : NULL;
    if (!text) {
        CloseClipboard();
        return 3;
    }
    int size = WideCharToMultiByte(CP_UTF8, 0, text, -1, NULL, 0, NULL, NULL);
    char *utf8 = malloc(size);
    WideCharToMultiByte(CP_UTF8, 0, text, -1, utf8, size, NULL, NULL);
    GlobalUnlock(data);
    CloseClipboard();
    _setmode(_fileno(stdout), _O_BINARY);
    fwrite(utf8, 1, size - 1, stdout);
    free(utf8);
    return 0;
}
