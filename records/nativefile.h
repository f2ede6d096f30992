// Low-level file access, shared by the file helpers of this library. File names are the file
// system's own bytes; files made here are the player's own, 0600.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "platform/exception.h"

// The error for a file beyond the size its reader accepts, naming the file.
EInOutError TooLargeError(const std::string& fileName);

// An open file descriptor that is closed on every path out of its scope.
class NativeFile {
  public:
    // Opens `fileName` with the open(2) flags given; raises the platform's input/output error.
    NativeFile(const std::string& fileName, int flags);
    // Opens `native`, naming `fileName` in its errors.
    NativeFile(const std::string& fileName, const std::string& native, int flags);
    // A new file beside `native`, created exclusively under a fresh name (as mkstemp does), so
    // that nothing planted there, a link above all, is followed; its errors name `fileName`.
    static std::unique_ptr<NativeFile> CreateBeside(const std::string& fileName,
                                                    const std::string& native);
    ~NativeFile();
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    int Descriptor() const { return fd_; }
    // The name the file was opened under.
    const std::string& NativePath() const { return native_; }
    // Writes every byte of `bytes`, resuming after partial writes.
    void WriteAll(const std::string& bytes);
    // Reads what comes next, at most `size` bytes; 0 at the end of the file.
    std::size_t ReadSome(char* buffer, std::size_t size);
    // Reads exactly `count` bytes; a file that ends earlier is an input/output error.
    std::string ReadExactly(std::size_t count);
    // The file's length in bytes.
    int64_t Size();
    // Sets the file's length, cutting or extending it.
    void Resize(int64_t size);
    // Moves back to the first byte for the next read or write.
    void Rewind();
    // The file's last byte, or nothing for an empty file.
    std::optional<char> LastByte();
    // Cuts the file back to `size` bytes after a failed write. Best effort: the write's own error
    // is the one to report.
    void CutBackTo(int64_t size) noexcept;
    // Forces the contents to the disk, so that a later rename never exposes an unwritten file.
    void Sync();
    // Closes now and reports a failed close, which can be the first sign of a lost write.
    void Close();

  private:
    // Names a file that is not open yet.
    NativeFile(const std::string& fileName, const std::string& native)
        : name_(fileName), native_(native), fd_(-1) {}
    [[noreturn]] void Fail(const char* what, int error) const;
    std::string name_;
    std::string native_;
    int fd_;
};
