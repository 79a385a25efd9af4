// Holds the single-instance guard until it is killed, so that the tests can
// start a second instance against a real first one.
#include "engine/core/EntryPoint.h"
#include "engine/platform/SingleInstance.h"

#include <cstdio>
#include <unistd.h>

int main() {
    if (!platform::AcquireSingleInstance(kInstanceGuardName)) {
        std::puts("refused");
        return 2;
    }
    std::puts("held");
    std::fflush(stdout);
    for (;;)
        pause();
}
