#include "tests/child_process.h"

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>

namespace {

std::string ReadAll(int fd)
{
    std::string text;
    char buffer[4096];
    for (ssize_t count; (count = read(fd, buffer, sizeof buffer)) > 0;) {
        text.append(buffer, static_cast<std::size_t>(count));
    }
    return text;
}

}  // namespace

Child::Child(const ChildOptions& options)
{
    int input[2], output[2], errors[2];
    if (pipe(input) != 0 || pipe(output) != 0 || pipe(errors) != 0) {
        throw std::runtime_error("pipe failed");
    }
    pid_ = fork();
    if (pid_ == 0) {
        dup2(input[0], STDIN_FILENO);
        dup2(output[1], STDOUT_FILENO);
        dup2(errors[1], STDERR_FILENO);
        for (int fd : {input[0], input[1], output[0], output[1], errors[0], errors[1]}) {
            close(fd);
        }
        if (!options.workingDirectory.empty() && chdir(options.workingDirectory.c_str()) != 0) {
            _exit(126);
        }
        for (const auto& [name, value] : options.environment) {
            setenv(name.c_str(), value.c_str(), 1);
        }
        if (options.fileSizeLimit >= 0) {
            signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{static_cast<rlim_t>(options.fileSizeLimit), static_cast<rlim_t>(options.fileSizeLimit)};
            setrlimit(RLIMIT_FSIZE, &limit);
        }
        std::vector<char*> argv;
        for (const auto& word : options.command) {
            argv.push_back(const_cast<char*>(word.c_str()));
        }
        argv.push_back(nullptr);
        execv(argv[0], argv.data());
        _exit(127);
    }
    close(input[0]);
    close(output[1]);
    close(errors[1]);
    // Inputs are a line or two: they fit in the pipe without blocking.
    if (write(input[1], options.input.data(), options.input.size()) != static_cast<ssize_t>(options.input.size())) {
        throw std::runtime_error("writing the child's input failed");
    }
    close(input[1]);
    outputFd_ = output[0];
    errorFd_ = errors[0];
}

Child::~Child()
{
    if (pid_ > 0) {
        Finish();
    }
}

bool Child::WaitForOutput(const std::string& text)
{
    char buffer[256];
    while (output_.find(text) == std::string::npos) {
        const ssize_t count = read(outputFd_, buffer, sizeof buffer);
        if (count <= 0) {
            return false;
        }
        output_.append(buffer, static_cast<std::size_t>(count));
    }
    return true;
}

void Child::Signal(int signal)
{
    kill(pid_, signal);
}

ChildResult Child::Finish()
{
    ChildResult result;
    result.output = output_ + ReadAll(outputFd_);
    result.errors = ReadAll(errorFd_);
    close(outputFd_);
    close(errorFd_);
    int status = 0;
    rusage usage{};
    wait4(pid_, &status, 0, &usage);
    result.maxResidentKiB = usage.ru_maxrss;
    pid_ = -1;
    if (WIFEXITED(status)) {
        result.exitStatus = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        result.signal = WTERMSIG(status);
    }
    return result;
}

ChildResult RunChild(const ChildOptions& options)
{
    return Child(options).Finish();
}
