// Without a sound card OpenAL Soft opens no device and does not fall back: the
// game then gets no device and no sound, and goes on silently.
#include <gtest/gtest.h>
#include <cstdlib>
#include "ALContext.h"
#include "NullDeviceTest.h"
#include "audiere.h"

using namespace audiere;

TEST_F(NullDeviceTest, NoSoundCardGivesNoDeviceAndNoSound) {
    // A driver list naming no real backend stands for a machine without a sound card.
    setenv("ALSOFT_DRIVERS", "no-such-driver", 1);
    AudioDevicePtr device(OpenDevice());
    EXPECT_FALSE(device);
    EXPECT_EQ(ALContext::users(), 0);
    AudioDevicePtr again(OpenDevice());
    EXPECT_FALSE(again);
    OutputStreamPtr sound(OpenSound(device, "media/tkf-sound.mp3", true));
    EXPECT_FALSE(sound);
}
