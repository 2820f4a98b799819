#pragma once

#include <QCoreApplication>
#include <QElapsedTimer>

// Long work on the window's thread lets pending events run about once per display frame, so
// that the window stays live without the work spending its time on event passes.
class FramePacer
{
public:
    static constexpr qint64 frameMilliseconds = 16;

    // Starts the first frame now; a pacer not started is due at once.
    void start() { since.start(); }
    bool due() const { return !since.isValid() || since.elapsed() >= frameMilliseconds; }
    void runEvents()
    {
        QCoreApplication::processEvents();
        since.start();
    }

private:
    QElapsedTimer since;
};
