#!/usr/bin/env python3
"""The killed-operations drill (run through scripts/drill-kill).

Arguments: DRIVER PUBLISHER WORK_FOLDER KILLS SEED.
For a complete backup, a restore and a package install, each run KILLS times on a fresh
copy of a generated installation and killed with SIGKILL at a random moment within its
measured duration, checks:
  - every file the listing would show (non-dot files in BK) is a sound archive;
  - backup: the installation is untouched, and a new listed archive holds it exactly;
    the next backup clears what the cut one left;
  - restore: once any installation file changed, a listed safety copy holding the old
    state exactly exists; every job and table file is the old one, the restored one, or
    absent (a deletion the restore does first), and anything else is reported;
  - install: every program file is the old one, the new one or (when new) absent; the
    temporary files left are counted; a second, whole install completes the update.
"""
import hashlib
import os
import random
import shutil
import signal
import struct
import subprocess
import sys
import time

DRIVER, PUBLISHER, WORK, KILLS, SEED = sys.argv[1], sys.argv[2], sys.argv[3], int(sys.argv[4]), int(sys.argv[5])
rnd = random.Random(SEED)
faults = []


def fault(operation, run, text):
    faults.append(f"{operation} #{run}: {text}")
    print(f"  FAULT {operation} #{run}: {text}", flush=True)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def content(size):
    return rnd.randbytes(size)


def digest_tree(root, skip_bk=True):
    """relative path -> sha256 of every file under root."""
    out = {}
    for folder, dirs, files in os.walk(root):
        rel_folder = os.path.relpath(folder, root)
        if skip_bk and rel_folder.split(os.sep)[0] == "BK":
            continue
        for name in files:
            path = os.path.join(folder, name)
            with open(path, "rb") as f:
                out[os.path.normpath(os.path.join(rel_folder, name))] = hashlib.sha256(f.read()).hexdigest()
    return out


def read_archive(path):
    """(kind, {folder/name: sha256}) or None when the file isn't a sound archive."""
    with open(path, "rb") as f:
        data = f.read()
    if len(data) < 160:
        return None
    kind = struct.unpack_from("<I", data, 156)[0]
    entries, at = {}, 160
    while at < len(data):
        if len(data) - at < 160:
            return None
        raw_name, length, entry_kind = struct.unpack_from("<152sII", data, at)
        if b"\0" not in raw_name or length > len(data) - at - 160:
            return None
        name = raw_name.split(b"\0")[0].decode("latin-1")
        body = data[at + 160: at + 160 + length]
        entries[("Data/" if entry_kind == 2 else "Obras/") + name] = hashlib.sha256(body).hexdigest()
        at += 160 + length
    return kind, entries


def run(args, drive, kill_after=None):
    env = dict(os.environ, QOR_DRIVE_C=drive, ASAN_OPTIONS="detect_leaks=0")
    start = time.monotonic()
    p = subprocess.Popen([DRIVER] + args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE)
    if kill_after is not None:
        try:
            out, err = p.communicate(timeout=kill_after)
            return p.returncode, out.decode("utf-8", "replace"), err.decode("utf-8", "replace"), time.monotonic() - start, False
        except subprocess.TimeoutExpired:
            p.send_signal(signal.SIGKILL)
            out, err = p.communicate()
            return p.returncode, out.decode("utf-8", "replace"), err.decode("utf-8", "replace"), time.monotonic() - start, True
    out, err = p.communicate()
    return p.returncode, out.decode("utf-8", "replace"), err.decode("utf-8", "replace"), time.monotonic() - start, False


def listed(drive):
    bk = os.path.join(drive, "QOR_Fenestrali_2", "BK")
    return sorted(n for n in os.listdir(bk) if not n.startswith("."))


def check_listing(operation, i, drive):
    """Every listed archive is sound, by the system's walk and by this script's reader."""
    code, out, err, _, _ = run(["verificar"], drive)
    for line in out.splitlines():
        if line.startswith("copia: "):
            estado, _, name = line[7:].split(" ", 2)
            if not name.startswith(".") and estado != "0":
                fault(operation, i, f"listed archive fails the walk (state {estado}): {name}")
    for name in listed(drive):
        if read_archive(os.path.join(drive, "QOR_Fenestrali_2", "BK", name)) is None:
            fault(operation, i, f"listed archive unreadable: {name}")


# --- The installation ------------------------------------------------------------------
template = os.path.join(WORK, "plantilla")
inst_t = os.path.join(template, "QOR_Fenestrali_2")
os.makedirs(os.path.join(template, "WINDOWS", "system32"))
os.makedirs(os.path.join(inst_t, "BK"))
jobs = {}
for n in range(150):
    size = rnd.choice([0, 300, 4000, 60000, 250000]) if n % 25 else rnd.randint(2, 6) << 20
    jobs[f"Obras/Obra {n:03d} Ventanas.obr"] = content(size)
TABLES = ["Clientes", "Obras", "Camaras", "ConfigD", "ConfigG", "DVH", "Monedas", "Partes",
          "Perfiles", "TipoConfig", "Tratamientos", "Vidrios"]
tables = {f"Data/{t}.{e}": content(rnd.randint(1000, 400000)) for t in TABLES for e in ("dft", "tbl")}
for rel, data in {**jobs, **tables}.items():
    write(os.path.join(inst_t, rel), data)
# Program files the install replaces.
old_program = {f"Programa/mod{n:02d}.dll": content(rnd.randint(10000, 900000)) for n in range(30)}
old_program["QOR_Fenestrali_2.exe"] = content(3 << 20)
for rel, data in old_program.items():
    write(os.path.join(inst_t, rel), data)

drive = os.path.join(WORK, "c")
shutil.copytree(template, drive)
code, out, err, t_backup, _ = run(["crear"], drive)
if code != 0:
    sys.exit(f"the first backup failed: {out}{err}")
archive_a = listed(drive)[0]
shutil.copy2(os.path.join(drive, "QOR_Fenestrali_2", "BK", archive_a), os.path.join(inst_t, "BK", archive_a))
state_a = {k: v for k, v in digest_tree(inst_t).items() if k.startswith(("Obras", "Data"))}
# The state a restore replaces: jobs changed, removed and added, tables changed.
for rel in list(jobs)[::3]:
    write(os.path.join(inst_t, rel), content(len(jobs[rel]) + 17))
for rel in list(jobs)[1::10]:
    os.remove(os.path.join(inst_t, rel))
for n in range(12):
    write(os.path.join(inst_t, f"Obras/Nueva {n:02d}.obr"), content(rnd.randint(100, 500000)))
for rel in list(tables)[::2]:
    write(os.path.join(inst_t, rel), content(rnd.randint(1000, 400000)))
state_b_all = digest_tree(inst_t)
state_b = {k: v for k, v in state_b_all.items() if k.startswith(("Obras", "Data"))}
other_b = {k: v for k, v in state_b_all.items() if not k.startswith(("Obras", "Data"))}

# The update: a new program tree, published with the publisher's tool.
tree = os.path.join(WORK, "arbol")
new_program = {}
for rel in old_program:
    if rnd.random() < 0.8:
        new_program[rel] = content(rnd.randint(10000, 900000))
for n in range(10):
    new_program[f"Programa/Nuevos/extra{n}.dat"] = content(rnd.randint(1000, 300000))
for rel, data in new_program.items():
    write(os.path.join(tree, rel), data)
with open(os.path.join(WORK, "manifiesto.txt"), "w") as f:
    f.write("version 2\n")
subprocess.run([PUBLISHER, os.path.join(WORK, "manifiesto.txt"), tree, os.path.join(WORK, "upd.smx"),
                os.path.join(WORK, "upd.paquete")], check=True)
package = os.path.join(WORK, "upd.paquete")
hash_old = {k: hashlib.sha256(v).hexdigest() for k, v in old_program.items()}
hash_new = {k: hashlib.sha256(v).hexdigest() for k, v in new_program.items()}


def fresh():
    if os.path.exists(drive):
        shutil.rmtree(drive)
    shutil.copytree(template, drive)
    return os.path.join(drive, "QOR_Fenestrali_2")


def timed(args):
    fresh()
    code, out, err, took, _ = run(args, drive)
    if code != 0:
        sys.exit(f"{args[0]} failed unkilled: {out}{err}")
    return took


durations = {"crear": timed(["crear"]), "restaurar": timed(["restaurar", archive_a[:10]]),
             "instalar": timed(["instalar", package])}
print("unkilled durations (s): " + ", ".join(f"{k} {v:.2f}" for k, v in durations.items()), flush=True)
title_a = archive_a[:-5].replace("-", "/", 2)
summary = {}

# --- Backup -----------------------------------------------------------------------------
tally = {"finished": 0, "new archive listed": 0, "cut, nothing listed": 0, "leftovers cleared next": 0}
for i in range(KILLS):
    inst = fresh()
    code, out, err, took, killed = run(["crear"], drive, rnd.uniform(0, durations["crear"] * 1.1))
    tally["finished"] += not killed
    check_listing("backup", i, drive)
    new = [n for n in listed(drive) if n != archive_a]
    for n in new:
        got = read_archive(os.path.join(inst, "BK", n))
        if got is None or got[1] != state_b:
            fault("backup", i, f"new archive {n} doesn't hold the installation exactly")
    tally["new archive listed" if new else "cut, nothing listed"] += 1
    now = digest_tree(inst)
    if now != state_b_all:
        fault("backup", i, "the installation changed")
    leftovers = [n for n in os.listdir(os.path.join(inst, "BK")) if n.startswith(".")]
    time.sleep(1.05)  # the next archive's name takes the next second
    code, out, err, _, _ = run(["crear"], drive)
    if code != 0:
        fault("backup", i, f"the next backup failed: {out.strip()}")
    if [n for n in os.listdir(os.path.join(inst, "BK")) if n.startswith(".")]:
        fault("backup", i, "the next backup left the cut one's file")
    elif leftovers:
        tally["leftovers cleared next"] += 1
summary["backup"] = tally

# --- Restore ----------------------------------------------------------------------------
tally = {"finished": 0, "untouched": 0, "touched, safety copy whole": 0,
         "files old": 0, "files restored": 0, "files absent": 0, "files neither": 0,
         "temporary files left": 0, "temporaries cleared by the next restore": 0}
for i in range(KILLS):
    inst = fresh()
    code, out, err, took, killed = run(["restaurar", archive_a[:10]], drive,
                                       rnd.uniform(0, durations["restaurar"] * 1.1))
    tally["finished"] += not killed
    check_listing("restore", i, drive)
    now_all = digest_tree(inst)
    now = {k: v for k, v in now_all.items() if k.startswith(("Obras", "Data"))}
    # A restore writes each file beside its target under a dot name, then swaps it in.
    temporaries = [k for k in now if os.path.basename(k).startswith(".") and k.endswith(".qorrest")]
    tally["temporary files left"] += len(temporaries)
    for k in temporaries:
        del now[k]
    if {k: v for k, v in now_all.items() if not k.startswith(("Obras", "Data"))} != other_b:
        fault("restore", i, "a file outside the jobs and data folders changed")
    if now == state_b:
        tally["untouched"] += 1
    else:
        safety = [n for n in listed(drive) if n != archive_a]
        whole = [n for n in safety if (read_archive(os.path.join(inst, "BK", n)) or (0, {}))[1] == state_b]
        if whole:
            tally["touched, safety copy whole"] += 1
        else:
            fault("restore", i, "files changed with no whole safety copy listed")
    for rel in sorted(set(state_a) | set(state_b) | set(now)):
        if rel not in now:
            tally["files absent"] += 1
        elif now[rel] == state_a.get(rel):
            tally["files restored"] += 1
        elif now[rel] == state_b.get(rel):
            tally["files old"] += 1
        else:
            tally["files neither"] += 1
            fault("restore", i, f"neither the old nor the restored content: {rel}")
    if not killed and now != state_a:
        fault("restore", i, "a finished restore didn't give the archive's state")
    if temporaries:
        # The next restore clears what the cut one left, even where its entries differ.
        # By its whole display name: the cut run's safety copy shares the prefix.
        head, _, hour = title_a.rpartition("Hora ")
        code, out, err, _, _ = run(["restaurar", head + "Hora " + hour.replace("-", ":")], drive)
        after = {k: v for k, v in digest_tree(inst).items() if k.startswith(("Obras", "Data"))}
        if code != 0 or after != state_a:
            fault("restore", i, f"the next restore did not give the archive's state: {out.strip()}")
        else:
            tally["temporaries cleared by the next restore"] += 1
summary["restore"] = tally

# --- Install ----------------------------------------------------------------------------
tally = {"finished": 0, "files old": 0, "files new": 0, "files absent": 0, "files neither": 0,
         "temporary files left": 0, "completed by a second install": 0}
for i in range(KILLS):
    inst = fresh()
    code, out, err, took, killed = run(["instalar", package], drive,
                                       rnd.uniform(0, durations["instalar"] * 1.1))
    tally["finished"] += not killed
    check_listing("install", i, drive)
    now = digest_tree(inst)
    for rel in sorted(set(hash_old) | set(hash_new)):
        if rel not in now:
            if rel in hash_old:
                fault("install", i, f"an old program file vanished: {rel}")
            tally["files absent"] += 1
        elif now[rel] == hash_new.get(rel):
            tally["files new"] += 1
        elif now[rel] == hash_old.get(rel):
            tally["files old"] += 1
        else:
            tally["files neither"] += 1
            fault("install", i, f"neither the old nor the new content: {rel}")
    tally["temporary files left"] += sum(1 for k in now if k.endswith(".qornuevo"))
    if {k: v for k, v in now.items() if k.startswith(("Obras", "Data"))} != state_b:
        fault("install", i, "a job or table changed")
    code, out, err, _, _ = run(["instalar", package], drive)
    now = digest_tree(inst)
    if code != 0 or any(now.get(k) != v for k, v in hash_new.items()):
        fault("install", i, f"the second install didn't complete the update: {out.strip()}")
    else:
        tally["completed by a second install"] += 1
    if any(k.endswith(".qornuevo") for k in now):
        fault("install", i, "temporary files left after a whole install")
summary["install"] = tally

print()
for operation, t in summary.items():
    print(f"{operation}: {KILLS} runs; " + "; ".join(f"{k} {v}" for k, v in t.items()))
print(f"faults: {len(faults)}")
for f in faults[:50]:
    print("  " + f)
sys.exit(1 if faults else 0)
