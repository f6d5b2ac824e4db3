#!/usr/bin/env python3
"""Soak: plays velk headless on random input for many frames and reports.

Each run starts from a hero saved on one of the demo world's kinds of map
(the town with its people and shops, monster maps, a boss map), with an
empty, a middling or an almost full purse and the town's missions done so
that rewards are offered, and plays a seeded random script: walking, jumping,
attacking, picking up, skills, quick slots, and clicks biased towards the
row where people stand and the windows open. Built with the sanitizers
(build-asan), every report of theirs fails the soak.

  tools/soak/soak.py --velk build-asan/velk --data build/data --frames 300000
"""
import argparse
import json
import os
import random
import shutil
import subprocess
import sys
import tempfile
import time

KEYS = ["Left", "Right", "Up", "Down", "LAlt", "LCtrl", "LShift", "Space", "F1", "F2", "F3", "F4"]
# Maps to start on: the town (people, shops, rewards), the gate, monster maps, a boss map.
START_MAPS = [0, 0, 0, 9, 1, 10, 11, 12, 2, 20, 21]
PURSES = [0, 5000, 2**31 - 100]
SANITIZER_MARKS = ("runtime error", "AddressSanitizer", "LeakSanitizer", "UndefinedBehaviorSanitizer")


def click_target(rng):
    """Where people stand, the talk box's buttons and the shop's window, more
    often than anywhere else."""
    aim = rng.random()
    if aim < 0.08:  # the herbalist (a shop) where the town's start shows her
        return rng.randrange(224, 241), rng.randrange(440, 471)
    if aim < 0.35:  # the row where people stand
        return rng.randrange(5, 796), rng.randrange(380, 580)
    if aim < 0.55:  # the talk box's bottom buttons (decline, OK or accept)
        return rng.randrange(390, 530), rng.randrange(377, 396)
    if aim < 0.65:  # its page buttons
        return rng.randrange(292, 430), rng.randrange(322, 341)
    if aim < 0.80:  # the shop's window: goods, bag, its buttons
        return rng.randrange(300, 760), rng.randrange(200, 560)
    return rng.randrange(5, 796), rng.randrange(5, 596)


def random_script(rng, frames):
    lines = []
    held = set()
    f = 0
    while f < frames:
        roll = rng.random()
        if roll < 0.45:
            key = rng.choice(KEYS)
            if key in held:
                lines.append(f"{f} key {key} up")
                held.discard(key)
            else:
                lines.append(f"{f} key {key} down")
                held.add(key)
        elif roll < 0.85:
            x, y = click_target(rng)
            button = "left" if rng.random() < 0.85 else "right"
            lines.append(f"{f} mouse {x} {y}")
            lines.append(f"{f} button {button} down")
            lines.append(f"{f + 1} button {button} up")
        elif roll < 0.92:
            lines.append(f"{f} text {rng.randrange(0, 100)}")
        else:
            lines.append(f"{f} backspace")
        f += rng.randrange(1, 12)
    return "\n".join(lines) + "\n"


def save_text(map_number, aru, rng):
    level = rng.choice([1, 5, 12, 150])
    tokens = ["soak", str(map_number), "30", "100", str(level), "20", "20", "10", "5", "10", "0", str(aru), "5"]
    slots = [[-1, 0, 0] for _ in range(53)]
    slots[0] = [0, 1, 0]
    for s in range(2, 6):
        slots[s] = [8, 5, 0]
    for first, length in ((0, 8), (8, 10), (48, 5), (18, 30)):
        for s in range(first, first + length):
            tokens += [str(v) for v in slots[s]]
    return " ".join(tokens)


def main():
    ap = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    ap.add_argument("--velk", default="build-asan/velk")
    ap.add_argument("--data", default="build/data")
    ap.add_argument("--frames", type=int, default=300000, help="frames in all")
    ap.add_argument("--run-frames", type=int, default=5000, help="frames per run")
    ap.add_argument("--seed", type=int, default=1)
    ap.add_argument("--keep", help="folder to keep each failing run's script and output in")
    args = ap.parse_args()

    rng = random.Random(args.seed)
    env = dict(os.environ, ASAN_OPTIONS="detect_leaks=1:halt_on_error=1",
               UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1")
    done = runs = 0
    failures = []
    ends = {}
    started = time.time()
    while done < args.frames:
        frames = min(args.run_frames, args.frames - done)
        seed = rng.randrange(1, 2**31)
        start_map = rng.choice(START_MAPS)
        aru = rng.choice(PURSES)
        with tempfile.TemporaryDirectory(prefix="velk-soak-") as work:
            saves = os.path.join(work, "saves")
            os.makedirs(os.path.join(saves, "txt/user"))
            os.makedirs(os.path.join(saves, "txt/npc/mssck"))
            with open(os.path.join(saves, "txt/user/user.txt"), "w") as f:
                f.write(save_text(start_map, aru, rng))
            # The town's missions done: every reward is offered.
            with open(os.path.join(saves, "txt/npc/mssck/mss_0.txt"), "w") as f:
                f.write("1\n" * 6)
            script = os.path.join(work, "script.txt")
            with open(script, "w") as f:
                f.write(random_script(rng, frames))
            dump = os.path.join(work, "state.json")
            cmd = [args.velk, "--headless", "--skip-title", "--data", args.data, "--save-dir", saves,
                   "--seed", str(seed), "--script", script, "--frames", str(frames), "--dump-state", dump]
            proc = subprocess.run(cmd, env=env, capture_output=True, text=True, errors="replace")
            out = proc.stdout + proc.stderr
            bad = proc.returncode != 0 or any(m in out for m in SANITIZER_MARKS)
            end = "?"
            try:
                with open(dump) as f:
                    state = json.load(f)
                end = f"map {state['map']['number']}" + (", talk" if state.get("talk") else "") + \
                      (", shop" if state.get("shop") else "")
            except (OSError, ValueError, KeyError, TypeError):
                bad = True
            ends[end] = ends.get(end, 0) + 1
            if bad:
                failures.append((seed, start_map, aru, proc.returncode, out[-2000:]))
                if args.keep:
                    keep = os.path.join(args.keep, f"run-{runs}")
                    os.makedirs(keep, exist_ok=True)
                    shutil.copy(script, keep)
                    with open(os.path.join(keep, "output.txt"), "w") as f:
                        f.write(" ".join(cmd) + "\n" + out)
        done += frames
        runs += 1
        print(f"run {runs}: map {start_map}, purse {aru}, {frames} frames -> {end}"
              f"{'  FAILED' if bad else ''}", flush=True)

    seconds = time.time() - started
    print(f"\n{runs} runs, {done} frames in {seconds:.0f} s ({done / max(seconds, 1e-9):.0f} frames/s), "
          f"{len(failures)} failed")
    for end, n in sorted(ends.items()):
        print(f"  ended on {end}: {n}")
    for seed, start_map, aru, code, out in failures:
        print(f"\nFAILED: seed {seed}, map {start_map}, purse {aru}, exit {code}\n{out}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
