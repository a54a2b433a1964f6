#include "platform/net/ProcessURLLoader.h"

#include <gio/gio.h>

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/net/FetchRequest.h"

namespace net {

namespace {

struct ObjectUnref {
  void operator()(gpointer object) const { g_object_unref(object); }
};
template <typename T>
using Owned = std::unique_ptr<T, ObjectUnref>;

struct ErrorFree {
  void operator()(GError* error) const { g_error_free(error); }
};
using OwnedError = std::unique_ptr<GError, ErrorFree>;

// A failure reason is a sentence; room for one beside the largest body.
constexpr std::size_t kReasonRoom = 4096;

LoadResult failure(std::string reason) {
  return {std::nullopt, std::move(reason)};
}

// Whatever the helper wrote, up to `limit` bytes; false when it wrote more or
// the read failed (a cancellation included).
bool readAll(GInputStream* stream, GCancellable* cancellable, std::size_t limit, std::string& out) {
  char buffer[16 * 1024];
  for (;;) {
    gssize count = g_input_stream_read(stream, buffer, sizeof buffer, cancellable, nullptr);
    if (count == 0) return true;
    if (count < 0) return false;
    if (out.size() + static_cast<std::size_t>(count) > limit) return false;
    out.append(buffer, static_cast<std::size_t>(count));
  }
}

}  // namespace

LoadResult ProcessURLLoader::load(const std::filesystem::path& helper, const std::string& url,
                                  const LoadOptions& options) {
  Cancellation* cancellation = options.cancellation.get();
  if (cancellation && cancellation->isCancelled()) return failure("the load was cancelled");

  std::vector<std::string> arguments = FetchRequest{url, options}.arguments();
  arguments.insert(arguments.begin(), helper.string());
  std::vector<const gchar*> argv;
  for (const auto& argument : arguments) argv.push_back(argument.c_str());
  argv.push_back(nullptr);

  // The helper inherits standard error, for anything it has to complain
  // about, and no other descriptor of ours.
  GError* raw = nullptr;
  Owned<GSubprocess> process(g_subprocess_newv(argv.data(), G_SUBPROCESS_FLAGS_STDOUT_PIPE, &raw));
  OwnedError startError(raw);
  if (!process) {
    return failure("the fetch helper " + helper.string() +
                   " did not start: " + startError->message);
  }

  Owned<GCancellable> stop(g_cancellable_new());
  std::uint64_t waiter = 0;
  if (cancellation) {
    GCancellable* stopping = stop.get();
    waiter = cancellation->addWaiter([stopping] { g_cancellable_cancel(stopping); });
    if (waiter == 0) g_cancellable_cancel(stopping);
  }
  std::string output;
  std::size_t limit = std::max(options.maxBytes, kReasonRoom);
  bool complete = readAll(g_subprocess_get_stdout_pipe(process.get()), stop.get(), limit, output);
  if (cancellation && waiter != 0) cancellation->removeWaiter(waiter);
  bool cancelled = g_cancellable_is_cancelled(stop.get());
  // A helper still running is not wanted any more: it ends now rather than
  // at its time-out. Either way the wait reaps it, so no zombie is left.
  if (!complete || cancelled) g_subprocess_force_exit(process.get());
  g_subprocess_wait(process.get(), nullptr, nullptr);

  if (cancelled) return failure("the load was cancelled");
  if (!complete)
    return failure("the fetch helper wrote more than " + std::to_string(limit) +
                   " bytes, or its output could not be read");
  if (!g_subprocess_get_if_exited(process.get())) {
    return failure("the fetch helper was ended by signal " +
                   std::to_string(g_subprocess_get_term_sig(process.get())));
  }
  switch (int status = g_subprocess_get_exit_status(process.get())) {
    case FetchRequest::kSucceeded:
      if (output.size() > options.maxBytes) {
        return failure("the body is larger than " + std::to_string(options.maxBytes) + " bytes");
      }
      return {std::move(output), {}};
    case FetchRequest::kFailed:
      return failure(output.empty() ? "the fetch helper failed without a reason" : output);
    default:
      return failure("the fetch helper ended with status " + std::to_string(status));
  }
}

}  // namespace net
