// SPDX-FileCopyrightText: 2026 Lotto developers
// SPDX-License-Identifier: GPL-3.0-or-later
// first_frame.cpp: launches a program and times, from the X server's side, its window being mapped and painted.
//
// Usage: first_frame PROGRAM [ARGUMENT...]
// Prints one line, "PID MAPPED_MS FRAME_MS", as soon as the program's window is fully painted, then waits for
// the program to end (so the caller can measure it further, then kill PID) and exits with its status.
//
// A window that loads its fonts only when it first paints maps as early as an empty one, so the time to the
// mapped window flatters it; what the user waits for is the first frame. The DAMAGE extension reports every
// drawing on the screen: the frame counts as painted once the drawing inside the mapped window has covered its
// whole area. The program is started by this tool, after the damage watch is in place, so nothing is missed.
#include <X11/Xlib.h>
#include <X11/extensions/Xdamage.h>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {

using Clock = std::chrono::steady_clock;

constexpr int kTimeoutMs = 30000;

double millisecondsSince(Clock::time_point start) {
  return std::chrono::duration<double, std::milli>(Clock::now() - start).count();
}

long long overlap(int a, int aLength, int b, int bLength) {
  const int from = a > b ? a : b;
  const int to = (a + aLength) < (b + bLength) ? (a + aLength) : (b + bLength);
  return to > from ? to - from : 0;
}

}  // namespace

int main(int argc, char* argv[]) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: first_frame PROGRAM [ARGUMENT...]\n");
    return 2;
  }
  Display* display = XOpenDisplay(nullptr);
  if (display == nullptr) {
    std::fprintf(stderr, "first_frame: cannot open the display\n");
    return 2;
  }
  fcntl(ConnectionNumber(display), F_SETFD, FD_CLOEXEC);
  int damageEvent = 0;
  int damageError = 0;
  if (!XDamageQueryExtension(display, &damageEvent, &damageError)) {
    std::fprintf(stderr, "first_frame: the X server has no DAMAGE extension\n");
    return 2;
  }
  const Window root = DefaultRootWindow(display);
  XSelectInput(display, root, SubstructureNotifyMask);
  // Damage to the root window takes in the drawing into every window on it.
  XDamageCreate(display, root, XDamageReportRawRectangles);
  XSync(display, False);

  const Clock::time_point start = Clock::now();
  const pid_t program = fork();
  if (program < 0) {
    std::perror("first_frame: fork");
    return 2;
  }
  if (program == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);  // this tool's output is the one line of figures
    execvp(argv[1], argv + 1);
    std::perror("first_frame: exec");
    _exit(127);
  }

  struct Geometry {
    int x, y, width, height;
  };
  std::map<Window, Geometry> created;
  Window mapped = None;
  Geometry frame{};
  double mappedMs = -1;
  long long painted = 0;
  pollfd connection{ConnectionNumber(display), POLLIN, 0};
  while (true) {
    if (XPending(display) == 0) {
      const int remaining = kTimeoutMs - static_cast<int>(millisecondsSince(start));
      if (remaining <= 0 || poll(&connection, 1, remaining) <= 0) {
        std::fprintf(stderr, "first_frame: %s never painted a whole window\n", argv[1]);
        kill(program, SIGTERM);
        waitpid(program, nullptr, 0);
        return 1;
      }
    }
    XEvent event;
    XNextEvent(display, &event);
    if (event.type == CreateNotify) {
      const XCreateWindowEvent& e = event.xcreatewindow;
      created[e.window] = {e.x, e.y, e.width, e.height};
    } else if (event.type == ConfigureNotify) {
      const XConfigureEvent& e = event.xconfigure;
      created[e.window] = {e.x, e.y, e.width, e.height};
      if (e.window == mapped) {
        frame = created[e.window];
      }
    } else if (event.type == MapNotify && mapped == None && !event.xmap.override_redirect) {
      // There is no window manager on the benchmark's server, so the first window mapped is the program's.
      mapped = event.xmap.window;
      frame = created[mapped];
      mappedMs = millisecondsSince(start);
    } else if (event.type == damageEvent + XDamageNotify && mapped != None) {
      const XRectangle& area = reinterpret_cast<XDamageNotifyEvent&>(event).area;
      painted +=
          overlap(area.x, area.width, frame.x, frame.width) * overlap(area.y, area.height, frame.y, frame.height);
      if (painted >= static_cast<long long>(frame.width) * frame.height) {
        break;
      }
    }
  }
  std::printf("%d %.1f %.1f\n", static_cast<int>(program), mappedMs, millisecondsSince(start));
  std::fclose(stdout);
  XCloseDisplay(display);

  int status = 0;
  waitpid(program, &status, 0);
  return WIFEXITED(status) ? WEXITSTATUS(status) : 0;
}
