#!/usr/bin/env python3
"""Printers that misbehave, and a name server, on the loopback address, for tests/cups/run.

    loopback.py talk             reads each job to its end, then sends 1 MiB blocks for as
                                 long as the other side takes them
    loopback.py half-close [N]   reads N bytes of each job (default none), then closes its
                                 sending side and reads nothing more
    loopback.py name-server      answers every look-up on 127.0.0.1:53 at once with "no such
                                 name", except for names under fleet.test: those it reads and
                                 never answers

Each prints its port on the first line of its output once it listens, and runs until it is
stopped; a printer serves every connection on a thread of its own.
"""

import socket
import struct
import sys
import threading

BLOCK = b"\x00" * (1 << 20)
SILENT = b"\x05fleet\x04test\x00"


def talk(connection):
    while connection.recv(65536):
        pass
    try:
        while True:
            connection.sendall(BLOCK)
    except OSError:
        pass


def half_close(connection, count):
    taken = 0
    while taken < count:
        data = connection.recv(count - taken)
        if not data:
            break
        taken += len(data)
    connection.shutdown(socket.SHUT_WR)
    # Held open, unread, until the suite stops this program.
    threading.Event().wait()


def serve(handler):
    listener = socket.socket(socket.AF_INET, socket.SOCK_STREAM)
    listener.bind(("127.0.0.1", 0))
    listener.listen(64)
    print(listener.getsockname()[1], flush=True)
    while True:
        connection, _ = listener.accept()
        threading.Thread(target=handler, args=(connection,), daemon=True).start()


def name_server():
    server = socket.socket(socket.AF_INET, socket.SOCK_DGRAM)
    server.bind(("127.0.0.1", 53))
    print(53, flush=True)
    while True:
        query, client = server.recvfrom(512)
        if len(query) < 12:
            continue
        question_end = query.find(b"\x00", 12) + 5
        name = query[12:question_end - 4]
        if name.lower().endswith(SILENT):
            continue
        ident, = struct.unpack("!H", query[:2])
        # A response, recursion desired and available, "no such name"; the question kept.
        header = struct.pack("!HHHHHH", ident, 0x8183, 1, 0, 0, 0)
        server.sendto(header + query[12:question_end], client)


def main():
    mode = sys.argv[1] if len(sys.argv) > 1 else ""
    if mode == "talk":
        serve(talk)
    elif mode == "half-close":
        count = int(sys.argv[2]) if len(sys.argv) > 2 else 0
        serve(lambda connection: half_close(connection, count))
    elif mode == "name-server":
        name_server()
    else:
        sys.exit(__doc__)


if __name__ == "__main__":
    main()
