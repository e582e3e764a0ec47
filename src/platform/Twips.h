#pragma once

#include <QRect>
#include <cmath>

namespace platform {

// Positions and sizes of the window design are in twips: 1440 to the inch, 15 to a logical
// pixel at 96 dots per inch.
constexpr int kTwipsPerPixel = 15;

// The nearest whole pixel. Fifteen being odd, a whole number of twips never lies on half a
// pixel, so there is no half to round either way.
inline int TwipsToPixels(int twips) {
  return static_cast<int>(std::lround(static_cast<double>(twips) / kTwipsPerPixel));
}

inline int PixelsToTwips(int pixels) {
  return pixels * kTwipsPerPixel;
}

inline QRect TwipRect(int left, int top, int width, int height) {
  return QRect(TwipsToPixels(left), TwipsToPixels(top), TwipsToPixels(width),
               TwipsToPixels(height));
}

}  // namespace platform
