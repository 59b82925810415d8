#include "platform/page/ReservedAddress.h"

#include <arpa/inet.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <string>
#include <vector>

namespace platform {
namespace {

// The special-purpose blocks, as registered, multicast, and the deprecated
// IPv6 forms that carry an IPv4 address or a site's own. An IPv4 block is
// kept as its IPv4-mapped IPv6 block, so that ::ffff:0:0/96 is judged by the
// IPv4 address it carries.
constexpr std::array kReservedBlocks{
    // IPv4
    "0.0.0.0/8",       // this network; 0.0.0.0/32 this host
    "10.0.0.0/8",      // private use
    "100.64.0.0/10",   // shared address space (carrier-grade NAT)
    "127.0.0.0/8",     // loopback
    "169.254.0.0/16",  // link-local
    "172.16.0.0/12",   // private use
    "192.0.0.0/24",    // protocol assignments (service continuity, dummy, anycast, NAT64 discovery)
    "192.0.2.0/24",    // documentation (TEST-NET-1)
    "192.31.196.0/24", // AS112
    "192.52.193.0/24", // automatic multicast tunnelling
    "192.88.99.0/24",  // 6to4 relay anycast (deprecated)
    "192.168.0.0/16",  // private use
    "192.175.48.0/24", // AS112 direct delegation
    "198.18.0.0/15",   // benchmarking
    "198.51.100.0/24", // documentation (TEST-NET-2)
    "203.0.113.0/24",  // documentation (TEST-NET-3)
    "224.0.0.0/4",     // multicast
    "240.0.0.0/4",     // reserved; holds the limited broadcast 255.255.255.255
    // IPv6
    "::/96",           // unspecified, loopback and IPv4-compatible (deprecated)
    "::ffff:0:0:0/96", // IPv4-translated (deprecated)
    "64:ff9b::/96",    // IPv4/IPv6 translation
    "64:ff9b:1::/48",  // local-use IPv4/IPv6 translation
    "100::/64",        // discard-only
    "100:0:0:1::/64",  // dummy prefix
    "2001::/23", // protocol assignments: Teredo, anycast, benchmarking, AMT, AS112, ORCHID, DRIP
    "2001:db8::/32",     // documentation
    "2002::/16",         // 6to4
    "2620:4f:8000::/48", // AS112 direct delegation
    "3fff::/20",         // documentation
    "5f00::/16",         // segment routing
    "fc00::/7",          // unique local
    "fe80::/10",         // link-local
    "fec0::/10",         // site-local (deprecated)
    "ff00::/8",          // multicast
};

using Address = std::array<unsigned char, 16>;

struct Block {
    Address prefix{};
    int bits = 0;
};

// A numeric address as 16 bytes, IPv4 as IPv4-mapped IPv6; false when the
// text is no numeric address.
bool parseAddress(const std::string& text, Address& address)
{
    std::array<unsigned char, 4> v4{};
    if (::inet_pton(AF_INET, text.c_str(), v4.data()) == 1) {
        address = {0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0xFF, 0xFF, v4[0], v4[1], v4[2], v4[3]};
        return true;
    }
    return ::inet_pton(AF_INET6, text.c_str(), address.data()) == 1;
}

const std::vector<Block>& reservedBlocks()
{
    static const std::vector<Block> blocks = [] {
        std::vector<Block> parsed;
        for (const std::string entry : kReservedBlocks) {
            const auto slash = entry.find('/');
            Block block;
            const bool v4 = entry.find(':') == std::string::npos;
            if (!parseAddress(entry.substr(0, slash), block.prefix))
                std::abort(); // a mistyped entry above
            block.bits = std::stoi(entry.substr(slash + 1)) + (v4 ? 96 : 0);
            parsed.push_back(block);
        }
        return parsed;
    }();
    return blocks;
}

bool inBlock(const Address& address, const Block& block)
{
    const int whole = block.bits / 8;
    if (!std::equal(address.begin(), address.begin() + whole, block.prefix.begin()))
        return false;
    const int rest = block.bits % 8;
    if (rest == 0)
        return true;
    const auto mask = static_cast<unsigned char>(0xFF << (8 - rest));
    return (address[whole] & mask) == (block.prefix[whole] & mask);
}

} // namespace

bool isReservedAddress(std::string_view ip)
{
    Address address{};
    if (!parseAddress(std::string(ip.substr(0, ip.find('%'))), address))
        return false;
    const auto& blocks = reservedBlocks();
    return std::any_of(blocks.begin(), blocks.end(),
                       [&](const Block& block) { return inBlock(address, block); });
}

} // namespace platform
