#include "SystemClock.h"

#include <QThread>

QDateTime SystemClock::now()
{
    return QDateTime::currentDateTime();
}

void SystemClock::sleep(int milliseconds)
{
    QThread::msleep(static_cast<unsigned long>(milliseconds));
}
