// The search worker: everything one search reads and writes for itself. It
// is an EvalBoard (the board searched, with the evaluation's per-search state
// and caches) with the search's own tables, counters, root lines and results
// on top. Every search function is given the worker it runs in; what is
// process-wide (settings, the transposition table, the clock, the stop
// request) stays with the module that owns it.
#pragma once
#include <atomic>
#include <cstdint>

#include "board/types.h"
#include "eval/evalboard.h"
#include "search/aspiration.h"
#include "search/rootline.h"

constexpr int32_t kMaxIterations = kMaxPly + 2;
constexpr int32_t kDefaultSearchDepth = 100;  // no limit in practice

struct SearchWorker : EvalBoard {
    // Move ordering: tried and cut counts by mover's colour, piece code and
    // destination (history values and killers are the board's, where the
    // generator reads them).
    uint32_t triedCount[2][6][64] = {};
    uint32_t cutCount[2][6][64] = {};

    // Row p holds the line found from ply p on, up to column pvLength[p] - 1.
    // Row 0 is the principal variation of the root.
    Move pvTable[kMaxPly][kMaxPly] = {};
    int32_t pvLength[kMaxPly + 1] = {};
    // Following the previous iteration's principal variation down the tree.
    bool followPv = false;
    int32_t followPvCounter = 0;

    // By hply: the move searched reduced from the node below it, so that a
    // null-move threat can be traced back to it; 0 when none. Every node's
    // entry is written by its parent before the node reads it.
    Move reducedMove[kHistorySize] = {};

    uint32_t nodeCount = 0;  // nodes of the current search, wrapping

    // The search must unwind: the main worker's copy of the engine's stop
    // request, a helper's of the helpers' stop, renewed at every periodic
    // check (and cleared at the start of a search).
    bool stopped = false;
    // A helper searches beside the main worker and shares only the
    // transposition table with it; it prints nothing and keeps no clock.
    bool isHelper = false;
    // A helper's node count as the main worker may read it (renewed at each
    // periodic check).
    std::atomic<uint32_t> sharedNodeCount{0};

    // Statistics of the running iteration (reset at its start).
    int32_t nullTries = 0;
    int32_t nullCutoffs = 0;
    int32_t checkExtensions = 0;      // Chk
    int32_t recaptureExtensions = 0;  // Recap
    int32_t seventhExtensions = 0;    // PP27
    int32_t pawnEndExtensions = 0;    // PEnd
    int32_t selDepth = 0;             // the deepest ply a node reached
    int32_t bitbaseHits = 0;          // bitbase answers in the running iteration
    int64_t earlierBitbaseHits = 0;   // bitbase hits of the search's earlier iterations
    double hashProbes = 0;            // transposition-table probes and hits
    double hashHits = 0;

    // The lines of the last finished iteration, best first.
    RootLine rootLines[kMaxMultiPv];
    int32_t rootLineCount = 0;
    // Root moves already taken by the better lines of the running iteration;
    // the search of the next line leaves them out.
    Move takenRootMoves[kMaxMultiPv] = {};
    int32_t takenRootMoveCount = 0;
    // The windows and lines of a multi-line iteration.
    Aspiration lineWindows[kMaxMultiPv];
    RootLine linesFound[kMaxMultiPv];

    // The running search.
    int32_t iterationDepth = 0;  // the running iteration, in plies
    int32_t engineSide = WHITE;  // side to move when the search started
    bool rootInCheck = false;    // the root's checkers, found once per search
    int32_t rootCheckers[2] = {-1, -1};
    bool uciOutput = false;           // the root names the move it searches
    int32_t completedPvLength = 0;    // length of row 0 after the last finished iteration
    int32_t depthLimit = kDefaultSearchDepth;  // the deepest iteration of this search

    // Results.
    int32_t lastScore = 0;      // score of the last finished iteration
    int32_t depthReached = 0;   // the last finished iteration
    bool bookMoveFlag = false;  // the move came from the book
    Move bestMove = 0;          // the move the last search chose, 0 for none
    // Per finished iteration: best move, score, elapsed ms (-1 before it finishes).
    Move iterationMove[kMaxIterations] = {};
    int32_t iterationScore[kMaxIterations] = {};
    int32_t iterationTime[kMaxIterations] = {};
};

// The worker that plays the engine's moves and runs every search the drivers
// and tools start.
SearchWorker& mainWorker();

// The main worker with the game's position copied onto its board: what a
// search, an evaluation or a root-move query of the game starts from.
SearchWorker& workerOnGame();

// A worker's own tables: its evaluation cache of evalCacheMb and its pawn
// hash, zero-filled. nullptr on success, else the line that tells which
// memory is not available.
const char* reserveWorkerTables(SearchWorker& w, int32_t evalCacheMb);
