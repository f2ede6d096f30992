// Hostile places for the records' files: a disk that is full, and a user without the superuser's
// rights, made by the test itself.
#pragma once

#include <sys/types.h>
#include <QString>
#include <QTemporaryDir>

#include <functional>
#include <optional>
#include <string>

// A small tmpfs mounted on a temporary folder for as long as the object lives. Mounting needs the
// superuser; where it fails, Mounted() is false and Why() says why.
class SmallDisk {
  public:
    SmallDisk();
    ~SmallDisk();
    SmallDisk(const SmallDisk&) = delete;
    SmallDisk& operator=(const SmallDisk&) = delete;

    bool Mounted() const { return mounted_; }
    const std::string& Why() const { return why_; }
    QString Path() const { return dir_.path(); }
    // Takes every free byte with a filler file, so that a write needing a new block fails.
    void Fill();
    // Gives the filler's space back.
    void Free();
    // Mounts the disk again, read-only: not even the superuser may write there then.
    bool MakeReadOnly();

  private:
    QTemporaryDir dir_;
    bool mounted_ = false;
    std::string why_;
};

// Runs `step` in a child process as the unprivileged user "nobody" (when the test runs as the
// superuser) or as the test's own user; returns the message of what it raised, "" when it raised
// nothing. Where no such child can be made, `why` says why and the result is nothing.
std::optional<std::string> AsPlainUser(const std::function<void()>& step, std::string& why);

// The user id the child of AsPlainUser runs as.
uid_t PlainUserId();
