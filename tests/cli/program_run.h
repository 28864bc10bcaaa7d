#pragma once
// Runs the real moji-outline binary with raw byte arguments and no display in its environment.

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstring>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <vector>

extern char** environ;

namespace moji::test {

/// What a finished run left: its exit status (-1 when it did not exit normally) and output.
struct ProgramRun {
  int ExitCode = -1;
  std::string Out;
  std::string Err;
};

inline std::string FileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

/// Runs MOJI_OUTLINE_PATH with `arguments`, without DISPLAY, WAYLAND_DISPLAY and
/// QT_QPA_PLATFORM, collecting standard output and error in files under `scratchDir`.
inline ProgramRun RunMojiOutline(const std::vector<std::string>& arguments,
                                 const std::string& scratchDir) {
  std::vector<char*> argv{const_cast<char*>(MOJI_OUTLINE_PATH)};
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  std::vector<char*> envp;
  for (char** entry = environ; *entry != nullptr; ++entry) {
    const std::string_view variable(*entry);
    if (variable.starts_with("DISPLAY=") || variable.starts_with("WAYLAND_DISPLAY=") ||
        variable.starts_with("QT_QPA_PLATFORM=")) {
      continue;
    }
    envp.push_back(*entry);
  }
  envp.push_back(nullptr);

  const std::string outPath = scratchDir + "/stdout";
  const std::string errPath = scratchDir + "/stderr";
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC,
                                   0600);
  pid_t child = 0;
  const int spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), envp.data());
  posix_spawn_file_actions_destroy(&actions);
  ProgramRun run;
  if (spawned != 0) return run;
  int status = 0;
  if (waitpid(child, &status, 0) == child && WIFEXITED(status)) run.ExitCode = WEXITSTATUS(status);
  run.Out = FileBytes(outPath);
  run.Err = FileBytes(errPath);
  unlink(outPath.c_str());
  unlink(errPath.c_str());
  return run;
}

}  // namespace moji::test
