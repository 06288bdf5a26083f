// An engine process driven interactively over pipes, as a chess interface
// drives it: send lines, wait for output.
#pragma once
#include <string>

class EngineSession {
public:
    // Starts the engine in `workDir` (a fresh temporary directory when empty).
    explicit EngineSession(const std::string& path, const std::string& workDir = "");
    ~EngineSession();

    void send(const std::string& text);

    // Waits until the output read so far contains `text` (after `from`), or
    // the timeout passes; returns whether it appeared.
    bool waitFor(const std::string& text, int timeoutMs = 20000, size_t from = 0);

    // Everything the engine has printed so far.
    const std::string& output();

    // Closes its input and waits for it to end; returns the exit status
    // (-1 when it had to be killed).
    int finish(int timeoutMs = 20000);

    bool running();

private:
    void readAvailable(int waitMs);
    int pid_ = -1;
    int toEngine_ = -1;
    int fromEngine_ = -1;
    std::string output_;
    int status_ = -2;
};
