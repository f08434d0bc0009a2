// map_timer program [arguments...]
// Starts the program and prints the milliseconds from its exec to the first top-level window it
// maps on the X server of DISPLAY (tooltips and menus, which bypass the window manager, do not
// count), and the processor time the program had used by then (all its threads), which a busy
// machine disturbs less; then ends the program. Exit status 1 when no window appears within 30
// seconds.
#include <xcb/xcb.h>

#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <dirent.h>

namespace {

double NowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// Milliseconds on a processor so far, summed over the process's threads (from schedstat).
double CpuMs(pid_t pid) {
    char folder[64];
    std::snprintf(folder, sizeof folder, "/proc/%d/task", int(pid));
    DIR* tasks = opendir(folder);
    if (!tasks) return -1;
    double ns = 0;
    while (dirent* entry = readdir(tasks)) {
        if (entry->d_name[0] == '.') continue;
        char path[400]; // the folder, a name of up to 255 bytes and "/schedstat"
        std::snprintf(path, sizeof path, "%s/%s/schedstat", folder, entry->d_name);
        if (FILE* file = std::fopen(path, "r")) {
            unsigned long long run = 0;
            if (std::fscanf(file, "%llu", &run) == 1) ns += double(run);
            std::fclose(file);
        }
    }
    closedir(tasks);
    return ns / 1e6;
}

void EndChild(pid_t child) {
    kill(child, SIGTERM);
    for (int i = 0; i < 200; ++i) {
        if (waitpid(child, nullptr, WNOHANG) == child) return;
        usleep(10000);
    }
    kill(child, SIGKILL);
    waitpid(child, nullptr, 0);
}

} // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: map_timer program [arguments...]\n");
        return 2;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    if (xcb_connection_has_error(connection)) {
        std::fprintf(stderr, "map_timer: cannot connect to the X server\n");
        return 2;
    }
    xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(connection)).data;
    const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
    xcb_change_window_attributes(connection, screen->root, XCB_CW_EVENT_MASK, &mask);
    // A round trip: the server has the event mask before the program can map anything.
    free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));

    const double start = NowMs();
    const pid_t child = fork();
    if (child == 0) {
        execvp(argv[1], argv + 1);
        _exit(127);
    }
    if (child < 0) return 2;

    pollfd fd{xcb_get_file_descriptor(connection), POLLIN, 0};
    const double limit = start + 30000;
    while (NowMs() < limit) {
        while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
            const bool mapped =
                (event->response_type & 0x7f) == XCB_MAP_NOTIFY &&
                !reinterpret_cast<xcb_map_notify_event_t*>(event)->override_redirect;
            free(event);
            if (mapped) {
                const double wall = NowMs() - start;
                std::printf("%.1f %.1f\n", wall, CpuMs(child));
                EndChild(child);
                xcb_disconnect(connection);
                return 0;
            }
        }
        if (xcb_connection_has_error(connection)) break;
        if (waitpid(child, nullptr, WNOHANG) == child) {
            std::fprintf(stderr, "map_timer: %s ended without a window\n", argv[1]);
            return 1;
        }
        poll(&fd, 1, 50);
    }
    EndChild(child);
    std::fprintf(stderr, "map_timer: no window from %s\n", argv[1]);
    return 1;
}
