// What the program does when the C++ runtime gives up (std::terminate, for
// instance after a failed allocation): a fatal error box, then the end.
// Defining the handler here keeps the runtime's verbose one, with its name
// demangler (some 45 KB of Kestrava.exe), out of the program.
#include <windows.h>

namespace __gnu_cxx {

[[noreturn]] void __verbose_terminate_handler() {
    FatalAppExitW(0, L"Kestrava: 内存不足或内部错误，程序结束。");
    ExitProcess(static_cast<UINT>(-1));
}

}  // namespace __gnu_cxx
