// The show's time in ms. It runs on the page's clock from the tap, so the
// show never waits for sound; once the sound joins, it follows the audio
// clock, set to read that same moment, so the picture, the tune and the
// chimes keep together. It never goes back and never jumps forward, and it
// stands still while paused.
const ShowClock = () => {
  const JUMP = 250;  // ms the audio clock may run ahead of the page's
  let last = 0, lastAt = performance.now(), paused = false;
  let ear = null;    // {context, start}: the audio clock followed
  const read = () => {
    const at = performance.now();
    if (!paused) {
      const page = last + (at - lastAt);
      if (ear && ear.context.state === "running") {
        const heard = (ear.context.currentTime - ear.start) * 1000;
        // An audio clock that ran on while the show held is left behind.
        if (heard > page + JUMP) ear = null;
        last = ear ? Math.max(last, heard) : page;
      } else {
        last = page;
      }
    }
    lastAt = at;
    return last;
  };
  return {
    ms: read,
    // The context time of the show's 0, from now on the show's clock.
    follow(context) {
      ear = {context, start: context.currentTime - read() / 1000};
      return ear.start;
    },
    unfollow() {
      read();
      ear = null;
    },
    get following() { return ear !== null; },
    pause() {
      read();
      paused = true;
    },
    resume() {
      paused = false;
      lastAt = performance.now();
    },
    get paused() { return paused; },
  };
};
