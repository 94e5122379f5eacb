#include "app/export/video_encoder.h"

#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <vector>

#include "system/shell.h"

extern char** environ;

namespace pax {

std::string FindFfmpeg() { return FindProgram("ffmpeg"); }

std::string EncodeVideo(const std::string& directory, int count, double fps, const std::string& video) {
    const std::string ffmpeg = FindFfmpeg();
    if (ffmpeg.empty()) return "ffmpeg is not on the PATH: no video, the pictures are in " + directory;
    char rate[32];
    std::snprintf(rate, sizeof rate, "%g", fps);
    const std::filesystem::path target(video);
    // The extension stays, so that ffmpeg picks the container by it.
    const std::string temporary =
        (target.parent_path() / (".~" + target.stem().string() + "." + std::to_string(getpid()) +
                                 target.extension().string()))
            .string();
    const std::string input = (std::filesystem::path(directory) / "frame_%04d.png").string();
    std::vector<std::string> args = {ffmpeg, "-nostdin", "-y", "-loglevel", "error", "-framerate", rate,
                                     "-i", input, "-frames:v", std::to_string(count), "-vf", "pad=ceil(iw/2)*2:ceil(ih/2)*2", "-c:v", "libx264",
                                     "-pix_fmt", "yuv420p", temporary};
    std::vector<char*> argv;
    for (std::string& a : args) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t pid = 0;
    const int spawned = posix_spawn(&pid, ffmpeg.c_str(), nullptr, nullptr, argv.data(), environ);
    if (spawned != 0) return "cannot start " + ffmpeg + ": " + std::strerror(spawned);
    int status = 0;
    while (waitpid(pid, &status, 0) < 0 && errno == EINTR) {
    }
    std::error_code error;
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0) {
        std::filesystem::remove(temporary, error);
        return "ffmpeg could not encode " + video;
    }
    std::filesystem::rename(temporary, target, error);
    if (error) {
        std::filesystem::remove(temporary, error);
        return "cannot write " + video + ": " + error.message();
    }
    return {};
}

}  // namespace pax
