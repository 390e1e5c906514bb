#include "dump_request.h"

#include <QObject>

#ifdef _WIN32

namespace kalvitor::qt {

bool WatchDumpRequests(QObject*, std::function<void()>) { return false; }

}  // namespace kalvitor::qt

#else

#include <fcntl.h>
#include <unistd.h>

#include <QSocketNotifier>
#include <csignal>

namespace kalvitor::qt {
namespace {

int dumpPipe[2] = {-1, -1};

void OnDumpSignal(int) {
  const char one = 1;
  // Only what is safe in a signal handler: the dump is written by the event loop.
  [[maybe_unused]] ssize_t n = ::write(dumpPipe[1], &one, 1);
}

}  // namespace

bool WatchDumpRequests(QObject* owner, std::function<void()> onRequest) {
  if (::pipe2(dumpPipe, O_CLOEXEC | O_NONBLOCK) != 0) return false;
  auto* notifier = new QSocketNotifier(dumpPipe[0], QSocketNotifier::Read, owner);
  QObject::connect(notifier, &QSocketNotifier::activated, owner, [onRequest] {
    char buf[64];
    while (::read(dumpPipe[0], buf, sizeof buf) > 0) {
    }
    onRequest();
  });
  struct sigaction sa = {};
  sa.sa_handler = OnDumpSignal;
  sa.sa_flags = SA_RESTART;
  sigemptyset(&sa.sa_mask);
  sigaction(SIGUSR1, &sa, nullptr);
  return true;
}

}  // namespace kalvitor::qt

#endif
