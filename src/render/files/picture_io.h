#pragma once
// Picture files: loading and saving surfaces as PNG, JPEG or BMP, and the names of saved
// screenshots. The codecs are pure functions over bytes; this unit reads and writes the files
// and tells the user what went wrong: a file that cannot be opened, read or written through
// the file error routine, a damaged picture through ShowError with the caption
// "PictureIO:  " + the operation.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "render/surface/bitmap32.h"
#include "render/files/jpeg_codec.h"

namespace pax {

enum class PictureFormat { Bmp, Jpeg, Png };

// By the upper-cased extension: ".PNG", ".JPG" or ".JPEG", anything else BMP.
PictureFormat PictureFormatOf(std::string_view fileName);

// Reads the picture into bitmap (its size and pixels; draw mode and the like are kept). On any
// failure one message is shown, bitmap is left empty (0 x 0) and false returned. When the
// contents do not match the extension's format but another format's signature, that format
// is read.
bool LoadPicture(TBitmap32& bitmap, const std::string& name);

// PNG with compression level 9, JPEG with quality 95, otherwise BMP: 32 bits with alpha when
// any pixel is not opaque, else 24. False (after a message) when nothing was written.
bool SavePicture(const TBitmap32& bitmap, const std::string& name);

// Both return whether a surface was given and the file written.
bool SaveBMP(const TBitmap32* surface, const std::string& file);
bool SaveJPEG(const TBitmap32* surface, const std::string& file, int quality, JpegScan scan);

// Writes bytes to name through a temporary file in the same directory that is renamed into
// place, so that a failed write never leaves a half-written file. Failures go through the
// file error routine.
bool WritePictureFile(const std::string& name, std::span<const uint8_t> bytes);

// Names of saved screenshots, directory + "/Pax_" + at least 4 digits + extension. The 16-bit
// counter runs on from its last value (wrapping) to the first number for which no file
// "Pax_" + number + ".*" exists in the directory (compared without regard to case).
class PictureNamer {
public:
    explicit PictureNamer(std::string directory = "Images", uint16_t lastCounter = 0)
        : m_directory(std::move(directory)), m_counter(lastCounter) {}
    // ext includes the dot: ".JPG".
    std::string Next(std::string_view ext);
    uint16_t Counter() const { return m_counter; }

private:
    std::string m_directory;
    uint16_t m_counter;
};

// The process-wide namer on "Images".
std::string NextPictureName(std::string_view ext);

}  // namespace pax
