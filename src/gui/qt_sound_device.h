#pragma once
// The sound interface through Qt Multimedia: wave files looped or played once with
// QSoundEffect on the default output. Without an output device it stays silent, as the
// system's default device does.

#include <memory>
#include <set>
#include <string>

#include "system/sound.h"

class QSoundEffect;

namespace pax {

class QtSoundDevice : public SoundDevice {
public:
    QtSoundDevice();
    ~QtSoundDevice() override;

    int DeviceCount() override;
    bool Capabilities(int index, tWaveOutCaps& caps, std::string& error) override;
    bool StartLoop(const std::string& file) override;
    void PlayOnce(const std::string& file) override;
    void StopAll() override;
    bool SetVolume(uint16_t left, uint16_t right, std::string& error) override;
    void Beep() override;

    // Sounds play without waiting, so that a flashed chime never stalls the pictures; the
    // closing chime would be cut off by the program's end, which therefore waits for the
    // sound played once to finish, for at most maxMs.
    void WaitForSoundOnce(int maxMs);

private:
    bool Play(QSoundEffect& effect, const std::string& file, int loops);

    // Made on first use, so that a machine without sound never builds an effect.
    std::unique_ptr<QSoundEffect> m_loop;
    std::unique_ptr<QSoundEffect> m_once;
    float m_volume = 1.0f;
    // The files already reported missing: each is reported once.
    std::set<std::string> m_missing;
};

// The file as given when it exists, else the file name in the data folder ($PAX3D_DATA,
// else data/ beside the executable, else ../share/pax3d/data from it) or its "sounds"
// subfolder. Empty when none exists.
std::string FindSoundFile(const std::string& file);

}  // namespace pax
