// Test helpers for what only a separate process may do: give up root rights, or run short of
// memory without taking the test runner with it.
#pragma once

#include <QApplication>
#include <QTest>

#include <grp.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

// Permissions do not bind root, so as root a suite that checks them runs in a child process that
// has given up root rights for those of "nobody" before Qt starts.
template <class Suite> int runAsNobodyUnderRoot(int argc, char** argv) {
    if (::geteuid() == 0) {
        const pid_t child = ::fork();
        if (child < 0) return 1;
        if (child > 0) {
            int status = 0;
            return ::waitpid(child, &status, 0) == child && WIFEXITED(status) ? WEXITSTATUS(status)
                                                                              : 1;
        }
        constexpr uid_t kNobody = 65534;
        if (::setgroups(0, nullptr) != 0 || ::setgid(kNobody) != 0 || ::setuid(kNobody) != 0)
            return 1;
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true); // as QTEST_MAIN does
    Suite suite;
    return QTest::qExec(&suite, argc, argv);
}

// Lets this process's data grow by `bytes` more at most; false when the limit cannot be set.
inline bool limitDataGrowth(rlim_t bytes) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line) && line.rfind("VmData:", 0) != 0) {
    }
    if (line.empty()) return false;
    const rlim_t used = std::stoull(line.substr(7)) * 1024;
    const rlimit limit{used + bytes, used + bytes};
    return setrlimit(RLIMIT_DATA, &limit) == 0;
}
