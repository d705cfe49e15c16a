// Runs a program as a child process with its standard input piped, for the
// end-to-end tests.
#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

struct ChildOptions {
    std::vector<std::string> command;
    std::string input;
    std::string workingDirectory;
    std::vector<std::pair<std::string, std::string>> environment;  // added to the test's own
    long fileSizeLimit = -1;  // bytes, with SIGXFSZ ignored, as root cannot be stopped by permissions
};

struct ChildResult {
    std::string output;
    std::string errors;
    int exitStatus = -1;  // -1 when ended by a signal
    int signal = 0;
    long maxResidentKiB = 0;  // peak resident memory of the child
};

class Child {
public:
    explicit Child(const ChildOptions& options);
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Reads standard output until it holds `text`; false at end of output.
    bool WaitForOutput(const std::string& text);
    void Signal(int signal);
    ChildResult Finish();

private:
    pid_t pid_ = -1;
    int outputFd_ = -1;
    int errorFd_ = -1;
    std::string output_;
};

ChildResult RunChild(const ChildOptions& options);
