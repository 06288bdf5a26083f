// Running a built engine executable with a given standard input.
#pragma once
#include <string>
#include <vector>

struct EngineRun {
    std::string output;
    int exitStatus = -1;
};

// The engines under test (all builds of this configuration).
std::vector<std::string> enginePaths();

// The name text each build announces ("... x64", "... x64 sse", no suffix).
std::string engineNameFor(const std::string& path);

// Runs the engine in `workDir` (a fresh temporary directory when empty) with
// `input` on stdin and returns stdout and the exit status. A 32-bit engine
// runs under qemu-i386 where the kernel cannot start it directly.
// Extra arguments, when given, follow the program (path) on its command line.
EngineRun runEngine(const std::string& path, const std::string& input, const std::string& workDir = "",
                    const std::vector<std::string>& arguments = {});

// The program that starts the engine on this machine: "" (itself) or
// "qemu-i386" for a 32-bit engine the kernel cannot start.
std::string engineLauncher(const std::string& path);

// Whole file as bytes ("" when missing).
std::string readFile(const std::string& path);

// A fresh temporary directory.
std::string makeTempDir();
