// Checks on an engine's output text shared by the end-to-end tests.
#pragma once
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

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
