// The reading program: reads the words of the pictures the program hands it on its standard
// input, one after the other, and answers on its standard output, giving way to the rest of
// the machine without ever being shut out by it.
#include "desktop/tesseract/ReadingFrames.h"
#include "desktop/tesseract/TesseractReader.h"

#include <QCoreApplication>
#include <QFile>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

// Processor time one picture may take; a screenshot takes one to a few seconds. Past it the
// system ends the process, and the program marks the picture as one that cannot be read.
constexpr rlim_t secondsPerPicture = 120;

// Against a busy program on each core, nice 10 gets about a tenth of a core: a capture is found
// within half a minute. At the lowest class (SCHED_IDLE) the reader got a few thousandths of
// one, and a capture was not found for minutes.
constexpr int captureNice = 10;
// About a sixtieth of a core against each busy program: the library's older pictures still
// come, a hundred or so an hour, and take next to nothing from the user's own work.
constexpr int libraryNice = 19;

// Lets the picture about to be read take \a seconds more of the processor than taken so far.
void allowSeconds(rlim_t seconds)
{
    rusage used{};
    getrusage(RUSAGE_SELF, &used);
    const auto taken = static_cast<rlim_t>(used.ru_utime.tv_sec + used.ru_stime.tv_sec);
    const rlimit limit{taken + seconds + 1, RLIM_INFINITY};
    setrlimit(RLIMIT_CPU, &limit);
}

// Reads \a picture on a thread of its own, whose priority is that of its haste: a thread can
// always lower its own, while raising it again needs a privilege the program has not.
TextReading readInTurn(TesseractReader& reader, const ReadingFrames::PictureToRead& picture)
{
    static const ReadingControl onceBegun;
    TextReading reading;
    std::thread([&] {
        if (picture.haste == ReadingHaste::Library) {
            const sched_param none{};
            sched_setscheduler(0, SCHED_BATCH, &none);
            setpriority(PRIO_PROCESS, 0, libraryNice);
        }
        reading = reader.read(picture.bytes, onceBegun, picture.haste);
    }).join();
    return reading;
}

} // namespace

int main(int argc, char* argv[])
{
    // Ends with the program, even when stopped for a capture the program never ended.
    const pid_t program = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != program)
        return 1;
    setpriority(PRIO_PROCESS, 0, captureNice);
    // A picture it had to give up on leaves no core file behind.
    const rlimit noCore{0, 0};
    setrlimit(RLIMIT_CORE, &noCore);

    const QCoreApplication application(argc, argv);
    // [--seconds-per-picture N] LANGUAGES
    QStringList arguments = QCoreApplication::arguments().mid(1);
    rlim_t seconds = secondsPerPicture;
    if (arguments.size() > 2 && arguments.first() == QLatin1String("--seconds-per-picture")) {
        seconds = arguments.at(1).toULong();
        arguments.remove(0, 2);
    }
    TesseractReader reader;
    reader.setLanguages(arguments.value(0).split(QLatin1Char('+')));
    QFile input;
    QFile output;
    if (!input.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !output.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    while (const std::optional<ReadingFrames::PictureToRead> picture = ReadingFrames::ReadPicture(input)) {
        allowSeconds(seconds);
        const QByteArray answer = ReadingFrames::Answer(readInTurn(reader, *picture));
        if (output.write(answer) != answer.size())
            return 1;
    }
    return 0;
}
