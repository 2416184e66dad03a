"""Speed and memory of the analysis against `wc -w`, run side by side.

Runs, in alternating rounds on the 200 MB corpus: `wc -w`, the word/phrase
search for "the" (all four distributions, plain output), the same search with
the baseline counted, the search for a pattern that finds nothing, and searches
for "the" as a regular expression and with the word/tag syntax. Prints the
median times, their ratio to `wc -w`, the peak memory, the bytes per stored
match of the word/phrase search: (peak RSS - peak RSS of the search that finds
nothing) / matches in all bins, and what counting the baseline costs.

Then, in alternating rounds, the same searches on the UTF-8 and on the
Windows-1252 copy of the corpus with accented words (--utf8-only: this line
alone), for "the" and for "th*é*"; prints the ratio of their medians.
"""

import argparse
import json
import os
import statistics
import subprocess
import tempfile

import corpus

CLI = os.path.join(corpus.ROOT, "build", "release", "src", "cli", "tamborix-cli")


def run(command):
    """Processor time and user time in seconds, peak RSS in bytes and standard
    output of command.

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
        return (float(user) + float(system), float(user), int(peak) * 1024,
                result.stdout.decode("utf-8"))


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


def analysis_lines(rounds):
    path = corpus.corpus_file()
    commands = {
        "wc -w": ["wc", "-w", path],
        "search \"the\"": search("--pattern", "the", path),
        "the, baseline": search("--baseline", "--pattern", "the", path),
        "search, no hit": search("--pattern", "qqqxz", path),
        "regex \\bthe\\b": search("--pattern", r"(?i)\bthe\b", path, syntax="regex"),
        "word/tag the": search("--pattern", "the", path, syntax="tag"),
    }
    times = {name: [] for name in commands}
    user_times = {name: [] for name in commands}
    peaks = {name: 0 for name in commands}
    outputs = {}
    for _ in range(rounds):
        for name, command in commands.items():
            elapsed, user, peak, output = run(command)
            times[name].append(elapsed)
            user_times[name].append(user)
            peaks[name] = max(peaks[name], peak)
            outputs[name] = output

    size = os.path.getsize(path)
    reference = statistics.median(times["wc -w"])
    print(f"corpus: {path} ({size / 1e6:.0f} MB), {rounds} rounds,"
          " median processor time")
    for name in commands:
        median = statistics.median(times[name])
        print(f"  {name:16} {median:6.2f} s  {median / reference:5.2f} x wc -w"
              f"  peak {peaks[name] / 2**20:7.1f} MiB")
    matches = stored_matches(outputs["search \"the\""])
    extra = peaks["search \"the\""] - peaks["search, no hit"]
    print(f"  matches stored in all bin sets: {matches}")
    print(f"  bytes per stored match: {extra / matches:.1f}")
    # System time follows the order of the runs more than the search, as
    # the kernel clears the pages of whichever large search runs first.
    def cost(measured):
        return statistics.median(measured["the, baseline"]) / statistics.median(
            measured["search \"the\""])
    print(f"  counting the baseline: {cost(times):.3f} x the same search without it"
          f" (user time {cost(user_times):.3f} x)")


def utf8_flags(path):
    """The UTF-8 flags of the matches of a phrase of the first Brown text, a
    few in each copy of it: they tell how the file was read."""
    output = run(search("--json", "--dist", "text", "--pattern", "Fulton/np-tl County/nn-tl",
                        path, syntax="regex"))[3]
    bins = json.loads(output)["distributions"][0]["bins"]
    return {match["Utf8"] for bin in bins for match in bin["matches"]}


def utf8_line(rounds):
    """The searches on the UTF-8 copy against the same on the Windows-1252 copy.
    Exits when a copy is not read in its encoding or when the two reports differ.

    The system time, mostly the kernel clearing pages for the stored matches,
    is the same work for both copies, yet on a virtual machine a run that needs
    more memory than the run before it freed, or than the host has taken back
    since, pays several times as much of it. So the rounds of one pattern
    follow each other after an untimed run, and the ratio of user times is
    printed beside."""
    utf8, cp1252 = corpus.accented_files()
    for path, expected in ((utf8, {True}), (cp1252, {False})):
        flags = utf8_flags(path)
        if flags != expected:
            raise SystemExit(f"{path}: matches with the UTF-8 flags {flags}, expected {expected}")
    patterns = ["the", "th*é*"]
    times = {(pattern, path): [] for pattern in patterns for path in (utf8, cp1252)}
    user_times = {key: [] for key in times}
    outputs = {}
    for pattern in patterns:
        run(search("--pattern", pattern, utf8))
        for _ in range(rounds):
            for path in (utf8, cp1252):
                seconds, user, _, outputs[pattern, path] = run(search("--pattern", pattern, path))
                times[pattern, path].append(seconds)
                user_times[pattern, path].append(user)
    print(f"UTF-8 copy against Windows-1252 copy ({os.path.getsize(utf8) / 1e6:.0f} and"
          f" {os.path.getsize(cp1252) / 1e6:.0f} MB), {rounds} rounds, median processor time;"
          " goal: UTF-8 at most 1.3 x the 8-bit reading")
    for pattern in patterns:
        if outputs[pattern, utf8] != outputs[pattern, cp1252]:
            totals = {path: [line for line in outputs[pattern, path].splitlines()
                             if line.startswith(("Total", "Sentences"))][:2]
                      for path in (utf8, cp1252)}
            raise SystemExit(f"search \"{pattern}\": the two copies give different reports,"
                             f" first totals {totals}")
        utf8_time = statistics.median(times[pattern, utf8])
        cp1252_time = statistics.median(times[pattern, cp1252])
        user_ratio = (statistics.median(user_times[pattern, utf8])
                      / statistics.median(user_times[pattern, cp1252]))
        name = f"search \"{pattern}\""
        print(f"  {name:16} {utf8_time:6.2f} s  {utf8_time / cp1252_time:5.2f} x Windows-1252"
              f" {cp1252_time:6.2f} s  (user time {user_ratio:4.2f} x)  matches in all bin sets:"
              f" {stored_matches(outputs[pattern, utf8])}")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--rounds", type=int, default=5)
    parser.add_argument("--utf8-only", action="store_true",
                        help="only the UTF-8 against Windows-1252 line")
    args = parser.parse_args()
    if not args.utf8_only:
        analysis_lines(args.rounds)
    utf8_line(args.rounds)


if __name__ == "__main__":
    main()
