#include "support/HttpTestServer.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <stdexcept>

namespace {

std::string reasonPhrase(int status) {
  switch (status) {
    case 200:
      return "OK";
    case 302:
      return "Found";
    case 404:
      return "Not Found";
    default:
      return "Status";
  }
}

void sendAll(int socket, const std::string& data) {
  std::size_t sent = 0;
  while (sent < data.size()) {
    auto n = ::send(socket, data.data() + sent, data.size() - sent, MSG_NOSIGNAL);
    if (n <= 0) return;  // the client gave up: nothing more to tell it
    sent += static_cast<std::size_t>(n);
  }
}

}  // namespace

HttpTestServer::HttpTestServer() {
  listener_ = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  int pipeEnds[2];
  if (listener_ < 0 || ::bind(listener_, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
      ::listen(listener_, 16) != 0 ||
      ::getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
      ::pipe2(pipeEnds, O_CLOEXEC) != 0) {
    if (listener_ >= 0) ::close(listener_);
    throw std::runtime_error("the test server could not listen on 127.0.0.1");
  }
  port_ = ntohs(address.sin_port);
  wakeRead_ = pipeEnds[0];
  wakeWrite_ = pipeEnds[1];
  thread_ = std::thread([this] { loop(); });
}

HttpTestServer::~HttpTestServer() {
  char stop = 'x';
  (void)!::write(wakeWrite_, &stop, 1);
  thread_.join();
  ::close(listener_);
  ::close(wakeRead_);
  ::close(wakeWrite_);
}

std::string HttpTestServer::baseURL() const {
  return "http://127.0.0.1:" + std::to_string(port_);
}

void HttpTestServer::serve(const std::string& path, std::string body, int status,
                           std::string contentType) {
  std::lock_guard lock(mutex_);
  routes_[path] = {Route::Kind::Answer, status, std::move(contentType), std::move(body), true};
}

void HttpTestServer::serveUnannounced(const std::string& path, std::string body) {
  std::lock_guard lock(mutex_);
  routes_[path] = {Route::Kind::Answer, 200, "application/xml", std::move(body), false};
}

void HttpTestServer::redirect(const std::string& path, std::string location) {
  std::lock_guard lock(mutex_);
  routes_[path] = {Route::Kind::Redirect, 302, {}, std::move(location), true};
}

void HttpTestServer::hang(const std::string& path) {
  std::lock_guard lock(mutex_);
  routes_[path] = {Route::Kind::Hang, 0, {}, {}, true};
}

void HttpTestServer::hold(const std::string& path, std::string body) {
  std::lock_guard lock(mutex_);
  routes_[path] = {Route::Kind::Hold, 200, "application/xml", std::move(body), true};
}

void HttpTestServer::release() {
  char go = 'r';
  (void)!::write(wakeWrite_, &go, 1);
}

std::vector<std::string> HttpTestServer::requests() const {
  std::lock_guard lock(mutex_);
  return requests_;
}

void HttpTestServer::loop() {
  for (;;) {
    pollfd waits[2] = {{listener_, POLLIN, 0}, {wakeRead_, POLLIN, 0}};
    if (::poll(waits, 2, -1) < 0) continue;
    if (waits[1].revents != 0) {
      char signal = 'x';
      if (::read(wakeRead_, &signal, 1) != 1 || signal == 'x') break;
      for (auto& [client, route] : held_) respond(client, route);
      held_.clear();
      continue;
    }
    int client = ::accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
    if (client >= 0) answer(client);
  }
  for (int client : hanging_) ::close(client);
  for (auto& [client, route] : held_) ::close(client);
}

void HttpTestServer::answer(int client) {
  // The request line and headers; a test client never sends a body.
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    pollfd wait{client, POLLIN, 0};
    if (::poll(&wait, 1, 5000) <= 0) break;
    auto n = ::recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<std::size_t>(n));
  }
  auto firstSpace = request.find(' ');
  auto secondSpace = request.find(' ', firstSpace + 1);
  std::string path = firstSpace == std::string::npos || secondSpace == std::string::npos
                         ? std::string()
                         : request.substr(firstSpace + 1, secondSpace - firstSpace - 1);
  Route route{Route::Kind::Answer, 404, "text/plain", "not found", true};
  {
    std::lock_guard lock(mutex_);
    requests_.push_back(path);
    if (auto it = routes_.find(path); it != routes_.end()) route = it->second;
  }
  if (route.kind == Route::Kind::Hang) {
    hanging_.push_back(client);
    return;
  }
  if (route.kind == Route::Kind::Hold) {
    held_.emplace_back(client, route);
    return;
  }
  respond(client, route);
}

void HttpTestServer::respond(int client, const Route& route) {
  std::string head = "HTTP/1.0 " + std::to_string(route.status) + " " + reasonPhrase(route.status) +
                     "\r\nConnection: close\r\n";
  if (route.kind == Route::Kind::Redirect) {
    head += "Location: " + route.body + "\r\nContent-Length: 0\r\n\r\n";
    sendAll(client, head);
  } else {
    head += "Content-Type: " + route.contentType + "\r\n";
    if (route.announceLength)
      head += "Content-Length: " + std::to_string(route.body.size()) + "\r\n";
    sendAll(client, head + "\r\n" + route.body);
  }
  ::shutdown(client, SHUT_WR);
  ::close(client);
}
