// The show's time in ms. Where the tune plays it is the audio clock's, so the
// picture, the tune and the chimes keep together; without sound it is the
// page's own clock. It never goes back, and it stands still while paused:
// pausing a page that is hidden or frozen stops the audio clock with it.
const ShowClock = (audioContext, audioStart) => {
  let last = 0, lastAt = performance.now(), paused = false;
  const sounding = () => audioContext && audioContext.state === "running";
  return {
    ms() {
      const at = performance.now();
      if (!paused) {
        const ms = sounding() ? (audioContext.currentTime - audioStart) * 1000 : last + (at - lastAt);
        last = Math.max(last, ms);
      }
      lastAt = at;
      return last;
    },
    pause() {
      this.ms();
      paused = true;
      if (audioContext) audioContext.suspend().catch(() => {});
    },
    resume() {
      paused = false;
      lastAt = performance.now();
      if (audioContext) audioContext.resume().catch(() => {});
    },
    get paused() { return paused; },
  };
};
