#include "engine/platform/StreamSocket.h"

#include "engine/platform/SystemServices.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <mutex>

namespace platform {

namespace {

std::string SocketErrorText(int code) { return ErrorText(static_cast<uint32_t>(code)); }

// Winsock is started once for the process and left running until it ends.
bool StartWinsock(std::string& error) {
    static std::once_flag once;
    static int started = -1;
    std::call_once(once, [] {
        WSADATA data;
        started = WSAStartup(MAKEWORD(2, 2), &data);
    });
    if (started != 0)
        error = "cannot start Winsock: " + SocketErrorText(started);
    return started == 0;
}

bool MakeNonBlocking(SOCKET handle) {
    u_long on = 1;
    return ioctlsocket(handle, FIONBIO, &on) == 0;
}

void SendPromptly(SOCKET handle) {
    const BOOL on = TRUE;
    setsockopt(handle, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&on), sizeof on);
}

bool WouldBlock(int code) { return code == WSAEWOULDBLOCK || code == WSAEINPROGRESS || code == WSAEINTR; }

class Win32StreamSocket : public StreamSocket {
public:
    explicit Win32StreamSocket(SOCKET handle = INVALID_SOCKET)
        : handle(handle), state(handle != INVALID_SOCKET ? State::Connected : State::Failed) {}
    ~Win32StreamSocket() override { Close(); }

    bool Connect(const std::string& host, uint16_t port, std::string& error) override {
        Close();
        if (!StartWinsock(error))
            return false;
        addrinfo hints{};
        hints.ai_family = AF_INET;
        hints.ai_socktype = SOCK_STREAM;
        addrinfo* found = nullptr;
        const int resolved = getaddrinfo(host.c_str(), nullptr, &hints, &found);
        if (resolved != 0 || !found) {
            error = "cannot find host " + host + ": " + SocketErrorText(resolved);
            return false;
        }
        sockaddr_in address = *reinterpret_cast<const sockaddr_in*>(found->ai_addr);
        freeaddrinfo(found);
        address.sin_port = htons(port);
        handle = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        if (handle == INVALID_SOCKET || !MakeNonBlocking(handle)) {
            error = "cannot make a socket: " + SocketErrorText(WSAGetLastError());
            Close();
            return false;
        }
        SendPromptly(handle);
        state = State::Connecting;
        if (connect(handle, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0)
            state = State::Connected;
        else if (!WouldBlock(WSAGetLastError())) {
            error = SocketErrorText(WSAGetLastError());
            Close();
            return false;
        }
        return true;
    }

    // Windows reports a failed connection attempt in the exception set.
    State Poll(std::string& error) override {
        if (state != State::Connecting)
            return state;
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(handle, &writable);
        FD_SET(handle, &failed);
        timeval now{0, 0};
        if (select(0, nullptr, &writable, &failed, &now) <= 0)
            return state;
        int code = 0;
        int size = sizeof code;
        getsockopt(handle, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&code), &size);
        if (FD_ISSET(handle, &failed) && code == 0)
            code = WSAECONNREFUSED;
        state = code == 0 ? State::Connected : State::Failed;
        if (code != 0)
            error = SocketErrorText(code);
        return state;
    }

    long Send(const uint8_t* bytes, size_t size, std::string& error) override {
        const int sent = send(handle, reinterpret_cast<const char*>(bytes), static_cast<int>(size), 0);
        if (sent != SOCKET_ERROR)
            return sent;
        if (WouldBlock(WSAGetLastError()))
            return 0;
        error = SocketErrorText(WSAGetLastError());
        return -1;
    }

    long Receive(uint8_t* bytes, size_t capacity, std::string& error) override {
        const int got = recv(handle, reinterpret_cast<char*>(bytes), static_cast<int>(capacity), 0);
        if (got > 0)
            return got;
        if (got == 0) {
            error = "the other side closed the connection";
            return -1;
        }
        if (WouldBlock(WSAGetLastError()))
            return 0;
        error = SocketErrorText(WSAGetLastError());
        return -1;
    }

    void Close() override {
        if (handle != INVALID_SOCKET)
            closesocket(handle);
        handle = INVALID_SOCKET;
        state = State::Failed;
    }

private:
    SOCKET handle;
    State state;
};

class Win32StreamListener : public StreamListener {
public:
    ~Win32StreamListener() override {
        if (handle != INVALID_SOCKET)
            closesocket(handle);
    }

    bool Listen(uint16_t port, std::string& error) override {
        if (!StartWinsock(error))
            return false;
        handle = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        address.sin_port = htons(port);
        int size = sizeof address;
        if (handle == INVALID_SOCKET || !MakeNonBlocking(handle) ||
            bind(handle, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(handle, 4) != 0 ||
            getsockname(handle, reinterpret_cast<sockaddr*>(&address), &size) != 0) {
            error = SocketErrorText(WSAGetLastError());
            return false;
        }
        bound = ntohs(address.sin_port);
        return true;
    }

    uint16_t Port() const override { return bound; }

    std::unique_ptr<StreamSocket> Accept() override {
        const SOCKET client = accept(handle, nullptr, nullptr);
        if (client == INVALID_SOCKET)
            return nullptr;
        if (!MakeNonBlocking(client)) {
            closesocket(client);
            return nullptr;
        }
        SendPromptly(client);
        return std::make_unique<Win32StreamSocket>(client);
    }

private:
    SOCKET handle = INVALID_SOCKET;
    uint16_t bound = 0;
};

}

std::unique_ptr<StreamSocket> CreateStreamSocket() { return std::make_unique<Win32StreamSocket>(); }
std::unique_ptr<StreamListener> CreateStreamListener() { return std::make_unique<Win32StreamListener>(); }

}
