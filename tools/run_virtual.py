"""Without a display: runs the generator on a virtual 1024 x 768 display,
makes a card for "Mario e Anna" through its window, then plays that card,
saving pictures of both to out/run/ until the card ends by itself."""

import os
import shutil
import sys
import time

from devkit.wine import BUILD, DIST, ROOT, Session

OUT = os.path.join(ROOT, "out", "run")
PERIOD, LIMIT = 4.0, 90.0
NAMES_BOX = 102  # txtAuguri


def saved(session, name):
    path = os.path.join(OUT, name)
    session.screenshot().save_png(path)
    print("saved %s" % os.path.relpath(path, ROOT), flush=True)


os.makedirs(OUT, exist_ok=True)
generator = os.path.join(OUT, "Carolux.exe")
card = os.path.join(OUT, "Vavuri.exe")
shutil.copyfile(os.path.join(DIST, "Carolux.exe"), generator)
os.chmod(generator, 0o755)
print("running the %s build on a virtual 1024 x 768 display" % BUILD, flush=True)
# Pictures and the card of an earlier run would pass for this one's.
for old in [card] + [os.path.join(OUT, n) for n in os.listdir(OUT) if n.endswith(".png")]:
    if os.path.exists(old):
        os.remove(old)

with Session(1024, 768) as session:
    wizard = session.start(generator, cwd=OUT)
    if not session.wait_window("CaroluxWizard"):
        sys.exit("the generator's window did not open")
    session.driver("settext", "Carolux", NAMES_BOX, "Mario e Anna")
    time.sleep(0.5)
    saved(session, "generator.png")
    session.press_button("Carolux", "Crea biglietto augurale")
    answer = session.dialog("Carolux")
    print("the generator says: %s" % (" / ".join(answer[1]) if answer else "nothing"))
    if answer:
        session.press_button("Carolux", "OK")
    session.driver("close", "CaroluxWizard")
    if not os.path.exists(card):
        sys.exit("no card was written")
    print("card written: %s (%d bytes)" % (os.path.relpath(card, ROOT), os.path.getsize(card)))

    played = session.start(card, cwd=OUT)
    session.wait_window("NevaltoCard")
    start, n = time.time(), 0
    while played.poll() is None and time.time() - start < LIMIT:
        n += 1
        saved(session, "card-%02d.png" % n)
        time.sleep(PERIOD)
    print("the card %s" % ("ended by itself" if played.poll() is not None else "was still running; stopped"))
