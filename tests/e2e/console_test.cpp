// Console behaviour that needs generated input.
#include <gtest/gtest.h>

#include <string>

#include "engine_process.h"

namespace {

int countOf(const std::string& text, const std::string& what) {
    int n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) n++;
    return n;
}

TEST(Console, AGameNeverOutgrowsTheMoveHistory) {
    // 1000 knight moves; the history holds the first 999.
    std::string input;
    for (int i = 0; i < 250; i++) input += "g1f3 g8f6 f3g1 f6g8\n";
    input += "fen undo fen new e2e4 fen bye\n";
    for (const std::string& engine : enginePaths()) {
        const EngineRun run = runEngine(engine, input);
        EXPECT_EQ(run.exitStatus, 0);
        EXPECT_EQ(countOf(run.output, "# The move history is full; start a new game.\n"), 1) << engine;
        EXPECT_EQ(countOf(run.output, "Illegal move."), 0) << engine;
        EXPECT_NE(run.output.find("rnbqkb1r/pppppppp/5n2/8/8/8/PPPPPPPP/RNBQKBNR b KQkq -\n"
                                  "rnbqkb1r/pppppppp/5n2/8/8/5N2/PPPPPPPP/RNBQKB1R w KQkq -\n"
                                  "rnbqkbnr/pppppppp/8/8/4P3/8/PPPP1PPP/RNBQKBNR b KQkq -\n"),
                  std::string::npos)
            << engine;
    }
}

TEST(Console, EndOfInputWithoutByeEndsWithStatusZero) {
    for (const std::string& engine : enginePaths()) {
        EXPECT_EQ(runEngine(engine, "").exitStatus, 0);
        EXPECT_EQ(runEngine(engine, "e2e4 d").exitStatus, 0);
        EXPECT_EQ(runEngine(engine, "sd").exitStatus, 0);
        EXPECT_EQ(runEngine(engine, "setboard").exitStatus, 0);
    }
}

}  // namespace
