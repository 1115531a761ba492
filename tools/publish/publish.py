#!/usr/bin/python3
"""The publisher's tool for Vorn updates: keys, signed manifests, checks.

  publish.py keygen PRIVATE.pem
      Makes a key pair: the private key into PRIVATE.pem (kept by the
      publisher, never shipped) and the public key line on standard output,
      for the key file the updater is built with (VORN_UPDATE_KEYS).
  publish.py publish RELEASE_DIR MANIFEST --key PRIVATE.pem --version V
                     [--serial N] [--register FILE]... [--url-prefix PREFIX]
      Walks the release folder (laid out as the install folder), writes the
      server manifest listing every file with its path, name, size, SHA-256
      and address, and signs its exact bytes into MANIFEST.sig.
  publish.py verify MANIFEST|URL --keys KEYS
      Checks a published manifest and its .sig, from a file or an address,
      against a key file; exit status 0 only when one of its keys signed it.

The manifest format is README's "The update manifest a publisher writes";
the signature is base64 of the 64 bytes r then s of ECDSA P-256 over the
manifest's SHA-256. Runs on Debian's python3-cryptography.
"""
import argparse
import base64
import hashlib
import os
import re
import sys
import urllib.parse
import urllib.request
import xml.etree.ElementTree as ElementTree
from xml.sax.saxutils import escape

from cryptography.exceptions import InvalidSignature
from cryptography.hazmat.primitives import hashes, serialization
from cryptography.hazmat.primitives.asymmetric import ec
from cryptography.hazmat.primitives.asymmetric.utils import decode_dss_signature, encode_dss_signature

COORDINATE = 32
# Names the updater refuses as destinations (see README).
PROTOCOL_FILES = {"update.xml", "server.xml"}
UNSAFE_CHARACTERS = re.compile(r'[:*?"<>|\\]')
# A manifest is small; the updater takes at most this many bytes of one.
MAX_FETCH = 16 << 20


class Refused(Exception):
    """A reason to stop, said to the publisher."""


# ---- the text forms -----------------------------------------------------

def strict_base64(text, length):
    """The bytes of canonical, padded standard base64 of exactly length bytes."""
    try:
        raw = base64.b64decode(text, validate=True)
    except ValueError:
        return None
    # Re-encoding catches what b64decode lets through: set padding bits.
    if len(raw) != length or base64.b64encode(raw).decode("ascii") != text:
        return None
    return raw


def public_key_line(public_key):
    numbers = public_key.public_numbers()
    raw = numbers.x.to_bytes(COORDINATE, "big") + numbers.y.to_bytes(COORDINATE, "big")
    return base64.b64encode(raw).decode("ascii")


def read_keys(path):
    """The public keys of a key file: one a line, '#' starts a comment."""
    keys = []
    with open(path, encoding="utf-8") as lines:
        for number, line in enumerate(lines, 1):
            text = line.split("#", 1)[0].strip()
            if not text:
                continue
            raw = strict_base64(text, 2 * COORDINATE)
            if raw is None:
                raise Refused("%s:%d: not a public key line" % (path, number))
            x, y = int.from_bytes(raw[:COORDINATE], "big"), int.from_bytes(raw[COORDINATE:], "big")
            try:
                keys.append(ec.EllipticCurvePublicNumbers(x, y, ec.SECP256R1()).public_key())
            except ValueError:
                raise Refused("%s:%d: not a point of P-256" % (path, number))
    if not keys:
        raise Refused("%s: no keys" % path)
    return keys


def signature_text(private_key, data):
    r, s = decode_dss_signature(private_key.sign(data, ec.ECDSA(hashes.SHA256())))
    raw = r.to_bytes(COORDINATE, "big") + s.to_bytes(COORDINATE, "big")
    return base64.b64encode(raw).decode("ascii") + "\n"


def read_signature(data):
    """r and s from a .sig file's bytes, or None when it is not in the form."""
    try:
        text = data.decode("ascii").rstrip("\r\n")
    except UnicodeDecodeError:
        return None
    raw = strict_base64(text, 2 * COORDINATE)
    if raw is None:
        return None
    return int.from_bytes(raw[:COORDINATE], "big"), int.from_bytes(raw[COORDINATE:], "big")


def load_private_key(path):
    with open(path, "rb") as pem:
        key = serialization.load_pem_private_key(pem.read(), password=None)
    if not isinstance(key, ec.EllipticCurvePrivateKey) or key.curve.name != "secp256r1":
        raise Refused("%s: not a P-256 private key" % path)
    return key


# ---- keygen ---------------------------------------------------------------

def keygen(args):
    key = ec.generate_private_key(ec.SECP256R1())
    pem = key.private_bytes(serialization.Encoding.PEM, serialization.PrivateFormat.PKCS8,
                            serialization.NoEncryption())
    try:
        # Never over an existing key: a lost private key cannot sign again.
        descriptor = os.open(args.private, os.O_WRONLY | os.O_CREAT | os.O_EXCL, 0o600)
    except FileExistsError:
        raise Refused("%s exists already" % args.private)
    with os.fdopen(descriptor, "wb") as out:
        out.write(pem)
    print(public_key_line(key.public_key()))


# ---- publish --------------------------------------------------------------

def release_files(folder, skipped):
    """(relative path with '/', full path) of every file, in a stable order."""
    found = []
    for top, _, files in os.walk(folder):
        for name in files:
            full = os.path.join(top, name)
            if os.path.realpath(full) not in skipped:
                found.append((os.path.relpath(full, folder).replace(os.sep, "/"), full))
    return sorted(found)


def check_destination(relative):
    if relative.lower() in PROTOCOL_FILES:
        raise Refused("%s: the updater's own manifests cannot be published" % relative)
    for part in relative.split("/"):
        if UNSAFE_CHARACTERS.search(part) or part.endswith((".", " ")):
            raise Refused("%s: a name Windows or the updater refuses" % relative)


def file_digest(path):
    digest, size = hashlib.sha256(), 0
    with open(path, "rb") as data:
        for block in iter(lambda: data.read(1 << 20), b""):
            digest.update(block)
            size += len(block)
    return size, digest.hexdigest()


def published_serial(manifest):
    """The serial of the manifest already at this place, or None."""
    try:
        release = ElementTree.parse(manifest).getroot()[0]
        return int(release.get("serial"))
    except (OSError, ElementTree.ParseError, IndexError, TypeError, ValueError):
        return None


def attribute(value):
    return '"%s"' % escape(value, {'"': "&quot;"})


def manifest_text(version, serial, entries):
    lines = ['<?xml version="1.0" encoding="UTF-8"?>', "<manifest>",
             "  <release version=%s serial=\"%d\"/>" % (attribute(version), serial)]
    for entry in entries:
        folder, _, name = entry["relative"].rpartition("/")
        path = folder.replace("/", "\\") + "\\" if folder else ""
        register = ' register="true"' if entry["register"] else ""
        lines.append("  <file path=%s name=%s size=\"%d\" sha256=\"%s\" url=%s%s/>" % (
            attribute(path), attribute(name), entry["size"], entry["sha256"], attribute(entry["url"]), register))
    lines.append("</manifest>")
    return ("\n".join(lines) + "\n").encode("utf-8")


def url_prefix(args):
    if args.url_prefix is not None:
        return args.url_prefix
    # By default the files are served from the release folder, beside the manifest.
    release = os.path.realpath(args.release)
    home = os.path.dirname(os.path.realpath(args.manifest))
    if os.path.commonpath([release, home]) != home:
        raise Refused("the release folder is not below the manifest's: give --url-prefix")
    relative = os.path.relpath(release, home).replace(os.sep, "/")
    return "" if relative == "." else urllib.parse.quote(relative) + "/"


def write_replacing(path, data):
    beside = path + ".new"
    with open(beside, "wb") as out:
        out.write(data)
    os.replace(beside, path)


def publish(args):
    key = load_private_key(args.key)
    previous = published_serial(args.manifest)
    serial = args.serial if args.serial is not None else (previous or 0) + 1
    if serial < 0:
        raise Refused("a serial is a number from 0 up")
    if previous is not None and serial <= previous:
        raise Refused("serial %d: the published manifest has %d, and serials rise with every release"
                      % (serial, previous))
    skipped = {os.path.realpath(p) for p in (args.manifest, args.manifest + ".sig", args.manifest + ".new")}
    prefix = url_prefix(args)
    register = {name.replace("\\", "/").lower() for name in args.register}
    entries = []
    for relative, full in release_files(args.release, skipped):
        check_destination(relative)
        size, sha256 = file_digest(full)
        entries.append({"relative": relative, "size": size, "sha256": sha256,
                        "url": prefix + urllib.parse.quote(relative),
                        "register": relative.lower() in register})
    missing = register - {entry["relative"].lower() for entry in entries}
    if missing:
        raise Refused("to register but not in the release: %s" % ", ".join(sorted(missing)))
    data = manifest_text(args.version, serial, entries)
    write_replacing(args.manifest, data)
    write_replacing(args.manifest + ".sig", signature_text(key, data).encode("ascii"))
    print("%s: version %s, serial %d, %d files, signed" % (args.manifest, args.version, serial, len(entries)))


# ---- verify ---------------------------------------------------------------

def fetch(where):
    if re.match(r"(?i)https?://", where):
        with urllib.request.urlopen(where, timeout=30) as answer:
            data = answer.read(MAX_FETCH + 1)
    else:
        with open(where, "rb") as data_file:
            data = data_file.read(MAX_FETCH + 1)
    if len(data) > MAX_FETCH:
        raise Refused("%s: larger than an updater accepts" % where)
    return data


def verify(args):
    keys = read_keys(args.keys)
    try:
        data, sig = fetch(args.manifest), fetch(args.manifest + ".sig")
    except OSError as error:
        raise Refused("cannot read: %s" % error)
    rs = read_signature(sig)
    if rs is None:
        raise Refused("%s.sig: not a signature in the publisher's form" % args.manifest)
    der = encode_dss_signature(*rs)
    signer = None
    for number, key in enumerate(keys, 1):
        try:
            key.verify(der, data, ec.ECDSA(hashes.SHA256()))
            signer = number
            break
        except InvalidSignature:
            pass
    if signer is None:
        raise Refused("%s: the signature is not by any key of %s" % (args.manifest, args.keys))
    try:
        release = ElementTree.fromstring(data)[0]
        version, serial = release.get("version"), int(release.get("serial"))
    except (ElementTree.ParseError, IndexError, TypeError, ValueError):
        raise Refused("%s: signed, but no version and serial on the first element" % args.manifest)
    if version is None or serial < 0:
        raise Refused("%s: signed, but no version and serial on the first element" % args.manifest)
    print("%s: signed by key %d of %s; version %s, serial %d" % (args.manifest, signer, args.keys, version, serial))


def main(argv):
    parser = argparse.ArgumentParser(description="Keys, signed manifests and checks for Vorn updates.")
    commands = parser.add_subparsers(dest="command", required=True)
    command = commands.add_parser("keygen", help="make a key pair")
    command.add_argument("private", help="where the private key goes (must not exist)")
    command.set_defaults(run=keygen)
    command = commands.add_parser("publish", help="write and sign the manifest of a release folder")
    command.add_argument("release", help="the release folder, laid out as the install folder")
    command.add_argument("manifest", help="where the manifest goes; its signature goes beside it")
    command.add_argument("--key", required=True, help="the private key (PEM)")
    command.add_argument("--version", required=True, help="the version the release installs")
    command.add_argument("--serial", type=int, help="the release serial (default: the published one + 1)")
    command.add_argument("--register", action="append", default=[], metavar="FILE",
                         help="a file of the release to register once in place (repeatable)")
    command.add_argument("--url-prefix", help="the files' address prefix, absolute or relative to the manifest")
    command.set_defaults(run=publish)
    command = commands.add_parser("verify", help="check a published manifest's signature")
    command.add_argument("manifest", help="the manifest's file or http(s) address")
    command.add_argument("--keys", required=True, help="a key file: one public key a line")
    command.set_defaults(run=verify)
    args = parser.parse_args(argv)
    try:
        args.run(args)
    except Refused as reason:
        print("publish.py %s: %s" % (args.command, reason), file=sys.stderr)
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
