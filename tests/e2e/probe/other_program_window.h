// A window of its own that stands for "another program": it takes the focus
// and counts the keys it receives in its caption, "Other program: keys=K F2=A F3=B".
#pragma once

inline constexpr wchar_t other_program_class[] = L"KestravaProbeOther";

// Shows the window and runs its message loop until it is closed; returns 0.
int run_other_program_window();
