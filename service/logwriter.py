"""Writes the lines on its standard input to a log file rotated at a size: the page's access
log, which lighttpd hands to it through a pipe. Usage: logwriter.py FILE MAX-BYTES"""

import logging
import logging.handlers
import sys


def rotated_log(name, path, max_bytes):
    """A logger writing to `path`, which with its one older generation stays within
    `max_bytes`."""
    handler = logging.handlers.RotatingFileHandler(path, maxBytes=max_bytes // 2, backupCount=1)
    handler.setFormatter(logging.Formatter("%(message)s"))
    log = logging.getLogger(name)
    log.addHandler(handler)
    log.setLevel(logging.INFO)
    log.propagate = False
    return log


if __name__ == "__main__":
    access = rotated_log("bartendam.access", sys.argv[1], int(sys.argv[2]))
    for line in sys.stdin.buffer:
        access.info(line.decode("utf-8", "replace").rstrip("\n"))
