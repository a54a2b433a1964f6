#pragma once

#include <memory>
#include <vector>

namespace ui {

class View;

enum class Edge { Top, Bottom, Leading, Trailing };

class LayoutConstraint;

// The one kind of constraint this toolkit needs: an edge of a view held to the
// same edge of its superview at a constant distance.
class LayoutAnchor {
 public:
  LayoutAnchor(std::weak_ptr<View> view, Edge edge) : view_(std::move(view)), edge_(edge) {}
  std::shared_ptr<LayoutConstraint> constraintEqualTo(const LayoutAnchor& other,
                                                      double constant = 0) const;
  std::shared_ptr<View> view() const { return view_.lock(); }
  Edge edge() const { return edge_; }

 private:
  std::weak_ptr<View> view_;
  Edge edge_;
};

class LayoutConstraint : public std::enable_shared_from_this<LayoutConstraint> {
 public:
  LayoutConstraint(LayoutAnchor first, LayoutAnchor second, double constant)
      : first_(std::move(first)), second_(std::move(second)), constant_(constant) {}

  const LayoutAnchor& firstAnchor() const { return first_; }
  const LayoutAnchor& secondAnchor() const { return second_; }
  double constant() const { return constant_; }
  void setActive(bool active);

  // The view left its superview: the constraint is dropped without layout.
  void deactivateDetached() { active_ = false; }

  static void activate(const std::vector<std::shared_ptr<LayoutConstraint>>& constraints);

 private:
  LayoutAnchor first_;
  LayoutAnchor second_;
  double constant_;
  bool active_ = false;
};

}  // namespace ui
