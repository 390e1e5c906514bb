/* Preloaded into a program (LD_PRELOAD), it measures how long the main
 * thread goes without waiting for events: the time from the return of one
 * poll()/ppoll() to the next call, less the time the thread stood ready but
 * waited for a processor (the kernel's schedstat): on a busy machine that
 * is the machine's doing, not the program's. Every stretch of 2 ms or more
 * is appended to the file named by GAPWATCH_FILE as
 * "MONOTONIC_NS_AT_END MS_BLOCKED MS_WALL". */
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

static long long lastReturn, lastQueued;
static int out = -1;
static int schedstat = -1;

/* Nanoseconds the main thread has waited on a run queue so far. */
static long long Queued(void) {
  if (schedstat < 0) schedstat = open("/proc/thread-self/schedstat", O_RDONLY | O_CLOEXEC);
  char text[96];
  const ssize_t n = schedstat < 0 ? -1 : pread(schedstat, text, sizeof text - 1, 0);
  if (n <= 0) return 0;
  text[n] = 0;
  long long run = 0, wait = 0;
  if (sscanf(text, "%lld %lld", &run, &wait) != 2) return 0;
  return wait;
}

static long long NowNs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

static int OnMainThread(void) { return syscall(SYS_gettid) == getpid(); }

static void Entering(void) {
  if (!OnMainThread()) return;
  const long long now = NowNs();
  const long long blocked = now - lastReturn - (Queued() - lastQueued);
  if (lastReturn != 0 && blocked >= 2000000) {
    if (out < 0) {
      const char* path = getenv("GAPWATCH_FILE");
      if (path == NULL) return;
      out = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
      if (out < 0) return;
    }
    char line[96];
    const int n = snprintf(line, sizeof line, "%lld %.2f %.2f\n", now, (double)blocked / 1e6,
                           (double)(now - lastReturn) / 1e6);
    if (write(out, line, (size_t)n) < 0) return;
  }
}

static void Returned(void) {
  if (!OnMainThread()) return;
  lastQueued = Queued();
  lastReturn = NowNs();
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
