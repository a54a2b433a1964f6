#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <memory>
#include <thread>

#include "platform/curl/URLLoader.h"
#include "support/HttpTestServer.h"

using net::URLLoader;
using ::testing::HasSubstr;
using ::testing::Not;

namespace {

class URLLoaderTest : public ::testing::Test {
 protected:
  std::string url(const std::string& path) const { return server.baseURL() + path; }
  // Short limits so that the failures under test arrive quickly.
  URLLoader::Options quick() const {
    URLLoader::Options options;
    options.connectTimeout = 2;
    options.totalTimeout = 0.4;
    return options;
  }
  HttpTestServer server;
};

TEST_F(URLLoaderTest, ShipsWithTheLimitsTheUpdateCheckReliesOn) {
  URLLoader::Options shipped;
  EXPECT_EQ(shipped.connectTimeout, 10);
  EXPECT_EQ(shipped.totalTimeout, 30);
  EXPECT_EQ(shipped.maxRedirects, 3);
  EXPECT_EQ(shipped.maxBytes, 64u * 1024);
}

TEST_F(URLLoaderTest, ReturnsTheBodyOfASuccessfulAnswer) {
  std::string body("binary\0body", 11);
  server.serve("/a", body);
  auto result = URLLoader::load(url("/a"));
  ASSERT_TRUE(result.succeeded()) << result.failureReason;
  EXPECT_EQ(*result.body, body);
  EXPECT_TRUE(result.failureReason.empty());
}

TEST_F(URLLoaderTest, AnErrorStatusIsAFailureEvenWithABody) {
  server.serve("/gone", "<html>gone</html>", 404, "text/html");
  auto missing = URLLoader::load(url("/gone"));
  EXPECT_FALSE(missing.succeeded());
  EXPECT_THAT(missing.failureReason, HasSubstr("404"));
  server.serve("/broken", "oops", 500, "text/plain");
  EXPECT_FALSE(URLLoader::load(url("/broken")).succeeded());
}

TEST_F(URLLoaderTest, FollowsAtMostThreeRedirects) {
  server.redirect("/1", url("/2"));
  server.redirect("/2", url("/3"));
  server.redirect("/3", "/end");  // a relative location works too
  server.serve("/end", "here");
  auto three = URLLoader::load(url("/1"));
  ASSERT_TRUE(three.succeeded()) << three.failureReason;
  EXPECT_EQ(*three.body, "here");

  server.redirect("/0", url("/1"));
  auto four = URLLoader::load(url("/0"));
  EXPECT_FALSE(four.succeeded());
  EXPECT_THAT(four.failureReason, HasSubstr("redirect"));
}

TEST_F(URLLoaderTest, ARedirectLoopEndsInAFailure) {
  server.redirect("/ping", url("/pong"));
  server.redirect("/pong", url("/ping"));
  auto result = URLLoader::load(url("/ping"));
  EXPECT_FALSE(result.succeeded());
  EXPECT_LE(server.requests().size(), 4u);
}

TEST_F(URLLoaderTest, SpeaksOnlyHttpAndHttpsEvenWhenRedirected) {
  server.redirect("/local", "file:///etc/hostname");
  server.redirect("/ftp", "ftp://127.0.0.1/x");
  EXPECT_FALSE(URLLoader::load(url("/local")).succeeded());
  EXPECT_FALSE(URLLoader::load(url("/ftp")).succeeded());
  EXPECT_FALSE(URLLoader::load("file:///etc/hostname").succeeded());
  EXPECT_FALSE(URLLoader::load("gopher://127.0.0.1/").succeeded());
}

// Plain http may not leave the machine, neither asked for nor redirected to:
// the target is refused before curl looks its host up (a lookup of .invalid
// would fail with "Couldn't resolve host name" instead).
TEST_F(URLLoaderTest, PlainHttpOnlyToLoopbackEvenWhenRedirected) {
  auto asked = URLLoader::load("http://example.invalid/updates/tamarock2.plist");
  EXPECT_FALSE(asked.succeeded());
  EXPECT_THAT(asked.failureReason, HasSubstr("not https: http://example.invalid/"));

  server.redirect("/away", "http://example.invalid/updates/tamarock2.plist");
  auto redirected = URLLoader::load(url("/away"));
  EXPECT_FALSE(redirected.succeeded());
  EXPECT_THAT(redirected.failureReason, HasSubstr("redirect"));
  EXPECT_THAT(redirected.failureReason,
              HasSubstr("http://example.invalid/updates/tamarock2.plist"));
  EXPECT_THAT(redirected.failureReason, Not(HasSubstr("resolve")));
  EXPECT_EQ(server.requests(), std::vector<std::string>{"/away"});

  server.redirect("/named", "http://localhost:" + std::to_string(server.port()) + "/end");
  server.serve("/end", "here");
  auto local = URLLoader::load(url("/named"));
  ASSERT_TRUE(local.succeeded()) << local.failureReason;
  EXPECT_EQ(*local.body, "here");
}

TEST_F(URLLoaderTest, ACancellationEndsALoadAtOnceAndRefusesLaterOnes) {
  server.hang("/silent");
  auto options = quick();
  options.totalTimeout = 60;  // only the cancellation can end this load in time
  options.cancellation = std::make_shared<net::Cancellation>();
  auto waiting =
      std::async(std::launch::async, [&] { return URLLoader::load(url("/silent"), options); });
  // Cancel while the request is in flight, not before it started.
  for (int i = 0; i < 5000 && server.requests().empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  ASSERT_EQ(server.requests().size(), 1u);
  options.cancellation->cancel();
  auto ended = waiting.get();
  EXPECT_FALSE(ended.succeeded());
  EXPECT_THAT(ended.failureReason, HasSubstr("cancelled"));

  server.serve("/a", "body");
  auto later = URLLoader::load(url("/a"), options);
  EXPECT_THAT(later.failureReason, HasSubstr("cancelled"));
  EXPECT_EQ(server.requests().size(), 1u) << "a cancelled load sends nothing";
}

TEST_F(URLLoaderTest, ABodyOverTheCapIsAFailureNotATruncation) {
  const std::string full(64 * 1024, 'x');
  server.serve("/full", full);
  auto atCap = URLLoader::load(url("/full"));
  ASSERT_TRUE(atCap.succeeded()) << atCap.failureReason;
  EXPECT_EQ(atCap.body->size(), full.size());

  server.serve("/over", full + "y");
  server.serveUnannounced("/overUnannounced", full + "y");
  for (const char* path : {"/over", "/overUnannounced"}) {
    auto over = URLLoader::load(url(path));
    EXPECT_FALSE(over.succeeded()) << path;
    EXPECT_FALSE(over.body) << path;
    EXPECT_THAT(over.failureReason, HasSubstr("larger than 65536 bytes")) << path;
  }
}

TEST_F(URLLoaderTest, AServerThatNeverAnswersTimesOut) {
  server.hang("/silent");
  auto start = std::chrono::steady_clock::now();
  auto result = URLLoader::load(url("/silent"), quick());
  double waited = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_FALSE(result.succeeded());
  EXPECT_THAT(result.failureReason, HasSubstr("Timeout"));
  EXPECT_GE(waited, 0.35);
  EXPECT_LT(waited, 5.0);
}

TEST_F(URLLoaderTest, NothingListeningIsAFailure) {
  std::string address;
  {
    HttpTestServer closed;
    address = closed.baseURL() + "/x";
  }
  auto result = URLLoader::load(address, quick());
  EXPECT_FALSE(result.succeeded());
  EXPECT_FALSE(result.failureReason.empty());
}

TEST_F(URLLoaderTest, RefusesAddressesThatAreNotURLs) {
  EXPECT_FALSE(URLLoader::load("").succeeded());
  EXPECT_FALSE(URLLoader::load("not a url").succeeded());
}

}  // namespace
