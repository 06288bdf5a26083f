// Runs a Windows engine behind Windows pipes, as a Windows interface does:
// creates the pipes with CreatePipe, starts the engine with CreateProcess, and
// relays its own standard input to the engine and the engine's output to its
// own standard output. Under wine this lets a Linux program (a test, XBoard)
// drive the .exe while the engine itself sees a real Windows pipe, so that its
// input polling (PeekNamedPipe) is the one a Windows GUI exercises.
//
// Usage: launcher.exe ENGINE.exe
// The exit status is the engine's.
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

HANDLE gToEngine = nullptr;    // write end of the engine's standard input
HANDLE gFromEngine = nullptr;  // read end of the engine's standard output

// Copies everything from one handle to another until the source ends.
void relay(HANDLE from, HANDLE to) {
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(from, buffer, sizeof buffer, &got, nullptr) && got > 0) {
        DWORD written = 0;
        for (DWORD at = 0; at < got; at += written)
            if (!WriteFile(to, buffer + at, got - at, &written, nullptr) || written == 0) return;
    }
}

// Our input to the engine; at its end the engine's input is closed too.
DWORD WINAPI relayInput(LPVOID) {
    relay(GetStdHandle(STD_INPUT_HANDLE), gToEngine);
    CloseHandle(gToEngine);
    return 0;
}

DWORD WINAPI relayOutput(LPVOID) {
    relay(gFromEngine, GetStdHandle(STD_OUTPUT_HANDLE));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        fprintf(stderr, "usage: launcher.exe ENGINE.exe\n");
        return 2;
    }
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    HANDLE engineIn = nullptr, engineOut = nullptr;
    if (!CreatePipe(&engineIn, &gToEngine, &inherit, 0) || !CreatePipe(&gFromEngine, &engineOut, &inherit, 0)) {
        fprintf(stderr, "launcher: cannot create the pipes\n");
        return 2;
    }
    // Only the engine's ends are inherited.
    SetHandleInformation(gToEngine, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(gFromEngine, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = engineIn;
    startup.hStdOutput = engineOut;
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process = {};
    std::string command = std::string("\"") + argv[1] + "\"";
    if (!CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        fprintf(stderr, "launcher: cannot start %s (error %lu)\n", argv[1], GetLastError());
        return 2;
    }
    CloseHandle(engineIn);
    CloseHandle(engineOut);
    CreateThread(nullptr, 0, relayInput, nullptr, 0, nullptr);
    HANDLE output = CreateThread(nullptr, 0, relayOutput, nullptr, 0, nullptr);
    WaitForSingleObject(process.hProcess, INFINITE);
    WaitForSingleObject(output, INFINITE);  // the rest of the engine's output
    DWORD status = 0;
    GetExitCodeProcess(process.hProcess, &status);
    ExitProcess(status);  // the input relay may still wait on our input
}
