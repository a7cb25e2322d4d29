/* Benchmark-only preload library: notes when a process passes each start-up
   stage (process start, X connection, window, GLX visual and context, each
   texture file written, read and uploaded, renderer spawned, first buffer
   swap) as "pid stage monotonic-ns" lines in $ORVANTH_STAGE_TRACE, then
   passes each call on. Works the same for Orvanth (GLX) and for xscreensaver
   hacks (EGL since xscreensaver 6). */
#define _GNU_SOURCE
#include <EGL/egl.h>
#include <GL/glx.h>
#include <X11/Xlib.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <spawn.h>
#include <stdarg.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <sys/syscall.h>
#include <time.h>
#include <unistd.h>

static void note(const char* stage, const char* detail) {
  const char* path = getenv("ORVANTH_STAGE_TRACE");
  if (path == NULL || *path == '\0') {
    return;
  }
  struct timespec now;
  clock_gettime(CLOCK_MONOTONIC, &now);
  char line[256];
  const int n = snprintf(line, sizeof line, "%ld %s%s%s %lld\n", (long)getpid(), stage,
                         detail != NULL ? " " : "", detail != NULL ? detail : "",
                         (long long)now.tv_sec * 1000000000LL + now.tv_nsec);
  /* O_APPEND keeps the lines of both programs whole. */
  const int fd =
      (int)syscall(SYS_openat, AT_FDCWD, path, O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
  if (fd < 0 || n <= 0) {
    return;
  }
  ssize_t written = write(fd, line, (size_t)n);
  (void)written;
  close(fd);
}

/* dlsym gives an object pointer; POSIX lets it be called as the function. */
#define REAL(name) (__extension__(__typeof__(&(name))) dlsym(RTLD_NEXT, #name))

__attribute__((constructor)) static void started(void) { note("start", NULL); }

/* The texture file a path names, or NULL. */
static const char* texture_name(const char* path) {
  const char* base = path != NULL ? strrchr(path, '/') : NULL;
  base = base != NULL ? base + 1 : path;
  return base != NULL && strncmp(base, "Orvanth0", 8) == 0 ? base : NULL;
}

static void note_open(const char* path, int flags) {
  const char* texture = texture_name(path);
  if (texture != NULL && (flags & O_ACCMODE) == O_RDONLY && strchr(texture, '.') != NULL &&
      strlen(texture) == 13) {
    note("read", texture);
  }
}

/* open() and open64() alike: the mode argument is read only where the flags
   say one was passed. */
#define TRACED_OPEN(name)                      \
  int name(const char* path, int flags, ...) { \
    mode_t mode = 0;                           \
    if (flags & (O_CREAT | O_TMPFILE)) {       \
      va_list args;                            \
      va_start(args, flags);                   \
      mode = va_arg(args, mode_t);             \
      va_end(args);                            \
    }                                          \
    note_open(path, flags);                    \
    return REAL(name)(path, flags, mode);      \
  }
TRACED_OPEN(open)
TRACED_OPEN(open64)

int mkostemp(char* templ, int flags) {
  if (texture_name(templ) != NULL) {
    note("write", texture_name(templ));
  }
  return REAL(mkostemp)(templ, flags);
}

int mkstemp(char* templ) {
  if (texture_name(templ) != NULL) {
    note("write", texture_name(templ));
  }
  return REAL(mkstemp)(templ);
}

int rename(const char* from, const char* to) {
  const int result = REAL(rename)(from, to);
  if (texture_name(to) != NULL) {
    note("written", texture_name(to));
  }
  return result;
}

int renameat(int from_dir, const char* from, int to_dir, const char* to) {
  const int result = REAL(renameat)(from_dir, from, to_dir, to);
  if (texture_name(to) != NULL) {
    note("written", texture_name(to));
  }
  return result;
}

int posix_spawn(pid_t* pid, const char* path, const posix_spawn_file_actions_t* actions,
                const posix_spawnattr_t* attributes, char* const argv[], char* const envp[]) {
  note("spawn", NULL);
  return REAL(posix_spawn)(pid, path, actions, attributes, argv, envp);
}

Display* XOpenDisplay(const char* name) {
  note("x_open", NULL);
  Display* display = REAL(XOpenDisplay)(name);
  note("x_opened", NULL);
  return display;
}

Window XCreateWindow(Display* d, Window parent, int x, int y, unsigned w, unsigned h, unsigned b,
                     int depth, unsigned klass, Visual* visual, unsigned long mask,
                     XSetWindowAttributes* attributes) {
  Window window =
      REAL(XCreateWindow)(d, parent, x, y, w, h, b, depth, klass, visual, mask, attributes);
  note("window", NULL);
  return window;
}

XVisualInfo* glXChooseVisual(Display* d, int screen, int* attributes) {
  note("glx_visual", NULL);
  XVisualInfo* visual = REAL(glXChooseVisual)(d, screen, attributes);
  note("glx_visual_done", NULL);
  return visual;
}

GLXContext glXCreateContext(Display* d, XVisualInfo* visual, GLXContext share, Bool direct) {
  GLXContext context = REAL(glXCreateContext)(d, visual, share, direct);
  note("glx_context", NULL);
  return context;
}

Bool glXMakeCurrent(Display* d, GLXDrawable drawable, GLXContext context) {
  const Bool made = REAL(glXMakeCurrent)(d, drawable, context);
  if (context != NULL) {
    note("glx_current", NULL);
  }
  return made;
}

Bool glXMakeContextCurrent(Display* d, GLXDrawable draw, GLXDrawable read, GLXContext context) {
  const Bool made = REAL(glXMakeContextCurrent)(d, draw, read, context);
  if (context != NULL) {
    note("glx_current", NULL);
  }
  return made;
}

int XMapWindow(Display* d, Window w) {
  note("map", NULL);
  return REAL(XMapWindow)(d, w);
}

int XMapRaised(Display* d, Window w) {
  note("map", NULL);
  return REAL(XMapRaised)(d, w);
}

GLint gluBuild2DMipmaps(GLenum target, GLint components, GLint width, GLint height, GLenum format,
                        GLenum type, const void* data) {
  GLint (*real)(GLenum, GLint, GLint, GLint, GLenum, GLenum, const void*) =
      __extension__(GLint(*)(GLenum, GLint, GLint, GLint, GLenum, GLenum, const void*))
          dlsym(RTLD_NEXT, "gluBuild2DMipmaps");
  const GLint result = real(target, components, width, height, format, type, data);
  note("uploaded", NULL);
  return result;
}

static int swaps = 0;

void glXSwapBuffers(Display* d, GLXDrawable drawable) {
  REAL(glXSwapBuffers)(d, drawable);
  if (swaps++ == 0) {
    note("frame", NULL);
  }
}

EGLBoolean eglInitialize(EGLDisplay display, EGLint* major, EGLint* minor) {
  note("glx_visual", NULL);
  return REAL(eglInitialize)(display, major, minor);
}

EGLContext eglCreateContext(EGLDisplay display, EGLConfig config, EGLContext share,
                            const EGLint* attributes) {
  EGLContext context = REAL(eglCreateContext)(display, config, share, attributes);
  note("glx_context", NULL);
  return context;
}

EGLBoolean eglMakeCurrent(EGLDisplay display, EGLSurface draw, EGLSurface read,
                          EGLContext context) {
  const EGLBoolean made = REAL(eglMakeCurrent)(display, draw, read, context);
  if (context != EGL_NO_CONTEXT) {
    note("glx_current", NULL);
  }
  return made;
}

EGLBoolean eglSwapBuffers(EGLDisplay display, EGLSurface surface) {
  const EGLBoolean swapped = REAL(eglSwapBuffers)(display, surface);
  if (swaps++ == 0) {
    note("frame", NULL);
  }
  return swapped;
}
