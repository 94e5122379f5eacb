#include "system/sound.h"

#include <gtest/gtest.h>

#include "system/shown_boxes.h"

namespace pax {
namespace {

// Records what the sound logic asks of a device; the flags make the device fail.
struct FakeDevice : SoundDevice {
    std::vector<std::string> calls;
    bool startWorks = true, volumeWorks = true;
    int failingCaps = -1;
    uint16_t left = 0, right = 0;

    int DeviceCount() override { return 3; }
    bool Capabilities(int index, tWaveOutCaps& caps, std::string& error) override {
        calls.push_back("caps " + std::to_string(index));
        caps.Name = "out" + std::to_string(index);
        error = "device busy";
        return index != failingCaps;
    }
    bool StartLoop(const std::string& file) override { return calls.push_back("loop " + file), startWorks; }
    void PlayOnce(const std::string& file) override { calls.push_back("once " + file); }
    void StopAll() override { calls.push_back("stop"); }
    bool SetVolume(uint16_t l, uint16_t r, std::string& error) override {
        left = l, right = r, error = "no mixer";
        return volumeWorks;
    }
    void Beep() override {}
};

class SoundTest : public ::testing::Test {
protected:
    void TearDown() override {
        StopSound();
        InstallSoundDevice(std::move(previous));
    }
    FakeDevice* device = new FakeDevice;  // owned by the sound system once installed
    std::unique_ptr<SoundDevice> previous = InstallSoundDevice(std::unique_ptr<SoundDevice>(device));
    testing::ScopedPresenter boxes;
};

TEST_F(SoundTest, VolumeIsPercentTimes655OnBothChannelsAndAFailureIsShown) {
    const int percentAndVolume[][2] = {{100, 65500}, {50, 32750}, {150, 65500}, {-5, 0}};
    for (auto [percent, volume] : percentAndVolume) {
        SetSoundVolume(percent);
        EXPECT_EQ(device->left, volume) << percent;
        EXPECT_EQ(device->right, volume) << percent;
    }
    EXPECT_EQ(boxes.Count(), 0u);
    device->volumeWorks = false;
    SetSoundVolume(80);
    EXPECT_EQ(testing::BoxTexts(boxes), testing::Texts{"SysUtil2: MMSystem.WaveOutSetVolume | no mixer"});
    EXPECT_EQ(boxes.Last().buttons, 258);
}

TEST_F(SoundTest, LoopedSoundPlaysOnlyWhenItStartsAndSetSoundFollows) {
    EXPECT_TRUE(PlaySoundLooped("theme.wav"));
    EXPECT_TRUE(SoundPlaying());
    SetSound(false);
    EXPECT_FALSE(SoundPlaying());
    SetSound(true);
    EXPECT_TRUE(SoundPlaying());
    EXPECT_EQ(device->calls, (std::vector<std::string>{"loop theme.wav", "stop", "loop theme.wav"}));
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
    EXPECT_EQ(device->calls, (std::vector<std::string>{"caps 0", "caps 1"}));
    EXPECT_EQ(testing::BoxTexts(boxes), testing::Texts{"SysUtil2: MMSystem.WaveOutGetDevCaps | device busy"});
}

}  // namespace
}  // namespace pax
