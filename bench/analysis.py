"""Speed and memory of the analysis against `wc -w`, run side by side.

Runs, in alternating rounds on the 200 MB corpus: `wc -w`, the word/phrase
search for "the" (all four distributions, plain output), the same search for a
pattern that finds nothing, and searches for "the" as a regular expression and
with the word/tag syntax. Prints the median times, their ratio to `wc -w`, the
peak memory, and the bytes per stored match of the word/phrase search:
(peak RSS - peak RSS of the search that finds nothing) / matches in all bins.
"""

import argparse
import os
import statistics
import subprocess
import tempfile

import corpus

CLI = os.path.join(corpus.ROOT, "build", "release", "src", "cli", "tamborix-cli")


def run(command):
    """Processor time in seconds, peak RSS in bytes and standard output of command.

    GNU time reports both. Processor time (user and system) rather than wall
    time, since other work on a shared machine stretches the latter; and a
    child of this process would inherit the memory figure of the Python
    interpreter that forked it."""
    with tempfile.NamedTemporaryFile(mode="r") as report:
        result = subprocess.run(["/usr/bin/time", "-q", "-f", "%U %S %M", "-o", report.name,
                                 *command], stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
        if result.returncode != 0:
            raise SystemExit(f"{command} failed with status {result.returncode}")
        user, system, peak = report.read().split()[-3:]
        return float(user) + float(system), int(peak) * 1024, result.stdout.decode("utf-8")


def stored_matches(report):
    """The sum of the bin counts of all distributions in a plain report."""
    total = 0
    in_table = False
    for line in report.splitlines():
        if line == "Position\tFrequency":
            in_table = True
        elif not line:
            in_table = False
        elif in_table:
            total += int(line.rsplit("\t", 1)[1])
    return total


def search(*arguments, syntax="word"):
    return [CLI, "--syntax", syntax, *arguments]


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    path = corpus.corpus_file()
    commands = {
        "wc -w": ["wc", "-w", path],
        "search \"the\"": search("--pattern", "the", path),
        "search, no hit": search("--pattern", "qqqxz", path),
        "regex \\bthe\\b": search("--pattern", r"(?i)\bthe\b", path, syntax="regex"),
        "word/tag the": search("--pattern", "the", path, syntax="tag"),
    }
    times = {name: [] for name in commands}
    peaks = {name: 0 for name in commands}
    outputs = {}
    for _ in range(args.rounds):
        for name, command in commands.items():
            elapsed, peak, output = run(command)
            times[name].append(elapsed)
            peaks[name] = max(peaks[name], peak)
            outputs[name] = output

    size = os.path.getsize(path)
    reference = statistics.median(times["wc -w"])
    print(f"corpus: {path} ({size / 1e6:.0f} MB), {args.rounds} rounds,"
          " median processor time")
    for name in commands:
        median = statistics.median(times[name])
        print(f"  {name:16} {median:6.2f} s  {median / reference:5.2f} x wc -w"
              f"  peak {peaks[name] / 2**20:7.1f} MiB")
    matches = stored_matches(outputs["search \"the\""])
    extra = peaks["search \"the\""] - peaks["search, no hit"]
    print(f"  matches stored in all bin sets: {matches}")
    print(f"  bytes per stored match: {extra / matches:.1f}")


if __name__ == "__main__":
    main()
