#include "engine_process.h"

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/wait.h>
#include <unistd.h>

std::vector<std::string> enginePaths() {
    std::vector<std::string> paths;
    std::stringstream all(ENGINE_PATHS);
    std::string path;
    while (std::getline(all, path, ':'))
        if (!path.empty()) paths.push_back(path);
    return paths;
}

std::string engineNameFor(const std::string& path) {
    const std::string base = std::string("Morvantix v") + MORVANTIX_VERSION;
    if (path.size() >= 6 && path.compare(path.size() - 6, 6, "popcnt") == 0) return base + " x64 sse";
    if (path.size() >= 3 && path.compare(path.size() - 3, 3, "w32") == 0) return base;
    return base + " x64";
}

namespace {

// The folders the tests made, removed when the test program ends (each test
// runs in a program of its own).
struct TempDirs {
    std::vector<std::string> paths;
    ~TempDirs() {
        std::error_code ignored;
        for (const std::string& path : paths) std::filesystem::remove_all(path, ignored);
    }
};

TempDirs gTempDirs;

}  // namespace

std::string makeTempDir() {
    char templ[] = "/tmp/morvantix-test-XXXXXX";
    const char* dir = mkdtemp(templ);
    if (!dir) return "/tmp";
    gTempDirs.paths.push_back(dir);
    return dir;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}

namespace {

int runShell(const std::string& command) {
    int status = std::system(command.c_str());
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

std::string engineLauncher(const std::string& path) {
    static std::string lastPath, lastLauncher;
    if (path == lastPath) return lastLauncher;
    lastPath = path;
    lastLauncher = runShell("'" + path + "' < /dev/null > /dev/null 2>&1") == 126 ? "qemu-i386" : "";
    return lastLauncher;
}

EngineRun runEngine(const std::string& path, const std::string& input, const std::string& workDir,
                    const std::vector<std::string>& arguments) {
    const std::string dir = workDir.empty() ? makeTempDir() : workDir;
    const std::string in = dir + "/stdin.txt", out = dir + "/stdout.txt";
    std::ofstream(in, std::ios::binary) << input;
    const std::string launcher = engineLauncher(path);
    EngineRun run;
    std::string command = "cd '" + dir + "' && " + (launcher.empty() ? "" : launcher + " ") + "'" + path + "'";
    for (const std::string& a : arguments) command += " '" + a + "'";
    run.exitStatus = runShell(command + " < stdin.txt > stdout.txt 2> stderr.txt");
    run.output = readFile(out);
    return run;
}
