/* Slowed I/O for kalvitor-headless (LD_PRELOAD): every rename and fsync
 * waits a random while (up to SLOW_IO_US microseconds, default 20000)
 * before it is done, so that a kill lands inside a save far more often. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdlib.h>
#include <time.h>
#include <unistd.h>

static void slow(void) {
  static unsigned seed;
  if (seed == 0) seed = (unsigned)getpid() ^ (unsigned)time(NULL);
  const char* limit = getenv("SLOW_IO_US");
  long most = limit != NULL ? atol(limit) : 20000;
  if (most > 0) usleep((useconds_t)(rand_r(&seed) % most));
}

int rename(const char* from, const char* to) {
  static int (*real)(const char*, const char*);
  if (real == NULL) real = (int (*)(const char*, const char*))dlsym(RTLD_NEXT, "rename");
  slow();
  return real(from, to);
}

int fsync(int fd) {
  static int (*real)(int);
  if (real == NULL) real = (int (*)(int))dlsym(RTLD_NEXT, "fsync");
  slow();
  return real(fd);
}
