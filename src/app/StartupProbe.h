// What start-up leaves out until the first paint, and how a measurement sees that paint.
#pragma once

#include <functional>

class QWidget;

namespace zanvoro {

// The application's style as it would be, except that the menu bar's overflow picture,
// which no window of the program shows at its size, is read only when first drawn: reading
// it at once loads every image-format plugin before the first paint.
void InstallStartupStyle();

// Runs `run` once the first paint of `window` has reached the screen.
void AfterFirstPaint(QWidget* window, std::function<void()> run);

// With ZANVORO_FIRST_PAINT_PROBE set in the environment (bench/startup.py sets it), prints
// "first-paint <CLOCK_MONOTONIC ns>" once `window` has painted for the first time, and
// quits. Without it, does nothing.
void ReportFirstPaint(QWidget* window);

}  // namespace zanvoro
