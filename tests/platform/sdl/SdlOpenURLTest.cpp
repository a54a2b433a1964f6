#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "platform/sdl/SdlBackend.h"

namespace {

// SDL opens a URL by running the first xdg-open on PATH. Here that is a stub
// that writes its argument into a pipe, so the test reads exactly what the
// desktop would have been asked to open, without a browser and without a sleep.
class SdlOpenURLTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/tamarock-xdg-XXXXXX";
    dir = mkdtemp(pattern);
    fifo = dir / "opened";
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    auto stub = dir / "xdg-open";
    std::ofstream(stub) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << fifo.string() << "'\n";
    std::filesystem::permissions(stub, std::filesystem::perms::owner_all);
    const char* path = std::getenv("PATH");
    oldPath = path ? path : "";
    setenv("PATH", (dir.string() + ":" + oldPath).c_str(), 1);
  }
  void TearDown() override {
    setenv("PATH", oldPath.c_str(), 1);
    std::error_code ec;
    std::filesystem::remove_all(dir, ec);
  }

  // What the stub received, once it has written and closed the pipe; nothing
  // if it did not within ten seconds.
  std::optional<std::string> received(int reader) {
    std::string text;
    for (;;) {
      pollfd wait{reader, POLLIN, 0};
      if (poll(&wait, 1, 10000) <= 0) return std::nullopt;
      char buffer[512];
      auto n = read(reader, buffer, sizeof buffer);
      if (n == 0) return text;
      if (n > 0) text.append(buffer, static_cast<std::size_t>(n));
    }
  }

  std::filesystem::path dir;
  std::filesystem::path fifo;
  std::string oldPath;
};

TEST_F(SdlOpenURLTest, HandsTheExactAddressToXdgOpen) {
  int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
  ASSERT_GE(reader, 0);
  const std::string url = "https://example.org/downloads/Tamarock.zip?a=1&b=two words;$(x)";
  sdl::SdlBackend backend;
  EXPECT_TRUE(backend.openURL(url));
  EXPECT_EQ(received(reader), url);
  close(reader);
}

}  // namespace
