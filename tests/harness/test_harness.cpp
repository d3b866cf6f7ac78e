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

#include <string>
#include "GameProcess.h"
#include "TempDir.h"

TEST(GameProcess, TellsHowTheProgramEndedAndWhatItPrintedLast) {
    TempDir tmp(false);
    struct Case {
        const char* script;
        const char* ended;
    };
    const Case cases[] = {{"echo one; echo two >&2; exit 3", "exited with status 3"},
                          {"echo one; echo two >&2; kill -SEGV $$", "killed by signal 11 (SIGSEGV)"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        GameProcess p;
        ASSERT_TRUE(p.start({"/bin/sh", "-c", c.script}));
        EXPECT_NE(p.waitForOutput("one\n", 0, 10000), std::string::npos);
        // Ended without printing it: no wait for the deadline.
        EXPECT_EQ(p.waitForOutput("never", 0, 60000), std::string::npos);
        ASSERT_TRUE(p.waitExit(10000));
        EXPECT_EQ(p.describeExit(), c.ended);
        EXPECT_EQ(p.report(), std::string("the program ") + c.ended +
                                  "\n--- last lines of its standard error ---\ntwo\n\n"
                                  "--- last lines of its standard output ---\none\n\n");
    }

    GameProcess slow("slow");
    ASSERT_TRUE(slow.start({"/bin/sh", "-c", "echo ready; echo ready; exec sleep 60"}));
    const size_t first = slow.waitForOutput("ready\n", 0, 10000);
    ASSERT_EQ(first, 6u);
    EXPECT_EQ(slow.waitForOutput("ready\n", first, 10000), 12u);
    EXPECT_EQ(slow.waitForOutput("ready\n", 12, 200), std::string::npos);
    EXPECT_TRUE(slow.running());
    EXPECT_EQ(slow.describeExit(), "still running");
}  // the slow one is killed here, not waited for

TEST(GameProcess, TailKeepsTheLastLines) {
    struct Case {
        const char* text;
        size_t lines;
        const char* tail;
    };
    const Case cases[] = {{"a\nb\nc\n", 2, "b\nc\n"},
                          {"a\nb\nc", 2, "b\nc"},
                          {"a\nb\n", 5, "a\nb\n"},
                          {"\nx\n", 1, "x\n"},
                          {"", 3, ""},
                          {"a\n", 0, ""}};
    for (const Case& c : cases) EXPECT_EQ(GameProcess::tail(c.text, c.lines), c.tail) << c.text;
}
