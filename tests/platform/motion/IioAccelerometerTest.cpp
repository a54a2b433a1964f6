#include "platform/motion/IioAccelerometer.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <future>

#include "platform/motion/IioSource.h"
#include "platform/motion/MotionTestSupport.h"

namespace motion {
namespace {

namespace fs = std::filesystem;

// A sysfs tree of IIO devices in a temporary folder.
class IioAccelerometerTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tamarock-iio-XXXXXX";
    root_ = mkdtemp(pattern);
  }
  void TearDown() override {
    std::error_code ec;
    fs::remove_all(root_, ec);
  }

  fs::path device(const std::string& name) {
    fs::create_directories(root_ / name);
    return root_ / name;
  }
  static void write(const fs::path& file, const std::string& text) {
    std::ofstream(file) << text << "\n";
  }
  // An accelerometer with one scale for all axes.
  fs::path accelerometer(const std::string& name, int x, int y, int z, const std::string& scale) {
    auto dir = device(name);
    write(dir / "in_accel_x_raw", std::to_string(x));
    write(dir / "in_accel_y_raw", std::to_string(y));
    write(dir / "in_accel_z_raw", std::to_string(z));
    write(dir / "in_accel_scale", scale);
    return dir;
  }

  fs::path root_;
};

TEST_F(IioAccelerometerTest, FindsTheFirstAccelerometerAndScalesItsRawValues) {
  write(device("iio:device0") / "in_illuminance_raw", "120");
  accelerometer("iio:device2", 1, 1, 1, "1");
  auto dir = accelerometer("iio:device1", 10, -20, 1000, "0.009806650");

  auto sensor = IioAccelerometer::find(root_);
  ASSERT_TRUE(sensor);
  EXPECT_EQ(sensor->directory(), dir);
  auto a = sensor->read();
  ASSERT_TRUE(a);
  EXPECT_NEAR((*a)[0], 0.0980665, 1e-12);
  EXPECT_NEAR((*a)[1], -0.196133, 1e-12);
  EXPECT_NEAR((*a)[2], 9.80665, 1e-12);
}

TEST_F(IioAccelerometerTest, PerAxisScaleAndOffsetsApply) {
  auto dir = accelerometer("iio:device0", 100, 200, 300, "0.5");
  write(dir / "in_accel_y_scale", "0.25");
  write(dir / "in_accel_z_offset", "-100");
  auto a = IioAccelerometer::find(root_)->read();
  ASSERT_TRUE(a);
  EXPECT_DOUBLE_EQ((*a)[0], 50);
  EXPECT_DOUBLE_EQ((*a)[1], 50);
  EXPECT_DOUBLE_EQ((*a)[2], 100);
}

TEST_F(IioAccelerometerTest, DevicesWithoutAUsableReadingAreNotAccelerometers) {
  EXPECT_FALSE(IioAccelerometer::find(root_ / "missing"));
  EXPECT_FALSE(IioAccelerometer::find(root_));
  auto noScale = device("iio:device0");
  write(noScale / "in_accel_x_raw", "1");
  write(noScale / "in_accel_y_raw", "1");
  write(noScale / "in_accel_z_raw", "1");
  auto twoAxes = device("iio:device1");
  write(twoAxes / "in_accel_x_raw", "1");
  write(twoAxes / "in_accel_y_raw", "1");
  write(twoAxes / "in_accel_scale", "1");
  accelerometer("iio:device2", 1, 1, 1, "garbage");
  EXPECT_FALSE(IioAccelerometer::find(root_));
}

TEST_F(IioAccelerometerTest, ReadingFailsOnceTheDeviceIsGoneOrReportsNonsense) {
  auto dir = accelerometer("iio:device0", 0, 0, 1000, "0.0098");
  auto sensor = IioAccelerometer::find(root_);
  ASSERT_TRUE(sensor);
  write(dir / "in_accel_x_raw", "nan");
  EXPECT_FALSE(sensor->read());
  write(dir / "in_accel_x_raw", "inf");
  EXPECT_FALSE(sensor->read());
  write(dir / "in_accel_x_raw", "1e400");
  EXPECT_FALSE(sensor->read());
  write(dir / "in_accel_x_raw", "3");
  EXPECT_TRUE(sensor->read());
  fs::remove_all(dir);
  EXPECT_FALSE(sensor->read());
}

TEST_F(IioAccelerometerTest, ReadingsBecomeTiltAndWeakOnesAreSkipped) {
  const double g = 9.80665;
  // Right edge down by 0.3 rad: the sensor feels the push towards -x.
  auto tilt = attitudeFromAcceleration({-g * std::sin(0.3), 0, g * std::cos(0.3)});
  ASSERT_TRUE(tilt);
  EXPECT_NEAR(tilt->roll(), 0.3, 1e-12);
  EXPECT_NEAR(tilt->pitch(), 0, 1e-12);
  EXPECT_NEAR(tilt->yaw(), 0, 1e-12);
  EXPECT_FALSE(attitudeFromAcceleration({0, 0, 0}));
  EXPECT_FALSE(attitudeFromAcceleration({0.1, 0, 0.1}));
}

TEST_F(IioAccelerometerTest, TheSourceSamplesTheDeviceAndReportsItsLoss) {
  IioSource absent(root_);
  EXPECT_FALSE(absent.isPresent());
  EXPECT_FALSE(absent.start(0.01, {}));

  // Top edge up by 0.4 rad.
  auto dir = accelerometer("iio:device0", 0, static_cast<int>(std::round(9806.65 * std::sin(0.4))),
                           static_cast<int>(std::round(9806.65 * std::cos(0.4))), "0.001");
  IioSource source(root_);
  EXPECT_TRUE(source.isPresent());
  auto first = std::make_shared<std::promise<DeviceMotion>>();
  auto lost = std::make_shared<std::promise<void>>();
  auto firstSample = first->get_future();
  auto loss = lost->get_future();
  auto taken = std::make_shared<bool>(false);
  ASSERT_TRUE(source.start(0.01, {.sample =
                                      [first, taken](const DeviceMotion& m) {
                                        if (!std::exchange(*taken, true)) first->set_value(m);
                                      },
                                  .lost = [lost] { lost->set_value(); }}));
  ASSERT_EQ(firstSample.wait_for(testing::kSensorPatience), std::future_status::ready);
  auto m = firstSample.get();
  EXPECT_NEAR(m.attitude.pitch(), 0.4, 1e-3);
  EXPECT_NEAR(m.attitude.roll(), 0, 1e-12);

  fs::remove_all(dir);
  EXPECT_EQ(loss.wait_for(testing::kSensorPatience), std::future_status::ready);
  source.stop();
}

}  // namespace
}  // namespace motion
