#include "platform/graphics/TextLayout.h"

#include <algorithm>
#include <cmath>
#include <memory>

#include "platform/graphics/GraphicsContext.h"

namespace graphics {

namespace {

constexpr const char* kFamily = "DejaVu Sans";
// Pango's own default; set anyway so that no desktop setting can change it.
// Sizes are absolute, so the resolution does not scale the text.
constexpr double kResolution = 96;
constexpr double kMaxPointSize = 4096;
constexpr double kMaxWidth = 1e6;  // far past any window, well inside Pango's int units

struct FontOptionsRelease {
  void operator()(cairo_font_options_t* o) const { cairo_font_options_destroy(o); }
};
struct FontDescriptionRelease {
  void operator()(PangoFontDescription* d) const { pango_font_description_free(d); }
};
struct GFreeRelease {
  void operator()(gchar* s) const { g_free(s); }
};

// Unhinted outlines and unrounded positions: the measured size then does not
// depend on the device scale or on desktop font settings.
GObjectPtr<PangoContext> makeMeasuringContext() {
  GObjectPtr<PangoContext> context(
      pango_font_map_create_context(pango_cairo_font_map_get_default()));
  std::unique_ptr<cairo_font_options_t, FontOptionsRelease> options(cairo_font_options_create());
  cairo_font_options_set_hint_style(options.get(), CAIRO_HINT_STYLE_NONE);
  cairo_font_options_set_hint_metrics(options.get(), CAIRO_HINT_METRICS_OFF);
  cairo_font_options_set_antialias(options.get(), CAIRO_ANTIALIAS_GRAY);
  pango_cairo_context_set_font_options(context.get(), options.get());
  pango_cairo_context_set_resolution(context.get(), kResolution);
  pango_context_set_round_glyph_positions(context.get(), FALSE);
  return context;
}

}  // namespace

TextLayout::TextLayout(std::string utf8, double pointSize, bool bold) {
  auto context = makeMeasuringContext();
  layout_.reset(pango_layout_new(context.get()));

  double size = std::isnan(pointSize) ? 1 : std::clamp(pointSize, 1.0, kMaxPointSize);
  std::unique_ptr<PangoFontDescription, FontDescriptionRelease> font(pango_font_description_new());
  pango_font_description_set_family(font.get(), kFamily);
  pango_font_description_set_weight(font.get(), bold ? PANGO_WEIGHT_BOLD : PANGO_WEIGHT_NORMAL);
  pango_font_description_set_absolute_size(font.get(), size * PANGO_SCALE);
  pango_layout_set_font_description(layout_.get(), font.get());

  // Pango warns on the console about invalid UTF-8 (and embedded NULs);
  // repair the text first instead.
  std::unique_ptr<gchar, GFreeRelease> valid(
      g_utf8_make_valid(utf8.data(), static_cast<gssize>(utf8.size())));
  pango_layout_set_text(layout_.get(), valid.get(), -1);
}

void TextLayout::setMaxWidth(double points) {
  pango_layout_set_height(layout_.get(), -1);  // one line
  if (std::isfinite(points) && points > 0) {
    pango_layout_set_width(layout_.get(), pango_units_from_double(std::min(points, kMaxWidth)));
    pango_layout_set_ellipsize(layout_.get(), PANGO_ELLIPSIZE_END);
  } else {
    pango_layout_set_width(layout_.get(), -1);
    pango_layout_set_ellipsize(layout_.get(), PANGO_ELLIPSIZE_NONE);
  }
}

void TextLayout::setWrapWidth(double points, int maxLines) {
  if (std::isfinite(points) && points > 0) {
    pango_layout_set_width(layout_.get(), pango_units_from_double(std::min(points, kMaxWidth)));
  } else {
    pango_layout_set_width(layout_.get(), -1);
  }
  pango_layout_set_wrap(layout_.get(), PANGO_WRAP_WORD_CHAR);
  // A negative height counts lines; Pango ellipsizes the last one it keeps.
  pango_layout_set_height(layout_.get(), maxLines > 0 ? -maxLines : -1);
  pango_layout_set_ellipsize(layout_.get(),
                             maxLines > 0 ? PANGO_ELLIPSIZE_END : PANGO_ELLIPSIZE_NONE);
}

void TextLayout::setAlignment(Alignment alignment) {
  // Pango takes left and right relative to the context's direction, left to
  // right here, and swaps them for a paragraph that runs the other way (one
  // that starts in Arabic or Hebrew). Ours are where the lines stand on the page.
  PangoLayoutLine* first = pango_layout_get_line_readonly(layout_.get(), 0);
  bool rightToLeft =
      first != nullptr && pango_layout_line_get_resolved_direction(first) == PANGO_DIRECTION_RTL;
  switch (alignment) {
    case Alignment::Left:
      pango_layout_set_alignment(layout_.get(), rightToLeft ? PANGO_ALIGN_RIGHT : PANGO_ALIGN_LEFT);
      break;
    case Alignment::Center:
      pango_layout_set_alignment(layout_.get(), PANGO_ALIGN_CENTER);
      break;
    case Alignment::Right:
      pango_layout_set_alignment(layout_.get(), rightToLeft ? PANGO_ALIGN_LEFT : PANGO_ALIGN_RIGHT);
      break;
  }
}

int TextLayout::lineCount() const {
  return pango_layout_get_line_count(layout_.get());
}

bool TextLayout::isEllipsized() const {
  return pango_layout_is_ellipsized(layout_.get());
}

foundation::Size TextLayout::size() const {
  PangoRectangle logical;
  pango_layout_get_extents(layout_.get(), nullptr, &logical);
  return {pango_units_to_double(logical.width), pango_units_to_double(logical.height)};
}

double TextLayout::baseline() const {
  return pango_units_to_double(pango_layout_get_baseline(layout_.get()));
}

void TextLayout::drawAt(foundation::Point topLeft, Color color) const {
  auto* context = GraphicsContext::current();
  if (!context) return;
  cairo_t* cr = context->cairo();
  cairo_save(cr);
  cairo_set_source_rgba(cr, color.red(), color.green(), color.blue(), color.alpha());
  cairo_move_to(cr, topLeft.x, topLeft.y);
  pango_cairo_show_layout(cr, layout_.get());
  cairo_restore(cr);
}

}  // namespace graphics
