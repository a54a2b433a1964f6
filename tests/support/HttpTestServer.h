#pragma once

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <utility>
#include <vector>

// A real HTTP/1.0 server on 127.0.0.1 for tests, on a thread of its own: each
// path answers with a canned response, a redirect, silence (the connection is
// accepted and never answered, until the server stops), or a response held
// back until the test releases it. Unknown paths get 404. Serves one
// connection at a time, which is all a test needs.
class HttpTestServer {
 public:
  HttpTestServer();  // listening on a free port before it returns
  ~HttpTestServer();
  HttpTestServer(const HttpTestServer&) = delete;
  HttpTestServer& operator=(const HttpTestServer&) = delete;

  std::uint16_t port() const { return port_; }
  // "http://127.0.0.1:<port>"
  std::string baseURL() const;

  void serve(const std::string& path, std::string body, int status = 200,
             std::string contentType = "application/xml");
  // A body sent without a Content-Length, ended by closing the connection.
  void serveUnannounced(const std::string& path, std::string body);
  void redirect(const std::string& path, std::string location);
  void hang(const std::string& path);
  // Answers with `body` only once release() is called (a client that gave up
  // meanwhile gets nothing).
  void hold(const std::string& path, std::string body);
  void release();

  // The paths asked for so far, in order.
  std::vector<std::string> requests() const;

 private:
  struct Route {
    enum class Kind { Answer, Redirect, Hang, Hold } kind = Kind::Answer;
    int status = 200;
    std::string contentType;
    std::string body;
    bool announceLength = true;
  };

  void loop();
  void answer(int client);
  static void respond(int client, const Route& route);

  int listener_ = -1;
  int wakeRead_ = -1;
  int wakeWrite_ = -1;
  std::uint16_t port_ = 0;
  mutable std::mutex mutex_;
  std::map<std::string, Route> routes_;
  std::vector<std::string> requests_;
  // Only the server thread touches these.
  std::vector<int> hanging_;
  std::vector<std::pair<int, Route>> held_;
  std::thread thread_;
};
