#include "platform/HostIdentity.h"

#include <gtest/gtest.h>

TEST(HostIdentity, FireworksHostsMayNotSwitchEffects) {
    EXPECT_FALSE(EffectSwitchingAllowedFor("C:\\Program Files\\Macromedia\\Fireworks.exe"));
    EXPECT_FALSE(EffectSwitchingAllowedFor("C:/Apps/FIREWORKS CS6.EXE"));
    EXPECT_FALSE(EffectSwitchingAllowedFor("/opt/bin/fireworks"));
    EXPECT_FALSE(EffectSwitchingAllowedFor("fireWORKSx"));
}

TEST(HostIdentity, OtherHostsMay) {
    EXPECT_TRUE(EffectSwitchingAllowedFor("C:\\Program Files\\Adobe\\Photoshop.exe"));
    // Only the file name counts, not the folders above it.
    EXPECT_TRUE(EffectSwitchingAllowedFor("C:\\Fireworks\\paintdotnet.exe"));
    EXPECT_TRUE(EffectSwitchingAllowedFor("/home/fireworks/bin/dapple"));
    // The name must begin with the whole word.
    EXPECT_TRUE(EffectSwitchingAllowedFor("FIREWORK.EXE"));
    EXPECT_TRUE(EffectSwitchingAllowedFor("MyFireworks.exe"));
}

TEST(HostIdentity, AnUnknownHostMayNot) { EXPECT_FALSE(EffectSwitchingAllowedFor("")); }
