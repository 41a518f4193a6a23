// Narrow literals are compiled to GBK (code page 936); every text the program
// shows depends on it, so a build with another execution charset must fail.
#pragma once

static_assert(sizeof("秒") == 3 && static_cast<unsigned char>("秒"[0]) == 0xC3 &&
                  static_cast<unsigned char>("秒"[1]) == 0xEB,
              "narrow string literals must be GBK: compile with -fexec-charset=GBK "
              "(GCC) or /execution-charset:.936 (MSVC)");
