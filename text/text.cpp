#include "text/text.h"

#include <cstdlib>
#include <cstring>

namespace kestrava {

void Text::Free::operator()(char* p) const { std::free(p); }

std::int32_t byte_length(TextRef text) { return static_cast<std::int32_t>(text.size()); }

}  // namespace kestrava
