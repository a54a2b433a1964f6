#include "platform/ui/Scene.h"

#include <map>

namespace ui {

namespace {
std::map<std::string, SceneManifestEntry>& manifest() {
  static std::map<std::string, SceneManifestEntry> entries;
  return entries;
}
}  // namespace

void SceneManifest::registerConfiguration(const std::string& name, SceneManifestEntry entry) {
  manifest()[name] = std::move(entry);
}

const SceneManifestEntry* SceneManifest::lookup(const std::string& name) {
  auto it = manifest().find(name);
  return it == manifest().end() ? nullptr : &it->second;
}

}  // namespace ui
