#include "platform/foundation/ColorSchemePortal.h"

#include <cstdlib>
#include <filesystem>

namespace foundation {

namespace {

constexpr const char* kPortalName = "org.freedesktop.portal.Desktop";
constexpr const char* kPortalPath = "/org/freedesktop/portal/desktop";
constexpr const char* kSettings = "org.freedesktop.portal.Settings";
constexpr const char* kNamespace = "org.freedesktop.appearance";
constexpr const char* kKey = "color-scheme";
// A portal that has not answered by then is taken as absent.
constexpr int kCallTimeoutMs = 3000;

// The portal wraps the value once (ReadOne) or twice (the older Read).
std::optional<ColorSchemePortal::Scheme> schemeFrom(GVariant* value) {
  GVariant* inner = g_variant_ref(value);
  while (g_variant_is_of_type(inner, G_VARIANT_TYPE_VARIANT)) {
    GVariant* next = g_variant_get_variant(inner);
    g_variant_unref(inner);
    inner = next;
  }
  std::optional<ColorSchemePortal::Scheme> scheme;
  if (g_variant_is_of_type(inner, G_VARIANT_TYPE_UINT32)) {
    switch (g_variant_get_uint32(inner)) {
      case 1:
        scheme = ColorSchemePortal::Scheme::Dark;
        break;
      case 2:
        scheme = ColorSchemePortal::Scheme::Light;
        break;
      default:
        scheme = ColorSchemePortal::Scheme::NoPreference;
    }
  }
  g_variant_unref(inner);
  return scheme;
}

GVariant* read(GDBusConnection* connection, const char* method, GCancellable* cancellable) {
  GError* error = nullptr;
  GVariant* reply = g_dbus_connection_call_sync(
      connection, kPortalName, kPortalPath, kSettings, method,
      g_variant_new("(ss)", kNamespace, kKey), G_VARIANT_TYPE("(v)"),
      G_DBUS_CALL_FLAGS_NO_AUTO_START, kCallTimeoutMs, cancellable, &error);
  if (error) g_error_free(error);
  return reply;
}

}  // namespace

ColorSchemePortal::ColorSchemePortal(std::string address, Handler handler)
    : address_(std::move(address)), handler_(std::move(handler)) {
  if (address_.empty()) {
    firstDone_ = true;
    return;
  }
  context_ = g_main_context_new();
  loop_ = g_main_loop_new(context_, FALSE);
  cancellable_ = g_cancellable_new();
  thread_ = std::thread([this] { run(); });
}

ColorSchemePortal::~ColorSchemePortal() {
  stop();
  if (loop_) g_main_loop_unref(loop_);
  if (context_) g_main_context_unref(context_);
  if (cancellable_) g_object_unref(cancellable_);
}

std::string ColorSchemePortal::sessionBusAddress() {
  if (const char* address = std::getenv("DBUS_SESSION_BUS_ADDRESS"); address && *address) {
    return address;
  }
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (!runtime || !*runtime) return {};
  std::error_code error;
  auto socket = std::filesystem::path(runtime) / "bus";
  if (!std::filesystem::is_socket(socket, error)) return {};
  return "unix:path=" + socket.string();
}

std::optional<ColorSchemePortal::Scheme> ColorSchemePortal::waitForFirstReading(
    std::chrono::milliseconds timeout) {
  std::unique_lock lock(mutex_);
  answered_.wait_for(lock, timeout, [this] { return firstDone_; });
  return first_;
}

void ColorSchemePortal::stop() {
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return;
    stopped_ = true;
  }
  if (!thread_.joinable()) return;
  // Ends a call in progress, and the loop whether or not it runs yet.
  g_cancellable_cancel(cancellable_);
  g_main_context_invoke(
      context_,
      [](gpointer loop) {
        g_main_loop_quit(static_cast<GMainLoop*>(loop));
        return G_SOURCE_REMOVE;
      },
      loop_);
  thread_.join();
}

void ColorSchemePortal::finishFirstReading(std::optional<Scheme> scheme) {
  {
    std::lock_guard lock(mutex_);
    firstDone_ = true;
    first_ = scheme;
  }
  answered_.notify_all();
  if (scheme) report(*scheme);
}

void ColorSchemePortal::report(Scheme scheme) {
  {
    std::lock_guard lock(mutex_);
    if (stopped_) return;
  }
  if (handler_) handler_(scheme);
}

void ColorSchemePortal::onSignal(GDBusConnection*, const char*, const char*, const char*,
                                 const char*, GVariant* parameters, gpointer self) {
  if (!g_variant_is_of_type(parameters, G_VARIANT_TYPE("(ssv)"))) return;
  const char* space = nullptr;
  const char* key = nullptr;
  GVariant* value = nullptr;
  g_variant_get(parameters, "(&s&sv)", &space, &key, &value);
  if (g_strcmp0(space, kNamespace) == 0 && g_strcmp0(key, kKey) == 0) {
    if (auto scheme = schemeFrom(value)) static_cast<ColorSchemePortal*>(self)->report(*scheme);
  }
  g_variant_unref(value);
}

void ColorSchemePortal::run() {
  // Signals are delivered on the main context that is the thread's default
  // where they were subscribed: this thread's own.
  g_main_context_push_thread_default(context_);
  GError* error = nullptr;
  GDBusConnection* connection = g_dbus_connection_new_for_address_sync(
      address_.c_str(),
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, cancellable_, &error);
  if (error) g_error_free(error);
  if (!connection) {
    finishFirstReading(std::nullopt);
    g_main_context_pop_thread_default(context_);
    return;
  }
  // Subscribed before the read, so that no change slips between the two.
  guint subscription = g_dbus_connection_signal_subscribe(
      connection, kPortalName, kSettings, "SettingChanged", kPortalPath, kNamespace,
      G_DBUS_SIGNAL_FLAGS_NONE, &ColorSchemePortal::onSignal, this, nullptr);
  GVariant* reply = read(connection, "ReadOne", cancellable_);
  if (!reply && !g_cancellable_is_cancelled(cancellable_)) {
    reply = read(connection, "Read", cancellable_);  // portals before version 2
  }
  std::optional<Scheme> scheme;
  if (reply) {
    GVariant* value = g_variant_get_child_value(reply, 0);
    scheme = schemeFrom(value);
    g_variant_unref(value);
    g_variant_unref(reply);
  }
  finishFirstReading(scheme);
  g_main_loop_run(loop_);
  g_dbus_connection_signal_unsubscribe(connection, subscription);
  g_object_unref(connection);
  g_main_context_pop_thread_default(context_);
}

}  // namespace foundation
