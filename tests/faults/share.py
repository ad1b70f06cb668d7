#!/usr/bin/python3
"""A network share that stops answering when told: a FUSE file system that shows the folder
SOURCE at MOUNTPOINT, as a share from "server:/music", and holds every call on it for as long as
the file GATE exists, as a hard-mounted NFS or SMB share holds its callers while its server is
unreachable. While the file GATE.refuse exists, every call is refused. A caller that is ended
while it waits is let go, as the kernel lets the callers of a hard-mounted NFS share go when
they are killed.

    share.py SOURCE MOUNTPOINT GATE

It runs in the foreground until it is ended (or the mount point is unmounted)."""

import errno
import os
import sys
import time

import fusepy
from fusepy import FUSE, FuseOSError, Operations


class Share(Operations):
    def __init__(self, source, gate):
        self.source, self.gate = source, gate

    def __call__(self, op, path, *args):
        # Every call waits at the gate, as every call on a dead server does; a gate shut for
        # half a minute opens by itself, so that a test that failed half-way ends.
        while self.shut():
            if fusepy._libfuse.fuse_interrupted():
                raise FuseOSError(errno.EINTR)
            time.sleep(0.01)
        if os.path.exists(self.gate + ".refuse"):
            raise FuseOSError(errno.EACCES)
        try:
            return super().__call__(op, self.source + path, *args)
        except OSError as e:
            raise FuseOSError(e.errno or errno.EIO)

    def shut(self):
        try:
            return time.time() - os.path.getmtime(self.gate) < 30
        except OSError:
            return False

    def getattr(self, path, fh=None):
        st = os.lstat(path)
        return {k: getattr(st, k) for k in ("st_mode", "st_size", "st_uid", "st_gid",
                                            "st_nlink", "st_atime", "st_mtime", "st_ctime")}

    def access(self, path, mode):
        if not os.access(path, mode):
            raise FuseOSError(errno.EACCES)

    def readdir(self, path, fh):
        return [".", ".."] + os.listdir(path)

    def readlink(self, path):
        return os.readlink(path)

    def statfs(self, path):
        st = os.statvfs(path)
        return {k: getattr(st, k) for k in ("f_bsize", "f_frsize", "f_blocks", "f_bfree",
                                            "f_bavail", "f_files", "f_ffree", "f_namemax")}

    def open(self, path, flags):
        return os.open(path, flags)

    def read(self, path, size, offset, fh):
        return os.pread(fh, size, offset)

    def release(self, path, fh):
        os.close(fh)


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    source, mountpoint, gate = sys.argv[1:]
    FUSE(Share(os.path.abspath(source), gate), mountpoint, foreground=True,
         fsname="server:/music", subtype="share", intr=True)
