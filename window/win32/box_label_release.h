// Wine's common controls 6 keep 24 bytes for every static text control that
// is given a font, and free them only when the control is an icon; each
// message box's text label is such a control, so every result box left 24
// bytes behind for the life of the program. While a BoxLabelRelease exists,
// the labels of the thread's new message boxes are marked as icons just
// before they go, so that the control frees what it kept. Elsewhere than Wine
// it does nothing.
#pragma once

#include <windows.h>

namespace kestrava::win32 {

class BoxLabelRelease {
public:
    BoxLabelRelease();
    ~BoxLabelRelease();
    BoxLabelRelease(const BoxLabelRelease&) = delete;
    BoxLabelRelease& operator=(const BoxLabelRelease&) = delete;

private:
    HHOOK hook_ = nullptr;
};

}  // namespace kestrava::win32
