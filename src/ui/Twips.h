#pragma once

#include <QRect>

namespace vcm::ui {

/// Layout is given in twips. Qt positions widgets in device-independent pixels and applies the screen's
/// device pixel ratio itself, so one logical pixel is 15 twips on every screen.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twipsToPixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}
constexpr int pixelsToTwips(int pixels) {
    return pixels * kTwipsPerPixel;
}

inline QRect twipsRect(int left, int top, int width, int height) {
    return QRect(twipsToPixels(left), twipsToPixels(top), twipsToPixels(width), twipsToPixels(height));
}

}  // namespace vcm::ui
