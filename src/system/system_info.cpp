#include "system/system_info.h"

#include <pwd.h>
#include <sys/utsname.h>
#include <unistd.h>

#include <chrono>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <thread>
#include <vector>

#if defined(__x86_64__) || defined(__i386__)
#include <x86intrin.h>
#endif

#include "system/text_utils.h"

namespace pax {
namespace {

constexpr size_t ComputerNameLength = 15;
constexpr size_t UserNameLength = 128;
// The user part of the x86-64 address space: 128 TiB.
constexpr uint64_t UserAddressSpace = uint64_t(1) << 47;

// /proc files report a size of 0, so they are read to their end, with a bound.
std::string ReadProcFile(const char* path) {
    constexpr size_t Limit = 1 << 20;
    std::ifstream in(path);
    std::string text;
    char buffer[4096];
    while (in && text.size() < Limit) {
        in.read(buffer, sizeof buffer);
        text.append(buffer, static_cast<size_t>(in.gcount()));
    }
    return text;
}

std::string_view Trim(std::string_view text) {
    size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string_view::npos) return {};
    size_t last = text.find_last_not_of(" \t\r\n");
    return text.substr(first, last - first + 1);
}

// The value of the first "key : value" line whose key is key; false when there is none.
bool FindField(std::string_view text, std::string_view key, std::string& value) {
    size_t start = 0;
    while (start < text.size()) {
        size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(start, end - start);
        start = end + 1;
        size_t colon = line.find(':');
        if (colon == std::string_view::npos || Trim(line.substr(0, colon)) != key) continue;
        value = std::string(Trim(line.substr(colon + 1)));
        return true;
    }
    return false;
}

uint64_t KilobyteField(std::string_view meminfo, std::string_view key) {
    std::string value;
    if (!FindField(meminfo, key, value)) return 0;
    return std::strtoull(value.c_str(), nullptr, 10) * 1024;
}

// The address space this process uses, from /proc/self/status ("VmSize: 1234 kB").
uint64_t UsedVirtual() { return KilobyteField(ReadProcFile("/proc/self/status"), "VmSize"); }

tMemoryStatus& Status() {
    static tMemoryStatus status;
    return status;
}

std::string& Printer() {
    static std::string printer;
    return printer;
}

int MeasuredSpeed() {
#if defined(__x86_64__) || defined(__i386__)
    using namespace std::chrono_literals;
    std::this_thread::sleep_for(1ms);
    uint64_t start = __rdtsc();
    std::this_thread::sleep_for(200ms);
    uint64_t ticks = __rdtsc() - start;
    return static_cast<int>(ticks / 200000 + 1);
#else
    return 0;
#endif
}

}  // namespace

tMemoryStatus MemoryStatusFrom(std::string_view meminfo) {
    tMemoryStatus s;
    s.TotalPhys = KilobyteField(meminfo, "MemTotal");
    // Kernels before 3.14 have no MemAvailable; free memory is the closest figure there.
    std::string available;
    bool hasAvailable = FindField(meminfo, "MemAvailable", available);
    s.AvailPhys = KilobyteField(meminfo, hasAvailable ? "MemAvailable" : "MemFree");
    if (s.AvailPhys > s.TotalPhys) s.AvailPhys = s.TotalPhys;
    s.TotalPageFile = KilobyteField(meminfo, "SwapTotal");
    s.AvailPageFile = KilobyteField(meminfo, "SwapFree");
    if (s.TotalPhys > 0)
        s.MemoryLoad = static_cast<uint32_t>((s.TotalPhys - s.AvailPhys) * 100 / s.TotalPhys);
    return s;
}

const tMemoryStatus& MemoryStatus() { return Status(); }

void RefreshMemoryStatus() {
    tMemoryStatus s = MemoryStatusFrom(ReadProcFile("/proc/meminfo"));
    s.TotalVirtual = UserAddressSpace;
    uint64_t used = UsedVirtual();
    s.AvailVirtual = used < UserAddressSpace ? UserAddressSpace - used : 0;
    Status() = s;
}

namespace SystemInfo {

std::string OperatingSystemNameFrom(std::string_view sysname, std::string_view release) {
    size_t end = release.find_first_not_of("0123456789.");
    std::string_view version = release.substr(0, end);
    while (!version.empty() && version.back() == '.') version.remove_suffix(1);
    if (sysname.empty()) return "unknown OS";
    std::string name(sysname);
    if (version.empty()) return name;
    name += ' ';
    name += version;
    return name;
}

std::string OperatingSystemName() {
    utsname u{};
    if (uname(&u) != 0) return "unknown OS";
    return OperatingSystemNameFrom(u.sysname, u.release);
}

std::string ServicePackFrom(std::string_view release, std::string_view version) {
    std::string text(Trim(version));
    size_t dash = release.find('-');
    if (dash == std::string_view::npos) return text;
    long build = std::strtol(std::string(release.substr(dash + 1)).c_str(), nullptr, 10);
    if (build > 0) text += ", Build " + std::to_string(build);
    return text;
}

std::string ServicePack() {
    utsname u{};
    if (uname(&u) != 0) return "";
    return ServicePackFrom(u.release, u.version);
}

std::string ComputerName() {
    char name[256] = "";
    if (gethostname(name, sizeof name - 1) != 0) return "";
    return CutText(name, ComputerNameLength);
}

std::string UserName() {
    std::vector<char> buffer(16384);
    passwd entry{};
    passwd* found = nullptr;
    if (getpwuid_r(geteuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found)
        return CutText(found->pw_name, UserNameLength);
    const char* user = std::getenv("USER");
    return CutText(user ? user : "", UserNameLength);
}

std::string LanguageFrom(const char* lcAll, const char* lcMessages, const char* lang) {
    const char* chosen = nullptr;
    for (const char* candidate : {lcAll, lcMessages, lang}) {
        if (candidate && *candidate) {
            chosen = candidate;
            break;
        }
    }
    if (!chosen) return "C";
    std::string_view value(chosen);
    return std::string(value.substr(0, value.find_first_of(".@")));
}

std::string Language() {
    return LanguageFrom(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

const std::string& DefaultPrinter() { return Printer(); }

void SetDefaultPrinter(std::string_view deviceEntry) { Printer() = TextBefore(deviceEntry, ","); }

std::string ProcessorNameFrom(std::string_view cpuinfo) {
    std::string name;
    if (!FindField(cpuinfo, "model name", name) || name.empty()) return "?";
    return name;
}

std::string ProcessorName() { return ProcessorNameFrom(ReadProcFile("/proc/cpuinfo")); }

int ProcessorSpeedFrom(std::string_view cpuinfo) {
    std::string mhz;
    if (!FindField(cpuinfo, "cpu MHz", mhz)) return 0;
    double value = std::strtod(mhz.c_str(), nullptr);
    if (!(value > 0) || value > 1e6) return 0;
    return static_cast<int>(std::lround(value));
}

int ProcessorSpeed() {
    int speed = ProcessorSpeedFrom(ReadProcFile("/proc/cpuinfo"));
    return speed > 0 ? speed : MeasuredSpeed();
}

std::string DirectXVersion() { return "not available"; }

std::string CdDrivesFrom(std::string_view cdromInfo) {
    std::string names;
    if (!FindField(cdromInfo, "drive name", names)) return "not present";
    std::istringstream in(names);
    std::string drive, drives;
    while (in >> drive) {
        if (!drives.empty()) drives += ' ';
        drives += "/dev/" + drive;
    }
    return drives.empty() ? "not present" : drives;
}

std::string CdDrives() { return CdDrivesFrom(ReadProcFile("/proc/sys/dev/cdrom/info")); }

const char* YesNo(bool value) { return value ? "yes" : "no"; }

}  // namespace SystemInfo
}  // namespace pax
