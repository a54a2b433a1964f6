#pragma once

#include <cstdint>

namespace graphics {

// An sRGB colour with straight (not premultiplied) alpha; every component is
// kept in [0, 1]. System colours are resolved against Appearance::current()
// and its current level when they are asked for, so hold on to the Color
// only as long as that appearance should apply.
class Color {
 public:
  Color() = default;  // transparent black

  // Components outside [0, 1] are clamped; NaN counts as 0.
  static Color fromRGB(double r, double g, double b, double a = 1);
  static Color fromRGB255(int r, int g, int b, double a = 1);
  // The standard HSV conversion, inputs clamped to [0, 1]; the hue circle
  // closes, so hue 1.0 is the same colour as hue 0.0.
  static Color fromHSB(double hue, double saturation, double brightness, double alpha);

  // The inverse of fromHSB: hue in [0, 1), and 0 for greys.
  void getHSB(double& hue, double& saturation, double& brightness) const;

  static Color systemGray();
  static Color systemGray2();
  static Color systemBackground();
  static Color secondarySystemBackground();
  // Behind and on grouped content: a grouped table's backdrop, and its rows.
  static Color systemGroupedBackground();
  static Color secondarySystemGroupedBackground();
  static Color label();
  static Color secondaryLabel();
  static Color separator();
  static Color systemBlue();
  static Color systemGreen();
  static Color clear();
  static Color white();
  static Color black();

  double red() const { return red_; }
  double green() const { return green_; }
  double blue() const { return blue_; }
  double alpha() const { return alpha_; }

  Color withAlpha(double alpha) const;
  friend bool operator==(const Color&, const Color&) = default;

  // Make this the fill or stroke colour of GraphicsContext::current();
  // nothing happens when no context is current.
  void setFill() const;
  void setStroke() const;

  // The pixel cairo stores when this colour is painted over transparency.
  std::uint32_t premultipliedARGB() const;

 private:
  double red_ = 0;
  double green_ = 0;
  double blue_ = 0;
  double alpha_ = 0;
};

}  // namespace graphics
