#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace platform {

// A TCP connection that never blocks: connecting, sending and receiving
// return at once with what could be done. Its backend lives in a library of
// its own (zpstreamsocket) that only the tools link that talk to the network.
class StreamSocket {
public:
    enum class State { Connecting, Connected, Failed };

    virtual ~StreamSocket() = default;

    // Starts connecting to host:port. False, with the reason in `error`, when
    // the attempt cannot even start (an unknown host, no socket).
    virtual bool Connect(const std::string& host, uint16_t port, std::string& error) = 0;
    // Where the connection stands; on Failed, `error` says why.
    virtual State Poll(std::string& error) = 0;
    // The bytes sent now (possibly 0), or -1 with `error` when the connection broke.
    virtual long Send(const uint8_t* bytes, size_t size, std::string& error) = 0;
    // The bytes received now (0 when none are waiting), or -1 with `error`
    // when the connection broke or the other side closed it.
    virtual long Receive(uint8_t* bytes, size_t capacity, std::string& error) = 0;
    virtual void Close() = 0;
};

// Accepts connections on the loopback interface, without blocking.
class StreamListener {
public:
    virtual ~StreamListener() = default;
    // Port 0 takes any free port; Port() says which.
    virtual bool Listen(uint16_t port, std::string& error) = 0;
    virtual uint16_t Port() const = 0;
    // A connection that has arrived, connected and non-blocking, or null.
    virtual std::unique_ptr<StreamSocket> Accept() = 0;
};

std::unique_ptr<StreamSocket> CreateStreamSocket();
std::unique_ptr<StreamListener> CreateStreamListener();

}
