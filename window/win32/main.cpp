// Kestrava.exe: the entry point. Everything else is in the window library.
#include <windows.h>

#include "window/win32/main_window.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) { return kestrava::win32::run_program(instance); }
