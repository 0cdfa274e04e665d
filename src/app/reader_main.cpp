// The reading program: reads the words of the pictures the program hands it on its standard
// input, one after the other, and answers on its standard output, at the lowest priority the
// system has, so that anything else on the machine goes first.
#include "desktop/tesseract/ReadingFrames.h"
#include "desktop/tesseract/TesseractReader.h"

#include <QCoreApplication>
#include <QFile>
#include <sched.h>
#include <signal.h>
#include <sys/prctl.h>
#include <unistd.h>

int main(int argc, char* argv[])
{
    // Ends with the program, even when stopped for a capture the program never ended.
    const pid_t program = getppid();
    prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (getppid() != program)
        return 1;
    const sched_param none{};
    sched_setscheduler(0, SCHED_IDLE, &none);

    const QCoreApplication application(argc, argv);
    TesseractReader reader;
    reader.setLanguages(QCoreApplication::arguments().value(1).split(QLatin1Char('+')));
    QFile input;
    QFile output;
    if (!input.open(STDIN_FILENO, QIODevice::ReadOnly | QIODevice::Unbuffered) ||
        !output.open(STDOUT_FILENO, QIODevice::WriteOnly | QIODevice::Unbuffered))
        return 1;
    const ReadingControl onceBegun;
    while (const std::optional<QByteArray> picture = ReadingFrames::ReadPicture(input)) {
        const QByteArray answer = ReadingFrames::Answer(reader.read(*picture, onceBegun));
        if (output.write(answer) != answer.size())
            return 1;
    }
    return 0;
}
