#pragma once
// The arithmetic of the bitmap export: the size dialog's estimate, key
// filters and check, the file names, and where plot, axis strips and frame
// go in a bitmap of w x h pixels.

#include <cstdint>
#include <optional>
#include <string>

#include "Message.h"

namespace sx {

// "Dateigröße etwa: " and w * 4 * h bytes in MB with three decimals.
std::string PicSizeEstimateText(double w, double h, char decimalSeparator);

// Key filters of the size dialog; key is the character typed. The size
// boxes drop every key of code 28 or more that is not a digit.
bool SizeKeyAccepted(char32_t key);
// The magnitude box: a signed decimal number. Returns the character to
// insert ("," becomes "."), or nothing when the key is dropped. `caret` is
// where the typed character would go (the start of a selection).
std::optional<char32_t> RefVecKeyFilter(const std::u32string &text, size_t caret, char32_t key);

// Width and height below 100 pixels are refused with this message.
bool PicSizeAcceptable(double w, double h);
UserMessage PicSizeTooSmallMessage();
// A size that cannot be drawn (beyond the 32-bit range or the memory).
UserMessage BitmapTooLargeMessage();
UserMessage BitmapSavedMessage();
UserMessage BitmapSaveErrorMessage();

// Save dialog: the proposed name is the document's file name without its
// extension; the chosen path gets ".bmp" in place of the extension of its
// file name (dots in folder names are left alone).
std::string BitmapDefaultName(const std::string &filePath);
std::string BitmapTargetPath(const std::string &chosenPath);

// Placement in device pixels, edges taken from twips so that neighbours meet.
struct PixelRect {
    int X = 0, Y = 0, W = 0, H = 0;
};

struct BitmapLayout {
    bool WithAxes = false;
    PixelRect Plot, YAxis, XAxis;
    // frame corners, both inclusive
    int FrameLeft = 0, FrameTop = 0, FrameRight = 0, FrameBottom = 0;
};

// w, h: bitmap size in pixels; the current strip sizes in twips decide the
// strip thickness (a twentieth of the bitmap's width or height).
BitmapLayout ComputeBitmapLayout(int w, int h, bool showCoordSystem, double yAxisWidth, double xAxisHeight,
                                 double twipsPerPixelX, double twipsPerPixelY);

}  // namespace sx
