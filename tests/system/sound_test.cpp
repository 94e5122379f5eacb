#include "system/sound.h"

#include <gtest/gtest.h>

#include "support/scripted_presenter.h"

namespace pax {
namespace {

// Records what the sound logic asks of a device; the flags make the device fail.
struct FakeDevice : SoundDevice {
    std::vector<std::string>* calls;
    bool startWorks = true, volumeWorks = true;
    int failingCaps = -1;
    uint16_t left = 0, right = 0;

    explicit FakeDevice(std::vector<std::string>* log) : calls(log) {}
    int DeviceCount() override { return 3; }
    bool Capabilities(int index, tWaveOutCaps& caps, std::string& error) override {
        calls->push_back("caps " + std::to_string(index));
        caps.Name = "out" + std::to_string(index);
        error = "device busy";
        return index != failingCaps;
    }
    bool StartLoop(const std::string& file) override {
        calls->push_back("loop " + file);
        return startWorks;
    }
    void PlayOnce(const std::string& file) override { calls->push_back("once " + file); }
    void StopAll() override { calls->push_back("stop"); }
    bool SetVolume(uint16_t l, uint16_t r, std::string& error) override {
        left = l;
        right = r;
        error = "no mixer";
        return volumeWorks;
    }
    void Beep() override {}
};

class SoundTest : public ::testing::Test {
protected:
    void SetUp() override {
        auto fake = std::make_unique<FakeDevice>(&calls);
        device = fake.get();
        m_previous = InstallSoundDevice(std::move(fake));
    }
    void TearDown() override {
        StopSound();
        InstallSoundDevice(std::move(m_previous));
    }
    std::vector<std::string> calls;
    FakeDevice* device = nullptr;
    testing::ScopedPresenter boxes;

private:
    std::unique_ptr<SoundDevice> m_previous;
};

TEST_F(SoundTest, VolumeIsPercentTimes655OnBothChannels) {
    SetSoundVolume(100);
    EXPECT_EQ(device->left, 65500);
    EXPECT_EQ(device->right, 65500);
    SetSoundVolume(50);
    EXPECT_EQ(device->left, 32750);
    SetSoundVolume(150);  // more than 100 would wrap the 16-bit channel
    EXPECT_EQ(device->left, 65500);
    SetSoundVolume(-5);
    EXPECT_EQ(device->left, 0);
    EXPECT_EQ(boxes.Count(), 0u);

    device->volumeWorks = false;
    SetSoundVolume(80);
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "SysUtil2: MMSystem.WaveOutSetVolume");
    EXPECT_EQ(boxes.Last().text, "no mixer");
    EXPECT_EQ(boxes.Last().buttons, 258);
}

TEST_F(SoundTest, LoopedSoundPlaysOnlyWhenItStartsAndSetSoundFollows) {
    EXPECT_TRUE(PlaySoundLooped("theme.wav"));
    EXPECT_TRUE(SoundPlaying());
    SetSound(false);
    EXPECT_FALSE(SoundPlaying());
    SetSound(true);
    EXPECT_TRUE(SoundPlaying());
    EXPECT_EQ(calls, (std::vector<std::string>{"loop theme.wav", "stop", "loop theme.wav"}));

    StopSound();
    device->startWorks = false;
    EXPECT_FALSE(PlaySoundLooped("other.wav"));
    EXPECT_FALSE(SoundPlaying());
    EXPECT_EQ(CurrentSoundFile(), "theme.wav");
}

TEST_F(SoundTest, ReadsTheFirstTwoDevicesAndReportsAFailure) {
    device->failingCaps = 1;
    ReadWaveDevices();
    EXPECT_EQ(WaveDeviceCount(), 3);
    ASSERT_EQ(WaveDeviceCaps().size(), 1u);
    EXPECT_EQ(WaveDeviceCaps()[0].Name, "out0");
    EXPECT_EQ(calls, (std::vector<std::string>{"caps 0", "caps 1"}));
    ASSERT_EQ(boxes.Count(), 1u);
    EXPECT_EQ(boxes.Last().caption, "SysUtil2: MMSystem.WaveOutGetDevCaps");
    EXPECT_EQ(boxes.Last().text, "device busy");
}

TEST(SilentSound, HasNoDevicesAndNeverPlaysOrComplains) {
    testing::ScopedPresenter boxes;
    ReadWaveDevices();
    EXPECT_EQ(WaveDeviceCount(), 0);
    EXPECT_FALSE(PlaySoundLooped("x.wav"));
    EXPECT_FALSE(SoundPlaying());
    SetSoundVolume(50);
    EXPECT_EQ(boxes.Count(), 0u);
}

}  // namespace
}  // namespace pax
