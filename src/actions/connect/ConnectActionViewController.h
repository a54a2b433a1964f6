#pragma once

#include <cstdint>
#include <vector>

#include "platform/foundation/Geometry.h"
#include "stage/ActionViewController.h"

// Connect the dots: four to six dots scattered anew at each appearance and one
// line, whose end moves to whichever dot is pressed.
class ConnectActionViewController : public ActionViewController {
 public:
  using ActionViewController::ActionViewController;

  // A candidate centre is given up after this many draws; the board then has no
  // further dots. Only a window too small for the spacing gets near it.
  static constexpr int kMaxPlacementAttempts = 1000;

  // The centre of every dot; a dot's number is its index here.
  std::vector<foundation::Point> centerPoints;
  std::int64_t beginningPointNumber = 0;
  std::int64_t endPointNumber = 1;

  void viewWillAppear(bool animated) override;
  void updateColors() override;
  // Makes dot `number` the new end of the line; the old end becomes its start.
  void connectPoint(std::int64_t number);

 private:
  // False when no free place was found within the attempts.
  bool placeDot();
  bool isDotNumber(std::int64_t number) const;
};
