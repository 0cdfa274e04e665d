#include "Outcome.h"

#include <cstring>

Outcome Outcome::systemError(int error)
{
    return failed(error, QString::fromLocal8Bit(std::strerror(error)));
}
