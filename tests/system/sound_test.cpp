#include "system/sound.h"

#include <gtest/gtest.h>

#include "support/scripted_presenter.h"

namespace pax {
namespace {

struct DeviceLog {
    std::vector<std::string> calls;
    uint16_t left = 0, right = 0;
    bool startWorks = true;
    bool volumeWorks = true;
    int failingCaps = -1;
    int count = 3;
};

class FakeDevice : public SoundDevice {
public:
    explicit FakeDevice(DeviceLog* log) : m_log(log) {}
    int DeviceCount() override { return m_log->count; }
    bool Capabilities(int index, tWaveOutCaps& caps, std::string& error) override {
        m_log->calls.push_back("caps " + std::to_string(index));
        if (index == m_log->failingCaps) {
            error = "device busy";
            return false;
        }
        caps.Name = "out" + std::to_string(index);
        return true;
    }
    bool StartLoop(const std::string& file) override {
        m_log->calls.push_back("loop " + file);
        return m_log->startWorks;
    }
    void PlayOnce(const std::string& file) override { m_log->calls.push_back("once " + file); }
    void StopAll() override { m_log->calls.push_back("stop"); }
    bool SetVolume(uint16_t left, uint16_t right, std::string& error) override {
        m_log->left = left;
        m_log->right = right;
        if (!m_log->volumeWorks) error = "no mixer";
        return m_log->volumeWorks;
    }
    void Beep() override { m_log->calls.push_back("beep"); }

private:
    DeviceLog* m_log;
};

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override { m_previous = InstallSoundDevice(std::make_unique<FakeDevice>(&log)); }
    void TearDown() override {
        StopSound();
        InstallSoundDevice(std::move(m_previous));
    }
    DeviceLog log;
    testing::ScopedPresenter boxes;

private:
    std::unique_ptr<SoundDevice> m_previous;
};

TEST_F(SoundTest, VolumeIsPercentTimes655OnBothChannels) {
    SetSoundVolume(100);
    EXPECT_EQ(log.left, 65500);
    EXPECT_EQ(log.right, 65500);
    SetSoundVolume(50);
    EXPECT_EQ(log.left, 32750);
    SetSoundVolume(150);  // more than 100 would wrap the 16-bit channel
    EXPECT_EQ(log.left, 65500);
    SetSoundVolume(-5);
    EXPECT_EQ(log.left, 0);
    EXPECT_EQ(boxes.Count(), 0u);
}

TEST_F(SoundTest, AVolumeFailureIsShownWithTheFailingCall) {
    log.volumeWorks = false;
    SetSoundVolume(80);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "SysUtil2: MMSystem.WaveOutSetVolume");
    EXPECT_EQ(boxes.Last().text, "no mixer");
    EXPECT_EQ(boxes.Last().buttons, 258);
}

TEST_F(SoundTest, LoopedSoundSetsPlayingOnlyWhenItStarts) {
    EXPECT_TRUE(PlaySoundLooped("a.wav"));
    EXPECT_TRUE(SoundPlaying());
    EXPECT_EQ(CurrentSoundFile(), "a.wav");
    StopSound();
    EXPECT_FALSE(SoundPlaying());
    log.startWorks = false;
    EXPECT_FALSE(PlaySoundLooped("b.wav"));
    EXPECT_FALSE(SoundPlaying());
    EXPECT_EQ(CurrentSoundFile(), "a.wav");
}

TEST_F(SoundTest, SetSoundLoopsTheCurrentFileOrStops) {
    PlaySoundLooped("theme.wav");
    SetSound(false);
    EXPECT_FALSE(SoundPlaying());
    SetSound(true);
    EXPECT_TRUE(SoundPlaying());
    EXPECT_EQ(log.calls, (std::vector<std::string>{"loop theme.wav", "stop", "loop theme.wav"}));
}

TEST_F(SoundTest, ReadsTheFirstTwoDevicesAndReportsAFailure) {
    log.failingCaps = 1;
    ReadWaveDevices();
    EXPECT_EQ(WaveDeviceCount(), 3);
    ASSERT_EQ(WaveDeviceCaps().size(), 1u);
    EXPECT_EQ(WaveDeviceCaps()[0].Name, "out0");
    EXPECT_EQ(log.calls, (std::vector<std::string>{"caps 0", "caps 1"}));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "SysUtil2: MMSystem.WaveOutGetDevCaps");
    EXPECT_EQ(boxes.Last().text, "device busy");
}

TEST(SilentSound, HasNoDevicesAndNeverPlays) {
    testing::ScopedPresenter boxes;
    ReadWaveDevices();
    EXPECT_EQ(WaveDeviceCount(), 0);
    EXPECT_FALSE(PlaySoundLooped("x.wav"));
    EXPECT_FALSE(SoundPlaying());
    SetSoundVolume(50);
    SoundBeep();
    EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
}  // namespace pax
