#include "platform/graphics/Color.h"

#include <algorithm>
#include <cmath>

#include "platform/graphics/Appearance.h"
#include "platform/graphics/GraphicsContext.h"

namespace graphics {

namespace {

double unit(double v) {
  return std::isnan(v) ? 0.0 : std::clamp(v, 0.0, 1.0);
}

Color byAppearance(Color light, Color dark) {
  return Appearance::current() == Appearance::Style::Dark ? dark : light;
}

// A background whose dark variant lifts a step for elevated content.
Color byAppearanceAndLevel(Color light, Color dark, Color elevatedDark) {
  bool elevated = Appearance::currentLevel() == Appearance::Level::Elevated;
  return byAppearance(light, elevated ? elevatedDark : dark);
}

// cairo rounds each premultiplied component to 16 bits and keeps the high
// byte when it fills an 8-bit surface.
std::uint32_t storedByte(double v) {
  auto wide = static_cast<std::uint32_t>(v * 65535.0 + 0.5);
  return wide >> 8;
}

}  // namespace

Color Color::fromRGB(double r, double g, double b, double a) {
  Color c;
  c.red_ = unit(r);
  c.green_ = unit(g);
  c.blue_ = unit(b);
  c.alpha_ = unit(a);
  return c;
}

Color Color::fromRGB255(int r, int g, int b, double a) {
  auto channel = [](int v) { return std::clamp(v, 0, 255) / 255.0; };
  return fromRGB(channel(r), channel(g), channel(b), a);
}

Color Color::fromHSB(double hue, double saturation, double brightness, double alpha) {
  double h = unit(hue) * 6.0;
  if (h >= 6.0) h = 0.0;
  double s = unit(saturation), v = unit(brightness);
  int sector = static_cast<int>(h);
  double f = h - sector;
  double p = v * (1 - s), q = v * (1 - s * f), t = v * (1 - s * (1 - f));
  switch (sector) {
    case 0:
      return fromRGB(v, t, p, alpha);
    case 1:
      return fromRGB(q, v, p, alpha);
    case 2:
      return fromRGB(p, v, t, alpha);
    case 3:
      return fromRGB(p, q, v, alpha);
    case 4:
      return fromRGB(t, p, v, alpha);
    default:
      return fromRGB(v, p, q, alpha);
  }
}

void Color::getHSB(double& hue, double& saturation, double& brightness) const {
  double maxC = std::max({red_, green_, blue_});
  double minC = std::min({red_, green_, blue_});
  double delta = maxC - minC;
  brightness = maxC;
  saturation = maxC > 0 ? delta / maxC : 0;
  if (delta <= 0) {
    hue = 0;
    return;
  }
  double h;
  if (maxC == red_) {
    h = (green_ - blue_) / delta;
  } else if (maxC == green_) {
    h = 2 + (blue_ - red_) / delta;
  } else {
    h = 4 + (red_ - green_) / delta;
  }
  h /= 6;
  if (h < 0) h += 1;
  hue = h >= 1 ? 0 : h;
}

Color Color::systemGray() {
  return byAppearance(fromRGB255(142, 142, 147), fromRGB255(142, 142, 147));
}
Color Color::systemGray2() {
  return byAppearance(fromRGB255(174, 174, 178), fromRGB255(99, 99, 102));
}
Color Color::systemBackground() {
  return byAppearanceAndLevel(fromRGB255(255, 255, 255), fromRGB255(0, 0, 0),
                              fromRGB255(28, 28, 30));
}
Color Color::secondarySystemBackground() {
  return byAppearanceAndLevel(fromRGB255(242, 242, 247), fromRGB255(28, 28, 30),
                              fromRGB255(44, 44, 46));
}
Color Color::systemGroupedBackground() {
  return byAppearanceAndLevel(fromRGB255(242, 242, 247), fromRGB255(0, 0, 0),
                              fromRGB255(28, 28, 30));
}
Color Color::secondarySystemGroupedBackground() {
  return byAppearanceAndLevel(fromRGB255(255, 255, 255), fromRGB255(28, 28, 30),
                              fromRGB255(44, 44, 46));
}
Color Color::label() {
  return byAppearance(fromRGB255(0, 0, 0), fromRGB255(255, 255, 255));
}
Color Color::secondaryLabel() {
  return byAppearance(fromRGB255(60, 60, 67, 0.6), fromRGB255(235, 235, 245, 0.6));
}
Color Color::separator() {
  return byAppearance(fromRGB255(60, 60, 67, 0.29), fromRGB255(84, 84, 88, 0.6));
}
Color Color::systemBlue() {
  return byAppearance(fromRGB255(0, 122, 255), fromRGB255(10, 132, 255));
}
Color Color::systemGreen() {
  return byAppearance(fromRGB255(52, 199, 89), fromRGB255(48, 209, 88));
}
Color Color::clear() {
  return fromRGB(0, 0, 0, 0);
}
Color Color::white() {
  return fromRGB(1, 1, 1);
}
Color Color::black() {
  return fromRGB(0, 0, 0);
}

Color Color::withAlpha(double alpha) const {
  return fromRGB(red_, green_, blue_, alpha);
}

void Color::setFill() const {
  if (auto* context = GraphicsContext::current()) context->setFillColor(*this);
}

void Color::setStroke() const {
  if (auto* context = GraphicsContext::current()) context->setStrokeColor(*this);
}

std::uint32_t Color::premultipliedARGB() const {
  return storedByte(alpha_) << 24 | storedByte(red_ * alpha_) << 16 |
         storedByte(green_ * alpha_) << 8 | storedByte(blue_ * alpha_);
}

}  // namespace graphics
