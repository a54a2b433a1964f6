#pragma once

#include <cstdint>
#include <optional>

#include "platform/graphics/Color.h"
#include "shared/DotView.h"

// A Connect dot: highlighted while held; a completed press makes it the end of
// the line.
class ConnectDotView : public DotView {
 public:
  explicit ConnectDotView(foundation::Rect frame);

  // The dot's index in its screen's centre list.
  std::optional<std::int64_t> dotNumber;
  // The colour the dot rests in.
  graphics::Color connectDotColor;

  void highlight(const Sender& sender);
  void pressed(const Sender& sender);
  void reset(const Sender& sender);

 protected:
  void didCreate() override;
};
