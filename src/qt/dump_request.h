// The one thing of the desktop game that each system does its own way: a
// request from outside, to the running program, for the state dump of the
// system tests. Linux sends it as SIGUSR1; Windows has no such signal, and
// there the dump is left out (the system tests run on Linux only). This
// file's .cpp is the only place in the desktop game for calls of POSIX.
#pragma once

#include <functional>

class QObject;

namespace kalvitor::qt {

// Calls `onRequest` on the event loop each time a request comes; false when
// the system has no way to ask.
bool WatchDumpRequests(QObject* owner, std::function<void()> onRequest);

}  // namespace kalvitor::qt
