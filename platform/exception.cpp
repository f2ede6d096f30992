// Texts of the platform's input/output errors.
#include "platform/exception.h"

#include <cstring>

#include "platform/cp932.h"

EInOutError IoError(const std::string& operation, const std::string& fileName, int errnoValue) {
    // strerror is ASCII in the C locale the program runs its core in, so it is valid CP932 too.
    return EInOutError(
        operation + " " + ShownName(fileName) + " (" + std::strerror(errnoValue) + ")", errnoValue);
}
