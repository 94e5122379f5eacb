#include "system/sound.h"

#include "system/error_reporting.h"
#include "system/numbers.h"

namespace pax {
namespace {

constexpr uint16_t VolumePerPercent = 655;
constexpr int DevicesRead = 2;

struct SoundState {
    std::unique_ptr<SoundDevice> device = std::make_unique<SilentSoundDevice>();
    bool playing = false;
    std::string currentFile;
    int deviceCount = 0;
    std::vector<tWaveOutCaps> caps;
};

SoundState& State() {
    static SoundState state;
    return state;
}

void ReportDeviceError(const char* call, const std::string& error) {
    ShowError(std::string("SysUtil2: MMSystem.") + call, error, Buttons::AbortRetryIgnoreDefault2);
}

}  // namespace

SoundDevice& CurrentSoundDevice() { return *State().device; }

std::unique_ptr<SoundDevice> InstallSoundDevice(std::unique_ptr<SoundDevice> device) {
    if (!device) device = std::make_unique<SilentSoundDevice>();
    std::swap(State().device, device);
    return device;
}

bool PlaySoundLooped(const std::string& file) {
    SoundState& s = State();
    if (!s.device->StartLoop(file)) return false;
    s.playing = true;
    s.currentFile = file;
    return true;
}

void PlaySoundOnce(const std::string& file) { State().device->PlayOnce(file); }

void StopSound() {
    State().device->StopAll();
    State().playing = false;
}

void SetSound(bool on) {
    if (on)
        PlaySoundLooped(State().currentFile);
    else
        StopSound();
}

void SetSoundVolume(int percent) {
    uint16_t volume = static_cast<uint16_t>(ClampInt(percent, 0, 100) * VolumePerPercent);
    std::string error;
    if (!State().device->SetVolume(volume, volume, error)) ReportDeviceError("WaveOutSetVolume", error);
}

void SoundBeep() { State().device->Beep(); }

bool SoundPlaying() { return State().playing; }
const std::string& CurrentSoundFile() { return State().currentFile; }

void ReadWaveDevices() {
    SoundState& s = State();
    s.deviceCount = s.device->DeviceCount();
    s.caps.clear();
    for (int i = 0; i < DevicesRead && i < s.deviceCount; ++i) {
        tWaveOutCaps caps;
        std::string error;
        if (!s.device->Capabilities(i, caps, error)) {
            ReportDeviceError("WaveOutGetDevCaps", error);
            continue;
        }
        s.caps.push_back(caps);
    }
}

int WaveDeviceCount() { return State().deviceCount; }
const std::vector<tWaveOutCaps>& WaveDeviceCaps() { return State().caps; }

}  // namespace pax
