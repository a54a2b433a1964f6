#include <gtest/gtest.h>

#include "platform/curl/SecureURL.h"

using net::isSecureOrLoopbackURL;

TEST(SecureURLTest, HttpsAnywherePlainHttpOnlyOnLoopback) {
  for (const char* allowed :
       {"https://tamarock.org/releases", "HTTPS://example.org:8443/x", "http://127.0.0.1:8080/u",
        "http://127.45.6.7/", "http://localhost/x", "http://LocalHost:81", "http://[::1]:8080/x"}) {
    EXPECT_TRUE(isSecureOrLoopbackURL(allowed)) << allowed;
  }
  for (const char* refused :
       {"http://tamarock.org/releases", "http://example.invalid/x", "http://128.0.0.1/",
        "http://10.0.0.1/", "http://[::2]/", "http://127.0.0.1.example.org/",
        "http://localhost.example.org/", "http://127.0.0.1@example.org/", "ftp://127.0.0.1/",
        "file:///etc/hostname", "", "tamarock.org/releases"}) {
    EXPECT_FALSE(isSecureOrLoopbackURL(refused)) << refused;
  }
}
