// The library's allocator for text bytes; replaceable at link time (text_storage.h).
#include "text/text_storage.h"

#include <cstdlib>

namespace kestrava {

void* allocate_text_storage(std::size_t size) { return std::malloc(size); }

}  // namespace kestrava
