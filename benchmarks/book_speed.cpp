// Time of one book probe on a large book: a file of 200,000 entries with
// random keys (sorted, as the format requires) is written to a temporary
// directory, then half the probes ask for keys in the book and half for keys
// that are not.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>
#include <unistd.h>
#include <vector>

#include "book/book.h"

int main() {
    const int entries = 200000, probes = 20000;
    char dir[] = "/tmp/morvantix-book-XXXXXX";
    if (!mkdtemp(dir) || chdir(dir) != 0) return 1;
    std::mt19937_64 random(42);
    std::vector<uint64_t> keys(entries);
    for (uint64_t& k : keys) k = random();
    std::sort(keys.begin(), keys.end());
    FILE* f = fopen(kBookName(), "wb");
    for (uint64_t k : keys) {
        unsigned char b[16] = {};
        for (int i = 0; i < 8; i++) b[i] = static_cast<unsigned char>(k >> (56 - 8 * i));
        b[8] = 0x03, b[9] = 0x1C;  // e2e4
        b[11] = 1;                 // weight 1
        fwrite(b, 1, 16, f);
    }
    fclose(f);
    int found = 0;
    char text[8];
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < probes; i++) found += probeBook(i % 2 ? keys[random() % entries] : random(), text);
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    printf("book of %d entries: %d probes (%d found) in %.3f s, %.1f microseconds per probe\n", entries, probes, found,
           seconds, seconds * 1e6 / probes);
    unlink(kBookName());
    if (chdir("/") == 0) rmdir(dir);
    return 0;
}
