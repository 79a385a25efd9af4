#include "engine/platform/StreamSocket.h"

#include <arpa/inet.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <netdb.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace platform {

namespace {

std::string ErrorText(int code) { return std::strerror(code); }

bool MakeNonBlocking(int fd) {
    const int flags = fcntl(fd, F_GETFL, 0);
    return flags >= 0 && fcntl(fd, F_SETFL, flags | O_NONBLOCK) == 0;
}

// Small messages go out at once instead of waiting for more to join them.
void SendPromptly(int fd) {
    const int on = 1;
    setsockopt(fd, IPPROTO_TCP, TCP_NODELAY, &on, sizeof on);
}

class PosixStreamSocket : public StreamSocket {
public:
    explicit PosixStreamSocket(int fd = -1) : fd(fd), state(fd >= 0 ? State::Connected : State::Failed) {}
    ~PosixStreamSocket() override { Close(); }

    bool Connect(const std::string& host, uint16_t port, std::string& error) override {
        Close();
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int resolved = getaddrinfo(host.c_str(), nullptr, &hints, &found);
        if (resolved != 0 || !found) {
            error = "cannot find host " + host + ": " + gai_strerror(resolved);
            return false;
        }
        sockaddr_in address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
        freeaddrinfo(found);
        address.sin_port = htons(port);
        fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        if (fd < 0 || !MakeNonBlocking(fd)) {
            error = "cannot make a socket: " + ErrorText(errno);
            Close();
            return false;
        }
        SendPromptly(fd);
        state = State::Connecting;
        if (connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            state = State::Connected;
        else if (errno != EINPROGRESS) {
            error = ErrorText(errno);
            Close();
            return false;
        }
        return true;
    }

    State Poll(std::string& error) override {
        if (state != State::Connecting)
            return state;
        pollfd entry{fd, POLLOUT, 0};
        if (poll(&entry, 1, 0) <= 0)
            return state;
        int code = 0;
        socklen_t size = sizeof code;
        if (getsockopt(fd, SOL_SOCKET, SO_ERROR, &code, &size) != 0)
            code = errno;
        state = code == 0 ? State::Connected : State::Failed;
        if (code != 0)
            error = ErrorText(code);
        return state;
    }

    long Send(const uint8_t* bytes, size_t size, std::string& error) override {
        const ssize_t sent = send(fd, bytes, size, MSG_NOSIGNAL);
        if (sent >= 0)
            return static_cast<long>(sent);
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return 0;
        error = ErrorText(errno);
        return -1;
    }

    long Receive(uint8_t* bytes, size_t capacity, std::string& error) override {
        const ssize_t got = recv(fd, bytes, capacity, 0);
        if (got > 0)
            return static_cast<long>(got);
        if (got == 0) {
            error = "the other side closed the connection";
            return -1;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)
            return 0;
        error = ErrorText(errno);
        return -1;
    }

    void Close() override {
        if (fd >= 0)
            close(fd);
        fd = -1;
        state = State::Failed;
    }

private:
    int fd;
    State state;
};

class PosixStreamListener : public StreamListener {
public:
    ~PosixStreamListener() override {
        if (fd >= 0)
            close(fd);
    }

    bool Listen(uint16_t port, std::string& error) override {
        fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        socklen_t size = sizeof address;
        if (fd < 0 || !MakeNonBlocking(fd) || bind(fd, reinterpret_cast<sockaddr*>(&address), size) != 0 ||
            listen(fd, 4) != 0 || getsockname(fd, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            error = ErrorText(errno);
            return false;
        }
        bound = ntohs(address.sin_port);
        return true;
    }

    uint16_t Port() const override { return bound; }

    std::unique_ptr<StreamSocket> Accept() override {
        const int client = accept(fd, nullptr, nullptr);
        if (client < 0)
            return nullptr;
        if (!MakeNonBlocking(client)) {
            close(client);
            return nullptr;
        }
        SendPromptly(client);
        return std::make_unique<PosixStreamSocket>(client);
    }

private:
    int fd = -1;
    uint16_t bound = 0;
};

}

std::unique_ptr<StreamSocket> CreateStreamSocket() { return std::make_unique<PosixStreamSocket>(); }
std::unique_ptr<StreamListener> CreateStreamListener() { return std::make_unique<PosixStreamListener>(); }

}
