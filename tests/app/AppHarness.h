#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <memory>

#include "platform/foundation/Geometry.h"
#include "platform/headless/HeadlessBackend.h"
#include "platform/ui/Window.h"
#include "stage/MasterViewController.h"

// The real application, controllers and run loop on a virtual clock, shown
// through the headless window backend: each test starts from a fresh process
// state and a settings file of its own.
class AppHarness : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Launches up to the first frame, in a window of `size` points.
  void launch(foundation::Size size = {800, 600});
  // Settings as a returning user left them: past the first launch, on `action`.
  void storeReturningUser(std::int64_t action = 0);
  void advance(double seconds);

  std::shared_ptr<ui::Window> window() const;
  std::shared_ptr<MasterViewController> master() const;
  std::shared_ptr<ui::ViewController> presented() const;
  // The installed action screen when it is a T, else null.
  template <class T>
  std::shared_ptr<T> currentAction() const {
    auto m = master();
    return m ? std::dynamic_pointer_cast<T>(m->currentActionViewController) : nullptr;
  }

  void touch(ui::TouchPhase phase, foundation::Point p, std::int64_t id = 1);
  void tap(foundation::Point p);
  void key(ui::Key key, std::string input = {}, unsigned modifiers = 0);

  // The composited pixel (premultiplied ARGB) at a point of the window.
  std::uint32_t pixelAt(foundation::Point p);

  // Blocks until the Background queue has run everything submitted so far, so
  // that no check of one test can post into the next.
  void waitForBackground();

  std::filesystem::path settingsFile() const { return dir_ / "settings.ini"; }

  std::shared_ptr<headless::HeadlessBackend> backend;

 private:
  std::filesystem::path dir_;
};

std::uint32_t argb(int r, int g, int b);
