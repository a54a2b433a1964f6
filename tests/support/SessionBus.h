#pragma once

#include <glib.h>

#include <string>

// A private D-Bus session bus: a dbus-daemon of its own, started by the
// constructor and ended by the destructor. address() is empty when the daemon
// could not be started.
class SessionBus {
 public:
  SessionBus();
  ~SessionBus();
  SessionBus(const SessionBus&) = delete;
  SessionBus& operator=(const SessionBus&) = delete;

  const std::string& address() const { return address_; }

 private:
  GPid pid_ = 0;
  std::string address_;
};
