/* Test-only preload library: notes every XFixesHideCursor / XFixesShowCursor
   a process makes (pid and call, one line each) in $ORVANTH_CURSOR_TRACE,
   then passes the call on to the real library, so the X server still sees it. */
#define _GNU_SOURCE
#include <X11/extensions/Xfixes.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

static void note(const char* what) {
  const char* path = getenv("ORVANTH_CURSOR_TRACE");
  if (path == NULL || *path == '\0') {
    return;
  }
  const int fd = open(path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0) {
    return;
  }
  char line[64];
  const int n = snprintf(line, sizeof line, "%ld %s\n", (long)getpid(), what);
  if (n > 0) {
    ssize_t written = write(fd, line, (size_t)n);
    (void)written;
  }
  close(fd);
}

void XFixesHideCursor(Display* dpy, Window win) {
  note("hide");
  /* dlsym gives an object pointer; POSIX lets it be called as the function. */
  void (*real)(Display*, Window) =
      (__extension__(void (*)(Display*, Window)) dlsym(RTLD_NEXT, "XFixesHideCursor"));
  if (real != NULL) {
    real(dpy, win);
  }
}

void XFixesShowCursor(Display* dpy, Window win) {
  note("show");
  /* dlsym gives an object pointer; POSIX lets it be called as the function. */
  void (*real)(Display*, Window) =
      (__extension__(void (*)(Display*, Window)) dlsym(RTLD_NEXT, "XFixesShowCursor"));
  if (real != NULL) {
    real(dpy, win);
  }
}
