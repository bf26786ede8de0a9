#include "PaintClock.h"

#include <QCoreApplication>
#include <QEvent>
#include <QFile>

#include <atomic>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

namespace {

static_assert(std::atomic_ref<std::int64_t>::is_always_lock_free, "the caller reads the total without a lock");

std::int64_t ThreadCpuNs()
{
    timespec t{};
    ::clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::int64_t(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// Only events whose second delivery through notify() does what the first
// would have: QApplication::notify hands a window's event that is not
// spontaneous to its platform window before the filters, so handing it
// on would do that twice. Left out so is an update request to a window,
// which the program's windows were not seen to get: Qt's repaint manager
// sends its update requests to the top-level widget. A window's expose
// and paint events come from the platform, spontaneous.
bool IsPainting(const QObject* Receiver, const QEvent* Event)
{
    const QEvent::Type Type = Event->type();
    return (Type == QEvent::UpdateRequest || Type == QEvent::Paint || Type == QEvent::Expose) &&
           (Receiver->isWidgetType() || Event->spontaneous());
}

}  // namespace

TPaintClock::TPaintClock(const QString& Path)
{
    const int Fd = ::open(QFile::encodeName(Path).constData(), O_RDWR | O_CLOEXEC);
    if (Fd < 0)
        return;
    // A store into an empty file's mapping ends the program with SIGBUS;
    // one into a short file's is lost past its end.
    struct stat Status {};
    void* Map = ::fstat(Fd, &Status) == 0 && Status.st_size >= off_t(sizeof(std::int64_t))
                    ? ::mmap(nullptr, sizeof(std::int64_t), PROT_READ | PROT_WRITE, MAP_SHARED, Fd, 0)
                    : MAP_FAILED;
    ::close(Fd);
    if (Map == MAP_FAILED)
        return;
    FShared = static_cast<std::int64_t*>(Map);
    std::atomic_ref<std::int64_t>(*FShared).store(0, std::memory_order_relaxed);
    QCoreApplication::instance()->installEventFilter(this);
}

TPaintClock::~TPaintClock()
{
    if (FShared)
        ::munmap(FShared, sizeof(std::int64_t));
}

// Handed on through notify(), not sendEvent(): sendEvent would clear the
// spontaneous flag of a paint or expose event, which Qt reads on the way.
// The true returned here keeps the first delivery from the receiver's own
// filters and handler, so they run once. notify() runs the application's
// filters again: this one lets the event pass then, and one installed
// after this one sees it twice (the program's only one, which follows the
// mouse while a window is dragged, looks at mouse events alone).
bool TPaintClock::eventFilter(QObject* Receiver, QEvent* Event)
{
    if (FTiming || !IsPainting(Receiver, Event))
        return false;
    FTiming = true;
    const std::int64_t Start = ThreadCpuNs();
    QCoreApplication::instance()->notify(Receiver, Event);
    FTotal += ThreadCpuNs() - Start;
    FTiming = false;
    std::atomic_ref<std::int64_t>(*FShared).store(FTotal, std::memory_order_relaxed);
    return true;
}
