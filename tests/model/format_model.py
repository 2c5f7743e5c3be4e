#!/usr/bin/env python3
"""Differential check of FormatNumberText against an independent model.

The model restates the window's number rule with Python's own tools: the
rounding step in Python floats (IEEE-754 doubles, one rounding per
operation, exactly as the rule demands), the digits with `decimal` working on
the exact value of the double, the thousands separators with Python's own
"," format. The values are random doubles of every kind plus the kinds the
program formats (KiB counts x 1024, / 1024, / 1048576) and short decimal
fractions that sit on rounding halves.

Each --driver is a command (split like a shell would) that reads
"<bits> <decimals> <separators>" lines and prints one text per line. Exit
code 1 on any mismatch, with the first few shown.
"""

import argparse
import math
import random
import re
import shlex
import struct
import subprocess
import sys
import time
from decimal import ROUND_HALF_EVEN, ROUND_HALF_UP, Context, Decimal

SEVENTEEN = Context(prec=17, rounding=ROUND_HALF_EVEN, Emin=-99999, Emax=99999)
THIRTEEN = Context(prec=13, rounding=ROUND_HALF_UP, Emin=-99999, Emax=99999)
INF = math.inf


def power_of_ten(n):
    """10**n as the nearest double, infinity past the double range."""
    try:
        return float(10**n)
    except OverflowError:
        return INF


def round_to_decimals(value, decimals):
    """Half away from zero, with the 1e-12 lift, every step a double."""
    if value == 0 or math.isnan(value) or math.isinf(value):
        return value
    m = abs(value)
    s = power_of_ten(abs(decimals))
    x = m * s if decimals > 0 else (m if decimals == 0 else m / s)
    if math.isinf(x):
        return value  # already whole at this scale
    lifted = x + 1e-12
    w = float(math.trunc(lifted))
    if lifted - w >= 0.5:
        w += 1.0
    r = w / s if decimals > 0 else (w if decimals == 0 else (0.0 if w == 0 else w * s))
    if math.isinf(r):
        return value  # the rounded figure would pass the double range
    return math.copysign(r, value)


def general_text(value):
    """The "%.13g" text: 17 digits to nearest, then half up to 13."""
    if math.isnan(value):
        return "nan", False
    if value == 0:
        return "0", True
    sign = "-" if value < 0 else ""
    if math.isinf(value):
        return sign + "inf", False
    rounded = THIRTEEN.plus(SEVENTEEN.plus(Decimal(abs(value))))
    digits = "".join(map(str, rounded.as_tuple().digits)).rstrip("0") or "0"
    x = rounded.adjusted()
    if -4 <= x < 13:
        if x < 0:
            return sign + "0." + "0" * (-x - 1) + digits, True
        whole, fraction = digits[: x + 1].ljust(x + 1, "0"), digits[x + 1 :]
        return sign + whole + ("." + fraction if fraction else ""), True
    mantissa = digits[0] + ("." + digits[1:] if len(digits) > 1 else "")
    return f"{sign}{mantissa}e{'-' if x < 0 else '+'}{abs(x):03d}", False


def group(text):
    match = re.fullmatch(r"(-?)([0-9]*)(\.[0-9]*)?", text)
    if not match or not match.group(2):
        return text
    return match.group(1) + f"{int(match.group(2)):,}" + (match.group(3) or "")


def model_text(value, decimals, separators):
    if decimals is not None:
        value = round_to_decimals(value, decimals)
    text, plain = general_text(value)
    if decimals is not None and decimals > 0 and plain:
        whole, dot, fraction = text.partition(".")
        text = whole + "." + fraction.ljust(decimals, "0")
    return group(text) if separators else text


def random_value(rng, decimals):
    kind = rng.randrange(9)
    if kind == 0:  # any bit pattern: NaN, infinities, subnormals, huge
        return struct.unpack("<d", rng.getrandbits(64).to_bytes(8, "little"))[0]
    if kind == 1:  # any magnitude around the plain range
        return rng.choice((1, -1)) * 10 ** rng.uniform(-7, 16)
    kib = rng.choice((rng.randrange(-(2**31), 2**31), rng.randrange(0, 2**21), rng.randrange(0, 1024)))
    if kind == 2:
        return kib * 1024.0
    if kind == 3:
        return kib / 1024.0
    if kind == 4:
        return kib / 1048576.0
    if kind == 5:  # a short decimal fraction, often a rounding half
        return rng.choice((1, -1)) * rng.randrange(0, 10 ** rng.randrange(1, 10)) / 10 ** rng.randrange(0, 7)
    if kind == 6:  # a half at the places asked for, where binary falls short
        places = 1 if decimals is None else decimals
        digits = 10 * rng.randrange(0, 10 ** rng.randrange(0, 8)) + 5
        half = digits / 10 ** (places + 1) if places >= 0 else float(digits * 10 ** -(places + 1))
        return rng.choice((1, -1)) * half
    if kind == 7:  # about 13 to 14 significant digits, near the notation switch
        return rng.choice((1, -1)) * rng.randrange(10**12, 10**14) / 10 ** rng.randrange(0, 3)
    return rng.randrange(-(2**53), 2**53) / 2.0 ** rng.randrange(0, 60)


def main():
    parser = argparse.ArgumentParser(description=__doc__, formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--count", type=int, default=1_000_000)
    parser.add_argument("--seed", type=int, default=20261211)
    parser.add_argument("--driver", action="append", required=True)
    args = parser.parse_args()

    started = time.monotonic()
    rng = random.Random(args.seed)
    lines, expected = [], []
    for _ in range(args.count):
        decimals = rng.choice((None, -3, -2, -1, 0, 1, 2, 3))
        value = random_value(rng, decimals)
        separators = rng.random() < 0.5
        bits = struct.unpack("<Q", struct.pack("<d", value))[0]
        lines.append(f"{bits:016x} {'n' if decimals is None else decimals} {int(separators)}\n")
        expected.append(model_text(value, decimals, separators))
    request = "".join(lines).encode("ascii")
    print(f"model: {args.count} values (seed {args.seed}) in {time.monotonic() - started:.1f} s")

    failed = False
    for driver in args.driver:
        started = time.monotonic()
        answer = subprocess.run(shlex.split(driver), input=request, capture_output=True, check=True).stdout
        got = answer.decode("latin-1").replace("\r\n", "\n").split("\n")[:-1]
        if len(got) != len(expected):
            print(f"{driver}: {len(got)} answers for {len(expected)} values")
            failed = True
            continue
        mismatches = [i for i, (a, b) in enumerate(zip(got, expected)) if a != b]
        for i in mismatches[:10]:
            print(f"  mismatch: {lines[i].strip()}  program {got[i]!r}  model {expected[i]!r}")
        print(f"{driver}: {len(expected)} values, {len(mismatches)} mismatches ({time.monotonic() - started:.1f} s)")
        failed = failed or bool(mismatches)
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
