#!/usr/bin/env python3
"""The full-disk and read-only drill (run through scripts/drill-full-disk).

Arguments: DRIVER PUBLISHER WORK_FOLDER. Mounts an 8 MiB tmpfs at WORK_FOLDER/c for every
run, copies a small installation into it, fills it to the given room and runs one
operation; the read-only runs remount the drive read-only instead of filling it.
"""
import errno
import hashlib
import os
import random
import shutil
import subprocess
import sys

DRIVER, PUBLISHER, WORK = sys.argv[1:4]
rnd = random.Random(3)
drive = os.path.join(WORK, "c")
template = os.path.join(WORK, "plantilla")
inst_rel = "QOR_Fenestrali_2"
faults = []
FILLER = "relleno.bin"
TEMPORARY = (".qornuevo",)


def write(path, data):
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "wb") as f:
        f.write(data)


def snapshot(root):
    out = {}
    for folder, _, files in os.walk(root):
        for name in files:
            path = os.path.join(folder, name)
            rel = os.path.relpath(path, root)
            if rel == FILLER:
                continue
            with open(path, "rb") as f:
                out[rel] = hashlib.sha256(f.read()).hexdigest()
    return out


def run(args, root):
    env = dict(os.environ, QOR_DRIVE_C=root, ASAN_OPTIONS="detect_leaks=0")
    p = subprocess.run([DRIVER] + args, env=env, stdout=subprocess.PIPE, stderr=subprocess.PIPE,
                       timeout=300)
    return p.returncode, p.stdout.decode("utf-8", "replace"), p.stderr.decode("utf-8", "replace")


# --- The installation, its archive and the update ------------------------------------------
TABLES = ["Clientes", "Obras", "Camaras", "ConfigD", "ConfigG", "DVH", "Monedas", "Partes",
          "Perfiles", "TipoConfig", "Tratamientos", "Vidrios"]
os.makedirs(os.path.join(template, "WINDOWS", "system32"))
os.makedirs(os.path.join(template, inst_rel, "BK"))
for n in range(20):
    write(os.path.join(template, inst_rel, "Obras", f"Obra {n:02d}.obr"), rnd.randbytes(40000))
for t in TABLES:
    for e in ("dft", "tbl"):
        write(os.path.join(template, inst_rel, "Data", f"{t}.{e}"), rnd.randbytes(15000))
old_program = {f"Programa/mod{n}.dll": rnd.randbytes(250000) for n in range(3)}
for rel, data in old_program.items():
    write(os.path.join(template, inst_rel, rel), data)
code, out, err = run(["crear"], template)
if code != 0:
    sys.exit("the template's backup failed: " + out + err)
archive_a = sorted(os.listdir(os.path.join(template, inst_rel, "BK")))[0]
# The restore has something to change.
for n in range(0, 20, 2):
    write(os.path.join(template, inst_rel, "Obras", f"Obra {n:02d}.obr"), rnd.randbytes(41000))
tree = os.path.join(WORK, "arbol")
new_program = {rel: rnd.randbytes(250000) for rel in old_program}
new_program["Programa/nuevo.dll"] = rnd.randbytes(120000)
for rel, data in new_program.items():
    write(os.path.join(tree, rel), data)
with open(os.path.join(WORK, "manifiesto.txt"), "w") as f:
    f.write("version 2\n")
smx, package = os.path.join(WORK, "upd.smx"), os.path.join(WORK, "upd.paquete")
subprocess.run([PUBLISHER, os.path.join(WORK, "manifiesto.txt"), tree, smx, package], check=True,
               stdout=subprocess.DEVNULL)
hash_old = {os.path.join(inst_rel, k): hashlib.sha256(v).hexdigest() for k, v in old_program.items()}
hash_new = {os.path.join(inst_rel, k): hashlib.sha256(v).hexdigest() for k, v in new_program.items()}


def mount_fresh(with_package):
    subprocess.run(["umount", drive], stderr=subprocess.DEVNULL)
    subprocess.run(["mount", "-t", "tmpfs", "-o", "size=8m", "tmpfs", drive], check=True)
    for name in os.listdir(template):
        shutil.copytree(os.path.join(template, name), os.path.join(drive, name))
    if with_package:
        shutil.copy(package, os.path.join(drive, inst_rel, "QOR_Fenestrali_2.smx"))


def fill(room):
    """Fills the drive, then gives back `room` bytes."""
    path = os.path.join(drive, FILLER)
    block = b"\0" * 65536
    with open(path, "wb", buffering=0) as f:
        try:
            while True:
                f.write(block)
        except OSError as e:
            if e.errno != errno.ENOSPC:
                raise
    size = os.path.getsize(path)
    os.truncate(path, max(0, size - room))
    st = os.statvfs(drive)
    return st.f_bavail * st.f_frsize


def check(label, op, code, out, err, before):
    notices = [l[7:] for l in out.splitlines() if l.startswith("aviso: ")]
    shown = " | ".join(n.replace("\n", " / ") for n in notices) or "(no notice)"
    print(f"{label:34s} exit {code}: {shown}", flush=True)

    def bad(text):
        faults.append(f"{label}: {text}")
        print(f"  FAULT: {text}", flush=True)

    if code not in (0, 1) or "Sanitizer" in err or "runtime error" in err:
        bad(f"crashed (exit {code}): {err.strip()[:300]}")
    if code == 1 and not notices and op != "crear":
        bad("failed without telling the user")
    if op == "crear" and code == 1 and not notices:
        bad("failed without telling the user")
    after = snapshot(drive)
    for rel in after:
        if rel.endswith(TEMPORARY) or os.path.basename(rel).startswith("."):
            bad(f"temporary file left: {rel}")
        if rel.endswith(("QOR_Fenestrali_2.cab",)) or (rel.endswith(".smx") and op != "instalar"):
            bad(f"download file left: {rel}")
    vcode, vout, _ = run(["verificar"], drive)
    for line in vout.splitlines():
        estado, _, name = line[7:].split(" ", 2)
        if not name.startswith(".") and estado != "0":
            bad(f"listed archive unsound: {name}")
    jobs_before = {k: v for k, v in before.items() if "/Obras/" in k or "/Data/" in k}
    jobs_after = {k: v for k, v in after.items() if "/Obras/" in k or "/Data/" in k}
    if op in ("crear", "actualizar", "instalar") and jobs_after != jobs_before:
        bad("a job or table changed")
    if op == "restaurar" and code != 0 and jobs_after != jobs_before:
        bad("a failed restore changed jobs or tables")
    for rel in set(hash_old) | set(hash_new):
        now = after.get(rel)
        if now not in (hash_old.get(rel), hash_new.get(rel)):
            bad(f"program file neither old nor new: {rel}")
    if op in ("crear", "restaurar"):
        program_now = {k: v for k, v in after.items() if k in hash_old or k in hash_new}
        if program_now != {k: v for k, v in before.items() if k in hash_old or k in hash_new}:
            bad("program files changed")
    new_archives = [k for k in after if "/BK/" in k and k not in before]
    if op == "crear" and code == 1 and new_archives:
        bad("a failed backup left an archive")


operations = [("crear", ["crear"], False), ("restaurar", ["restaurar", archive_a[:10]], False),
              ("actualizar", ["actualizar", smx], False), ("instalar", ["instalar"], True)]
for room in (0, 100_000, 600_000, 1_500_000, 3_000_000):
    for op, args, with_package in operations:
        mount_fresh(with_package)
        free = fill(room)
        before = snapshot(drive)
        code, out, err = run(args, drive)
        check(f"{op}, {free // 1024} KiB free", op, code, out, err, before)
for op, args, with_package in operations:
    mount_fresh(with_package)
    subprocess.run(["mount", "-o", "remount,ro", drive], check=True)
    before = snapshot(drive)
    code, out, err = run(args, drive)
    check(f"{op}, read-only drive", op, code, out, err, before)
subprocess.run(["umount", drive])
print(f"\nfaults: {len(faults)}")
for f in faults:
    print("  " + f)
sys.exit(1 if faults else 0)
