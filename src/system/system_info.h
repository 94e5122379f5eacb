#pragma once
// Facts about the machine and the operating system, for the about window and the debug log.
// Every query has a pure form over the text it reads (the "...From" functions), so that the
// parsing is tested without depending on the machine.

#include <cstdint>
#include <string>
#include <string_view>

namespace pax {

// The global memory status in bytes; MemoryLoad in percent of physical memory in use.
// The page file is the swap space; virtual memory is this process's address space.
struct tMemoryStatus {
    uint32_t Length = sizeof(tMemoryStatus);
    uint32_t MemoryLoad = 0;
    uint64_t TotalPhys = 0;
    uint64_t AvailPhys = 0;
    uint64_t TotalPageFile = 0;
    uint64_t AvailPageFile = 0;
    uint64_t TotalVirtual = 0;
    uint64_t AvailVirtual = 0;
};

// The status read at start-up or at the last refresh.
const tMemoryStatus& MemoryStatus();
void RefreshMemoryStatus();
// Physical and swap figures from the text of /proc/meminfo (values in kB there).
tMemoryStatus MemoryStatusFrom(std::string_view meminfo);

namespace SystemInfo {

// "Linux 6.1.0": the system name and the numeric part of the release.
std::string OperatingSystemName();
std::string OperatingSystemNameFrom(std::string_view sysname, std::string_view release);

// The kernel's version text, followed by ", Build " and the build number of the release
// ("6.1.0-18-amd64" has build 18) when that is positive.
std::string ServicePack();
std::string ServicePackFrom(std::string_view release, std::string_view version);

std::string ComputerName();  // at most 15 characters
std::string UserName();      // at most 128 characters

// "en_US" from LC_ALL, LC_MESSAGES or LANG ("en_US.UTF-8"); "C" when none is set.
std::string Language();
std::string LanguageFrom(const char* lcAll, const char* lcMessages, const char* lang);

// Set by the desktop program from the "name,driver,port" entry of its printer system; the
// part before the first ",". Empty when there is none.
const std::string& DefaultPrinter();
void SetDefaultPrinter(std::string_view deviceEntry);

// The "model name" of the first processor in /proc/cpuinfo; "?" when there is none.
std::string ProcessorName();
std::string ProcessorNameFrom(std::string_view cpuinfo);

// Whole MHz: the "cpu MHz" of /proc/cpuinfo, else measured with the time-stamp counter over
// 200 ms; 0 when neither is possible.
int ProcessorSpeed();
int ProcessorSpeedFrom(std::string_view cpuinfo);  // 0 when cpuinfo has no "cpu MHz"

std::string DirectXVersion();  // "not available"

// The device paths of the CD drives ("/dev/sr0 /dev/sr1"), or "not present".
std::string CdDrives();
std::string CdDrivesFrom(std::string_view cdromInfo);

const char* YesNo(bool value);

}  // namespace SystemInfo
}  // namespace pax
