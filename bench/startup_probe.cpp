// Times programs from their start to their first window on the X display
// named by DISPLAY: to the window mapped, and to its first paint (the first
// damage the DAMAGE extension reports after the map). The display must have
// no window manager and no other client drawing: every map of a top-level
// window and every paint is the program's.
//
//   startup_probe RUNS PROGRAM...
//
// Each program runs RUNS times, the programs taking turns so that whatever
// else loads the machine falls on all of them alike; one run of each before
// them warms the disk cache and is not counted. Each run is killed once its
// window is painted. Prints one line a program: the medians in milliseconds
// to the paint and to the map, and the program.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/damage.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using Milliseconds = std::chrono::duration<double, std::milli>;
constexpr auto kTimeout = std::chrono::seconds(30);

struct Display {
  xcb_connection_t* connection = nullptr;
  uint8_t damageNotify = 0;  // the event code of DamageNotify
};

struct StartTimes {
  double mapped;
  double painted;
};

// Listens for top-level windows mapped and for every paint on the screen:
// a damage on the root window reports the drawing in all its inferiors.
std::optional<Display> openDisplay() {
  Display display{xcb_connect(nullptr, nullptr)};
  if (xcb_connection_has_error(display.connection) != 0) return std::nullopt;
  fcntl(xcb_get_file_descriptor(display.connection), F_SETFD, FD_CLOEXEC);
  const xcb_query_extension_reply_t* damage = xcb_get_extension_data(display.connection, &xcb_damage_id);
  if (damage == nullptr || damage->present == 0) return std::nullopt;
  display.damageNotify = damage->first_event + XCB_DAMAGE_NOTIFY;
  std::free(xcb_damage_query_version_reply(display.connection,
                                           xcb_damage_query_version(display.connection, 1, 1), nullptr));

  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(display.connection)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(display.connection, root, XCB_CW_EVENT_MASK, &mask);
  xcb_damage_create(display.connection, xcb_generate_id(display.connection), root,
                    XCB_DAMAGE_REPORT_LEVEL_RAW_RECTANGLES);
  return display;
}

// Makes sure that no event of an earlier run is left: after the round trip
// the server has sent everything queued before it.
void dropPendingEvents(xcb_connection_t* connection) {
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) std::free(event);
}

// Waits for the next event of the given code. Fails when the child ends
// first, at the time-out, or when the display goes away; `reaped` tells
// whether the child has been waited for already.
bool waitForEvent(xcb_connection_t* connection, uint8_t code, pid_t child, bool& reaped) {
  const auto deadline = Clock::now() + kTimeout;
  pollfd socket{xcb_get_file_descriptor(connection), POLLIN, 0};
  while (Clock::now() < deadline && xcb_connection_has_error(connection) == 0) {
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      const bool found = (event->response_type & 0x7f) == code;
      std::free(event);
      if (found) return true;
    }
    if (waitpid(child, nullptr, WNOHANG) == child) {
      reaped = true;
      return false;
    }
    poll(&socket, 1, 50);
  }
  return false;
}

// Milliseconds from the fork to the first window mapped and painted, or
// nothing when the program showed none.
std::optional<StartTimes> timeOneStart(const Display& display, const char* program) {
  dropPendingEvents(display.connection);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    std::perror(program);
    _exit(127);
  }
  if (child < 0) return std::nullopt;
  bool reaped = false;
  std::optional<StartTimes> times;
  if (waitForEvent(display.connection, XCB_MAP_NOTIFY, child, reaped)) {
    const Milliseconds mapped = Clock::now() - start;
    if (waitForEvent(display.connection, display.damageNotify, child, reaped)) {
      times = StartTimes{mapped.count(), Milliseconds(Clock::now() - start).count()};
    }
  }
  if (!reaped) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  return times;
}

double median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t middle = values.size() / 2;
  return values.size() % 2 == 1 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
}

}  // namespace

int main(int argc, char** argv) {
  const int runs = argc > 2 ? std::atoi(argv[1]) : 0;
  if (runs < 1) {
    std::fprintf(stderr, "usage: %s RUNS PROGRAM...\n", argv[0]);
    return 2;
  }
  const std::optional<Display> display = openDisplay();
  if (!display) {
    std::fprintf(stderr, "%s: no display with the DAMAGE extension\n", argv[0]);
    return 1;
  }
  const std::vector<const char*> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> mapped(programs.size());
  std::vector<std::vector<double>> painted(programs.size());
  for (int run = 0; run <= runs; ++run) {
    for (size_t i = 0; i < programs.size(); ++i) {
      const std::optional<StartTimes> times = timeOneStart(*display, programs[i]);
      if (!times) {
        std::fprintf(stderr, "%s: %s showed no window\n", argv[0], programs[i]);
        return 1;
      }
      if (run == 0) continue;  // warms the cache
      mapped[i].push_back(times->mapped);
      painted[i].push_back(times->painted);
    }
  }
  for (size_t i = 0; i < programs.size(); ++i) {
    std::printf("%.1f %.1f %s\n", median(painted[i]), median(mapped[i]), programs[i]);
  }
  xcb_disconnect(display->connection);
  return 0;
}
