#pragma once
// A video of a picture sequence through ffmpeg, when it is installed: the program is run
// without a shell, writes into a temporary file beside the video, and the file is renamed into
// place only when ffmpeg succeeded, so a failed encoding leaves no half video behind.

#include <string>

namespace pax {

// Where ffmpeg is (empty when it is not on the PATH).
std::string FindFfmpeg();

// Encodes directory/frame_0000.png ... frame_(count - 1) at fps pictures per second into
// video (H.264, even sizes by padding); pictures of an earlier, longer run in the directory
// are left out. An empty string on success, else the reason.
std::string EncodeVideo(const std::string& directory, int count, double fps, const std::string& video);

}  // namespace pax
