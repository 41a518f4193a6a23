#include "window/dispatcher.h"

namespace kestrava {

bool Dispatcher::raise(Platform& platform, EventRecord& record) const {
    if (suppressed()) return false;
    for (const Binding& binding : form_->bindings(record.control)) {
        if (binding.handler == nullptr || binding.event != record.event) continue;
        const HandlerResult result = binding.handler(platform, record.params);
        record.has_result = result.has_value();
        record.result = result.value_or(0);
        return true;
    }
    return false;
}

}  // namespace kestrava
