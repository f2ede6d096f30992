"""The front end's side of the ranking keeper (rankingkeeper): one child process that judges and
stores each upload whole and rewrites the pages, asked one upload at a time."""

import ctypes
import signal
import subprocess

_PR_SET_PDEATHSIG = 1


def die_with_parent():
    """For a child's preexec_fn: the child is killed when the service's process ends, however."""
    ctypes.CDLL(None, use_errno=True).prctl(_PR_SET_PDEATHSIG, signal.SIGKILL)


class KeeperFailed(Exception):
    pass


class Keeper:
    def __init__(self, program, data, pages, budget):
        self._process = subprocess.Popen(
            [program, data, pages, str(budget)],
            stdin=subprocess.PIPE, stdout=subprocess.PIPE, preexec_fn=die_with_parent)
        ready = self._process.stdout.readline().split()
        if not ready or ready[0] != b"ready":
            raise KeeperFailed("the ranking keeper did not start")
        # The keeper's own rule says how long an entry may be and which counts there are.
        self.longest_entry = int(ready[1])
        self.counts = [int(count) for count in ready[2:]]

    def store(self, count, upload):
        """The keeper's verdict on `upload` for `count`: "stored", "malformed", "over-budget",
        "disk-full" or "failed"."""
        try:
            self._process.stdin.write(b"APPEND %d %d\n" % (count, len(upload)) + upload)
            self._process.stdin.flush()
            verdict = self._process.stdout.readline().decode().strip()
        except OSError as error:
            raise KeeperFailed("the ranking keeper ended: %s" % error) from error
        if not verdict:
            raise KeeperFailed("the ranking keeper ended")
        return verdict

    def running(self):
        return self._process.poll() is None

    def stop(self):
        self._process.stdin.close()
        self._process.wait()
