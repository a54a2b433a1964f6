// The desktop's portal for the real-window tests: owns
// org.freedesktop.portal.Desktop on the session bus in
// DBUS_SESSION_BUS_ADDRESS and answers the colour scheme it was started with.
// Prints "ready" once it owns the name; then every number read from standard
// input becomes the scheme and is announced, as a desktop switching between
// light and dark does. Ends at the end of its input.
//
// Usage: tamarock_portal_stand_in SCHEME   (1 dark, 0 or 2 light)

#include <cstdio>
#include <cstdlib>
#include <iostream>

#include "support/PortalStandIn.h"

int main(int argc, char** argv) {
  const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  if (!bus || !*bus || argc < 2) {
    std::fprintf(stderr, "usage: DBUS_SESSION_BUS_ADDRESS=... %s SCHEME\n", argv[0]);
    return 2;
  }
  PortalStandIn portal(bus, static_cast<std::uint32_t>(std::strtoul(argv[1], nullptr, 10)));
  if (!portal.ok()) {
    std::fprintf(stderr, "could not own org.freedesktop.portal.Desktop on %s\n", bus);
    return 1;
  }
  std::printf("ready\n");
  std::fflush(stdout);
  std::uint32_t scheme = 0;
  while (std::cin >> scheme) portal.setColorScheme(scheme);
  return 0;
}
