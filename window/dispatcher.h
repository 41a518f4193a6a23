// Raising events: one dispatcher per main window, finding the handler that
// the form binds, with the suppression counter that drops every event while
// the window is being created.
#pragma once

#include "window/events.h"
#include "window/form.h"

namespace kestrava {

class Dispatcher {
public:
    explicit Dispatcher(const Form& form) : form_(&form) {}

    void suppress() { ++suppression_; }
    void release() { --suppression_; }
    bool suppressed() const { return suppression_ > 0; }

    // Calls the first handler bound to the record's event of the record's
    // control and stores its result in the record. Returns whether a handler
    // ran: false while suppressed (the event is dropped, not queued) and when
    // nothing is bound.
    bool raise(Platform& platform, EventRecord& record) const;

private:
    const Form* form_;
    int suppression_ = 0;
};

}  // namespace kestrava
