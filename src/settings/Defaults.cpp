#include "settings/Defaults.h"

#include "platform/foundation/UserDefaults.h"

namespace Defaults {

namespace {
const char* const kFirstLaunch = "FirstLaunch";
const char* const kRandomColors = "RandomColors";
const char* const kCurrentAction = "CurrentAction";
const char* const kSkipUpdateBuild = "SkipUpdateBuild";

foundation::UserDefaults& store() {
  return foundation::UserDefaults::standard();
}
}  // namespace

bool firstLaunch() {
  // Only installing an action stores CurrentAction, so a file holding one comes from an earlier
  // launch, even when a hand edit left FirstLaunch unreadable.
  if (!store().storedBoolForKey(kFirstLaunch) && store().storedIntegerForKey(kCurrentAction)) {
    return false;
  }
  return store().boolForKey(kFirstLaunch);
}
void setFirstLaunch(bool value) {
  store().setBool(kFirstLaunch, value);
}
bool randomColors() {
  return store().boolForKey(kRandomColors);
}
void setRandomColors(bool value) {
  store().setBool(kRandomColors, value);
}
std::int64_t currentAction() {
  // A number too large to store is still no action: it must open the choices, not pick Touch.
  return store().clampedIntegerForKey(kCurrentAction);
}
void setCurrentAction(std::int64_t value) {
  store().setInteger(kCurrentAction, value);
}
std::int64_t skipUpdateBuild() {
  return store().integerForKey(kSkipUpdateBuild);
}
void setSkipUpdateBuild(std::int64_t value) {
  store().setInteger(kSkipUpdateBuild, value);
}

void registerDefaults() {
  store().registerDefaults({{kRandomColors, false},
                            {kFirstLaunch, true},
                            {kSkipUpdateBuild, std::int64_t{0}},
                            {kCurrentAction, std::int64_t{0}}});
}

}  // namespace Defaults
