// morvik-editor when its X server goes away under an open editor. The test runs
// an X server of its own, so it can take it away.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace {
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// Generous: only a program that never ends runs into them.
constexpr auto kOpenBound = 60s;
constexpr auto kExitBound = 30s;

std::optional<pid_t> spawn(std::vector<std::string> words, const std::vector<std::string>& extraEnvironment,
                           const posix_spawn_file_actions_t* actions)
{
    std::vector<char*> argv;
    for (std::string& word : words)
        argv.push_back(word.data());
    argv.push_back(nullptr);
    std::vector<std::string> variables(extraEnvironment);
    std::vector<char*> envp;
    for (std::string& variable : variables)
        envp.push_back(variable.data());
    for (char** inherited = environ; *inherited; ++inherited)
        envp.push_back(*inherited);
    envp.push_back(nullptr);
    pid_t pid = 0;
    if (posix_spawnp(&pid, argv[0], actions, nullptr, argv.data(), envp.data()) != 0)
        return std::nullopt;
    return pid;
}

// The exit status of `pid` if it ends within `bound`.
std::optional<int> waitForExit(pid_t pid, std::chrono::milliseconds bound)
{
    // Through syscall(): Debian 12's <sys/pidfd.h> declares pidfd_open without C linkage.
    const int handle = static_cast<int>(::syscall(SYS_pidfd_open, pid, 0));
    if (handle < 0)
        return std::nullopt;
    pollfd ended{handle, POLLIN, 0};
    const bool done = ::poll(&ended, 1, static_cast<int>(bound.count())) == 1;
    ::close(handle);
    int status = 0;
    if (!done || waitpid(pid, &status, 0) != pid)
        return std::nullopt;
    return status;
}

// An Xvfb on a display number it picks itself; gone with the object at the latest.
class XServer {
public:
    XServer()
    {
        int report[2];
        if (::pipe(report) != 0)
            return;
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addclose(&actions, report[0]);
        posix_spawn_file_actions_addopen(&actions, 2, "/dev/null", O_WRONLY, 0);
        server = spawn({"Xvfb", "-displayfd", std::to_string(report[1]), "-screen", "0", "1280x1024x24",
                        "-nolisten", "tcp"},
                       {}, &actions);
        posix_spawn_file_actions_destroy(&actions);
        ::close(report[1]);
        std::string number;
        char c;
        while (server && ::read(report[0], &c, 1) == 1 && c != '\n')
            number += c;
        ::close(report[0]);
        if (!number.empty())
            displayName = ":" + number;
    }
    ~XServer() { stop(); }
    XServer(const XServer&) = delete;
    XServer& operator=(const XServer&) = delete;

    const std::string& display() const { return displayName; }

    void stop()
    {
        if (!server)
            return;
        ::kill(*server, SIGTERM);
        waitpid(*server, nullptr, 0);
        server.reset();
    }

private:
    std::optional<pid_t> server;
    std::string displayName;
};

// Waits until a window mapped into a top-level window, as an editor is once
// attached() is done, or until `bound` passes.
bool waitForAnEmbeddedWindow(xcb_connection_t* c, xcb_window_t root, std::chrono::milliseconds bound)
{
    const auto mapped = [c](xcb_window_t window) {
        auto* attributes = xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr);
        const bool viewable = attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
        std::free(attributes);
        return viewable;
    };
    const uint32_t watch[] = {XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY};
    xcb_change_window_attributes(c, root, XCB_CW_EVENT_MASK, watch);
    xcb_flush(c);
    const auto end = Clock::now() + bound;
    for (auto now = Clock::now(); now < end; now = Clock::now()) {
        pollfd readable{xcb_get_file_descriptor(c), POLLIN, 0};
        ::poll(&readable, 1,
               static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(end - now).count()));
        while (xcb_generic_event_t* event = xcb_poll_for_event(c)) {
            const uint8_t type = event->response_type & 0x7f;
            bool found = false;
            if (type == XCB_CREATE_NOTIFY) {
                const auto* created = reinterpret_cast<xcb_create_notify_event_t*>(event);
                if (created->parent == root) {
                    // A child mapped before this shows in the tree; one mapped after sends MapNotify.
                    xcb_change_window_attributes(c, created->window, XCB_CW_EVENT_MASK, watch);
                    auto* tree = xcb_query_tree_reply(c, xcb_query_tree(c, created->window), nullptr);
                    for (int i = 0; tree && i < xcb_query_tree_children_length(tree); ++i)
                        found = found || mapped(xcb_query_tree_children(tree)[i]);
                    std::free(tree);
                }
            } else if (type == XCB_MAP_NOTIFY) {
                found = reinterpret_cast<xcb_map_notify_event_t*>(event)->event != root;
            }
            std::free(event);
            if (found)
                return true;
        }
        if (xcb_connection_has_error(c))
            return false;
    }
    return false;
}

std::string contents(const std::filesystem::path& file)
{
    std::ifstream in(file);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

TEST(MorvikEditor, ClosesTheEditorAndFailsWhenTheXServerGoesAway)
{
    XServer server;
    ASSERT_FALSE(server.display().empty()) << "Xvfb did not start";
    xcb_connection_t* watcher = xcb_connect(server.display().c_str(), nullptr);
    ASSERT_EQ(xcb_connection_has_error(watcher), 0);
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(watcher)).data->root;

    const std::filesystem::path errors = std::filesystem::path(testing::TempDir()) / "morvik-editor.err";
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 2, errors.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    const auto editor =
        spawn({MORVIK_EDITOR_TOOL, MORVIK_BUNDLE_DIR}, {"DISPLAY=" + server.display()}, &actions);
    posix_spawn_file_actions_destroy(&actions);
    ASSERT_TRUE(editor);

    const bool opened = waitForAnEmbeddedWindow(watcher, root, kOpenBound);
    xcb_disconnect(watcher);
    server.stop();
    const auto status = waitForExit(*editor, kExitBound);
    if (!status) {
        ::kill(*editor, SIGKILL);
        waitpid(*editor, nullptr, 0);
    }
    EXPECT_TRUE(opened) << contents(errors);
    ASSERT_TRUE(status) << "morvik-editor still runs " << kExitBound.count() << " s after its X server went";
    ASSERT_TRUE(WIFEXITED(*status));
    EXPECT_EQ(WEXITSTATUS(*status), 4);
    EXPECT_EQ(contents(errors), "morvik-editor: lost the connection to the X display; closing the editor\n");
}

}  // namespace
