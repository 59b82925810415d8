// Which addresses a redirect from a public address may not reach: every
// special-purpose block, IPv4 and IPv6, checked at its first and last address,
// with the public addresses just outside it.
#include "platform/page/ReservedAddress.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using platform::isReservedAddress;

namespace {

struct Block {
    const char* first;
    const char* last;
    const char* publicBelow; // nullptr: the address below is special-purpose too
    const char* publicAbove;
};

const std::vector<Block> kIpv4Blocks{
    {"0.0.0.0", "0.255.255.255", nullptr, "1.0.0.0"},
    {"10.0.0.0", "10.255.255.255", "9.255.255.255", "11.0.0.0"},
    {"100.64.0.0", "100.127.255.255", "100.63.255.255", "100.128.0.0"},
    {"127.0.0.0", "127.255.255.255", "126.255.255.255", "128.0.0.0"},
    {"169.254.0.0", "169.254.255.255", "169.253.255.255", "169.255.0.0"},
    {"172.16.0.0", "172.31.255.255", "172.15.255.255", "172.32.0.0"},
    {"192.0.0.0", "192.0.0.255", "191.255.255.255", "192.0.1.0"},
    {"192.0.2.0", "192.0.2.255", "192.0.1.255", "192.0.3.0"},
    {"192.31.196.0", "192.31.196.255", "192.31.195.255", "192.31.197.0"},
    {"192.52.193.0", "192.52.193.255", "192.52.192.255", "192.52.194.0"},
    {"192.88.99.0", "192.88.99.255", "192.88.98.255", "192.88.100.0"},
    {"192.168.0.0", "192.168.255.255", "192.167.255.255", "192.169.0.0"},
    {"192.175.48.0", "192.175.48.255", "192.175.47.255", "192.175.49.0"},
    {"198.18.0.0", "198.19.255.255", "198.17.255.255", "198.20.0.0"},
    {"198.51.100.0", "198.51.100.255", "198.51.99.255", "198.51.101.0"},
    {"203.0.113.0", "203.0.113.255", "203.0.112.255", "203.0.114.0"},
    {"224.0.0.0", "239.255.255.255", "223.255.255.255", nullptr}, // multicast
    {"240.0.0.0", "255.255.255.254", nullptr, nullptr},
    {"255.255.255.255", "255.255.255.255", nullptr, nullptr},
};

const std::vector<Block> kIpv6Blocks{
    // Unspecified, loopback and IPv4-compatible; IPv4-translated. Both carry
    // an IPv4 address, public or not.
    {"::", "::ffff:ffff", nullptr, "::1:0:0"},
    {"::1", "::8.8.8.8", nullptr, nullptr},
    {"::ffff:0:0:0", "::ffff:0:ffff:ffff", "::fffe:ffff:ffff:ffff", "::ffff:1:0:0"},
    {"::ffff:0:127.0.0.1", "::ffff:0:8.8.8.8", nullptr, nullptr},
    {"64:ff9b::", "64:ff9b::ffff:ffff", "64:ff9a:ffff:ffff:ffff:ffff:ffff:ffff", "64:ff9b::1:0:0"},
    {"64:ff9b:1::", "64:ff9b:1:ffff:ffff:ffff:ffff:ffff", "64:ff9b:0:ffff:ffff:ffff:ffff:ffff",
     "64:ff9b:2::"},
    {"100::", "100::ffff:ffff:ffff:ffff", "ff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", nullptr},
    {"100:0:0:1::", "100:0:0:1:ffff:ffff:ffff:ffff", nullptr, "100:0:0:2::"},
    {"2001::", "2001:1ff:ffff:ffff:ffff:ffff:ffff:ffff", "2000:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
     "2001:200::"},
    // The registered blocks within 2001::/23.
    {"2001::", "2001:0:ffff:ffff:ffff:ffff:ffff:ffff", nullptr, nullptr},      // Teredo
    {"2001:1::1", "2001:1::3", nullptr, nullptr},                              // anycast
    {"2001:2::", "2001:2:0:ffff:ffff:ffff:ffff:ffff", nullptr, nullptr},       // benchmarking
    {"2001:3::", "2001:3:ffff:ffff:ffff:ffff:ffff:ffff", nullptr, nullptr},    // AMT
    {"2001:4:112::", "2001:4:112:ffff:ffff:ffff:ffff:ffff", nullptr, nullptr}, // AS112
    {"2001:10::", "2001:3f:ffff:ffff:ffff:ffff:ffff:ffff", nullptr, nullptr},  // ORCHID, DRIP
    {"2001:db8::", "2001:db8:ffff:ffff:ffff:ffff:ffff:ffff",
     "2001:db7:ffff:ffff:ffff:ffff:ffff:ffff", "2001:db9::"},
    {"2002::", "2002:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "2001:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
     "2003::"},
    {"2620:4f:8000::", "2620:4f:8000:ffff:ffff:ffff:ffff:ffff",
     "2620:4f:7fff:ffff:ffff:ffff:ffff:ffff", "2620:4f:8001::"},
    {"3fff::", "3fff:fff:ffff:ffff:ffff:ffff:ffff:ffff", "3ffe:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
     "3fff:1000::"},
    {"5f00::", "5f00:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "5eff:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
     "5f01::"},
    {"fc00::", "fdff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "fbff:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
     "fe00::"},
    {"fe80::", "febf:ffff:ffff:ffff:ffff:ffff:ffff:ffff", "fe7f:ffff:ffff:ffff:ffff:ffff:ffff:ffff",
     nullptr},
    {"fec0::", "feff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", nullptr, nullptr}, // site-local
    {"ff00::", "ffff:ffff:ffff:ffff:ffff:ffff:ffff:ffff", nullptr, nullptr}, // multicast
};

void expectBlock(const Block& block, const std::string& prefix = "")
{
    EXPECT_TRUE(isReservedAddress(prefix + block.first)) << prefix + block.first;
    EXPECT_TRUE(isReservedAddress(prefix + block.last)) << prefix + block.last;
    for (const char* outside : {block.publicBelow, block.publicAbove}) {
        if (outside) {
            EXPECT_FALSE(isReservedAddress(prefix + outside)) << prefix + outside;
        }
    }
}

} // namespace

TEST(ReservedAddress, EveryIpv4BlockFromFirstToLastAddressAndNoFurther)
{
    for (const auto& block : kIpv4Blocks)
        expectBlock(block);
}

TEST(ReservedAddress, IPv4MappedIntoIpv6IsJudgedByItsIpv4Address)
{
    for (const auto& block : kIpv4Blocks)
        expectBlock(block, "::ffff:");
    // Just outside ::ffff:0:0/96 lie other addresses, not IPv4 ones.
    EXPECT_FALSE(isReservedAddress("::fffe:ffff:ffff"));
    EXPECT_FALSE(isReservedAddress("::1:0:0:0"));
}

TEST(ReservedAddress, EveryIpv6BlockFromFirstToLastAddressAndNoFurther)
{
    for (const auto& block : kIpv6Blocks)
        expectBlock(block);
}

TEST(ReservedAddress, PublicAddressesAndTextThatIsNoAddress)
{
    for (const char* publicAddress : {"8.8.8.8", "1.1.1.1", "100.63.0.1", "198.20.1.1",
                                      "2606:4700:4700::1111", "2a00:1450:4001:82b::200e"})
        EXPECT_FALSE(isReservedAddress(publicAddress)) << publicAddress;
    // A zone names an interface, not another address.
    EXPECT_TRUE(isReservedAddress("fe80::1%eth0"));
    EXPECT_FALSE(isReservedAddress("2606:4700:4700::1111%eth0"));
    for (const char* notAnAddress : {"", "localhost", "10.0.0", "::g", "%"})
        EXPECT_FALSE(isReservedAddress(notAnAddress)) << notAnAddress;
}
