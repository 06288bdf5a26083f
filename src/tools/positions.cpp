#include "tools/positions.h"

const char* const kProfileSet[kProfilePositions] = {
    "rnbqkb1r/pppp1ppp/5n2/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3",
    "rnb1kb1r/ppp1pppp/5n2/q7/3P4/2N5/PPP2PPP/R1BQKBNR w KQkq - 0 5",
    "r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - - 0 9",
    "r3k2r/pp1bnppp/2n1p3/q2pP3/P1pP4/2P2N2/2PBBPPP/R2QK2R w KQkq - 0 11",
    "rn1qkbnr/pp3ppp/2p1p3/3pPb2/3P4/5N2/PPP2PPP/RNBQKB1R w KQkq -",
    "rnbq1rk1/ppp2pbp/3p1np1/8/3NP3/2N1B3/PPPQ1PPP/2KR1B1R b - -",
    "rnbqk2r/pppp1ppp/4pn2/8/1bPP4/2N5/PP2PPPP/R1BQKBNR w KQkq - 2 4",
    "rnbqkb1r/pp3ppp/2p1pn2/3p4/2PP4/2N2N2/PP2PPPP/R1BQKB1R w KQkq - 0 5",
    "r1bqkbnr/pppp1ppp/2n5/1B2p3/4P3/5N2/PPPP1PPP/RNBQK2R b KQkq - 3 3",
    "rnb1kb1r/1p3ppp/p2ppn2/6B1/3NPP2/q1N5/P1PQ2PP/1R2KB1R w Kkq - 2 10",
    "rnbqkb1r/1p3ppp/p2p1n2/4p3/4P3/1NN1B3/PPP2PPP/R2QKB1R b KQkq - 1 7",
    "r2qkb1r/1b1n1ppp/p2p1n2/4pN2/1p2PPP1/3BBQ2/PPP1N2P/R3K2R b KQkq - 0 12",
    "rnbq1rk1/pp3ppp/4pn2/2p5/1bBP4/2N1PN2/PP3PPP/R1BQ1RK1 b - - 0 8",
    "r1bq1rk1/2p1bppp/p1np1n2/1p2p3/4P3/1BP2N1P/PP1P1PP1/RNBQR1K1 b - - 0 9",
    "rnbqk2r/pp2nppp/4p3/2ppP3/3P2Q1/P1P5/2P2PPP/R1B1KBNR b KQkq - 0 7",
    "8/5p1k/6pp/R7/8/Pr3PP1/5K1P/8 w - - 0 39",
    "8/p4kP1/8/5P2/1p6/4K3/8/8 w - - 0 58",
    "8/6pk/p7/8/6P1/1P6/5K2/8 b - - 0 50",
    "8/1n5p/3k2p1/8/2B3PP/4K3/8/8 w - - 0 51",
    "6k1/6p1/p3pp2/6p1/5r2/2K2N1P/1P3PP1/3N4 w - - 0 34",
};

const BenchPosition kBenchSet[kBenchPositions] = {
    {"rnbqkb1r/pppp1ppp/5n2/4p3/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 3", 12, "f3e5"},
    {"rnb1kb1r/ppp1pppp/5n2/q7/3P4/2N5/PPP2PPP/R1BQKBNR w KQkq - 0 5", 11, "g1f3"},
    {"r1bq1rk1/ppp1npbp/3p1np1/3Pp3/2P1P3/2N2N2/PP2BPPP/R1BQ1RK1 w - - 0 9", 12, "h2h3"},
    {"r3k2r/pp1bnppp/2n1p3/q2pP3/P1pP4/2P2N2/2PBBPPP/R2QK2R w KQkq - 0 11", 13, "e1g1"},
    {"1q3rk1/4b1pp/p2pp3/n1p1p3/P3Pn2/2PP1N1P/2QN1PP1/2B1R1K1 w - - 0 19", 13, "g1h2"},
    {"2rq1rk1/pp1bppb1/3p1np1/4n1Bp/3NP2P/2N2P2/PPPQB1P1/1K1R3R b - - 0 13", 11, "f8e8"},
    {"r1bqk2r/pp1p1ppp/4pnn1/1Q6/3NP3/2P5/P1P1BPPP/R1B1K2R w KQkq - 1 10", 11, "e2d3"},
    {"4nrk1/4bppp/8/q1p1pPP1/1p2P3/rP6/P5QP/1KNR1B1R b - - 0 22", 12, "a5c7"},
    {"8/1p5p/3k2p1/P3p2r/3p4/1P1N4/8/3KR3 b - - 0 45", 14, "h5f5"},
    {"8/R7/4n1kp/1q3b2/8/8/5PPP/2Q3K1 w - - 0 48", 13, "h2h3"},
};

const TestPosition kTestSet[kTestPositions] = {
    {"4r1k1/p1qr1p2/2pb1Bp1/1p5p/3P1n1R/1B3P2/PP3PK1/2Q4R w - - 0 1", 30000, "c1f4"},
    {"3r1rk1/Nbq1pp1p/1p2n1p1/8/2P5/4BPbP/PPQ1B3/3R1RK1 w - - 3 21", 20000, "am a7b5"},
    {"8/2p5/NP2p3/2P2k2/K6p/4Bp2/7b/8 b - - 0 41", 40000, "c7b6"},
    {"2r5/6p1/p6p/2N1kp1P/1P2p3/PK1p2P1/5R2/8 w - -", 133593, "bm b3c3"},
    {"2r1r1k1/pp1q1pp1/2nb2p1/3p2N1/1P1P4/P3BQ2/5PPP/2R1R1K1 w - - 0 21", 18985, "g2g4"},
    {"2rq1r1k/3np2p/2p1R1p1/p5N1/3bN1p1/1Q6/PP4PP/3R3K w - - 0 25", 17672, "e6g6,b3g3"},
};

const char* const kFine70 = "8/k7/3p4/p2P1p2/P2P1P2/8/8/K7 w - - 0 1";
