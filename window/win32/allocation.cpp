// Kestrava.exe's global allocation functions. The program's own buffers (the
// wide forms of texts that cross into Win32) come from the C heap, like the
// texts themselves; when there is no memory the program reports it as it
// does for a text and ends, instead of throwing std::bad_alloc, which nothing
// would catch. It also keeps the runtime's exception machinery, and the
// threads library that it needs, out of the program.
#include <cstddef>
#include <cstdlib>
#include <new>

#include "text/text_storage.h"

namespace {

void* allocate(std::size_t size) {
    void* bytes = std::malloc(size != 0 ? size : 1);
    if (bytes == nullptr) kestrava::report_text_out_of_memory(size);
    return bytes;
}

}  // namespace

void* operator new(std::size_t size) { return allocate(size); }
void* operator new[](std::size_t size) { return allocate(size); }
void operator delete(void* bytes) noexcept { std::free(bytes); }
void operator delete[](void* bytes) noexcept { std::free(bytes); }
void operator delete(void* bytes, std::size_t) noexcept { std::free(bytes); }
void operator delete[](void* bytes, std::size_t) noexcept { std::free(bytes); }
