// morvantix.ini and eval_setting.txt, read by the engine at start-up.
#include <gtest/gtest.h>

#include <fstream>

#include "engine_process.h"

namespace {

// What the engine prints between its two banner lines and "Bye bye!" when
// started in a directory holding the given configuration file.
std::string startUpText(const std::string& ini, const std::string& input = "bye\n") {
    const std::string dir = makeTempDir();
    if (!ini.empty()) std::ofstream(dir + "/morvantix.ini") << ini;
    const EngineRun run = runEngine(enginePaths()[0], input, dir);
    EXPECT_EQ(run.exitStatus, 0);
    const size_t start = run.output.find('\n', run.output.find("# Compiled:")) + 1;
    const size_t end = run.output.find("Bye bye!");
    return run.output.substr(start, end - start);
}

const std::string kTables32 =
    "# Hash\t\t           : 24 Mb\n# Eval Cache               : 8 Mb\n# Pawn Hash                : 4 Mb\n";
const std::string kOpen = "\n# Reading initialization file...\n";
const std::string kClose = "# Closing initialization file...\n\n\n";

TEST(Config, TableSizesAreClampedAndShown) {
    EXPECT_EQ(startUpText("Hash 16\n"), kOpen + kTables32 + kClose);
    EXPECT_EQ(startUpText("Hash 5000\nEval_Cache 100\n"),
              kOpen + "# Hash\t\t           : 786 Mb\n# Eval Cache               : 64 Mb\n"
                      "# Pawn Hash                : 4 Mb\n" + kClose);
}

TEST(Config, TablesAreSizedWhenEvalCacheIsRead) {
    // The Hash line after Eval_Cache comes too late for the table size.
    EXPECT_EQ(startUpText("Eval_Cache 16\nHash 256\n"),
              kOpen + "# Hash\t\t           : 24 Mb\n# Eval Cache               : 16 Mb\n"
                      "# Pawn Hash                : 4 Mb\n" + kClose);
    // A second Eval_Cache line allocates again (the first tables are released).
    EXPECT_EQ(startUpText("Eval_Cache 8\nHash 64\nEval_Cache 9\n"),
              kOpen + kTables32 +
                  "# Hash\t\t           : 49 Mb\n# Eval Cache               : 9 Mb\n# Pawn Hash                : 4 Mb\n" +
                  kClose);
}

TEST(Config, EchoLinesAndClamping) {
    EXPECT_EQ(startUpText("Resign ON\nResign_Score -100\nResign_Score_Count 1\nBook on\nContempt_Value 250\n"
                          "Auto_Save_Game ON\nWrite_Learned_Opening off\nPonder off\nGui arena\n"),
              kOpen +
                  "# Resign                   : ON\n"
                  "# Resign Score             : -300\n"
                  "# Resign Score Count       : 3\n"
                  "# Book                     : on\n"
                  "# Contempt Value           : 100\n"
                  "# Auto save game           : ON\n"
                  "# Write Learned Opening    : OFF\n"
                  "# Ponder                   : ON\n"
                  "# Gui                      : arena\n" +
                  kTables32 + kClose);
}

TEST(Config, UnrecognisedWords) {
    // Resign Yes switches resignation on silently, Book Yes leaves the book
    // off silently, Use_Egbb Yes warns; Gui without a word says so.
    EXPECT_EQ(startUpText("Resign Yes\nBook Yes\nUse_Egbb Yes\nGui\nGui xboard\nNoSuchKey 5\n#Hash 64\n"),
              kOpen +
                  "# The value of option Use_Egbb is not properly defined!! It is set to OFF.\n"
                  "# option Gui was not defined!!\n" +
                  kTables32 + kClose);
}

TEST(Config, BitbaseLinesCountOnlyAfterTheyAreSwitchedOn) {
    EXPECT_EQ(startUpText("Egbb_Path /before/\nEgbb_Cache_Size 2\nUse_Egbb ON\nEgbb_Path /after/\n"
                          "Egbb_Cache_Size 2\nEgbb_Load_Type 9\n"),
              kOpen +
                  "# Use Egbb                 : ON\n"
                  "# Egbb Path                : /after/\n"
                  "# Egbb size                : 4 Mb\n"
                  "# Egbb Load Type           : 3\n" +
                  kTables32 + kClose);
    EXPECT_EQ(startUpText("Use_Egbb on\n"), kOpen + "# Use Egbb                 : ON\n" + kTables32 +
                                                "# Egbb Path was not defined!!\n"
                                                "# Egbb Cache size was not defined!!\n" +
                                                kClose);
}

TEST(Config, MalformedLinesDoNoHarm) {
    const std::string longLine = "Hash " + std::string(400, '9') + " Eval_Cache 64\n";
    EXPECT_EQ(startUpText(longLine + "Resign_Score\n" + std::string(600, 'x') + "\nHash abc\n\n   \n"),
              kOpen + "# The value of option Resign_Score is not a number; the line is ignored.\n"
                      "# The value of option Hash is not a number; the line is ignored.\n"
                      "# Hash\t\t           : 786 Mb\n# Eval Cache               : 8 Mb\n"
                      "# Pawn Hash                : 4 Mb\n" + kClose);
}

#ifndef MORVANTIX_SANITIZE
TEST(Config, TableAllocationFailureEndsWithStatusOne) {
    // An address-space limit too small for a 1024 MB table.
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/morvantix.ini") << "Hash 1024\n";
    std::ofstream(dir + "/limited.sh") << "ulimit -v 400000\nexec \"$@\"\n";
    for (const std::string& engine : enginePaths()) {
        if (engine.find("w32") != std::string::npos) continue;  // may run under an emulator
        const EngineRun run = runEngine("/bin/sh", "bye\n", dir, {dir + "/limited.sh", engine});
        EXPECT_EQ(run.exitStatus, 1) << engine;
        EXPECT_NE(run.output.find("# Reading initialization file...\n# NO MAIN MEMORY\n"), std::string::npos)
            << run.output;
    }
}

TEST(Config, TooLittleMemoryEndsWithALineNeverASignal) {
    // Whatever allocation the limit stops (a table, a board, a cache), the
    // engine ends with a line and status 1, or plays: never by a signal.
    const std::string dir = makeTempDir();
    const std::string engine = enginePaths()[0];
    for (int kb = 16000; kb <= 64000; kb += 2000) {
        std::ofstream(dir + "/limited.sh") << "ulimit -v " << kb << "\nexec \"$@\"\n";
        const EngineRun run = runEngine("/bin/sh", "perft 2\nbye\n", dir, {dir + "/limited.sh", engine});
        EXPECT_TRUE(run.exitStatus == 0 || run.exitStatus == 1) << kb << " KB: status " << run.exitStatus;
        if (run.exitStatus == 1) {
            EXPECT_NE(run.output.find(" MEMORY\n"), std::string::npos) << kb << " KB";
        }
    }
}
#endif

TEST(Config, EvalSettingsFileSetsTheRookBonusesAndName) {
    // Only observable through the evaluation for now: a rook on the seventh
    // rank is not evaluated yet, so check that a broken file does no harm.
    const std::string dir = makeTempDir();
    std::ofstream(dir + "/eval_setting.txt") << "# comment\nsetting_name Tuned\nrook_7th_rank 30\n"
                                             << std::string(1000, 'r') << "\n  rook_8th_rank 1 2\n";
    const EngineRun run = runEngine(enginePaths()[0], "eval\nbye\n", dir);
    EXPECT_EQ(run.exitStatus, 0);
    EXPECT_NE(run.output.find("posEval = 0, sideToMove = 0\n"), std::string::npos);
}

}  // namespace
