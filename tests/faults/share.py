#!/usr/bin/python3
"""A network share that is slow, stops answering or drops when told: a FUSE file system that
shows the folder SOURCE at MOUNTPOINT, as a share from "server:/music".

- While the file GATE exists, every call on it is held, as a hard-mounted NFS or SMB share
  holds its callers while its server is unreachable. A caller that is ended while it waits is
  let go, as the kernel lets the callers of a hard-mounted NFS share go when they are killed.
- While the file GATE.refuse exists, every call is refused (EACCES).
- While the file GATE.delay exists, every call answers only after the number of milliseconds it
  holds, as a share over a slow link does.
- While the file GATE.drop exists, a folder's listing fails after its first part (EIO), as a
  share that drops in the middle of a listing fails it.

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
        try:
            with open(self.gate + ".delay") as f:
                time.sleep(int(f.read().strip() or 0) / 1000)
        except (OSError, ValueError):
            pass
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

    def readdir(self, path, fh, offset=0):
        if offset and os.path.exists(self.gate + ".drop"):
            raise FuseOSError(errno.EIO)
        return ([".", ".."] + sorted(os.listdir(path)))[offset:]

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


class Server(FUSE):
    def readdir(self, path, buf, filler, offset, fip):
        # A long folder is listed in parts, each asked for from where the last one ended, as a
        # network file system lists it.
        names = self.operations("readdir", self._decode_optional_path(path), fip.contents.fh,
                                offset)
        for at, name in enumerate(names, offset + 1):
            if filler(buf, name.encode(self.encoding), None, at) != 0:
                break
        return 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    source, mountpoint, gate = sys.argv[1:]
    # Nothing kept by the kernel: every look at the share asks it, as it would a server whose
    # caches have run out.
    Server(Share(os.path.abspath(source), gate), mountpoint, foreground=True,
           fsname="server:/music", subtype="share", intr=True, attr_timeout=0, entry_timeout=0)
