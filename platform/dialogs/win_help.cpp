// WinHelpA on a Linux desktop: the help file is handed to the desktop's
// viewer (xdg-open), which runs on its own; nothing waits for it, so the
// caller's window goes on at once. See win_help.h for the parts tests
// replace.
//
// Index: commands - the real desktop - starting the viewer - WinHelpA.
#include "platform/dialogs/win_help.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <mutex>
#include <vector>

#include "platform/display/display.h"
#include "platform/display/headless.h"
#include "platform/kernel/errors.h"
#include "platform/kernel/paths.h"

namespace platform::dialogs {

namespace {

// ---------------------------------------------------------------------------
// Commands
// ---------------------------------------------------------------------------

enum class HelpAction {
  kOpenFile,    // show the file in the viewer
  kNothing,     // succeeds: nothing a viewer started on its own could use
  kHelpOnHelp,  // there is no help about help here
  kMacro,       // help macros have nothing to run them
  kUnknown,
};

HelpAction ActionOf(UINT command) {
  switch (command) {
    case HELP_CONTEXT:
    case HELP_CONTENTS:
    case HELP_CONTEXTPOPUP:
    case HELP_FORCEFILE:
    case HELP_CONTEXTMENU:
    case HELP_FINDER:
    case HELP_WM_HELP:
    case HELP_KEY:
    case HELP_PARTIALKEY:
    case HELP_MULTIKEY:
      return HelpAction::kOpenFile;
    case HELP_QUIT:
    case HELP_SETCONTENTS:
    case HELP_SETPOPUP_POS:
    case HELP_SETWINPOS:
      return HelpAction::kNothing;
    case HELP_HELPONHELP:
      return HelpAction::kHelpOnHelp;
    case HELP_COMMAND:
      return HelpAction::kMacro;
    default:
      return HelpAction::kUnknown;
  }
}

// ---------------------------------------------------------------------------
// The real desktop
// ---------------------------------------------------------------------------

bool EnvironmentNames(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && value[0] != '\0';
}

bool RealHasDesktop() {
  Display* display = CurrentDisplay();
  if (display == nullptr || dynamic_cast<HeadlessDisplay*>(display) != nullptr) return false;
  return EnvironmentNames("DISPLAY") || EnvironmentNames("WAYLAND_DISPLAY");
}

std::string RealFindViewer() {
  const char* path = std::getenv("PATH");
  return FindOnPath("xdg-open", path ? path : "");
}

std::mutex desktop_mutex;
HelpDesktop current_desktop{RealHasDesktop, RealFindViewer, LaunchDetached};

HelpDesktop CurrentDesktop() {
  std::lock_guard lock(desktop_mutex);
  return current_desktop;
}

// ---------------------------------------------------------------------------
// Starting the viewer
// ---------------------------------------------------------------------------

// In the grandchild, between fork and exec: async-signal-safe calls only.
[[noreturn]] void ExecDetached(const char* program, char* const argv[], int null_fd,
                               int report_fd) {
  dup2(null_fd, STDIN_FILENO);
  dup2(null_fd, STDOUT_FILENO);
  dup2(null_fd, STDERR_FILENO);
  execv(program, argv);
  const int error = errno;
  ssize_t ignored = write(report_fd, &error, sizeof error);
  (void)ignored;
  _exit(127);
}

// The child makes a session of its own, forks the grandchild and leaves at
// once, so the grandchild belongs to init and is never our zombie.
[[noreturn]] void ForkGrandchild(const char* program, char* const argv[], int null_fd,
                                 int report_fd) {
  setsid();
  const pid_t grandchild = fork();
  if (grandchild == 0) ExecDetached(program, argv, null_fd, report_fd);
  if (grandchild < 0) {
    const int error = errno;
    ssize_t ignored = write(report_fd, &error, sizeof error);
    (void)ignored;
  }
  _exit(0);
}

// What the grandchild reported: nothing (the pipe closed at exec) is
// success.
int ReadExecError(int report_fd) {
  int error = 0;
  ssize_t got;
  do {
    got = read(report_fd, &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  return got == static_cast<ssize_t>(sizeof error) ? error : 0;
}

}  // namespace

HelpDesktop RealHelpDesktop() {
  return HelpDesktop{RealHasDesktop, RealFindViewer, LaunchDetached};
}

HelpDesktop SetHelpDesktop(const HelpDesktop& desktop) {
  std::lock_guard lock(desktop_mutex);
  const HelpDesktop previous = current_desktop;
  current_desktop = desktop;
  return previous;
}

std::string FindOnPath(std::string_view name, std::string_view path_list) {
  if (name.empty() || name.find('/') != std::string_view::npos) return {};
  size_t start = 0;
  while (start <= path_list.size()) {
    size_t end = path_list.find(':', start);
    if (end == std::string_view::npos) end = path_list.size();
    std::string folder(path_list.substr(start, end - start));
    if (folder.empty()) folder = ".";
    const std::string candidate = folder + "/" + std::string(name);
    struct stat info {};
    if (stat(candidate.c_str(), &info) == 0 && S_ISREG(info.st_mode) &&
        access(candidate.c_str(), X_OK) == 0) {
      return candidate;
    }
    start = end + 1;
  }
  return {};
}

DWORD LaunchDetached(const std::string& program, const std::string& argument) {
  // Everything the children need is made before fork: they may only make
  // async-signal-safe calls.
  std::string arg0 = program, arg1 = argument;
  char* const argv[] = {arg0.data(), arg1.data(), nullptr};
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return Win32ErrorFromErrno(errno);
  const int null_fd = open("/dev/null", O_RDWR | O_CLOEXEC);
  const pid_t child = null_fd < 0 ? -1 : fork();
  if (child == 0) {
    close(report[0]);
    ForkGrandchild(program.c_str(), argv, null_fd, report[1]);
  }
  const int fork_error = child < 0 ? errno : 0;
  close(report[1]);
  if (null_fd >= 0) close(null_fd);
  int error = fork_error;
  if (child > 0) {
    error = ReadExecError(report[0]);
    while (waitpid(child, nullptr, 0) < 0 && errno == EINTR) {
    }
  }
  close(report[0]);
  return error == 0 ? ERROR_SUCCESS : Win32ErrorFromErrno(error);
}

namespace {

// ---------------------------------------------------------------------------
// WinHelpA
// ---------------------------------------------------------------------------

// The file part of "file>window".
std::string HelpFileOf(LPCSTR help) {
  std::string name(help);
  const size_t window = name.find('>');
  if (window != std::string::npos) name.resize(window);
  return name;
}

// The file as the viewer should get it: absolute, so the viewer's own
// folder does not matter.
std::string ViewerPath(const std::string& file) {
  const std::string native = NativePath(file.c_str());
  char resolved[PATH_MAX];
  return realpath(native.c_str(), resolved) ? std::string(resolved) : native;
}

// 0 when the file was handed to the viewer, else the error.
DWORD OpenHelpFile(LPCSTR help) {
  if (help == nullptr || help[0] == '\0') return ERROR_INVALID_PARAMETER;
  const std::string file = HelpFileOf(help);
  const DWORD attributes = GetFileAttributesA(file.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_PATH_NOT_FOUND ? error : ERROR_FILE_NOT_FOUND;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return ERROR_FILE_NOT_FOUND;
  const HelpDesktop desktop = CurrentDesktop();
  if (!desktop.has_desktop()) return ERROR_NOT_SUPPORTED;
  const std::string viewer = desktop.find_viewer();
  if (viewer.empty()) return ERROR_NO_ASSOCIATION;
  return desktop.launch(viewer, ViewerPath(file));
}

DWORD WinHelpError(HWND window, LPCSTR help, UINT command) {
  if (window != nullptr && !IsWindow(window)) return ERROR_INVALID_WINDOW_HANDLE;
  switch (ActionOf(command)) {
    case HelpAction::kOpenFile:
      return OpenHelpFile(help);
    case HelpAction::kNothing:
      return ERROR_SUCCESS;
    case HelpAction::kHelpOnHelp:
      return ERROR_FILE_NOT_FOUND;
    case HelpAction::kMacro:
      return ERROR_NOT_SUPPORTED;
    case HelpAction::kUnknown:
      break;
  }
  return ERROR_INVALID_PARAMETER;
}

}  // namespace

}  // namespace platform::dialogs

BOOL WinHelpA(HWND hWndMain, LPCSTR lpszHelp, UINT uCommand, ULONG_PTR dwData) {
  (void)dwData;  // topics and keywords cannot be passed to the viewer
  const DWORD error = platform::dialogs::WinHelpError(hWndMain, lpszHelp, uCommand);
  if (error != ERROR_SUCCESS) {
    SetLastError(error);
    return FALSE;
  }
  return TRUE;
}
