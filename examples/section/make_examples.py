#!/usr/bin/env python3
"""Writes the example data sheets of a small slope site (five test points)
for the site cross-section: examples/section/P1.vkr … P5.vkr. Run from the
repository root; the files are CP932 with CR LF like every data sheet."""

import random

def sheet(point, elevation, datum, layers, blows, survey="急傾斜地 A 地区 法面調査"):
    heading = [""] * 70
    heading[0] = survey
    heading[4] = point
    heading[5] = "令和"
    heading[6], heading[7], heading[8] = "6", "5", "20"
    heading[9] = "高橋 美咲"
    heading[11] = datum
    heading[12] = elevation
    heading[15] = "%.2f" % (blows[-1][1] / 100)
    heading[16] = "%.2f" % (blows[-1][1] / 100 + 0.5)
    heading[17] = "晴"
    heading[18] = "25"
    heading[27] = "0"
    heading[28] = "株式会社"
    heading[29] = "1"
    heading[30] = "0"
    heading[34] = "1"
    heading[38] = "10"
    lines = ["$$_VSKTARVO100", "$$Z"] + heading + ["$$A"]
    for depth, name, aux in layers:
        lines.append("%.2f,%s,%s,,,,247,,,," % (depth, name, aux))
    lines.append("$$C")
    prev = 0
    for n, h in blows:
        dh = h - prev
        lines.append("%d,%d,%d,%g," % (n, h, dh, round(10 * n / dh, 5)))
        prev = h
    lines.append("$$c")
    for n, h in blows:
        pass
    return ("\r\n".join(lines) + "\r\n").encode("cp932")

def blows(profile, seed):
    """profile: list of (until cm, mean Nd); groups of 10 to 25 cm."""
    rng = random.Random(seed)
    out, h = [], 0
    for until, nd in profile:
        while h < until:
            dh = min(until - h, rng.choice([10, 10, 12, 15, 20, 25]))
            n = max(0, round(nd * dh / 10 * rng.uniform(0.7, 1.3)))
            h += dh
            out.append((n, h))
    return out

points = [
    ("No.1", "24.80", [(0.4, "表土", ""), (1.6, "ローム", ""), (2.9, "粘性土", "砂混じり"), (4.0, "風化岩", "")],
     [(40, 1.5), (160, 3), (290, 6), (400, 18)]),
    ("No.2", "23.65", [(0.5, "表土", ""), (2.1, "ローム", ""), (3.4, "砂質土", ""), (4.3, "風化岩", "")],
     [(50, 1.2), (210, 2.5), (340, 8), (430, 22)]),
    ("No.3", "22.10", [(0.3, "表土", ""), (1.2, "ローム", ""), (2.5, "砂質土", "礫混じり"), (3.2, "風化岩", "")],
     [(30, 2), (120, 4), (250, 9), (320, 25)]),
    ("No.4", "20.95", [(0.6, "表土", ""), (2.8, "粘性土", ""), (3.5, "砂質土", "")],
     [(60, 1), (280, 3), (350, 7)]),
    ("No.5", "19.70", [(0.4, "表土", ""), (1.5, "砂質土", ""), (2.2, "風化岩", "")],
     [(40, 2), (150, 6), (220, 20)]),
]

for i, (point, elevation, layers, profile) in enumerate(points):
    data = sheet(point, elevation, "TP", layers, blows(profile, i + 1))
    with open("examples/section/P%d.vkr" % (i + 1), "wb") as f:
        f.write(data)
