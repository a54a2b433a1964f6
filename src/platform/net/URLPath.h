#pragma once

#include <optional>
#include <string>

namespace net {

// `url` with `component` added as one more segment of its path, a single "/"
// between them whether or not the path already ended in one; the query and
// fragment stay as they were. The component is percent-encoded where a path
// segment needs it. Nothing when `url` is not an absolute URL.
std::optional<std::string> appendingPathComponent(const std::string& url,
                                                  const std::string& component);

}  // namespace net
