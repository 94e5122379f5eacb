#pragma once
// Wave sound: the main window's looped sound, sounds played once, the volume and the beep.
// The logic (playing flag, current file, volume scale, error reports) lives here; a
// SoundDevice does the playing. The default device is silent and has no wave devices; the
// desktop program installs one that plays through the sound system.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace pax {

// What a wave-output device offers.
struct tWaveOutCaps {
    std::string Name;
    uint16_t Channels = 0;
    bool HasVolume = false;
};

class SoundDevice {
public:
    virtual ~SoundDevice() = default;
    virtual int DeviceCount() = 0;
    // Fills caps of device index (0-based); false with a device error text on failure.
    virtual bool Capabilities(int index, tWaveOutCaps& caps, std::string& error) = 0;
    // Starts file playing in a loop without waiting; false when it cannot be played.
    virtual bool StartLoop(const std::string& file) = 0;
    // Plays file to its end.
    virtual void PlayOnce(const std::string& file) = 0;
    virtual void StopAll() = 0;
    // Channel volumes 0..65535; false with a device error text on failure.
    virtual bool SetVolume(uint16_t left, uint16_t right, std::string& error) = 0;
    virtual void Beep() = 0;
};

class SilentSoundDevice : public SoundDevice {
public:
    int DeviceCount() override { return 0; }
    bool Capabilities(int, tWaveOutCaps&, std::string& error) override {
        error = "no wave-output device";
        return false;
    }
    bool StartLoop(const std::string&) override { return false; }
    void PlayOnce(const std::string&) override {}
    void StopAll() override {}
    bool SetVolume(uint16_t, uint16_t, std::string&) override { return true; }
    void Beep() override {}
};

// The installed device; the silent one until another is installed. Returns the previous one.
SoundDevice& CurrentSoundDevice();
std::unique_ptr<SoundDevice> InstallSoundDevice(std::unique_ptr<SoundDevice> device);

// Starts file looped; the sound plays and file becomes the current sound file when the
// start succeeds.
bool PlaySoundLooped(const std::string& file);
void PlaySoundOnce(const std::string& file);
void StopSound();
// On: the current sound file looped; off: stop.
void SetSound(bool on);
// Both channels get percent * 655 (100 gives 65500); percent is clamped to 0..100. A device
// failure is shown with the caption "SysUtil2: MMSystem.WaveOutSetVolume".
void SetSoundVolume(int percent);
void SoundBeep();

bool SoundPlaying();
const std::string& CurrentSoundFile();

// Counts the wave-output devices and reads the capabilities of devices 0 and 1; a failure is
// shown with the caption "SysUtil2: MMSystem.WaveOutGetDevCaps".
void ReadWaveDevices();
int WaveDeviceCount();
const std::vector<tWaveOutCaps>& WaveDeviceCaps();

}  // namespace pax
