#include "support/Plists.h"

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <memory>

namespace plists {

std::string xmlDictionary(const std::string& entries) {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
         "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
         "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
         "<plist version=\"1.0\"><dict>" +
         entries + "</dict></plist>\n";
}

std::string xmlWithBuild(const std::string& build) {
  return xmlDictionary("<key>build</key><string>" + build + "</string>");
}

std::string binaryWithBuild(const std::string& build) {
  std::unique_ptr<void, decltype(&plist_free)> dict(plist_new_dict(), plist_free);
  plist_dict_set_item(static_cast<plist_t>(dict.get()), "build", plist_new_string(build.c_str()));
  char* data = nullptr;
  std::uint32_t length = 0;
  plist_to_bin(static_cast<plist_t>(dict.get()), &data, &length);
  std::string out(data, length);
  std::free(data);
  return out;
}

}  // namespace plists
