#include "support/PortalStandIn.h"

namespace {

constexpr const char* kPath = "/org/freedesktop/portal/desktop";
constexpr const char* kInterface = "org.freedesktop.portal.Settings";
constexpr const char* kIntrospection = R"(<node>
  <interface name="org.freedesktop.portal.Settings">
    <method name="Read">
      <arg type="s" name="namespace" direction="in"/>
      <arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <method name="ReadOne">
      <arg type="s" name="namespace" direction="in"/>
      <arg type="s" name="key" direction="in"/>
      <arg type="v" name="value" direction="out"/>
    </method>
    <signal name="SettingChanged">
      <arg type="s" name="namespace"/>
      <arg type="s" name="key"/>
      <arg type="v" name="value"/>
    </signal>
  </interface>
</node>)";

}  // namespace

PortalStandIn::PortalStandIn(const std::string& busAddress, std::uint32_t colorScheme,
                             bool answersReadOne)
    : scheme_(colorScheme), answersReadOne_(answersReadOne) {
  context_ = g_main_context_new();
  loop_ = g_main_loop_new(context_, FALSE);
  // Calls are dispatched on the context that was the thread's default when
  // the object was registered.
  g_main_context_push_thread_default(context_);
  connection_ = g_dbus_connection_new_for_address_sync(
      busAddress.c_str(),
      static_cast<GDBusConnectionFlags>(G_DBUS_CONNECTION_FLAGS_AUTHENTICATION_CLIENT |
                                        G_DBUS_CONNECTION_FLAGS_MESSAGE_BUS_CONNECTION),
      nullptr, nullptr, nullptr);
  if (connection_) {
    GDBusNodeInfo* node = g_dbus_node_info_new_for_xml(kIntrospection, nullptr);
    static const GDBusInterfaceVTable vtable{&PortalStandIn::onCall, nullptr, nullptr, {}};
    registration_ = g_dbus_connection_register_object(connection_, kPath, node->interfaces[0],
                                                      &vtable, this, nullptr, nullptr);
    g_dbus_node_info_unref(node);
    GVariant* reply = g_dbus_connection_call_sync(
        connection_, "org.freedesktop.DBus", "/org/freedesktop/DBus", "org.freedesktop.DBus",
        "RequestName", g_variant_new("(su)", "org.freedesktop.portal.Desktop", 4u),
        G_VARIANT_TYPE("(u)"), G_DBUS_CALL_FLAGS_NONE, 5000, nullptr, nullptr);
    std::uint32_t result = 0;
    if (reply) {
      g_variant_get(reply, "(u)", &result);
      g_variant_unref(reply);
    }
    if (result != 1 && registration_) {  // not the primary owner
      g_dbus_connection_unregister_object(connection_, registration_);
      registration_ = 0;
    }
  }
  g_main_context_pop_thread_default(context_);
  thread_ = std::thread([this] {
    g_main_context_push_thread_default(context_);
    g_main_loop_run(loop_);
    g_main_context_pop_thread_default(context_);
  });
}

PortalStandIn::~PortalStandIn() {
  g_main_context_invoke(
      context_,
      [](gpointer loop) {
        g_main_loop_quit(static_cast<GMainLoop*>(loop));
        return G_SOURCE_REMOVE;
      },
      loop_);
  thread_.join();
  if (connection_) {
    if (registration_) g_dbus_connection_unregister_object(connection_, registration_);
    g_dbus_connection_close_sync(connection_, nullptr, nullptr);
    g_object_unref(connection_);
  }
  g_main_loop_unref(loop_);
  g_main_context_unref(context_);
}

void PortalStandIn::setColorScheme(std::uint32_t value) {
  scheme_ = value;
  announceOther("org.freedesktop.appearance", "color-scheme", value);
}

void PortalStandIn::announceOther(const char* space, const char* key, std::uint32_t value) {
  if (!connection_) return;
  g_dbus_connection_emit_signal(connection_, nullptr, kPath, kInterface, "SettingChanged",
                                g_variant_new("(ssv)", space, key, g_variant_new_uint32(value)),
                                nullptr);
  g_dbus_connection_flush_sync(connection_, nullptr, nullptr);
}

void PortalStandIn::onCall(GDBusConnection*, const char*, const char*, const char*,
                           const char* method, GVariant* parameters,
                           GDBusMethodInvocation* invocation, gpointer self) {
  auto* portal = static_cast<PortalStandIn*>(self);
  const char* space = nullptr;
  const char* key = nullptr;
  g_variant_get(parameters, "(&s&s)", &space, &key);
  bool readOne = g_strcmp0(method, "ReadOne") == 0;
  if ((readOne && !portal->answersReadOne_) || g_strcmp0(space, "org.freedesktop.appearance") ||
      g_strcmp0(key, "color-scheme")) {
    g_dbus_method_invocation_return_dbus_error(invocation,
                                               readOne && !portal->answersReadOne_
                                                   ? "org.freedesktop.DBus.Error.UnknownMethod"
                                                   : "org.freedesktop.portal.Error.NotFound",
                                               "no such setting");
    return;
  }
  ++portal->reads_;
  GVariant* value = g_variant_new_uint32(portal->scheme_.load());
  // The older Read wraps the value in a second variant.
  if (!readOne) value = g_variant_new_variant(value);
  g_dbus_method_invocation_return_value(invocation, g_variant_new("(v)", value));
}
