#pragma once

class QSize;
class QWidget;

// The look of the sale counter's screens: operators read them from a
// distance, at night, so large type with strong contrast.
namespace counter_style {

// Dark window, light large type, highlighted focus.
void apply(QWidget* window);
// The frame of a counter screen: `preferred`, or smaller on a small display.
QSize frameSize(QSize preferred);
// Point size of the ordinary fields and labels.
inline constexpr int FieldPoints = 18;
// Point size of the total.
inline constexpr int TotalPoints = 34;

} // namespace counter_style
