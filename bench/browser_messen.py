#!/usr/bin/env python3
"""Opens a page in headless Chromium over the DevTools protocol (a pipe, no network, no
packages) and prints what the page's measurement wrote: the page is loaded with
"?messen=1" and reports "first=MS next=MS" in document.title when it is done.
   browser_messen.py FILE_URL"""
import json, os, subprocess, sys, tempfile, time

url = sys.argv[1]
profil = tempfile.mkdtemp()
ein_r, ein_w = os.pipe()   # to chromium (its fd 3)
aus_r, aus_w = os.pipe()   # from chromium (its fd 4)


def kind():
    # Chromium talks on fds 3 and 4; moved there first out of each other's way.
    a, b = os.dup(ein_r), os.dup(aus_w)
    os.dup2(a, 3)
    os.dup2(b, 4)
    os.set_inheritable(3, True)
    os.set_inheritable(4, True)


chromium = subprocess.Popen(
    ["chromium", "--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
     "--disable-background-networking", "--disable-component-update", "--disable-sync",
     "--remote-debugging-pipe", "--user-data-dir=" + profil, "--window-size=1280,800", "about:blank"],
    preexec_fn=kind, stderr=subprocess.DEVNULL, close_fds=False)
os.close(ein_r)
os.close(aus_w)
puffer = b""
nummer = 0


def senden(methode, **parameter):
    global nummer
    nummer += 1
    sitzung = parameter.pop("sessionId", None)
    nachricht = {"id": nummer, "method": methode, "params": parameter}
    if sitzung:
        nachricht["sessionId"] = sitzung
    os.write(ein_w, json.dumps(nachricht).encode() + b"\0")
    return nummer


def antwort(n):
    global puffer
    while True:
        while b"\0" in puffer:
            teil, puffer = puffer.split(b"\0", 1)
            m = json.loads(teil)
            if m.get("id") == n:
                return m
        daten = os.read(aus_r, 1 << 16)
        if not daten:
            raise SystemExit("chromium ended")
        puffer += daten


ziel = antwort(senden("Target.createTarget", url=url))["result"]["targetId"]
sitzung = antwort(senden("Target.attachToTarget", targetId=ziel, flatten=True))["result"]["sessionId"]
ergebnis = ""
ende = time.time() + 60
while time.time() < ende and not ergebnis.startswith("first="):
    time.sleep(0.5)
    m = antwort(senden("Runtime.evaluate", expression="document.title", sessionId=sitzung))
    ergebnis = m.get("result", {}).get("result", {}).get("value", "")
chromium.kill()
print(ergebnis or "first=? next=?")
