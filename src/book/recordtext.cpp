#include "book/recordtext.h"

#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "platform/appendfile.h"

RecordText::~RecordText() { free(data_); }

bool RecordText::reserve(size_t extra) {
    if (failed_) return false;
    if (size_ + extra + 1 <= capacity_) return true;
    size_t capacity = capacity_ ? capacity_ : 4096;
    while (capacity < size_ + extra + 1) capacity *= 2;
    char* grown = static_cast<char*>(realloc(data_, capacity));
    if (!grown) {
        failed_ = true;
        return false;
    }
    data_ = grown;
    capacity_ = capacity;
    return true;
}

void RecordText::add(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int needed = vsnprintf(nullptr, 0, format, args);
    va_end(args);
    if (needed > 0 && reserve(size_t(needed))) {
        vsnprintf(data_ + size_, capacity_ - size_, format, again);
        size_ += size_t(needed);
    }
    va_end(again);
}

void RecordText::addChar(char c) {
    if (!reserve(1)) return;
    data_[size_++] = c;
    data_[size_] = '\0';
}

bool RecordText::appendTo(const char* path) const {
    return !failed_ && appendToFile(path, data(), size_);
}
