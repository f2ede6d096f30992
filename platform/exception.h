// The one root of every failure the program raises; messages are CP932 text shown to the player.
#pragma once

#include <stdexcept>
#include <string>

class Exception : public std::runtime_error {
  public:
    explicit Exception(const std::string& message) : std::runtime_error(message) {}
};

// A file could not be created, opened, read or written: the platform's input/output error.
class EInOutError : public Exception {
  public:
    EInOutError(const std::string& message, int errorCode)
        : Exception(message), ErrorCode(errorCode) {}
    int ErrorCode;
};

// Builds the platform's input/output error for a failed operation on a file (named by the file
// system's bytes), from errno's value.
EInOutError IoError(const std::string& operation, const std::string& fileName, int errnoValue);
