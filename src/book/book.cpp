#include "book/book.h"

bool findBookMove(Move*) {
    return false;
}
