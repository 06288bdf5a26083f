#include "book/book.h"

#include <cstdio>
#include <cstring>

#include "board/fen.h"
#include "board/makemove.h"
#include "board/movegen.h"
#include "board/notation.h"
#include "board/position.h"
#include "board/random.h"
#include "book/random64.h"
#include "platform/clock.h"
#include "game/gameboard.h"

char gBookFile[kBookFileSize] = "morvantix.bin";

namespace {

constexpr int32_t kEntryBytes = 16;
constexpr int32_t kCastleOffset = 768;
constexpr int32_t kEnPassantOffset = 772;
constexpr int32_t kTurnOffset = 780;

// Polyglot piece kinds: black pawn 0, white pawn 1, black knight 2, ... white king 11.
int32_t polyglotKind(char letter) {
    static const char kLetters[] = "pPnNbBrRqQkK";
    const char* at = strchr(kLetters, letter);
    return at && letter ? int32_t(at - kLetters) : -1;
}

uint64_t readBigEndian(const unsigned char* bytes, int32_t count) {
    uint64_t v = 0;
    for (int32_t i = 0; i < count; i++) v = (v << 8) | bytes[i];
    return v;
}

// Reads the entry at the index; false when it cannot be read whole.
bool readEntry(FILE* file, long index, BookEntry* entry) {
    unsigned char bytes[kEntryBytes];
    if (fseek(file, index * kEntryBytes, SEEK_SET) != 0 || fread(bytes, 1, kEntryBytes, file) != size_t(kEntryBytes))
        return false;
    entry->key = readBigEndian(bytes, 8);
    entry->move = uint16_t(readBigEndian(bytes + 8, 2));
    entry->weight = uint16_t(readBigEndian(bytes + 10, 2));
    entry->learn = uint32_t(readBigEndian(bytes + 12, 4));
    return true;
}

// The entries of the key, at most kMaxBookEntries; -1 when there are more.
int32_t collectEntries(FILE* file, uint64_t key, BookEntry* list) {
    // Lower bound by halving the range of entry indexes.
    if (fseek(file, -kEntryBytes, SEEK_END) != 0) return 0;
    long last = (ftell(file)) / kEntryBytes;
    BookEntry candidate;
    if (!readEntry(file, last, &candidate)) return 0;
    long first = -1;
    while (last - first != 1) {
        const long middle = (first + last) / 2;
        BookEntry entry;
        if (!readEntry(file, middle, &entry)) return 0;
        if (key <= entry.key) {
            last = middle;
            candidate = entry;
        } else {
            first = middle;
        }
    }
    if (candidate.key != key) return 0;
    int32_t n = 0;
    list[n++] = candidate;
    BookEntry next;
    for (long i = last + 1; readEntry(file, i, &next) && next.key == key; i++) {
        if (n == kMaxBookEntries) return -1;
        list[n++] = next;
    }
    return n;
}

}  // namespace

uint64_t bookKey(const char* fenText) {
    char placement[73] = "", side[2] = "", castle[5] = "", ep[3] = "";
    sscanf(fenText, "%72s %1s %4s %2s", placement, side, castle, ep);
    uint64_t key = 0;
    int32_t row = 7, file = 0;  // Polyglot rows count from rank 1
    // Where the pawns of each colour stand, for the en-passant test.
    bool pawn[2][8][8] = {};
    for (const char* p = placement; *p && row >= 0; p++) {
        if (*p == '/') {
            row--, file = 0;
        } else if (*p >= '1' && *p <= '8') {
            file += *p - '0';
        } else if (file < 8) {
            const int32_t kind = polyglotKind(*p);
            if (kind >= 0) key ^= kPolyglotRandom64[64 * kind + 8 * row + file];
            if (kind == 0 || kind == 1) pawn[kind][row][file] = true;  // 0 black, 1 white
            file++;
        }
    }
    static const char kRights[] = "KQkq";
    for (int32_t i = 0; i < 4; i++)
        if (strchr(castle, kRights[i])) key ^= kPolyglotRandom64[kCastleOffset + i];
    const bool white = side[0] == 'w';
    if (ep[0] >= 'a' && ep[0] <= 'h') {
        // Only when a pawn of the side to move could take en passant.
        const int32_t f = ep[0] - 'a';
        const int32_t pawnRow = white ? 4 : 3;
        const int32_t mover = white ? 1 : 0;
        if ((f > 0 && pawn[mover][pawnRow][f - 1]) || (f < 7 && pawn[mover][pawnRow][f + 1]))
            key ^= kPolyglotRandom64[kEnPassantOffset + f];
    }
    if (white) key ^= kPolyglotRandom64[kTurnOffset];
    return key;
}

void bookMoveText(uint16_t move, char* text) {
    static const char kPromotions[] = " nbrq";
    const int32_t toFile = move & 7, toRow = (move >> 3) & 7;
    const int32_t fromFile = (move >> 6) & 7, fromRow = (move >> 9) & 7;
    const int32_t promotion = (move >> 12) & 7;
    text[0] = char('a' + fromFile);
    text[1] = char('1' + fromRow);
    text[2] = char('a' + toFile);
    text[3] = char('1' + toRow);
    text[4] = promotion >= 1 && promotion <= 4 ? kPromotions[promotion] : '\0';
    text[5] = '\0';
    // The format writes castling as the king taking its own rook.
    static const char* const kCastling[4][2] = {
        {"e1h1", "e1g1"}, {"e1a1", "e1c1"}, {"e8h8", "e8g8"}, {"e8a8", "e8c8"}};
    for (const auto& c : kCastling)
        if (strcmp(text, c[0]) == 0) strcpy(text, c[1]);
}

int32_t chooseBookEntry(const BookEntry* list, int32_t count) {
    uint32_t total = 0;
    for (int32_t i = 0; i < count; i++) total += list[i].weight;
    if (total == 0) return -1;
    int32_t best = -1, bestScore = -1;
    for (int32_t i = 0; i < count; i++) {
        const int32_t score = int32_t(uint32_t(list[i].weight) * 100 / total) + randomDraw() % 5;
        if (score > bestScore) {
            bestScore = score;
            best = i;
        }
    }
    return best;
}

int32_t probeBook(uint64_t key, char* text) {
    FILE* file = fopen(kBookName(), "rb");
    if (!file) {
        printf("# Missing book file\n");
        return 0;
    }
    BookEntry list[kMaxBookEntries];
    const int32_t count = collectEntries(file, key, list);
    fclose(file);
    if (count <= 0) return 0;
    seedRandom(uint32_t(getCalendarSeconds()));
    const int32_t chosen = chooseBookEntry(list, count);
    if (chosen < 0) return 0;
    bookMoveText(list[chosen].move, text);
    return 1;
}

bool findBookMove(Move* move) {
    // The book holds standard chess, with standard castling moves.
    if (gameBoard().castling.chess960) return false;
    char fen[kFenTextSize];
    writeFenText(gameBoard(), fen);
    char text[8];
    if (!probeBook(bookKey(fen), text)) return false;
    makeCurrentPositionRoot(gameBoard());
    generateAllMoves(gameBoard());
    const int32_t index = parseMoveText(gameBoard(), text);
    if (index < 0 || !makeMove(gameBoard(), gameBoard().moveStack[index].move)) return false;
    unmakeMove(gameBoard());
    *move = gameBoard().moveStack[index].move;
    return true;
}
