#include "gui/qt_sound_device.h"

#include <QApplication>
#include <QAudioDevice>
#include <QElapsedTimer>
#include <QThread>
#include <QMediaDevices>
#include <QSoundEffect>
#include <QUrl>

#include <cerrno>
#include <cstdlib>
#include <filesystem>

#include "system/error_reporting.h"
#include "system/user_folders.h"

namespace pax {

namespace {

namespace fs = std::filesystem;

bool HasOutput() { return !QMediaDevices::audioOutputs().isEmpty(); }

}  // namespace

std::string FindSoundFile(const std::string& file) {
    std::error_code ec;
    if (file.empty()) return {};
    if (fs::is_regular_file(file, ec)) return file;
    const fs::path folder = DataFolder();
    const fs::path name = fs::path(file).filename();
    for (const fs::path& candidate : {folder / name, folder / "sounds" / name})
        if (fs::is_regular_file(candidate, ec)) return candidate.string();
    return {};
}

QtSoundDevice::QtSoundDevice() = default;
QtSoundDevice::~QtSoundDevice() = default;

int QtSoundDevice::DeviceCount() { return static_cast<int>(QMediaDevices::audioOutputs().size()); }

bool QtSoundDevice::Capabilities(int index, tWaveOutCaps& caps, std::string& error) {
    const QList<QAudioDevice> outputs = QMediaDevices::audioOutputs();
    if (index < 0 || index >= outputs.size()) {
        error = "no wave-output device " + std::to_string(index);
        return false;
    }
    const QAudioDevice& device = outputs[index];
    caps.Name = device.description().toStdString();
    caps.Channels = static_cast<uint16_t>(device.maximumChannelCount() >= 2 ? 2 : 1);
    caps.HasVolume = true;
    return true;
}

bool QtSoundDevice::Play(QSoundEffect& effect, const std::string& file, int loops) {
    const std::string path = FindSoundFile(file);
    if (path.empty()) {
        // A missing sound is said once; afterwards the program is silent about it.
        if (m_missing.insert(file).second) {
            SetIoResult(ENOENT);
            ShowFileError(0, DataFilePath(fs::path(file).filename().string()));
        }
        return false;
    }
    effect.stop();
    effect.setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    effect.setLoopCount(loops);
    effect.setVolume(m_volume);
    effect.play();
    return true;
}

bool QtSoundDevice::StartLoop(const std::string& file) {
    if (!HasOutput()) return false;
    if (!m_loop) m_loop = std::make_unique<QSoundEffect>();
    return Play(*m_loop, file, QSoundEffect::Infinite);
}

void QtSoundDevice::PlayOnce(const std::string& file) {
    if (!HasOutput()) return;
    if (!m_once) m_once = std::make_unique<QSoundEffect>();
    Play(*m_once, file, 1);
}

void QtSoundDevice::StopAll() {
    if (m_loop) m_loop->stop();
    if (m_once) m_once->stop();
}

bool QtSoundDevice::SetVolume(uint16_t left, uint16_t right, std::string&) {
    // One volume for both channels: their mean.
    m_volume = (static_cast<float>(left) + static_cast<float>(right)) / (2.0f * 65535.0f);
    for (QSoundEffect* effect : {m_loop.get(), m_once.get()})
        if (effect) effect->setVolume(m_volume);
    return true;
}

void QtSoundDevice::Beep() { QApplication::beep(); }

void QtSoundDevice::WaitForSoundOnce(int maxMs) {
    if (!m_once) return;
    QElapsedTimer waited;
    waited.start();
    // The effect loads its file first, then plays.
    while (waited.elapsed() < maxMs && (m_once->status() == QSoundEffect::Loading || m_once->isPlaying())) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
        QThread::msleep(5);
    }
}

}  // namespace pax
