#include "platform/NetLink.h"

#include <enet/enet.h>
#include <ifaddrs.h>
#include <netinet/in.h>
#include <arpa/inet.h>

#include <cstdlib>
#include <mutex>

namespace {

constexpr std::size_t CHANNEL_COUNT = 2;
// ENet's own give-up times stay well past the game's three seconds of
// silence, so the game decides when a connection is lost.
constexpr enet_uint32 PEER_TIMEOUT_LIMIT = 32;
constexpr enet_uint32 PEER_TIMEOUT_MIN_MS = 8000;
constexpr enet_uint32 PEER_TIMEOUT_MAX_MS = 30000;
// The controls repeat every unacknowledged step in each packet, so losses
// cost nothing: ENet must never hold back unreliable packets to ease what
// it takes for congestion.
constexpr enet_uint32 THROTTLE_INTERVAL_MS = 5000;
constexpr enet_uint32 THROTTLE_ACCELERATION = ENET_PEER_PACKET_THROTTLE_SCALE;
constexpr enet_uint32 THROTTLE_DECELERATION = 0;

bool startEnet(std::string& error) {
    static std::once_flag once;
    static bool started = false;
    std::call_once(once, [] {
        started = enet_initialize() == 0;
        if (started) std::atexit(enet_deinitialize);
    });
    if (!started) error = "cannot start the network library";
    return started;
}

void keepWaiting(ENetPeer* peer) {
    enet_peer_timeout(peer, PEER_TIMEOUT_LIMIT, PEER_TIMEOUT_MIN_MS, PEER_TIMEOUT_MAX_MS);
}

// Only once connected: ENet drops a connection whose answer echoes other
// throttle settings than the calling side has by then.
void keepPeer(ENetPeer* peer) {
    keepWaiting(peer);
    enet_peer_throttle_configure(peer, THROTTLE_INTERVAL_MS, THROTTLE_ACCELERATION, THROTTLE_DECELERATION);
}

}  // namespace

NetLink::NetLink(ENetHost* host, ENetPeer* peer) : host_(host), peer_(peer) {
    ENetAddress local{};
    if (enet_socket_get_address(host->socket, &local) == 0) port_ = local.port;
}

NetLink::~NetLink() {
    if (peer_ != nullptr) enet_peer_disconnect_now(peer_, 0);
    enet_host_destroy(host_);
}

std::unique_ptr<NetLink> NetLink::listen(const std::string& localAddress, std::uint16_t port,
                                         std::string& error) {
    if (!startEnet(error)) return nullptr;
    ENetAddress address{};
    address.host = ENET_HOST_ANY;
    address.port = port;
    if (!localAddress.empty() && enet_address_set_host_ip(&address, localAddress.c_str()) != 0) {
        error = "not an address of this machine: " + localAddress;
        return nullptr;
    }
    ENetHost* host = enet_host_create(&address, 1, CHANNEL_COUNT, 0, 0);
    if (host == nullptr) {
        error = "cannot listen on port " + std::to_string(port) + " (is another program using it?)";
        return nullptr;
    }
    return std::unique_ptr<NetLink>(new NetLink(host, nullptr));
}

std::unique_ptr<NetLink> NetLink::connect(const std::string& address, std::uint16_t port, std::string& error) {
    if (!startEnet(error)) return nullptr;
    ENetAddress remote{};
    remote.port = port;
    if (address.empty() || enet_address_set_host(&remote, address.c_str()) != 0) {
        error = "cannot find the address " + address;
        return nullptr;
    }
    ENetHost* host = enet_host_create(nullptr, 1, CHANNEL_COUNT, 0, 0);
    if (host == nullptr) {
        error = "cannot open a network socket";
        return nullptr;
    }
    ENetPeer* peer = enet_host_connect(host, &remote, CHANNEL_COUNT, 0);
    if (peer == nullptr) {
        enet_host_destroy(host);
        error = "cannot start reaching " + address;
        return nullptr;
    }
    keepWaiting(peer);
    return std::unique_ptr<NetLink>(new NetLink(host, peer));
}

std::vector<std::string> NetLink::machineAddresses() {
    std::vector<std::string> addresses;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return addresses;
    for (const ifaddrs* entry = list; entry != nullptr; entry = entry->ifa_next) {
        if (entry->ifa_addr == nullptr || entry->ifa_addr->sa_family != AF_INET) continue;
        const auto* ipv4 = reinterpret_cast<const sockaddr_in*>(entry->ifa_addr);
        if (ntohl(ipv4->sin_addr.s_addr) >> 24 == 127) continue;
        char text[INET_ADDRSTRLEN] = {};
        if (inet_ntop(AF_INET, &ipv4->sin_addr, text, sizeof text) != nullptr) addresses.emplace_back(text);
    }
    freeifaddrs(list);
    return addresses;
}

bool NetLink::poll(Event& event) {
    ENetEvent raw{};
    // A service error (the socket gone) reads as nothing arriving: the
    // other side's silence then ends the connection.
    if (enet_host_service(host_, &raw, 0) <= 0) return false;
    switch (raw.type) {
        case ENET_EVENT_TYPE_CONNECT:
            peer_ = raw.peer;
            keepPeer(peer_);
            connected_ = true;
            event.kind = Event::Connected;
            event.bytes.clear();
            return true;
        case ENET_EVENT_TYPE_RECEIVE:
            event.kind = Event::Received;
            event.bytes.assign(raw.packet->data, raw.packet->data + raw.packet->dataLength);
            enet_packet_destroy(raw.packet);
            return true;
        case ENET_EVENT_TYPE_DISCONNECT:
            if (raw.peer == peer_) {
                connected_ = false;
                peer_ = nullptr;
            }
            event.kind = Event::Disconnected;
            event.bytes.clear();
            return true;
        case ENET_EVENT_TYPE_NONE: break;
    }
    return false;
}

void NetLink::send(Channel channel, const std::uint8_t* bytes, std::size_t size) {
    if (!connected()) return;
    const enet_uint32 flags =
        channel == Channel::Reliable ? ENET_PACKET_FLAG_RELIABLE : ENET_PACKET_FLAG_UNSEQUENCED;
    ENetPacket* packet = enet_packet_create(bytes, size, flags);
    if (packet == nullptr) return;
    if (enet_peer_send(peer_, static_cast<enet_uint8>(channel), packet) != 0) enet_packet_destroy(packet);
}

void NetLink::flush() { enet_host_flush(host_); }

void NetLink::close() {
    if (peer_ == nullptr) return;
    if (!connected_) {
        enet_peer_disconnect_now(peer_, 0);
        peer_ = nullptr;
        return;
    }
    // A disconnect sent at once can reach the other side together with the
    // last packets, and ENet then drops those unread: it waits until the
    // other side has everything, while poll keeps being called.
    connected_ = false;
    enet_peer_disconnect_later(peer_, 0);
    enet_host_flush(host_);
}
