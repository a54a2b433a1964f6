#pragma once

#include <string>

namespace net {

// Whether `url` may be loaded: https to any host, or plain http to this
// machine's own loopback (127.0.0.0/8, "localhost", [::1]), which never leaves
// it. Anything else may not, a URL that does not parse included.
bool isSecureOrLoopbackURL(const std::string& url);

}  // namespace net
