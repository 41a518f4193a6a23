// Kestrava.exe's report of a text it could not get memory for: the program has
// no console, so the report is an error box naming the size, then the end.
// Replaces the text library's report at link time (text/text_storage.h).
#include <windows.h>

#include <cstdint>

#include "text/text_storage.h"

namespace kestrava {

void report_text_out_of_memory(std::size_t size) {
    // Built on the stack: there is no memory to ask for.
    wchar_t message[96] = L"内存不足，无法为文本分配 ";
    wchar_t* end = message + lstrlenW(message);
    wchar_t digits[24];
    int count = 0;
    do {
        digits[count++] = static_cast<wchar_t>(L'0' + size % 10);
        size /= 10;
    } while (size != 0);
    while (count > 0) *end++ = digits[--count];
    lstrcpyW(end, L" 字节，程序结束。");
    MessageBoxW(nullptr, message, L"Kestrava", MB_OK | MB_ICONERROR | MB_TASKMODAL);
    ExitProcess(1);
}

}  // namespace kestrava
