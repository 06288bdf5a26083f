// Checks on an engine's output text shared by the end-to-end tests.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <regex>
#include <string>
#include <vector>

inline bool contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

// Parts that must appear in this order (others may stand between them).
inline void expectInOrder(const std::string& text, std::initializer_list<std::string> parts) {
    size_t at = 0;
    for (const std::string& p : parts) {
        const size_t found = text.find(p, at);
        ASSERT_NE(found, std::string::npos) << "missing in order: " << p << "\n--- output ---\n" << text;
        at = found + p.size();
    }
}

// Every UCI "bestmove" line's move, in order.
inline std::vector<std::string> bestMoves(const std::string& out) {
    static const std::regex line(R"(\nbestmove (\S+))");
    std::vector<std::string> moves;
    for (std::sregex_iterator it(out.begin(), out.end(), line), end; it != end; ++it) moves.push_back((*it)[1]);
    return moves;
}
