#!/usr/bin/env python3
"""An SFTP server for tests that loses a race on purpose.

Runs the real server (the arguments after the first) and passes everything through, but when a
client asks to give a file the name of THEIRS (the first argument) by a rename or a link, it
first copies THEIRS there, as another client of the share would that made the file between the
client's last look and its request. With --corrupt=MARK instead, it flips a byte of every write
whose data holds MARK, as a failing disk behind the share would.
"""
import os
import shutil
import struct
import subprocess
import sys

theirs = sys.argv[1]
server = subprocess.Popen(sys.argv[2:], stdin=subprocess.PIPE)
client = sys.stdin.buffer
RENAME, WRITE, EXTENDED = 18, 6, 200
mark = theirs[len('--corrupt='):].encode() if theirs.startswith('--corrupt=') else None
NAMING = (b'hardlink@openssh.com', b'posix-rename@openssh.com')


def read(count):
    data = b''
    while len(data) < count:
        more = client.read(count - len(data))
        if not more:
            return None
        data += more
    return data


def string(body, at):
    (length,) = struct.unpack('>I', body[at:at + 4])
    return body[at + 4:at + 4 + length], at + 4 + length


while True:
    head = read(4)
    body = head and read(struct.unpack('>I', head)[0])
    if not body:
        break
    if mark and body[0] == WRITE and mark in body:
        body = body[:-1] + bytes([body[-1] ^ 1])
    at, request = 5, b'rename'
    if body[0] == EXTENDED:
        request, at = string(body, at)
    if body[0] in (RENAME, EXTENDED) and request in (b'rename',) + NAMING:
        _, at = string(body, at)
        new, at = string(body, at)
        if not mark and os.path.basename(new) == os.path.basename(theirs.encode()) \
                and not os.path.exists(new):
            shutil.copyfile(theirs, new)
    server.stdin.write(head + body)
    server.stdin.flush()
server.stdin.close()
server.wait()
