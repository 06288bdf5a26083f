// A record composed in memory before it is appended to its file in one piece.
#pragma once
#include <cstddef>

class RecordText {
public:
    RecordText() = default;
    RecordText(const RecordText&) = delete;
    RecordText& operator=(const RecordText&) = delete;
    ~RecordText();

    // Appends formatted text. When memory runs out the record is marked failed
    // and later additions are ignored.
    void add(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void addChar(char c);

    bool failed() const { return failed_; }
    const char* data() const { return data_ ? data_ : ""; }
    size_t size() const { return size_; }

    // Appends the record to the file (see appendToFile); false, writing
    // nothing, when the record failed or the file cannot be written.
    bool appendTo(const char* path) const;

private:
    bool reserve(size_t extra);
    char* data_ = nullptr;
    size_t size_ = 0;
    size_t capacity_ = 0;
    bool failed_ = false;
};
