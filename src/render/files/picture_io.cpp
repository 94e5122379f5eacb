#include "render/files/picture_io.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <set>
#include <vector>

#include "render/files/bmp_codec.h"
#include "render/files/png_codec.h"
#include "system/error_reporting.h"

namespace pax {
namespace {

// The largest picture we accept, uncompressed as a 32-bit bitmap, and room for its headers.
constexpr int64_t MaxPictureFileBytes = int64_t{MaxPictureSide} * MaxPictureSide * 4 + (1 << 20);

std::string Caption(std::string_view operation) { return "PictureIO:  " + std::string(operation); }

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = char(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

// The kind of failure decides who reports it: the file error routine reports errno values.
struct FileBytes {
    std::vector<uint8_t> bytes;
    int errorCode = 0;        // errno of a failed open or read
    std::string tooLarge;     // set when the file exceeds every picture we accept
};

FileBytes ReadWholeFile(const std::string& name) {
    FileBytes result;
    int fd = ::open(name.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        result.errorCode = errno;
        return result;
    }
    struct stat info {};
    if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        result.errorCode = S_ISDIR(info.st_mode) ? EISDIR : (errno ? errno : EINVAL);
        ::close(fd);
        return result;
    }
    if (info.st_size > MaxPictureFileBytes) {
        result.tooLarge = "the file has " + std::to_string(info.st_size) +
                          " bytes, more than any picture we accept";
        ::close(fd);
        return result;
    }
    result.bytes.resize(size_t(info.st_size));
    size_t done = 0;
    while (done < result.bytes.size()) {
        ssize_t n = ::read(fd, result.bytes.data() + done, result.bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n < 0) {
            result.errorCode = errno;
            break;
        }
        if (n == 0) break;   // the file shrank while we read it
        done += size_t(n);
    }
    result.bytes.resize(done);
    ::close(fd);
    return result;
}

bool ReportFileError(int code, const std::string& name) {
    SetIoResult(code);
    ShowFileError(0, name);
    return false;
}

bool HasSignature(PictureFormat format, std::span<const uint8_t> d) {
    switch (format) {
        case PictureFormat::Png:
            return d.size() >= 8 && d[0] == 0x89 && d[1] == 'P' && d[2] == 'N' && d[3] == 'G';
        case PictureFormat::Jpeg: return d.size() >= 3 && d[0] == 0xFF && d[1] == 0xD8 && d[2] == 0xFF;
        case PictureFormat::Bmp: return d.size() >= 2 && d[0] == 'B' && d[1] == 'M';
    }
    return false;
}

// The extension's format, unless the contents carry another format's signature.
PictureFormat FormatToDecode(PictureFormat byName, std::span<const uint8_t> data) {
    if (HasSignature(byName, data)) return byName;
    for (PictureFormat f : {PictureFormat::Png, PictureFormat::Jpeg, PictureFormat::Bmp})
        if (HasSignature(f, data)) return f;
    return byName;
}

DecodeResult Decode(PictureFormat format, std::span<const uint8_t> data) {
    switch (format) {
        case PictureFormat::Png: return DecodePng(data);
        case PictureFormat::Jpeg: return DecodeJpeg(data);
        case PictureFormat::Bmp: return DecodeBmp(data);
    }
    return DecodeFailure("unknown format");
}

bool HasTransparency(const TBitmap32& picture) {
    const TColor32* p = picture.Bits();
    return std::any_of(p, p + size_t(picture.Width()) * picture.Height(),
                       [](TColor32 c) { return AlphaOf(c) != 255; });
}

EncodeResult EncodeBmpFor(const TBitmap32& picture) {
    return EncodeBmp(picture, HasTransparency(picture) ? BmpBits::Bits32 : BmpBits::Bits24);
}

bool WriteEncoded(const EncodeResult& encoded, const std::string& name, std::string_view operation) {
    if (!encoded.Ok()) {
        ShowError(Caption(operation),
                  "The picture cannot be saved as '" + name + "':\n" + encoded.Error,
                  Buttons::AbortRetryIgnoreDefault2);
        return false;
    }
    return WritePictureFile(name, encoded.Bytes);
}

bool WriteAll(int fd, std::span<const uint8_t> bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += size_t(n);
    }
    return true;
}

std::string TemporaryNameFor(const std::filesystem::path& target) {
    static std::atomic<unsigned> serial{0};
    std::filesystem::path dir = target.parent_path();
    std::string leaf = ".";
    leaf += target.filename().string();
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%ld-%u.tmp", long(::getpid()), serial++);
    leaf += suffix;
    return (dir / leaf).string();
}

}  // namespace

PictureFormat PictureFormatOf(std::string_view fileName) {
    std::string ext = Upper(std::filesystem::path(fileName).extension().string());
    if (ext == ".PNG") return PictureFormat::Png;
    if (ext == ".JPG" || ext == ".JPEG") return PictureFormat::Jpeg;
    return PictureFormat::Bmp;
}

bool LoadPicture(TBitmap32& bitmap, const std::string& name) {
    bitmap.SetSize(0, 0);
    FileBytes file = ReadWholeFile(name);
    if (file.errorCode != 0) return ReportFileError(file.errorCode, name);
    std::string error = file.tooLarge;
    DecodeResult decoded;
    if (error.empty()) {
        decoded = Decode(FormatToDecode(PictureFormatOf(name), file.bytes), file.bytes);
        error = decoded.Error;
    }
    if (!error.empty()) {
        ShowError(Caption("LoadPicture"), "The picture file '" + name + "' cannot be read:\n" + error,
                  Buttons::AbortRetryIgnoreDefault2);
        return false;
    }
    const TBitmap32& picture = decoded.Picture;
    bitmap.SetSize(picture.Width(), picture.Height());
    std::copy(picture.Bits(), picture.Bits() + size_t(picture.Width()) * picture.Height(), bitmap.Bits());
    return true;
}

bool SavePicture(const TBitmap32& bitmap, const std::string& name) {
    switch (PictureFormatOf(name)) {
        case PictureFormat::Png:
            return WriteEncoded(EncodePng(bitmap, PngCompressionForSaving), name, "SavePicture");
        case PictureFormat::Jpeg:
            return WriteEncoded(EncodeJpeg(bitmap, JpegQualityForSaving, JpegScan::Sequential), name,
                                "SavePicture");
        case PictureFormat::Bmp: return WriteEncoded(EncodeBmpFor(bitmap), name, "SavePicture");
    }
    return false;
}

bool SaveBMP(const TBitmap32* surface, const std::string& file) {
    if (!surface) return false;
    return WriteEncoded(EncodeBmpFor(*surface), file, "SaveBMP");
}

bool SaveJPEG(const TBitmap32* surface, const std::string& file, int quality, JpegScan scan) {
    if (!surface) return false;
    return WriteEncoded(EncodeJpeg(*surface, quality, scan), file, "SaveJPEG");
}

bool WritePictureFile(const std::string& name, std::span<const uint8_t> bytes) {
    const std::string temp = TemporaryNameFor(std::filesystem::path(name));
    int fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0) return ReportFileError(errno, name);
    bool written = WriteAll(fd, bytes) && ::fsync(fd) == 0;
    int code = written ? 0 : errno;
    if (::close(fd) != 0 && written) {
        written = false;
        code = errno;
    }
    if (written && ::rename(temp.c_str(), name.c_str()) != 0) {
        written = false;
        code = errno;
    }
    if (written) return true;
    ::unlink(temp.c_str());
    return ReportFileError(code != 0 ? code : EIO, name);
}

std::string PictureNamer::Next(std::string_view ext) {
    // Upper-cased names of existing files up to their first dot: "PAX_0007" for "Pax_0007.jpg".
    std::set<std::string> taken;
    std::error_code ec;
    for (std::filesystem::directory_iterator it(m_directory, ec), end; !ec && it != end; it.increment(ec)) {
        std::string leaf = it->path().filename().string();
        size_t dot = leaf.find('.');
        if (dot != std::string::npos) taken.insert(Upper(leaf.substr(0, dot)));
    }
    auto stem = [](uint16_t n) {
        char digits[8];
        std::snprintf(digits, sizeof digits, "%04u", unsigned(n));
        return "Pax_" + std::string(digits);
    };
    for (int tries = 0; tries <= 0xFFFF; ++tries) {
        ++m_counter;
        if (!taken.count(Upper(stem(m_counter)))) break;
    }
    return m_directory + "/" + stem(m_counter) + std::string(ext);
}

std::string NextPictureName(std::string_view ext) {
    static PictureNamer namer;
    return namer.Next(ext);
}

}  // namespace pax
