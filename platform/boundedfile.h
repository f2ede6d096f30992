// Reading a whole file that players or other programs may have shaped, without hanging or
// running out of memory on it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

struct TReadFailure {
    enum TStep { Open, Read } Step;
    // The errno of the failure: EFBIG beyond the limit, 0 for something that is no ordinary file.
    int Error;
};

// Reads the whole of `fileName` (the file system's bytes) into `bytes` if it is an ordinary file of
// at most `limit` bytes; nothing on success, else where and why it failed. The open never waits: a
// FIFO without a writer would block it for good.
std::optional<TReadFailure> ReadBoundedFile(const std::string& fileName, int64_t limit,
                                            std::string& bytes);
