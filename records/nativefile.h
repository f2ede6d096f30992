// Low-level file access under CP932 file names, shared by the file helpers of this library.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

// The CP932 bytes of a UTF-8 literal, for the texts of errors.
std::string Cp932Text(const char* utf8);

// The file system's (UTF-8) spelling of a CP932 file name.
std::string NativeName(const std::string& fileName);

// An open file descriptor that is closed on every path out of its scope.
class NativeFile {
  public:
    // Opens `fileName` with the open(2) flags given; raises the platform's input/output error.
    NativeFile(const std::string& fileName, int flags);
    ~NativeFile();
    NativeFile(const NativeFile&) = delete;
    NativeFile& operator=(const NativeFile&) = delete;

    int Descriptor() const { return fd_; }
    // Writes every byte of `bytes`, resuming after partial writes.
    void WriteAll(const std::string& bytes);
    // Reads exactly `count` bytes; a file that ends earlier is an input/output error.
    std::string ReadExactly(std::size_t count);
    // The file's length in bytes.
    int64_t Size();
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
    [[noreturn]] void Fail(const char* what, int error) const;
    std::string name_;
    int fd_;
};
