#include "transport/console_output.h"

#include <windows.h>

#include <cstdio>

namespace zel {

namespace {

bool Redirected(DWORD which) {
    HANDLE handle = GetStdHandle(which);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE;
}

}  // namespace

void UseStartingConsoleForOutput() {
    const bool outRedirected = Redirected(STD_OUTPUT_HANDLE);
    const bool errRedirected = Redirected(STD_ERROR_HANDLE);
    if (outRedirected && errRedirected) return;
    if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
    if (!outRedirected) std::freopen("CONOUT$", "w", stdout);
    if (!errRedirected) std::freopen("CONOUT$", "w", stderr);
}

}  // namespace zel
