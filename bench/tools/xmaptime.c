/* Start-up as seen from outside the program.
 *   xmaptime PROGRAM [ARGS...]  launches the program, waits for the first
 *       window mapped on the display after the launch, prints "map_ms=N"
 *       (from just before the launch), "libs=N", the shared libraries
 *       the program has loaded by then, and "ready_ms=N", the time its main
 *       thread stood ready but waited for a processor meanwhile (the
 *       kernel's schedstat: on a busy machine, the part of map_ms that was
 *       other programs' turn), "cpu_ms=N", the processor time of all its
 *       threads by then, and kills the program.
 *   xmaptime --watch            prints "map MONOTONIC_NS" for every window
 *       mapped on the display until it is killed.
 * Only children of the root window count: run without a window manager. */
#define _GNU_SOURCE
#include <X11/Xlib.h>
#include <dirent.h>
#include <signal.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

static long long NowNs(void) {
  struct timespec t;
  clock_gettime(CLOCK_MONOTONIC, &t);
  return (long long)t.tv_sec * 1000000000LL + t.tv_nsec;
}

/* The shared libraries a process has mapped: distinct files named *.so*. */
static int SharedLibraries(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/maps", (int)pid);
  FILE* maps = fopen(path, "r");
  if (maps == NULL) return -1;
  char line[4096], seen[512][256];
  int count = 0;
  while (fgets(line, sizeof line, maps) != NULL) {
    const char* file = strchr(line, '/');
    if (file == NULL || strstr(file, ".so") == NULL) continue;
    line[strcspn(line, "\n")] = 0;
    int known = 0;
    for (int i = 0; i < count && !known; ++i) known = strncmp(seen[i], file, 255) == 0;
    if (!known && count < 512) snprintf(seen[count++], 256, "%s", file);
  }
  fclose(maps);
  return count;
}

/* Milliseconds the process's main thread has waited on a run queue. */
static double ReadyMs(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/schedstat", (int)pid);
  FILE* f = fopen(path, "r");
  if (f == NULL) return -1;
  unsigned long long running = 0, waiting = 0;
  const int n = fscanf(f, "%llu %llu", &running, &waiting);
  fclose(f);
  return n == 2 ? (double)waiting / 1e6 : -1;
}

/* Milliseconds on a processor, all the process's threads together. */
static double CpuMs(pid_t pid) {
  char path[64];
  snprintf(path, sizeof path, "/proc/%d/task", (int)pid);
  DIR* tasks = opendir(path);
  if (tasks == NULL) return -1;
  unsigned long long total = 0;
  for (struct dirent* t; (t = readdir(tasks)) != NULL;) {
    if (t->d_name[0] == '.') continue;
    char stat[320];
    snprintf(stat, sizeof stat, "/proc/%d/task/%s/schedstat", (int)pid, t->d_name);
    FILE* f = fopen(stat, "r");
    unsigned long long running = 0;
    if (f != NULL && fscanf(f, "%llu", &running) == 1) total += running;
    if (f != NULL) fclose(f);
  }
  closedir(tasks);
  return (double)total / 1e6;
}

int main(int argc, char** argv) {
  if (argc < 2) {
    fprintf(stderr, "usage: xmaptime PROGRAM [ARGS...] | xmaptime --watch\n");
    return 2;
  }
  Display* display = XOpenDisplay(NULL);
  if (display == NULL) {
    fprintf(stderr, "xmaptime: no display\n");
    return 2;
  }
  Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  XSync(display, False);
  const int watch = strcmp(argv[1], "--watch") == 0;
  if (watch) setvbuf(stdout, NULL, _IOLBF, 0);
  pid_t child = 0;
  const long long start = NowNs();
  if (!watch) {
    child = fork();
    if (child == 0) {
      setpgid(0, 0);
      execvp(argv[1], argv + 1);
      _exit(127);
    }
  }
  for (;;) {
    XEvent e;
    XNextEvent(display, &e);
    if (e.type != MapNotify || e.xmap.override_redirect) continue;
    const long long at = NowNs();
    if (watch) {
      printf("map %lld\n", at);
      continue;
    }
    printf("map_ms=%.1f libs=%d ready_ms=%.1f cpu_ms=%.1f\n", (double)(at - start) / 1e6, SharedLibraries(child),
           ReadyMs(child), CpuMs(child));
    fflush(stdout);
    kill(-child, SIGKILL);
    waitpid(child, NULL, 0);
    return 0;
  }
}
