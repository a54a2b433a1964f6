#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <future>
#include <memory>
#include <thread>

#include "platform/net/ProcessURLLoader.h"
#include "support/ChildProcesses.h"
#include "support/HttpTestServer.h"

using net::ProcessURLLoader;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::Not;

namespace {

// Every load goes through the real helper program, as the program's do,
// against a real server on loopback.
class ProcessURLLoaderTest : public ::testing::Test {
 protected:
  std::string url(const std::string& path) const { return server.baseURL() + path; }
  net::LoadResult load(const std::string& path, const net::LoadOptions& options = {}) {
    return ProcessURLLoader::load(helper, url(path), options);
  }
  std::vector<pid_t> helpers() const { return childProcessesNamed(helper.filename()); }

  const std::filesystem::path helper = TAMAROCK_TEST_FETCH_HELPER;
  HttpTestServer server;
};

TEST_F(ProcessURLLoaderTest, TheHelperLoadsWithTheLoadersRulesAndLimits) {
  std::string body("binary\0body", 11);
  server.serve("/a", body);
  auto loaded = load("/a");
  ASSERT_TRUE(loaded.succeeded()) << loaded.failureReason;
  EXPECT_EQ(*loaded.body, body);
  EXPECT_TRUE(loaded.failureReason.empty());

  // The helper's failure reason comes back whole.
  server.serve("/gone", "<html>gone</html>", 404, "text/html");
  auto missing = load("/gone");
  EXPECT_FALSE(missing.succeeded());
  EXPECT_THAT(missing.failureReason, HasSubstr("404"));
  EXPECT_THAT(missing.failureReason, Not(HasSubstr("gone")));

  // Plain http still may not leave the machine.
  server.redirect("/away", "http://example.invalid/x");
  auto away = load("/away");
  EXPECT_FALSE(away.succeeded());
  EXPECT_THAT(away.failureReason, HasSubstr("not https: http://example.invalid/x"));

  // Each limit of the options reaches the helper.
  net::LoadOptions limited;
  limited.maxBytes = 4;
  server.serve("/five", "12345");
  EXPECT_THAT(load("/five", limited).failureReason, HasSubstr("larger than 4 bytes"));
  limited.maxBytes = 5;
  EXPECT_EQ(load("/five", limited).body, "12345");
  limited.maxRedirects = 0;
  server.redirect("/once", "/five");
  EXPECT_THAT(load("/once", limited).failureReason, HasSubstr("more than 0 redirects"));
  limited.totalTimeout = 0.4;
  server.hang("/silent");
  EXPECT_THAT(load("/silent", limited).failureReason, HasSubstr("Timeout"));

  EXPECT_THAT(helpers(), IsEmpty()) << "every helper is reaped once its load returns";
}

TEST_F(ProcessURLLoaderTest, AMissingHelperIsAPlainFailure) {
  server.serve("/a", "body");
  for (const char* missing : {"/nonexistent/fetch-helper", "/proc"}) {
    auto result = ProcessURLLoader::load(missing, url("/a"), {});
    EXPECT_FALSE(result.succeeded()) << missing;
    EXPECT_THAT(result.failureReason, HasSubstr(missing));
  }
  EXPECT_THAT(server.requests(), IsEmpty());
}

TEST_F(ProcessURLLoaderTest, ACancellationKillsTheHelperAtOnceAndReapsIt) {
  server.hang("/silent");
  net::LoadOptions options;
  options.totalTimeout = 60;  // only the cancellation can end this load in time
  options.cancellation = std::make_shared<net::Cancellation>();
  auto started = std::chrono::steady_clock::now();
  auto waiting = std::async(std::launch::async, [&] { return load("/silent", options); });
  // Cancel while the helper waits for its answer, not before it started.
  for (int i = 0; i < 10000 && server.requests().empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(server.requests().size(), 1u);
  auto running = helpers();
  ASSERT_EQ(running.size(), 1u);
  options.cancellation->cancel();
  auto ended = waiting.get();
  double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  EXPECT_FALSE(ended.succeeded());
  EXPECT_THAT(ended.failureReason, HasSubstr("cancelled"));
  EXPECT_LT(waited, 30.0) << "the helper ran on to its own time-out";
  EXPECT_FALSE(std::filesystem::exists("/proc/" + std::to_string(running.front())))
      << "the killed helper is left a zombie";
  EXPECT_THAT(helpers(), IsEmpty());

  // A cancelled switch starts no helper at all.
  server.serve("/a", "body");
  EXPECT_THAT(load("/a", options).failureReason, HasSubstr("cancelled"));
  EXPECT_EQ(server.requests().size(), 1u);
}

}  // namespace
