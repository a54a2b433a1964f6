#include "support/SessionBus.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

SessionBus::SessionBus() {
  const char* argv[] = {"dbus-daemon", "--session",         "--nofork",
                        "--nopidfile", "--print-address=1", nullptr};
  int out = -1;
  GError* error = nullptr;
  if (!g_spawn_async_with_pipes(
          nullptr, const_cast<char**>(argv), nullptr,
          static_cast<GSpawnFlags>(G_SPAWN_SEARCH_PATH | G_SPAWN_DO_NOT_REAP_CHILD), nullptr,
          nullptr, &pid_, nullptr, &out, nullptr, &error)) {
    g_error_free(error);
    pid_ = 0;
    return;
  }
  // The daemon prints its address once it listens.
  char c;
  while (read(out, &c, 1) == 1 && c != '\n') address_ += c;
  close(out);
}

SessionBus::~SessionBus() {
  if (pid_ <= 0) return;
  kill(pid_, SIGTERM);
  waitpid(pid_, nullptr, 0);
  g_spawn_close_pid(pid_);
}
