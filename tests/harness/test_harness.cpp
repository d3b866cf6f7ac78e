// The harness itself: null device, media link, stdout capture.
#include <cstdio>
#include <filesystem>
#include "NullDeviceTest.h"

TEST_F(NullDeviceTest, CapturesTraceLinesAndSeesMedia) {
    capture.start();
    printf("clickTerrainCoordinates TKFDepart: %f %f %f \n", 1.0, 2.0, 3.0);
    EXPECT_EQ(capture.stop(), "clickTerrainCoordinates TKFDepart: 1.000000 2.000000 3.000000 \n");
    EXPECT_TRUE(std::filesystem::is_directory("media"));
    EXPECT_EQ(driver->getDriverType(), irr::video::EDT_NULL);
}

#include "GLDeviceTest.h"

TEST_F(GLDeviceTest, ReadsTheBackBuffer) {
    irr::video::IImage* img = grabFrame(irr::video::SColor(255, 10, 200, 30));
    ASSERT_NE(img, nullptr);
    irr::video::SColor c = img->getPixel(400, 300);
    EXPECT_EQ(c.getRed(), 10u);
    EXPECT_EQ(c.getGreen(), 200u);
    EXPECT_EQ(c.getBlue(), 30u);
    img->drop();
}
