#include "platform/sdl/SdlControllerSensors.h"

#include <gtest/gtest.h>

namespace sdl {
namespace {

// Whatever is plugged in, SDL's controller subsystem must not stay up once the
// sensors are closed or only looked for: an open joystick keeps SDL polling.
TEST(SdlControllerSensorsTest, TheControllerSubsystemRunsOnlyWhileOpen) {
  ASSERT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
  SdlControllerSensors sensors;
  bool present = sensors.isPresent();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);

  bool opened = sensors.open();
  EXPECT_EQ(opened, present);
  if (opened) {
    EXPECT_NE(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    EXPECT_TRUE(sensors.read());
  } else {
    EXPECT_FALSE(sensors.read());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u) << "a failed open leaves nothing up";
  }
  sensors.close();
  EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
  EXPECT_FALSE(sensors.read());
  sensors.close();
}

}  // namespace
}  // namespace sdl
