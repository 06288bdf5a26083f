// The Windows programs of make windows, run under wine behind the launcher
// (tests/windows), so that the engine reads a Windows pipe as it does under a
// Windows interface. Skipped when wine or the programs are missing.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <fstream>
#include <regex>
#include <sys/stat.h>
#include <thread>

#include "bench_run.h"
#include "engine_process.h"
#include "engine_session.h"
#include "text_checks.h"

namespace {

const std::string kWindows = WINDOWS_DIR;

bool exists(const std::string& path) {
    struct stat st;
    return stat(path.c_str(), &st) == 0;
}

bool wineInstalled() { return std::system("command -v wine > /dev/null 2>&1") == 0; }

// A program that runs the .exe under wine behind the launcher, or "" when
// that cannot be done here. The sanitizer build leaves these tests to the
// release build: the Windows programs are the same in both.
std::string wineEngine(const std::string& exe) {
#ifdef MORVANTIX_SANITIZE
    return "";
#endif
    if (!wineInstalled() || !exists(kWindows + "/launcher.exe") || !exists(kWindows + "/" + exe)) return "";
    const std::string script = makeTempDir() + "/" + exe + ".sh";
    std::ofstream(script) << "#!/bin/sh\nexec '" << WINE_ENGINE_SCRIPT << "' '" << kWindows << "/" << exe << "'\n";
    chmod(script.c_str(), 0755);
    return script;
}

#define ENGINE_UNDER_WINE(variable, exe)                                                         \
    const std::string variable = wineEngine(exe);                                                \
    if (variable.empty()) GTEST_SKIP() << "wine or " << kWindows << "/" << exe                   \
                                       << " is missing: install wine and run make windows";

const char* const kKiwipete = "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq -";

TEST(Windows, StartUpPerftAndFeaturesAsOnLinux) {
    for (const char* exe : {"engine-x64.exe", "engine-x64-popcnt.exe"}) {
        ENGINE_UNDER_WINE(engine, exe);
        const EngineRun run = runEngine(engine, std::string("perft 4\nsetboard ") + kKiwipete +
                                                    "\nperft 3\nxboard\nprotover 2\nquit\n");
        EXPECT_EQ(run.exitStatus, 0) << exe;
        const std::string name = std::string("Morvantix v") + MORVANTIX_VERSION +
                                 (std::string(exe) == "engine-x64.exe" ? " x64" : " x64 sse");
        EXPECT_EQ(run.output.rfind("# " + name + "\n# Compiled: ", 0), 0u) << run.output;
        EXPECT_TRUE(contains(run.output, "\n\n# Cannot open file morvantix.ini...\n\n# Hash\t\t           : 24 Mb\n"));
        EXPECT_TRUE(contains(run.output, "\n Perft 4 Summary\n Nodes: 197281\n"));
        EXPECT_TRUE(contains(run.output, "\n Perft 3 Summary\n Nodes: 97862\n"));
        EXPECT_TRUE(contains(run.output, "\nfeature ping=1 time=1 setboard=1 name=1 colors=0 debug=1, nps=1\n"
                                         "feature draw=0 sigint=0 sigterm=0 reuse=0 analyze=1 ics=1\n"
                                         "feature variants=\"normal\"\nfeature myname=\"" +
                                             name + "\"\nfeature done=1\n"));
        // Line ends reach the interface as they are written: "\n", no "\r".
        EXPECT_FALSE(contains(run.output, "\r"));
    }
}

TEST(Windows, SearchSignatureAsOnLinux) {
    const Signature expected = expectedSignature();
    for (const char* exe : {"engine-x64.exe", "engine-x64-popcnt.exe"}) {
        ENGINE_UNDER_WINE(engine, exe);
        const BenchRun windows = runBench(engine, expected.addedDepth);
        EXPECT_EQ(windows.exitStatus, 0) << exe;
        EXPECT_EQ(windows.totalNodes, expected.nodes) << exe;
        EXPECT_EQ(windows.lines, runBench(enginePaths()[0], expected.addedDepth).lines) << exe;
    }
}

// The ponder search and the analysis run while no input waits and stop as soon
// as the interface sends something: the engine's PeekNamedPipe poll works.
TEST(Windows, PonderingAndAnalysisStopWhenTheInterfaceSpeaks) {
    ENGINE_UNDER_WINE(engine, "engine-x64.exe");
    EngineSession s(engine);
    s.send("xboard\nprotover 2\nnew\nhard\nlevel 0 2 0\npost\ntime 10000\notim 10000\ne2e4\n");
    ASSERT_TRUE(s.waitFor("\nmove ", 60000)) << s.output();
    ASSERT_TRUE(s.waitFor("# Morvantix is Pondering on position\n")) << s.output();
    // It ponders on: five iterations with nothing waiting.
    ASSERT_TRUE(s.waitFor("\n  5 ", 30000, s.output().find("# Morvantix is Pondering"))) << s.output();
    const auto sent = std::chrono::steady_clock::now();
    s.send("time 9700\notim 9500\nd2d4\n");
    ASSERT_TRUE(s.waitFor("# Ponder ", 10000, s.output().find("# Morvantix is Pondering"))) << s.output();
    const auto stopped = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent);
    EXPECT_LT(stopped.count(), 2000) << "the ponder search took " << stopped.count() << " ms to notice the move";
    ASSERT_TRUE(s.waitFor("\nmove ", 60000, s.output().find("# Ponder "))) << s.output();
    // Analysis runs until the interface says exit.
    s.send("force\nanalyze\n");
    const size_t analysis = s.output().size();
    ASSERT_TRUE(s.waitFor("\n  6 ", 30000, analysis)) << s.output();
    s.send("exit\nping 9\n");
    EXPECT_TRUE(s.waitFor("pong 9\n", 5000, analysis)) << s.output();
    s.send("quit\n");
    EXPECT_EQ(s.finish(30000), 0);
}

// The helper threads are Windows threads behind the statically linked MinGW
// thread library: with two threads an infinite search ends at stop with its
// move at once, and quit ends the program cleanly.
TEST(Windows, TwoThreadsStopPromptlyAndQuitCleanly) {
    ENGINE_UNDER_WINE(engine, "engine-x64-popcnt.exe");
    EngineSession s(engine);
    s.send("uci\nsetoption name Threads value 2\nisready\n");
    ASSERT_TRUE(s.waitFor("readyok\n", 60000)) << s.output();
    EXPECT_TRUE(contains(s.output(), "\ninfo string Threads 2\n")) << s.output();
    s.send("position startpos\ngo infinite\n");
    ASSERT_TRUE(s.waitFor("\ninfo depth 6 ", 30000)) << s.output();
    std::this_thread::sleep_for(std::chrono::seconds(1));
    ASSERT_FALSE(contains(s.output(), "\nbestmove ")) << s.output();
    const auto sent = std::chrono::steady_clock::now();
    s.send("stop\n");
    ASSERT_TRUE(s.waitFor("\nbestmove ", 10000)) << s.output();
    const auto took = std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - sent);
    EXPECT_LT(took.count(), 2000) << "bestmove came " << took.count() << " ms after stop";
    s.send("quit\n");
    EXPECT_EQ(s.finish(15000), 0) << s.output();
}

TEST(Windows, BitbaseLibraryLoadsThroughLoadLibrary) {
    ENGINE_UNDER_WINE(engine, "engine-x64.exe");
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/egbbdll.dll", std::ios::binary) << readFile(kWindows + "/egbb/x64/egbbdll.dll");
    std::ofstream(dir + "/morvantix.ini") << "Use_Egbb ON\nEgbb_Path ./\nEgbb_Cache_Size 8\n";
    const EngineRun run = runEngine(engine, "xboard\nprotover 2\nnew\nforce\nsetboard 8/8/8/8/8/2k5/8/K6Q w - -\n"
                                            "post\nsd 3\ngo\nquit\n", dir);
    EXPECT_EQ(run.exitStatus, 0);
    // The children of the root are probed: a queen against a bare king is a won ending.
    std::smatch m;
    ASSERT_TRUE(std::regex_search(run.output, m, std::regex(R"(\n  1 +(-?\d+) )"))) << run.output;
    EXPECT_GT(std::stoi(m[1]), 28000) << run.output;
}

TEST(Windows, BookMoveAndGameRecordInTheWorkingFolder) {
    ENGINE_UNDER_WINE(engine, "engine-x64.exe");
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.bin", std::ios::binary) << readFile(std::string(TEST_DATA_DIR) + "/test-book.bin");
    std::ofstream(dir + "/morvantix.ini") << "Book ON\nAuto_Save_Game ON\n";
    const EngineRun run = runEngine(engine, "xboard\nprotover 2\nnew\nname Tester\nlevel 40 5 0\nsd 2\npost\n"
                                            "go\nforce\ngo\nforce\nresult 0-1 {White resigns}\nquit\n", dir);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_TRUE(std::regex_search(run.output, std::regex(R"(\n0 0 0 0 \(Book Move [a-h][1-8][a-h][1-8]\)\n)")))
        << run.output;
    const std::string games = readFile(dir + "/MorvantixGames.pgn");
    EXPECT_TRUE(contains(games, "[Event \"Morvantix Auto Saved Games\"]\n")) << games;
    EXPECT_TRUE(contains(games, "\"Tester\"]\n")) << games;
    EXPECT_TRUE(contains(games, "[Result \"0-1\"]\n")) << games;
    EXPECT_FALSE(contains(games, "\r"));
}

// The 32-bit program cannot run on this machine (no 32-bit programs, and no
// wine for them under qemu): its image is checked, its behaviour is that of the
// 32-bit Linux build (same sources, run under qemu in the other tests).
TEST(Windows, ProgramsAreStandaloneImages) {
    if (!exists(kWindows + "/engine-w32.exe")) GTEST_SKIP() << "run make windows";
    struct Image {
        const char* file;
        const char* format;
    };
    for (const Image& image : {Image{"engine-x64.exe", "pei-x86-64"}, Image{"engine-x64-popcnt.exe", "pei-x86-64"},
                               Image{"engine-w32.exe", "pei-i386"}, Image{"egbb/x64/egbbdll.dll", "pei-x86-64"},
                               Image{"egbb/w32/egbbdll.dll", "pei-i386"}}) {
        const std::string listing = makeTempDir() + "/objdump.txt";
        ASSERT_EQ(std::system(("objdump -p '" + kWindows + "/" + image.file + "' > '" + listing + "' 2>&1").c_str()), 0);
        const std::string text = readFile(listing);
        EXPECT_TRUE(contains(text, std::string("file format ") + image.format)) << image.file;
        // Only system DLLs: no MinGW runtime has to stand beside the program.
        static const std::regex dll(R"(DLL Name: (\S+))");
        for (auto it = std::sregex_iterator(text.begin(), text.end(), dll); it != std::sregex_iterator(); ++it) {
            const std::string name = (*it)[1];
            EXPECT_TRUE(name == "KERNEL32.dll" || name == "msvcrt.dll") << image.file << " imports " << name;
        }
    }
}

}  // namespace
