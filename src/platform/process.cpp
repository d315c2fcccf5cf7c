// Starting other programs on Linux. No shell is involved: arguments reach the program as they
// are. Started programs read their input from /dev/null, so they never compete with this
// program for its terminal, and inherit no open files beyond the standard three.
#include "platform/process.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

extern char** environ;

namespace trimora {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Pointers for exec: argv[0] is the program, then the arguments, then a null.
std::vector<char*> ArgumentPointers(const std::string& program,
                                    const std::vector<std::string>& arguments) {
  std::vector<char*> pointers;
  pointers.push_back(const_cast<char*>(program.c_str()));
  for (const auto& argument : arguments) pointers.push_back(const_cast<char*>(argument.c_str()));
  pointers.push_back(nullptr);
  return pointers;
}

bool IsExecutableFile(const std::string& path) {
  struct stat info {};
  return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}

// `program` itself when it names a path, else the first executable of that name in the PATH;
// empty when there is none.
std::string ResolveProgram(const std::string& program) {
  if (program.empty()) return {};
  if (program.find('/') != std::string::npos) return IsExecutableFile(program) ? program : "";
  const char* path = std::getenv("PATH");
  const std::string_view folders = path != nullptr ? path : "/usr/local/bin:/usr/bin:/bin";
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = folders.find(':', start);
    const std::string_view folder =
        folders.substr(start, end == std::string_view::npos ? end : end - start);
    // An empty entry stands for the current folder.
    std::string candidate(folder.empty() ? std::string_view(".") : folder);
    candidate += '/';
    candidate += program;
    if (IsExecutableFile(candidate)) return candidate;
    if (end == std::string_view::npos) return {};
    start = end + 1;
  }
}

// Signals this program may ignore, which a started program should not inherit ignored.
constexpr int kResetSignals[] = {SIGPIPE, SIGINT,  SIGQUIT, SIGHUP,
                                 SIGTERM, SIGCHLD, SIGUSR1, SIGUSR2};

}  // namespace

std::vector<std::string> SplitCommandLine(std::string_view parameters) {
  // The rules of the Microsoft C runtime for the arguments after the program name:
  // blanks (space, tab) outside quotes separate arguments; a double quote starts or ends a
  // quoted part, and inside one two double quotes in a row stand for one; 2n backslashes
  // before a double quote give n backslashes and the quote keeps its meaning, 2n+1 give
  // n backslashes and a literal quote; other backslashes stand for themselves.
  std::vector<std::string> arguments;
  std::string current;
  bool inArgument = false;
  bool quoted = false;
  std::size_t i = 0;
  while (i < parameters.size()) {
    const char c = parameters[i];
    if (!quoted && IsBlank(c)) {
      if (inArgument) arguments.push_back(std::move(current));
      current.clear();
      inArgument = false;
      ++i;
      continue;
    }
    inArgument = true;
    if (c == '\\') {
      std::size_t count = 0;
      while (i < parameters.size() && parameters[i] == '\\') {
        ++count;
        ++i;
      }
      if (i < parameters.size() && parameters[i] == '"') {
        current.append(count / 2, '\\');
        if (count % 2 == 1) {
          current += '"';
          ++i;
        }
      } else {
        current.append(count, '\\');
      }
      continue;
    }
    if (c == '"') {
      if (quoted && i + 1 < parameters.size() && parameters[i + 1] == '"') {
        current += '"';
        i += 2;
      } else {
        quoted = !quoted;
        ++i;
      }
      continue;
    }
    current += c;
    ++i;
  }
  if (inArgument) arguments.push_back(std::move(current));
  return arguments;
}

namespace {

// Starts the program hidden and waits; its standard output goes to `output`, or to /dev/null
// when that is -1.
int SpawnAndWait(const std::string& program, std::string_view parameters, int output) {
  const std::string path = ResolveProgram(program);
  if (path.empty()) return -1;
  const std::vector<std::string> arguments = SplitCommandLine(parameters);
  std::vector<char*> argv = ArgumentPointers(program, arguments);

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  if (output >= 0)
    posix_spawn_file_actions_adddup2(&actions, output, STDOUT_FILENO);
  else
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
#if defined(__GLIBC__) && (__GLIBC__ > 2 || (__GLIBC__ == 2 && __GLIBC_MINOR__ >= 34))
  posix_spawn_file_actions_addclosefrom_np(&actions, STDERR_FILENO + 1);
#endif
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  sigset_t signals;
  sigemptyset(&signals);
  posix_spawnattr_setsigmask(&attributes, &signals);
  for (const int signal : kResetSignals) sigaddset(&signals, signal);
  posix_spawnattr_setsigdefault(&attributes, &signals);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  pid_t child = 0;
  const int failed = posix_spawn(&child, path.c_str(), &actions, &attributes, argv.data(), environ);
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&actions);
  if (failed != 0) return -1;

  int status = 0;
  while (waitpid(child, &status, 0) < 0) {
    if (errno != EINTR) return -1;
  }
  return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

int RunHiddenAndWait(const std::string& program, std::string_view parameters) {
  return SpawnAndWait(program, parameters, -1);
}

int RunHiddenAndWait(const std::string& program, std::string_view parameters,
                     ReplacingFile& output) {
  const int descriptor = output.Descriptor();
  // The program appends behind what the file holds.
  if (::lseek(descriptor, 0, SEEK_END) < 0) return -1;
  return SpawnAndWait(program, parameters, descriptor);
}

bool StartDetached(const std::string& program, const std::vector<std::string>& arguments) {
  const std::string path = ResolveProgram(program);
  if (path.empty()) return false;
  std::vector<char*> argv = ArgumentPointers(program, arguments);

  // Two forks: the grandchild runs the program in a session of its own and is adopted by
  // init, so nothing here has to collect it. A pipe that closes on exec tells whether the
  // exec worked. Between fork and exec only async-signal-safe calls are made.
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  const pid_t middle = fork();
  if (middle < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (middle == 0) {
    setsid();
    const pid_t grandchild = fork();
    if (grandchild != 0) _exit(grandchild < 0 ? 1 : 0);
    sigset_t none;
    sigemptyset(&none);
    sigprocmask(SIG_SETMASK, &none, nullptr);
    for (const int signal : kResetSignals) ::signal(signal, SIG_DFL);
    const int input = open("/dev/null", O_RDONLY);
    if (input >= 0 && input != STDIN_FILENO) {
      dup2(input, STDIN_FILENO);
      close(input);
    }
#ifdef SYS_close_range
    syscall(SYS_close_range, STDERR_FILENO + 1, ~0U, 4 /* CLOSE_RANGE_CLOEXEC */);
#endif
    execv(path.c_str(), argv.data());
    const int error = errno;
    [[maybe_unused]] const ssize_t wrote = write(report[1], &error, sizeof error);
    _exit(127);
  }
  close(report[1]);
  int status = 0;
  while (waitpid(middle, &status, 0) < 0 && errno == EINTR) {
  }
  int error = 0;
  ssize_t got = 0;
  do {
    got = read(report[0], &error, sizeof error);
  } while (got < 0 && errno == EINTR);
  close(report[0]);
  return WIFEXITED(status) && WEXITSTATUS(status) == 0 && got == 0;
}

bool OpenAddress(const std::string& address) { return StartDetached("xdg-open", {address}); }

}  // namespace trimora
