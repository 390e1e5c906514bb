/* Preloaded into a program (LD_PRELOAD), it measures how long the main
 * thread goes without waiting for events: the time from the return of one
 * poll()/ppoll() to the next call. Every such stretch of 2 ms or more is
 * appended to the file named by GAPWATCH_FILE as "MONOTONIC_NS_AT_END MS". */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

static long long lastReturn;
static int out = -1;

static long long NowNs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int OnMainThread(void) { return syscall(SYS_gettid) == getpid(); }

static void Entering(void) {
  if (!OnMainThread()) return;
  const long long now = NowNs();
  if (lastReturn != 0 && now - lastReturn >= 2000000) {
    if (out < 0) {
      const char* path = getenv("GAPWATCH_FILE");
      if (path == NULL) return;
      out = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
      if (out < 0) return;
    }
    char line[64];
    const int n = snprintf(line, sizeof line, "%lld %.2f\n", now, (double)(now - lastReturn) / 1e6);
    if (write(out, line, (size_t)n) < 0) return;
  }
}

static void Returned(void) {
  if (OnMainThread()) lastReturn = NowNs();
}

int poll(struct pollfd* fds, nfds_t n, int timeout) {
  static int (*real)(struct pollfd*, nfds_t, int);
  if (real == NULL) real = (int (*)(struct pollfd*, nfds_t, int))dlsym(RTLD_NEXT, "poll");
  Entering();
  const int r = real(fds, n, timeout);
  Returned();
  return r;
}

int ppoll(struct pollfd* fds, nfds_t n, const struct timespec* timeout, const sigset_t* mask) {
  static int (*real)(struct pollfd*, nfds_t, const struct timespec*, const sigset_t*);
  if (real == NULL)
    real = (int (*)(struct pollfd*, nfds_t, const struct timespec*, const sigset_t*))dlsym(RTLD_NEXT, "ppoll");
  Entering();
  const int r = real(fds, n, timeout, mask);
  Returned();
  return r;
}
