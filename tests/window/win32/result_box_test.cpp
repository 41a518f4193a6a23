// The result box: what it shows, and that showing it many times leaves no
// memory behind (Wine's common controls 6 kept 24 bytes of every box's label).
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "window/win32/system_operations.h"
#include "tests/window/win32/window_harness.h"

namespace kestrava::testing {
namespace {

constexpr int box_label_id = 0xFFFF;

// The last box shown, and how many were closed; kept in place, so that
// noting a box needs no new memory.
struct ShownBox {
    std::wstring caption, label;
};
ShownBox last_box;
int boxes_closed = 0;

// Notes what the open box shows and closes it as the OK button would.
BOOL CALLBACK note_and_close_box(HWND window, LPARAM) {
    wchar_t name[16] = {};
    GetClassNameW(window, name, 16);
    if (wcscmp(name, L"#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    last_box.caption = text_of(window);
    last_box.label = text_of(GetDlgItem(window, box_label_id));
    ++boxes_closed;
    PostMessageW(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK close_open_box(HWND, UINT, UINT_PTR, DWORD) {
    EnumThreadWindows(GetCurrentThreadId(), note_and_close_box, 0);
}

// Bytes in use in all of the process's heaps.
SIZE_T heap_bytes_in_use() {
    std::vector<HANDLE> heaps(GetProcessHeaps(0, nullptr) + 16);
    heaps.resize(GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data()));
    SIZE_T total = 0;
    for (HANDLE heap : heaps) {
        if (!HeapLock(heap)) continue;
        PROCESS_HEAP_ENTRY entry{};
        while (HeapWalk(heap, &entry)) {
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) total += entry.cbData;
        }
        HeapUnlock(heap);
    }
    return total;
}

class ResultBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        last_box = {};
        boxes_closed = 0;
        closer_ = SetTimer(nullptr, 0, 1, close_open_box);
    }
    void TearDown() override { KillTimer(nullptr, closer_); }

    int show(TextRef text) { return win32::message_box(text, 0, std::nullopt); }

private:
    UINT_PTR closer_ = 0;
};

TEST_F(ResultBoxTest, ShowsTheTextUnderTheDefaultCaptionAndReportsOk) {
    EXPECT_EQ(show("共计60秒，共计打了120个汉字"), IDOK - 1);
    ASSERT_EQ(boxes_closed, 1);
    EXPECT_EQ(last_box.caption, L"信息：");
    EXPECT_EQ(last_box.label, L"共计60秒，共计打了120个汉字");
}

TEST_F(ResultBoxTest, ManyBoxesLeaveNoMemoryBehind) {
    for (int i = 0; i < 10; ++i) show("共计0秒，共计打了0个汉字");
    const SIZE_T before = heap_bytes_in_use();
    constexpr int boxes = 100;
    for (int i = 0; i < boxes; ++i) show("共计0秒，共计打了0个汉字");
    const SIZE_T after = heap_bytes_in_use();
    ASSERT_EQ(boxes_closed, 10 + boxes);
    // One label's 24 bytes per box would be 2,400 bytes.
    EXPECT_LT(after, before + 600) << "before " << before << " after " << after;
}

}  // namespace
}  // namespace kestrava::testing
