#include "support/Plists.h"

#include <plist/plist.h>

#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

namespace plists {

namespace {

const char* const kXmlHead =
    "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
    "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
    "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n";

void appendBigEndian(std::string& out, std::uint64_t value, int bytes) {
  for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8) {
    out += static_cast<char>((value >> shift) & 0xff);
  }
}

// A short ASCII string object of the binary format.
std::string binaryString(const std::string& text) {
  return static_cast<char>(0x50 | text.size()) + text;
}

}  // namespace

std::string xmlDictionary(const std::string& entries) {
  return kXmlHead + std::string("<plist version=\"1.0\"><dict>") + entries + "</dict></plist>\n";
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

std::string binaryReferenceBomb(const std::string& build, int levels, int fanout) {
  // Written by hand: libplist's writer would have to hold the expanded tree.
  // Objects: 0 the root dictionary, 1 "build", 2 the build, 3 "pad", then the
  // arrays, then the `true` the last array refers to. References are one byte.
  std::vector<std::string> objects;
  objects.push_back(std::string{'\xd2', 1, 3, 2, 4});
  objects.push_back(binaryString("build"));
  objects.push_back(binaryString(build));
  objects.push_back(binaryString("pad"));
  for (int level = 0; level < levels; ++level) {
    std::string array;
    if (fanout < 15) {
      array += static_cast<char>(0xa0 | fanout);
    } else {
      array += '\xaf';
      array += '\x10';  // a one-byte integer holds the count
      array += static_cast<char>(fanout);
    }
    array.append(static_cast<std::size_t>(fanout), static_cast<char>(4 + level + 1));
    objects.push_back(array);
  }
  objects.push_back(std::string{'\x09'});

  std::string out = "bplist00";
  std::vector<std::uint64_t> offsets;
  for (const auto& object : objects) {
    offsets.push_back(out.size());
    out += object;
  }
  std::uint64_t tableOffset = out.size();
  for (auto offset : offsets) appendBigEndian(out, offset, 2);
  out.append(6, '\0');  // unused, sort version
  out += '\x02';        // offset size
  out += '\x01';        // reference size
  appendBigEndian(out, objects.size(), 8);
  appendBigEndian(out, 0, 8);  // the root is object 0
  appendBigEndian(out, tableOffset, 8);
  return out;
}

std::string xmlNestedArrays(const std::string& build, int depth) {
  std::string entries = "<key>build</key><string>" + build + "</string><key>pad</key>";
  entries.reserve(entries.size() + static_cast<std::size_t>(depth) * 15);
  for (int i = 0; i < depth; ++i) entries += "<array>";
  for (int i = 0; i < depth; ++i) entries += "</array>";
  return xmlDictionary(entries);
}

std::string xmlEntityExpansion(const std::string& build, int levels) {
  std::string subset = "<!ENTITY e0 \"" + build + "\">";
  for (int level = 1; level < levels; ++level) {
    subset += "<!ENTITY e" + std::to_string(level) + " \"";
    for (int i = 0; i < 10; ++i) subset += "&e" + std::to_string(level - 1) + ";";
    subset += "\">";
  }
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE plist [" + subset +
         "]>\n<plist version=\"1.0\"><dict><key>build</key><string>&e" +
         std::to_string(levels - 1) + ";</string></dict></plist>\n";
}

}  // namespace plists
