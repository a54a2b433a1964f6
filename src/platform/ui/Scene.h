#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/ui/Responder.h"

namespace ui {

class Window;
class WindowScene;

struct SceneSession {
  std::string role = "UIWindowSceneSessionRoleApplication";
  std::string persistentIdentifier;
};

struct SceneConfiguration {
  std::string name;
  std::string role;
};

class WindowSceneDelegate : public Responder {
 public:
  virtual void willConnect(WindowScene& scene, const SceneSession& session) {
    (void)scene;
    (void)session;
  }
  virtual void didDisconnect(WindowScene& scene) { (void)scene; }
  virtual void didBecomeActive(WindowScene& scene) { (void)scene; }
  virtual void willResignActive(WindowScene& scene) { (void)scene; }
  virtual void willEnterForeground(WindowScene& scene) { (void)scene; }
  virtual void didEnterBackground(WindowScene& scene) { (void)scene; }
  // The scene's size, orientation or traits changed.
  virtual void didUpdateCoordinateSpace(WindowScene& scene) { (void)scene; }
};

// What the scene manifest says about a configuration name.
struct SceneManifestEntry {
  std::function<std::shared_ptr<WindowSceneDelegate>()> delegateFactory;
  std::string storyboard;
};

class SceneManifest {
 public:
  static void registerConfiguration(const std::string& name, SceneManifestEntry entry);
  static const SceneManifestEntry* lookup(const std::string& name);
};

class Scene : public Responder {
 public:
  explicit Scene(SceneSession session) : session_(std::move(session)) {}
  const SceneSession& session() const { return session_; }

 private:
  SceneSession session_;
};

class WindowScene : public Scene {
 public:
  using Scene::Scene;
  const std::vector<std::shared_ptr<Window>>& windows() const { return windows_; }
  void addWindow(const std::shared_ptr<Window>& window) { windows_.push_back(window); }
  const std::shared_ptr<WindowSceneDelegate>& delegate() const { return delegate_; }
  void setDelegate(std::shared_ptr<WindowSceneDelegate> delegate) {
    delegate_ = std::move(delegate);
  }

 private:
  std::vector<std::shared_ptr<Window>> windows_;
  std::shared_ptr<WindowSceneDelegate> delegate_;
};

}  // namespace ui
