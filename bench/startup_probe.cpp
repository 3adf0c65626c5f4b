// Times programs from their start to their first window mapped on the X
// display named by DISPLAY, which must have no window manager and no other
// client mapping windows: every map of a top-level window is the program's.
//
//   startup_probe RUNS PROGRAM...
//
// Each program runs RUNS times, the programs taking turns so that whatever
// else loads the machine falls on all of them alike; one run of each before
// them warms the disk cache and is not counted. Each run is killed once its
// window is mapped. Prints one line a program: the median in milliseconds and
// the program.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
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
constexpr auto kTimeout = std::chrono::seconds(30);

// Makes sure that no event of an earlier run is left: after the round trip
// the server has sent everything queued before it.
void dropPendingEvents(xcb_connection_t* connection) {
  std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) std::free(event);
}

bool nextEventIsMap(xcb_connection_t* connection, bool& anyEvent) {
  std::unique_ptr<xcb_generic_event_t, decltype(&std::free)> event(xcb_poll_for_event(connection),
                                                                   &std::free);
  anyEvent = event != nullptr;
  return anyEvent && (event->response_type & 0x7f) == XCB_MAP_NOTIFY;
}

// Waits until a top-level window is mapped. Fails when the child ends first,
// at the time-out, or when the display goes away; `reaped` tells whether the
// child has been waited for already.
bool waitForMap(xcb_connection_t* connection, pid_t child, bool& reaped) {
  const auto deadline = Clock::now() + kTimeout;
  pollfd display{xcb_get_file_descriptor(connection), POLLIN, 0};
  while (Clock::now() < deadline && xcb_connection_has_error(connection) == 0) {
    bool anyEvent = true;
    while (anyEvent) {
      if (nextEventIsMap(connection, anyEvent)) return true;
    }
    if (waitpid(child, nullptr, WNOHANG) == child) {
      reaped = true;
      return false;
    }
    poll(&display, 1, 50);
  }
  return false;
}

// Milliseconds from the fork to the first window mapped, or nothing when the
// program showed none.
std::optional<double> timeOneStart(xcb_connection_t* connection, const char* program) {
  dropPendingEvents(connection);
  const auto start = Clock::now();
  const pid_t child = fork();
  if (child == 0) {
    execl(program, program, static_cast<char*>(nullptr));
    std::perror(program);
    _exit(127);
  }
  bool reaped = false;
  const bool mapped = child > 0 && waitForMap(connection, child, reaped);
  const std::chrono::duration<double, std::milli> elapsed = Clock::now() - start;
  if (child > 0 && !reaped) {
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
  }
  if (!mapped) return std::nullopt;
  return elapsed.count();
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
  xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection) != 0) {
    std::fprintf(stderr, "%s: cannot open the display\n", argv[0]);
    return 1;
  }
  fcntl(xcb_get_file_descriptor(connection), F_SETFD, FD_CLOEXEC);
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(connection)).data->root;
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(connection, root, XCB_CW_EVENT_MASK, &mask);

  const std::vector<const char*> programs(argv + 2, argv + argc);
  std::vector<std::vector<double>> times(programs.size());
  for (int run = 0; run <= runs; ++run) {
    for (size_t i = 0; i < programs.size(); ++i) {
      const std::optional<double> time = timeOneStart(connection, programs[i]);
      if (!time) {
        std::fprintf(stderr, "%s: %s showed no window\n", argv[0], programs[i]);
        return 1;
      }
      if (run > 0) times[i].push_back(*time);  // run 0 warms the cache
    }
  }
  for (size_t i = 0; i < programs.size(); ++i) std::printf("%.1f %s\n", median(times[i]), programs[i]);
  xcb_disconnect(connection);
  return 0;
}
