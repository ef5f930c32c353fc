#include "HeaderInfo.h"

#include <gtest/gtest.h>

namespace sx {
namespace {

TEST(HeaderInfo, ThreeLabels) {
    VectorDocument d;
    RecordingHeader &h = d.Header;
    h.DateAndTime = "12.03.1999 10:15";
    h.Recording1 = "a.tif";
    h.Recording2 = "b.tif";
    h.FlowType = "Wirbel";
    h.PhaseType = "";
    h.RecordingType = "Doppelbild";
    h.Algorithm = "FFT";
    h.ImageWidth = 1280;
    h.ImageHeight = 1024;
    h.InterrogationWidth = 32;
    h.InterrogationHeight = 32;
    h.GridStepX = 16;
    h.GridStepY = -16;
    h.PixelsPerCm = 250;
    h.TimeInterval = 0;
    d.ValidCount = 1234;
    d.TrafoShiftX = 1.5;
    d.TrafoShiftY = -0.25;
    const HeaderTexts t = HeaderInfoTexts(d);
    EXPECT_EQ(t.Header1,
              "Date and Time: 12.03.1999 10:15\r\nRecording 1: a.tif\r\nRecording 2: b.tif\r\n"
              "Flow Type: Wirbel\r\nPhase Type: \r\n");
    EXPECT_EQ(t.Header2,
              "Recording Type: Doppelbild\r\nAlgorithm: FFT\r\nImage Size [pixels]: 1280 x 1024\r\n"
              "Interrogation Window [pixels]: 32 x 32\r\nInterrogation Grid [pixels]: 16 x-16\r\n");
    EXPECT_EQ(t.Header3,
              "Image/Object Ratio [pixels/cm]: 250\r\nTime Interval [microsecond]: 0\r\n"
              "Interrogation Points: 1234\r\nx-Trafo: +1.5\r\ny-Trafo: -.25");
}

TEST(HeaderInfo, TrafoLines) {
    EXPECT_EQ(TrafoLine('x', 1.5), "x-Trafo: +1.5");
    EXPECT_EQ(TrafoLine('x', -1.5), "x-Trafo: -1.5");
    EXPECT_EQ(TrafoLine('x', 0), "x-Trafo:  0");
    EXPECT_EQ(TrafoLine('y', 0.5), "y-Trafo: +.5");
    EXPECT_EQ(TrafoLine('y', -0.5), "y-Trafo: -.5");
}

}  // namespace
}  // namespace sx
