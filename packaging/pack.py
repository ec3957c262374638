#!/usr/bin/env python3
"""The portable zip and the MSI of one build, from the configuration that CMake writes:

  pack.py CONFIG.json

Two builds of one commit give the same bytes: every time in them is SOURCE_DATE_EPOCH (the
commit's), the zip holds no extra fields, the MSI's package code is derived from its content.
With SB_SIGN_PKCS12 and SB_SIGN_PASSWORD (and SB_SIGN_TIMESTAMP_URL) in the environment, the
exes are signed before they are packed and the MSI after it is made.
"""

import ctypes
import hashlib
import json
import os
import shutil
import struct
import subprocess
import sys
import tempfile
import time
import uuid
import zipfile

# wixl and libmsi turn the texts into the database's code page by this.
os.environ["WINDOWS_LANGUAGE"] = "ja"


def fail(message):
    sys.exit(f"pack.py: {message}")


# --- files ---------------------------------------------------------------------------------


def crlf(data):
    return data.replace(b"\r\n", b"\n").replace(b"\n", b"\r\n")


def encint(data, pos):
    """A CHM directory's variable-length number: seven bits a byte, high bit set on all but
    the last."""
    value = 0
    while True:
        byte = data[pos]
        pos += 1
        value = (value << 7) | (byte & 0x7F)
        if byte < 0x80:
            return value, pos


def chm_entry(data, wanted):
    """The offset and length in the file of the CHM's uncompressed entry `wanted`."""
    directory = struct.unpack_from("<Q", data, 0x48)[0]
    content = struct.unpack_from("<Q", data, 0x58)[0]
    chunk_size = struct.unpack_from("<I", data, directory + 0x10)[0]
    chunks = struct.unpack_from("<I", data, directory + 0x2C)[0]
    first = directory + struct.unpack_from("<I", data, directory + 0x08)[0]
    for n in range(chunks):
        chunk = first + n * chunk_size
        if data[chunk : chunk + 4] != b"PMGL":
            continue
        end = chunk + chunk_size - struct.unpack_from("<I", data, chunk + 4)[0]
        pos = chunk + 20
        while pos < end:
            length, pos = encint(data, pos)
            name = data[pos : pos + length]
            pos += length
            section, pos = encint(data, pos)
            offset, pos = encint(data, pos)
            size, pos = encint(data, pos)
            if name == wanted and section == 0:
                return content + offset, size
    fail(f"no {wanted.decode()} in the help file")


def stamp_chm(data, epoch):
    """chmcmd writes the compile time twice: in the header and as #SYSTEM's entry 10."""
    data = bytearray(data)
    struct.pack_into(">I", data, 0x10, epoch & 0xFFFFFFFF)
    start, size = chm_entry(data, b"/#SYSTEM")
    pos = start + 4
    while pos + 4 <= start + size:
        code, length = struct.unpack_from("<HH", data, pos)
        if code == 10 and length == 4:
            struct.pack_into("<I", data, pos + 4, epoch & 0xFFFFFFFF)
        pos += 4 + length
    return bytes(data)


def stage(config, folder, epoch):
    shutil.rmtree(config["stage"], ignore_errors=True)
    os.makedirs(folder)
    for entry in config["files"]:
        with open(entry["source"], "rb") as f:
            data = f.read()
        if entry["name"].endswith(".txt"):
            data = crlf(data)
        elif entry["name"].endswith(".chm"):
            data = stamp_chm(data, epoch)
        path = os.path.join(folder, entry["name"])
        with open(path, "wb") as f:
            f.write(data)


def fix_times(folder, epoch):
    for name in os.listdir(folder):
        os.chmod(os.path.join(folder, name), 0o644)
        os.utime(os.path.join(folder, name), (epoch, epoch))
    os.chmod(folder, 0o755)
    os.utime(folder, (epoch, epoch))


# --- signing -------------------------------------------------------------------------------


def sign(path, epoch):
    key = os.environ.get("SB_SIGN_PKCS12")
    if not key:
        return
    password = os.environ.get("SB_SIGN_PASSWORD", "").encode()
    read, write = os.pipe()
    os.write(write, password)
    os.close(write)
    command = ["osslsigncode", "sign", "-pkcs12", key, "-readpass", f"/dev/fd/{read}",
               "-h", "sha256", "-n", "Switchboard"]
    server = os.environ.get("SB_SIGN_TIMESTAMP_URL")
    # Without a time stamp the signing time is the commit's, so a signed build is
    # reproducible with the same key.
    command += ["-ts", server] if server else ["-time", str(epoch)]
    signed = path + ".signed"
    result = subprocess.run(command + ["-in", path, "-out", signed], pass_fds=(read,),
                            capture_output=True, text=True)
    os.close(read)
    if result.returncode != 0:
        fail(f"cannot sign {os.path.basename(path)}: {result.stdout}{result.stderr}")
    os.replace(signed, path)


# --- zip -----------------------------------------------------------------------------------


def write_zip(config, folder, epoch):
    stamp = time.gmtime(max(epoch, 315532800))[:6]  # a zip time starts in 1980
    top = config["folder"] + "/"
    with zipfile.ZipFile(config["zip"], "w") as archive:
        entry = zipfile.ZipInfo(top, stamp)
        entry.create_system = 0
        entry.external_attr = 0x10  # a folder, for MS-DOS
        archive.writestr(entry, b"")
        for name in [e["name"] for e in config["files"]]:
            entry = zipfile.ZipInfo(top + name, stamp)
            entry.create_system = 0
            entry.compress_type = zipfile.ZIP_DEFLATED
            with open(os.path.join(folder, name), "rb") as f:
                archive.writestr(entry, f.read(), compresslevel=9)


# --- MSI -----------------------------------------------------------------------------------


class Msi:
    """The few calls of libmsi (msitools' library) that the finishing needs. Its summary takes
    strings as bytes, which lets them be in the package's code page."""

    SUBJECT, COMMENTS, TEMPLATE, UUID, CREATED, SAVED = 3, 6, 7, 9, 12, 13
    P, S, E = ctypes.c_void_p, ctypes.c_char_p, ctypes.POINTER(ctypes.c_void_p)
    CALLS = {  # name: (result, arguments before the GError**)
        "database_new": (P, [S, ctypes.c_uint, S]),
        "database_import": (ctypes.c_int, [P, S]),
        "database_commit": (ctypes.c_int, [P]),
        "query_new": (P, [P, S]),
        "query_execute": (ctypes.c_int, [P, P]),
        "query_fetch": (P, [P]),
        "summary_info_new": (P, [P, ctypes.c_uint]),
        "summary_info_set_string": (ctypes.c_int, [P, ctypes.c_int, S]),
        "summary_info_set_filetime": (ctypes.c_int, [P, ctypes.c_int, ctypes.c_uint64]),
        "summary_info_persist": (ctypes.c_int, [P]),
    }

    def __init__(self, path):
        self.lib = ctypes.CDLL("libmsi.so.0")
        for name, (result, arguments) in self.CALLS.items():
            function = getattr(self.lib, "libmsi_" + name)
            function.restype = result
            function.argtypes = arguments + [self.E]
        self.unref = ctypes.CDLL("libgobject-2.0.so.0").g_object_unref
        self.unref.argtypes = [self.P]
        self.lib.libmsi_record_get_string.restype = self.P
        self.lib.libmsi_record_get_string.argtypes = [self.P, ctypes.c_uint]
        self.free = ctypes.CDLL("libglib-2.0.so.0").g_free
        self.free.argtypes = [self.P]
        self.db = self.call("database_new", path.encode(), 4, None)  # transacted

    def call(self, name, *args):
        error = ctypes.c_void_p()
        result = getattr(self.lib, "libmsi_" + name)(*args, ctypes.byref(error))
        if error.value or not result:
            fail(f"libmsi_{name} failed")
        return result

    def sql(self, query):
        handle = self.call("query_new", self.db, query.encode())
        self.call("query_execute", handle, None)
        self.unref(handle)

    def value(self, query):
        """The first field of the first row that the query finds."""
        handle = self.call("query_new", self.db, query.encode())
        self.call("query_execute", handle, None)
        record = self.call("query_fetch", handle)
        text = self.lib.libmsi_record_get_string(record, 1)
        value = ctypes.string_at(text).decode()
        self.free(text)
        self.unref(record)
        self.unref(handle)
        return value

    def import_table(self, path):
        self.call("database_import", self.db, path.encode())

    def summary(self, strings, times):
        si = self.call("summary_info_new", self.db, 0xFFFFFFFF)
        for prop, value in strings.items():
            self.call("summary_info_set_string", si, prop, value)
        for prop, value in times.items():
            self.call("summary_info_set_filetime", si, prop, value)
        self.call("summary_info_persist", si)
        self.unref(si)

    def commit(self):
        self.call("database_commit", self.db)
        self.unref(self.db)


def filetime(epoch):
    return (epoch + 11644473600) * 10_000_000


def finish_msi(config, epoch):
    msi, version = config["msi"], config["version"]
    work = tempfile.mkdtemp()
    try:
        # wixl leaves the database's code page neutral and converts its strings as Japanese,
        # so they read right only where the system code page is Japanese.
        codepage = os.path.join(work, "_ForceCodepage.idt")
        with open(codepage, "wb") as f:
            f.write(b"\r\n\r\n932\t_ForceCodepage\r\n")
        db = Msi(msi)
        db.import_table(codepage)
        # The same version replaces the other architecture's: wixl's upgrade row leaves its
        # own version out.
        db.sql("DELETE FROM `Upgrade` WHERE `ActionProperty` = 'WIX_UPGRADE_DETECTED'")
        db.sql("INSERT INTO `Upgrade` (`UpgradeCode`, `VersionMax`, `Attributes`,"
               f" `ActionProperty`) VALUES ('{config['upgrade_code']}', '{version}',"
               " 513, 'WIX_UPGRADE_DETECTED')")  # 513: features migrate, maximum included
        # An installed product is found where it is, for all users or for one, so that a repair
        # or an uninstall works on that folder: the folder of the program's own component
        # (wixl knows no ComponentSearch).
        component = db.value("SELECT `ComponentId` FROM `Component` WHERE `Component` = 'Program'")
        db.sql("CREATE TABLE `CompLocator` (`Signature_` CHAR(72) NOT NULL,"
               " `ComponentId` CHAR(38) NOT NULL, `Type` SHORT PRIMARY KEY `Signature_`)")
        db.sql("INSERT INTO `CompLocator` (`Signature_`, `ComponentId`, `Type`)"
               f" VALUES ('InstalledProgram', '{component}', 1)")  # 1: the key path is a file
        db.sql("INSERT INTO `AppSearch` (`Property`, `Signature_`)"
               " VALUES ('INSTALLDIR', 'InstalledProgram')")
        for sequence in ("InstallUISequence", "InstallExecuteSequence"):
            db.sql(f"INSERT INTO `{sequence}` (`Action`, `Sequence`) VALUES ('AppSearch', 50)")
        for name in [e["name"] for e in config["files"] if e["name"].endswith(".exe")]:
            db.sql(f"UPDATE `File` SET `Version` = '{version}.0', `Language` = '1041'"
                   f" WHERE `File` = '{name}'")
        placeholder = "{00000000-0000-0000-0000-000000000000}"
        strings = {
            Msi.TEMPLATE: config["template"].encode(),
            Msi.SUBJECT: config["subject"].encode("cp932"),
            Msi.COMMENTS: config["comments"].encode("cp932"),
            Msi.UUID: placeholder.encode(),
        }
        db.summary(strings, {Msi.CREATED: filetime(epoch), Msi.SAVED: filetime(epoch)})
        db.commit()
        # The package code names this content: the same bytes, the same code.
        with open(msi, "rb") as f:
            digest = hashlib.sha256(f.read()).digest()
        code = "{" + str(uuid.UUID(bytes=digest[:16], version=4)).upper() + "}"
        db = Msi(msi)
        db.summary({Msi.UUID: code.encode()}, {})
        db.commit()
    finally:
        shutil.rmtree(work)


def main():
    with open(sys.argv[1], encoding="utf-8") as f:
        config = json.load(f)
    epoch = int(config["epoch"])
    folder = os.path.join(config["stage"], config["folder"])
    stage(config, folder, epoch)
    for entry in config["files"]:
        if entry["name"].endswith(".exe"):
            sign(os.path.join(folder, entry["name"]), epoch)
    fix_times(folder, epoch)
    os.makedirs(os.path.dirname(config["zip"]), exist_ok=True)
    for output in (config["zip"], config["msi"]):
        if os.path.exists(output):
            os.remove(output)
    write_zip(config, folder, epoch)
    # The MSI's icon (in Programs and Features) beside the folder, not in the zip.
    shutil.copy(config["icon"], os.path.join(config["stage"], "switchboard.ico"))
    wixl = subprocess.run(["wixl", "-a", config["arch"], "-o", config["msi"], config["wxs"]],
                          cwd=folder, capture_output=True, text=True)
    if wixl.returncode != 0:
        fail(f"wixl failed: {wixl.stdout}{wixl.stderr}")
    finish_msi(config, epoch)
    sign(config["msi"], epoch)


if __name__ == "__main__":
    main()
