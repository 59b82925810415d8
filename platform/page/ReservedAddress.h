#pragma once
// Which network addresses lie off the public Internet: the blocks registered
// for special purposes (this host and network, loopback, private and shared
// address space, link-local, protocol assignments, documentation,
// benchmarking, translation and tunnelling prefixes, reserved space),
// multicast, and the deprecated IPv6 forms (IPv4-compatible, IPv4-translated,
// site-local), for IPv4 and IPv6. A page fetch that began at a public address
// may not be redirected into one of them.
#include <string_view>

namespace platform {

// Whether a numeric IPv4 or IPv6 address lies in a special-purpose block or
// is multicast. An IPv4-mapped IPv6 address (::ffff:a.b.c.d) is judged by its
// IPv4 address; the deprecated forms that carry one, IPv4-compatible
// (::a.b.c.d) and IPv4-translated (::ffff:0:a.b.c.d), are reserved whatever
// it is. An IPv6 zone ("%eth0") is ignored. Text that is no numeric
// address is not special-purpose. Any thread.
bool isReservedAddress(std::string_view ip);

} // namespace platform
