#include "engine_session.h"

#include <chrono>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <vector>

#include "engine_process.h"

EngineSession::EngineSession(const std::string& path, const std::string& workDir) {
    const std::string dir = workDir.empty() ? makeTempDir() : workDir;
    const std::string launcher = engineLauncher(path);
    int in[2], out[2];
    if (pipe(in) != 0 || pipe(out) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
        dup2(in[0], STDIN_FILENO);
        dup2(out[1], STDOUT_FILENO);
        close(in[0]), close(in[1]), close(out[0]), close(out[1]);
        if (chdir(dir.c_str()) != 0) _exit(127);
        if (launcher.empty())
            execl(path.c_str(), path.c_str(), static_cast<char*>(nullptr));
        else
            execlp(launcher.c_str(), launcher.c_str(), path.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    close(in[0]);
    close(out[1]);
    toEngine_ = in[1];
    fromEngine_ = out[0];
    fcntl(fromEngine_, F_SETFL, O_NONBLOCK);
    signal(SIGPIPE, SIG_IGN);
}

EngineSession::~EngineSession() {
    if (status_ == -2) finish(5000);
}

void EngineSession::send(const std::string& text) {
    size_t done = 0;
    while (done < text.size()) {
        ssize_t n = write(toEngine_, text.data() + done, text.size() - done);
        if (n <= 0) return;
        done += size_t(n);
    }
}

void EngineSession::readAvailable(int waitMs) {
    pollfd p{fromEngine_, POLLIN, 0};
    if (poll(&p, 1, waitMs) <= 0) return;
    char buf[65536];
    for (;;) {
        ssize_t n = read(fromEngine_, buf, sizeof buf);
        if (n <= 0) return;
        output_.append(buf, size_t(n));
    }
}

bool EngineSession::waitFor(const std::string& text, int timeoutMs, size_t from) {
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    for (;;) {
        if (output_.find(text, from) != std::string::npos) return true;
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(end - std::chrono::steady_clock::now());
        if (left.count() <= 0) return false;
        readAvailable(int(left.count() < 50 ? left.count() : 50));
    }
}

const std::string& EngineSession::output() {
    readAvailable(0);
    return output_;
}

bool EngineSession::running() {
    if (status_ != -2) return false;
    int st;
    pid_t r = waitpid(pid_, &st, WNOHANG);
    if (r == 0) return true;
    status_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
    return false;
}

int EngineSession::finish(int timeoutMs) {
    if (status_ != -2) return status_;
    if (toEngine_ >= 0) close(toEngine_);
    toEngine_ = -1;
    const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
    while (std::chrono::steady_clock::now() < end) {
        readAvailable(20);
        int st;
        if (waitpid(pid_, &st, WNOHANG) == pid_) {
            readAvailable(0);
            status_ = WIFEXITED(st) ? WEXITSTATUS(st) : -1;
            close(fromEngine_);
            return status_;
        }
    }
    kill(pid_, SIGKILL);
    waitpid(pid_, nullptr, 0);
    close(fromEngine_);
    status_ = -1;
    return status_;
}
