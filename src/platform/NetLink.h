#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

struct _ENetHost;
struct _ENetPeer;

// One connection with one other machine over ENet: this side listens for
// it, or reaches it at the address the player typed. Nothing is ever sent
// anywhere else. Every call returns at once.
class NetLink {
public:
    enum class Channel : std::uint8_t {
        Reliable = 0,    // arrives once, in order
        Unreliable = 1,  // may be lost, doubled or overtaken; never waits for a lost one
    };
    struct Event {
        enum Kind { Connected, Received, Disconnected } kind = Received;
        std::vector<std::uint8_t> bytes;  // what arrived, for Received
    };

    // Listens on the port of the given local address ("" for every address
    // of this machine); port 0 lets the system choose one. Only one other
    // side is taken; a second one is turned away.
    static std::unique_ptr<NetLink> listen(const std::string& localAddress, std::uint16_t port,
                                           std::string& error);
    // Starts reaching the other side; Connected follows once it answers.
    static std::unique_ptr<NetLink> connect(const std::string& address, std::uint16_t port,
                                            std::string& error);
    // This machine's IPv4 addresses other than loopback, for the player to
    // tell the other one.
    static std::vector<std::string> machineAddresses();

    ~NetLink();
    NetLink(const NetLink&) = delete;
    NetLink& operator=(const NetLink&) = delete;

    // The local port, as the system gave it.
    std::uint16_t port() const { return port_; }
    bool connected() const { return peer_ != nullptr && connected_; }
    // Sends and receives what is due; false when nothing more happened.
    bool poll(Event& event);
    // Queued until the next poll or flush; dropped while not connected.
    void send(Channel channel, const std::uint8_t* bytes, std::size_t size);
    void flush();
    // Lets the other side know this side is gone once it has what was sent;
    // that takes polling on, and destroying the link cuts it short.
    void close();

private:
    NetLink(_ENetHost* host, _ENetPeer* peer);

    _ENetHost* host_;
    _ENetPeer* peer_;
    std::uint16_t port_ = 0;
    bool connected_ = false;
};
