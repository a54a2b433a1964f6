#pragma once

#include <cairo.h>
#include <glib-object.h>

#include <memory>

// Owning handles for the C objects of this layer. Each holds one reference
// and gives it back on destruction, so ownership shows in the type.
namespace graphics {

struct SurfaceRelease {
  void operator()(cairo_surface_t* s) const { cairo_surface_destroy(s); }
};
struct CairoRelease {
  void operator()(cairo_t* cr) const { cairo_destroy(cr); }
};
struct GObjectRelease {
  void operator()(gpointer object) const { g_object_unref(object); }
};

using SurfacePtr = std::unique_ptr<cairo_surface_t, SurfaceRelease>;
using CairoPtr = std::unique_ptr<cairo_t, CairoRelease>;
template <class T>
using GObjectPtr = std::unique_ptr<T, GObjectRelease>;

}  // namespace graphics
