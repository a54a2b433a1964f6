#pragma once

#include <functional>
#include <string>

namespace ui {

// One button of an alert: its title, its role, and what choosing it does.
class AlertAction {
 public:
  enum class Style { Default, Cancel };
  using Handler = std::function<void(const AlertAction&)>;

  AlertAction(std::string title, Style style, Handler handler = nullptr)
      : title_(std::move(title)), style_(style), handler_(std::move(handler)) {}

  const std::string& title() const { return title_; }
  Style style() const { return style_; }
  void perform() const {
    if (handler_) handler_(*this);
  }

 private:
  std::string title_;
  Style style_;
  Handler handler_;
};

}  // namespace ui
