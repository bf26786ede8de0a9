#pragma once
// Counts the CPU time the user-interface thread spends painting, for a
// caller in another process: nanoseconds in a file of 8 bytes that both
// map, stored after each paint, so that the caller reads the total when
// it likes and no paint costs a wake-up or a write to the file.
//
// Painting here is what Qt's widgets do for an update request to a
// widget (the repaint manager painting and flushing a window's dirty
// region), for a window's expose event and for a paint event outside
// those. An application-wide event filter hands such an event on itself,
// timed on the thread's CPU clock, and tells Qt it is done with it; an
// event that arrives while one is timed passes untimed, so a paint inside
// an update request counts once.
#include <QObject>

#include <cstdint>

class TPaintClock : public QObject {
public:
    // Maps Path, a file the caller made 8 bytes long, and starts counting
    // from 0; counts nothing when the file cannot be mapped.
    explicit TPaintClock(const QString& Path);
    ~TPaintClock() override;

    bool Counting() const { return FShared != nullptr; }

protected:
    bool eventFilter(QObject* Receiver, QEvent* Event) override;

private:
    std::int64_t* FShared = nullptr;  // the mapped file
    std::int64_t FTotal = 0;          // nanoseconds
    bool FTiming = false;
};
