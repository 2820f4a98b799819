#pragma once

#include <QPoint>
#include <QSize>

// Top-left corner that centres a window of the given size on a screen of the given size,
// halving with integer division (so a screen smaller than the window gives a negative place).
QPoint centredPosition(const QSize &screen, const QSize &window);
