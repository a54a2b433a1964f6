#include "FatalGLibWarnings.h"

#include <glib.h>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kFatalLevels = G_LOG_LEVEL_ERROR | G_LOG_LEVEL_CRITICAL | G_LOG_LEVEL_WARNING;

void abortOnWarning(const gchar* domain, GLogLevelFlags level, const gchar* message, gpointer) {
  if ((level & kFatalLevels) == 0) return;
  std::fprintf(stderr, "GLib warning turned fatal (%s): %s\n", domain ? domain : "", message);
  std::abort();
}

GLogWriterOutput abortOnStructuredWarning(GLogLevelFlags level, const GLogField* fields,
                                          gsize count, gpointer) {
  if ((level & kFatalLevels) != 0) {
    std::fprintf(stderr, "GLib warning turned fatal\n");
    g_log_writer_standard_streams(level, fields, count, nullptr);
    std::abort();
  }
  return G_LOG_WRITER_HANDLED;
}

}  // namespace

void makeGLibWarningsFatal() {
  g_log_set_default_handler(abortOnWarning, nullptr);
  g_log_set_writer_func(abortOnStructuredWarning, nullptr, nullptr);
}
