#include "window/win32/system_operations.h"

#include <windows.h>

#include <array>

#include "text/gbk.h"
#include "window/operation_rules.h"
#include "window/win32/box_label_release.h"
#include "window/win32/gbk_wide.h"
#include "window/win32/handles.h"

namespace kestrava::win32 {
namespace {

INPUT key_input(std::int32_t key, DWORD flags) {
    INPUT input{};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = static_cast<WORD>(key);
    input.ki.dwFlags = flags;
    return input;
}

}  // namespace

void press_keys(std::int32_t first, std::int32_t second, std::int32_t third) {
    const std::array<std::int32_t, 3> keys{first, second, third};
    std::array<INPUT, 6> inputs{};
    UINT count = 0;
    for (DWORD flags : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
        for (std::size_t i = 0; i < keys.size(); ++i) {
            if (i == 0 || keys[i] != 0) inputs[count++] = key_input(keys[i], flags);
        }
    }
    SendInput(count, inputs.data(), sizeof(INPUT));
}

void clear_clipboard() {
    // Runs every 10 ms for the life of the program: an empty clipboard needs
    // no opening, which saves most of the idle cost.
    if (CountClipboardFormats() == 0) return;
    if (OpenedClipboard clipboard{nullptr}) EmptyClipboard();
}

std::int32_t message_box(TextRef text, std::int32_t buttons, std::optional<TextRef> caption) {
    const WideText wide_text(text);
    const WideText wide_caption(caption.value_or(TextRef("信息：")));
    const BoxLabelRelease release_label;
    const int pressed = MessageBoxW(nullptr, wide_text.c_str(), wide_caption.c_str(), message_box_style(buttons));
    return pressed - 1;
}

}  // namespace kestrava::win32
