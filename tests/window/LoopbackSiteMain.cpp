// The program exactly as shipped, except that its site is a server on
// loopback inside this process: the real-window tests reach a manifest
// without the network, and the shipped program keeps its https site (it has
// no switch of its own to point it elsewhere). Prints the site address on
// its first line of output, then runs like the program.
//
// Usage: tamarock_loopback [offered build, default 2]

#include <cstdio>
#include <string>

#include "app/Launch.h"
#include "support/HttpTestServer.h"
#include "support/Plists.h"
#include "update/UpdateCheck.h"

int main(int argc, char** argv) {
  HttpTestServer site;
  site.serve("/updates/tamarock2.plist", plists::xmlWithBuild(argc > 1 ? argv[1] : "2"));
  UpdateCheck::siteOverride = site.baseURL();
  std::printf("%s\n", site.baseURL().c_str());
  std::fflush(stdout);

  return runTamarock();
}
