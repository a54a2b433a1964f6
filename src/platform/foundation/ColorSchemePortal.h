#pragma once

#include <gio/gio.h>

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

namespace foundation {

// The desktop's light or dark preference, read from the XDG desktop portal's
// settings (org.freedesktop.appearance / color-scheme) on the session bus and
// followed through its SettingChanged signal. All of the D-Bus work happens on
// a thread of the portal's own, with a GLib main context of its own, so a slow
// or missing bus never holds up the caller. Without a bus or a portal nothing
// is ever reported.
class ColorSchemePortal {
 public:
  enum class Scheme { NoPreference, Dark, Light };
  // Called on the portal's thread: with the value first read, then with every change.
  using Handler = std::function<void(Scheme)>;

  // Starts the thread, on the bus at `address` (see sessionBusAddress); an
  // empty address starts nothing.
  ColorSchemePortal(std::string address, Handler handler);
  ~ColorSchemePortal();
  ColorSchemePortal(const ColorSchemePortal&) = delete;
  ColorSchemePortal& operator=(const ColorSchemePortal&) = delete;

  // Waits at most `timeout` for the first reading; none when the portal gave
  // none by then (no bus, no portal, no answer yet).
  std::optional<Scheme> waitForFirstReading(std::chrono::milliseconds timeout);
  // Ends the thread and waits for it; the handler is not called afterwards.
  // Any thread but the portal's.
  void stop();

  // The session bus as GIO finds it, without starting one: the environment's
  // address, else the user's runtime folder's bus socket; empty when neither.
  static std::string sessionBusAddress();

 private:
  void run();
  void report(Scheme scheme);
  void finishFirstReading(std::optional<Scheme> scheme);
  static void onSignal(GDBusConnection*, const char*, const char*, const char*, const char*,
                       GVariant* parameters, gpointer self);

  std::string address_;
  Handler handler_;
  GMainContext* context_ = nullptr;
  GMainLoop* loop_ = nullptr;
  GCancellable* cancellable_ = nullptr;
  std::mutex mutex_;
  std::condition_variable answered_;
  bool firstDone_ = false;
  bool stopped_ = false;
  std::optional<Scheme> first_;
  std::thread thread_;
};

}  // namespace foundation
