#include "engine/platform/SingleInstance.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <string>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

namespace platform {

// A socket bound to a name in the abstract namespace: the kernel frees the
// name when the last descriptor closes, so even a killed holder leaves no
// stale lock, and no runtime directory is needed. The namespace is shared by
// every user of the machine, so the name carries the user's id: each user
// keeps one instance of their own.
bool AcquireSingleInstance(const char* name) {
    int guard = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (guard == -1)
        return true;  // no guard available: never keep the only instance from running

    const std::string userName = std::string(name) + " uid " + std::to_string(getuid());
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    size_t length = std::min(userName.size(), sizeof address.sun_path - 1);
    std::memcpy(address.sun_path + 1, userName.data(), length);
    socklen_t size = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + length);
    if (bind(guard, reinterpret_cast<sockaddr*>(&address), size) == 0)
        return true;  // the descriptor stays open until the process ends
    close(guard);
    return false;
}

}
