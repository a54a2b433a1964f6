#include "platform/net/URLPath.h"

#include <glib.h>

#include <cctype>
#include <memory>

namespace net {

namespace {

struct URIUnref {
  void operator()(GUri* uri) const { g_uri_unref(uri); }
};
struct CharsFree {
  void operator()(char* text) const { g_free(text); }
};
using Chars = std::unique_ptr<char, CharsFree>;

// Every byte but the unreserved ones (letters, digits, "-._~") escaped, the
// escapes' hex digits in lower case, as the addresses have always been sent.
std::string encodedSegment(const std::string& component) {
  Chars escaped(g_uri_escape_bytes(reinterpret_cast<const guint8*>(component.data()),
                                   component.size(), nullptr));
  std::string segment = escaped.get();
  for (std::size_t i = 0; i < segment.size(); ++i) {
    if (segment[i] == '%' && i + 2 < segment.size()) {
      segment[i + 1] = static_cast<char>(std::tolower(static_cast<unsigned char>(segment[i + 1])));
      segment[i + 2] = static_cast<char>(std::tolower(static_cast<unsigned char>(segment[i + 2])));
    }
  }
  return segment;
}

}  // namespace

std::optional<std::string> appendingPathComponent(const std::string& url,
                                                  const std::string& component) {
  // Encoded: the path, query and fragment keep their escapes as written.
  constexpr GUriFlags kFlags = G_URI_FLAGS_ENCODED;
  std::unique_ptr<GUri, URIUnref> parsed(g_uri_parse(url.c_str(), kFlags, nullptr));
  if (!parsed || !g_uri_get_host(parsed.get()) || *g_uri_get_host(parsed.get()) == '\0') {
    return std::nullopt;
  }
  std::string path = g_uri_get_path(parsed.get());
  if (path.empty() || path.back() != '/') path += '/';
  path += encodedSegment(component);
  std::unique_ptr<GUri, URIUnref> joined(
      g_uri_build(kFlags, g_uri_get_scheme(parsed.get()), g_uri_get_userinfo(parsed.get()),
                  g_uri_get_host(parsed.get()), g_uri_get_port(parsed.get()), path.c_str(),
                  g_uri_get_query(parsed.get()), g_uri_get_fragment(parsed.get())));
  Chars text(g_uri_to_string(joined.get()));
  return std::string(text.get());
}

}  // namespace net
