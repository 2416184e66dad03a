"""Wall-clock time of the search on every core against the reading of the same
text by `wc -w`, run in alternating rounds:

- the 200 MB corpus as some ten thousand files of at most 20 kB (the Brown
  corpus twenty times over, cut at line ends), searched for "the" in all four
  distributions: tamborix-cli with one job per core, and with one job,
  against `cat FILES | wc -w`; goal: at most 1.0 x;
- the 200 MB corpus as one file, which cannot be split between cores:
  tamborix-cli against `wc -w`, wall-clock and processor time; goal: at most
  1.3 x.

Prints the median of each and the ratio of the medians. Wall-clock time is
what a user waits for, but it follows the load of a shared machine: run this
on a quiet one.
"""

import argparse
import os
import statistics
import subprocess
import time

import corpus
from analysis import CLI


def timed(command):
    """Wall-clock and processor seconds of command, its output discarded."""
    start = time.monotonic()
    before = os.times()
    result = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    after = os.times()
    if result.returncode != 0:
        raise SystemExit(f"{command[:3]}... failed with status {result.returncode}")
    cpu = (after.children_user - before.children_user
           + after.children_system - before.children_system)
    return time.monotonic() - start, cpu


def rounds_of(commands, rounds):
    """Medians of wall-clock and processor seconds of each command, the
    commands run in turn, after one untimed round."""
    walls = {name: [] for name in commands}
    cpus = {name: [] for name in commands}
    for timed_round in range(rounds + 1):
        for name, command in commands.items():
            wall, cpu = timed(command)
            if timed_round:
                walls[name].append(wall)
                cpus[name].append(cpu)
    return ({name: statistics.median(v) for name, v in walls.items()},
            {name: statistics.median(v) for name, v in cpus.items()})


def print_against(title, walls, cpus, reference):
    print(title)
    for name in walls:
        print(f"  {name:28} {walls[name]:6.2f} s wall {walls[name] / walls[reference]:5.2f} x"
              f"  {cpus[name]:6.2f} s processor {cpus[name] / cpus[reference]:5.2f} x")


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--rounds", type=int, default=5)
    args = parser.parse_args()

    files = corpus.split_corpus()
    search = [CLI, "--pattern", "the"]
    commands = {
        "cat FILES | wc -w": ["sh", "-c", 'cat "$@" | wc -w', "sh", *files],
        "tamborix-cli, all cores": [*search, *files],
        "tamborix-cli --jobs 1": [*search, "--jobs", "1", *files],
    }
    walls, cpus = rounds_of(commands, args.rounds)
    print_against(f"{len(files)} files, search \"the\", {args.rounds} rounds, median;"
                  f" {os.cpu_count()} cores; goal: all cores at most 1.0 x cat | wc -w (wall)",
                  walls, cpus, "cat FILES | wc -w")

    path = corpus.corpus_file()
    commands = {"wc -w": ["wc", "-w", path], "tamborix-cli": [*search, path]}
    walls, cpus = rounds_of(commands, args.rounds)
    print_against(f"one file of {os.path.getsize(path) / 1e6:.0f} MB, search \"the\","
                  f" {args.rounds} rounds, median; goal: at most 1.3 x wc -w",
                  walls, cpus, "wc -w")


if __name__ == "__main__":
    main()
