#include "photo_frames.h"

#include <gtest/gtest.h>

using namespace tamarie;

TEST(PhotoFrames, PicturesKeepTheirProportionsAndTurnAboutTheFramesCentre)
{
    // 3:4 within 200 x 150: 112 (of 112.5) x 150, centred across.
    EXPECT_EQ(FittedFrame(QSize(3000, 4000), QRect(0, 0, 200, 150)), QRect(44, 0, 112, 150));
    // 4:3 within 112 x 150: 112 x 84, centred down.
    EXPECT_EQ(FittedFrame(QSize(4000, 3000), QRect(44, 0, 112, 150)), QRect(44, 33, 112, 84));
    // Unknown size: the frame as it is.
    EXPECT_EQ(FittedFrame(QSize(), QRect(1, 2, 30, 40)), QRect(1, 2, 30, 40));
    // Centre (110, 95) stays.
    EXPECT_EQ(TurnedFrame(QRect(10, 20, 200, 150)), QRect(35, -5, 150, 200));
    EXPECT_EQ(TurnedFrame(TurnedFrame(QRect(10, 20, 200, 150))), QRect(10, 20, 200, 150));
    // 200 x 4000 / 3000 = 266.67: 267 high, the corner kept.
    EXPECT_EQ(ProportionedFrame(QSize(3000, 4000), QRect(10, 20, 200, 100)), QRect(10, 20, 200, 267));
}
