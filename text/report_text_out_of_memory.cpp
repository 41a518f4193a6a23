// The library's report of a failed text allocation; replaceable at link time
// (text_storage.h).
#include "text/text_storage.h"

#include <cstdio>
#include <cstdlib>

namespace kestrava {

void report_text_out_of_memory(std::size_t size) {
    // The size is spelled by hand: no printf variant of any C runtime is involved.
    char digits[24];
    char* first = digits + sizeof digits;
    *--first = '\0';
    do {
        *--first = static_cast<char>('0' + size % 10);
        size /= 10;
    } while (size != 0);
    std::fputs("Kestrava: out of memory: could not obtain ", stderr);
    std::fputs(first, stderr);
    std::fputs(" bytes for a text\n", stderr);
    std::fflush(stderr);
    // Nothing else is safe to run with no memory left: no destructors, no atexit handlers.
    std::_Exit(EXIT_FAILURE);
}

}  // namespace kestrava
