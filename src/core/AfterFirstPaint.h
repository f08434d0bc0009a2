#pragma once

#include <functional>

class QWidget;

// Runs `action` once `window` has been painted for the first time (from the event loop, after
// that paint), or after `limitMs` when no paint comes (a window never exposed). Nothing runs when
// the window is destroyed first. Work the first frame does not need waits here, so the window
// appears sooner.
void AfterFirstPaint(QWidget* window, std::function<void()> action, int limitMs = 1000);
