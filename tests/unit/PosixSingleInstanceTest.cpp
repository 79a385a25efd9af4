#ifndef _WIN32

#include "engine/platform/SingleInstance.h"

#include <gtest/gtest.h>

#include <string>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// Whether a child process, as the given user (or as this one), gets the guard.
// The guard is the kernel's, so only another process can meet it held.
bool ChildAcquires(const std::string& name, uid_t uid) {
    pid_t child = fork();
    if (child == 0) {
        if (uid != getuid() && setuid(uid) != 0)
            _exit(3);
        _exit(platform::AcquireSingleInstance(name.c_str()) ? 0 : 1);
    }
    int status = 0;
    waitpid(child, &status, 0);
    EXPECT_TRUE(WIFEXITED(status));
    EXPECT_NE(WEXITSTATUS(status), 3) << "could not become user " << uid;
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(PosixSingleInstance, TheGuardIsHeldPerUser) {
    const std::string name = "zp test guard " + std::to_string(getpid());
    ASSERT_TRUE(platform::AcquireSingleInstance(name.c_str()));
    EXPECT_FALSE(ChildAcquires(name, getuid()));
    if (getuid() != 0)
        GTEST_SKIP() << "only root can run a process as another user";
    const uid_t nobody = 65534;
    EXPECT_TRUE(ChildAcquires(name, nobody));
}

}

#endif
