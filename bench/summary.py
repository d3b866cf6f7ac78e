"""Prints the benchmark table from build-bench/lifts.json and game-*.txt."""
import json
import os
import statistics
import sys

build = sys.argv[1]
KINDS = {1: "fixed-grip surface lift", 2: "detachable surface lift", 3: "chairlift"}

# The detachable lift has a single pole: its cost is given per lift per frame.
PER_LIFT = {2}

rows = {}
for b in json.load(open(os.path.join(build, "lifts.json")))["benchmarks"]:
    args = dict(part.split(":") for part in b["name"].split("/")[1:])
    key = tuple(int(args[k]) for k in ("kind", "lifts", "pylons", "length"))
    ns = b["real_time"] * {"ns": 1, "us": 1e3, "ms": 1e6}[b["time_unit"]]
    per = b["lifts"] if key[0] in PER_LIFT else b["carriers"]
    rows[key] = (ns / per, int(b["carriers"]), int(b["segments"]))

print("Travondel benchmarks on %d cores, load average %.1f" % (os.cpu_count(), os.getloadavg()[0]))
print()
print("Lift simulation, drawCables + update per frame, null driver (target <= 150 ns per carrier, linear)")
print("%-34s %-22s %-26s %-26s" % ("ns per carrier per frame", "1/10/100 lifts, 10 pyl",
                                   "10 lifts, 0/5/10/20/40 pyl", "line 250/500/1k/2k/4k"))
fmt = lambda rs: " / ".join("%.0f" % r[0] for r in rs)
verdicts = []
for kind, name in KINDS.items():
    lifts = [rows[(kind, n, 10, 1000)] for n in (1, 10, 100)]
    pylons = [rows[(kind, 10, p, 1000)] for p in (0, 5, 10, 20, 40)]
    lengths = [rows[(kind, 10, 10, l)] for l in (250, 500, 1000, 2000, 4000)]
    if kind in PER_LIFT:
        label = "%s (per lift)" % name
    else:
        label = "%s (%d carr.)" % (name, lifts[0][1])
    print("%-34s %-22s %-26s %-26s" % (label, fmt(lifts), fmt(pylons), fmt(lengths)))
    worst = max(r[0] for r in lifts)
    if kind in PER_LIFT:
        verdicts.append("%s %.0f ns per lift" % (name.split()[0], worst))
    else:
        verdicts.append("%s %.0f ns %s" % (name.split()[0], worst, "met" if worst <= 150 else "MISSED"))
print("worst of 1/10/100 lifts: " + ", ".join(verdicts))
print("(the detachable lift has a single pole: its row is the cost per lift per frame, not per carrier;")
print(" a lift's own work, wheels, sheaves and rope lines, is shared by its carriers, and few chairs")
print(" stand on short or many-pylon lines)")

runs = []
for run in (1, 2, 3):
    path = os.path.join(build, "game-%d.txt" % run)
    if os.path.exists(path):
        values = dict(line.strip().split("=") for line in open(path) if "=" in line)
        if values:
            runs.append({k: float(v) for k, v in values.items()})
print()
if not runs:
    print("Game window: no run succeeded (no OpenGL display?)")
    sys.exit(1)
med = {k: statistics.median(r[k] for r in runs) for k in runs[0]}
# The game thread's own time a frame, the median over the runs.
frame_ms = lambda scene: statistics.median(1000 * r["main_thread_busy_" + scene] / r["fps_" + scene] for r in runs)
print("Game window, OpenGL (Mesa) 1280x960, default map, median of %d runs" % len(runs))
ratio = med["fps_loaded"] / med["fps_bare"]
checks = [
    ("start-up, map choice to first frame", "%.2f s" % med["startup_s"], med["startup_s"] < 2, "< 2 s"),
    ("frame rate, bare map", "%.0f fps" % med["fps_bare"], True, ""),
    ("frame rate, 10 lifts + 300 trees", "%.0f fps" % med["fps_loaded"], True, ""),
    ("loaded / bare", "%.2f" % ratio, ratio >= 0.46, ">= 0.46"),
    ("triangles drawn, loaded scene", "%d" % med["triangles_loaded"], med["triangles_loaded"] < 100000, "< 100k"),
    ("peak resident size, loaded scene", "%.0f MB" % med["rss_peak_mb"], med["rss_peak_mb"] < 250, "< 250 MB"),
]
for what, value, ok, target in checks:
    print("%-38s %10s  %-10s %s" % (what, value, target, "" if not target else ("met" if ok else "MISSED")))
print("triangles drawn bare / loaded: %d / %d; draw calls (mesh buffers drawn) bare / loaded: %d / %d" % (
    med["triangles_bare"], med["triangles_loaded"], med.get("draw_calls_bare", 0), med.get("draw_calls_loaded", 0)))
print("game thread busy bare / loaded: %.0f%% / %.0f%%, %.1f / %.1f ms a frame (steadier than the frame rate" % (
    100 * med["main_thread_busy_bare"], 100 * med["main_thread_busy_loaded"],
    frame_ms("bare"), frame_ms("loaded")))
print(" on a busy machine: Mesa's rasterizer threads share the cores, the game thread draws alone)")
