// The card's tune and chimes on Web Audio. The context is made and woken by
// the tap, as Safari plays only what a click starts, once the tap's first
// frame is drawn (making it can hold the page for a tenth of a second), and
// the sound joins the show once the audio clock is seen to move: the show
// never waits for it. A context that never runs (no output device, sound
// refused), or whose clock stands still after an interruption, leaves a
// silent show that still plays to its end; a new context is tried in its
// place.
const Sound = (() => {
  const STILL = 400;    // ms of the page's clock with the audio clock standing still
  const GIVE_UP = 3000; // ms an interrupted context has to come back once the page shows
  const LATE = 0.15;    // s: a note this late when the sound joins still plays
  let context = null, tune = null, chime = null, music = null;
  let files = null;     // {tune, chime}: their files' bytes, once unpacked
  let making = false;   // a context is on its way
  let clock = null;     // the showing's ShowClock, while it lasts
  let heard = -1, heardAt = 0, joined = false;
  let start = 0;        // the context time of the show's 0, once joined
  let interrupted = false, giveUp = 0;
  let listener = {hold() {}, go() {}};

  function make() {
    const Context = window.AudioContext || window.webkitAudioContext;
    if (!Context) return null;
    try {
      const made = new Context();
      made.onstatechange = () => changed(made);
      read(made);
      return made;
    } catch (e) {
      return null;
    }
  }

  // The tune read and the chime decoded, once a context and their bytes
  // are both there.
  function read(into) {
    if (!into || !files) return;
    if (!tune) tune = Synth.parse(files.tune);
    if (!chime) {
      // Older Safari answers through the callbacks only.
      const done = into.decodeAudioData(files.chime.slice().buffer, (b) => { chime = b; }, () => {});
      if (done) done.catch(() => {});
    }
  }

  function resumeContext() {
    if (context && context.state !== "running") context.resume().catch(() => {});
  }

  // From the tap: a context, woken. Safari plays through the silent switch
  // only a page whose audio session is for playback.
  function wake() {
    try {
      if (navigator.audioSession) navigator.audioSession.type = "playback";
    } catch (e) {
      // Not settable here: the ringer's rules hold.
    }
    if (context || making) {
      resumeContext();
      return;
    }
    making = true;
    afterFrame(() => {
      making = false;
      if (!context) context = make();
      resumeContext();
    });
  }

  function stopMusic() {
    if (music) music.stop();
    music = null;
  }

  function join() {
    joined = true;
    const from = clock.ms() / 1000;
    start = clock.follow(context);
    if (tune) music = Synth.play(context, tune, start, Math.max(0, from - LATE));
  }

  // The context's clock stood still, or an interruption did not end: its
  // sound is lost; the show goes on without it and a new context is tried.
  function lose() {
    stopMusic();
    if (clock) clock.unfollow();
    joined = false;
    interrupted = false;
    const old = context;
    context = null;
    if (old) old.close().catch(() => {});
    heard = -1;
    wake();
  }

  // Called on every frame of a showing: sound joins when its clock moves,
  // and is lost when its clock stands still while it says it runs.
  function poll() {
    if (!context || !clock || clock.paused) return;
    const at = performance.now();
    if (context.state !== "running") {
      heardAt = at;
      return;
    }
    if (context.currentTime !== heard) {
      if (heard >= 0 && !joined) join();
      else if (joined && !clock.following) {  // it ran on while the show held
        stopMusic();
        join();
      }
      heard = context.currentTime;
      heardAt = at;
    } else if (joined && at - heardAt > STILL) {
      lose();
    }
  }

  // A phone's call or lock interrupts the context: the show holds as when
  // the page is hidden, and goes on when the sound comes back, or without
  // it when the sound does not.
  function changed(which) {
    if (which !== context) return;
    if (which.state === "interrupted" && !interrupted) {
      interrupted = true;
      listener.hold();
      watchInterruption();
    } else if (which.state === "running" && interrupted) {
      interrupted = false;
      clearTimeout(giveUp);
      listener.go();
    }
  }
  function watchInterruption() {
    clearTimeout(giveUp);
    if (!interrupted) return;
    if (document.hidden) return;  // judged once the page shows again
    context.resume().catch(() => {});
    giveUp = setTimeout(() => {
      if (!interrupted) return;
      lose();
      listener.go();
    }, GIVE_UP);
  }

  return {
    wake,
    poll,
    // The tune's and the chime's files.
    load(tuneFile, chimeFile) {
      files = {tune: tuneFile, chime: chimeFile};
      try {
        read(context);
      } catch (e) {
        // A tune that does not read: the show goes on in silence.
      }
    },
    // A showing begins, or ends (null): the tune of the last one stops.
    attach(showClock) {
      stopMusic();
      if (clock && clock.following) clock.unfollow();
      clock = showClock;
      joined = false;
      heard = -1;
    },
    // A chime at the show's ms, when the sound has joined.
    chime(ms) {
      if (!joined || !chime || !clock.following) return;
      const source = context.createBufferSource();
      source.buffer = chime;
      source.connect(context.destination);
      source.start(Math.max(context.currentTime, start + ms / 1000));
    },
    suspend() {
      if (context) context.suspend().catch(() => {});
    },
    resume() {
      if (interrupted) watchInterruption();
      else if (context) context.resume().catch(() => {});
    },
    listen(hold, go) { listener = {hold, go}; },
    get interrupted() { return interrupted; },
    get playing() { return music !== null; },
    get state() { return {state: context && context.state, chime: !!chime, tune: !!tune}; },
    get start() { return joined ? start : null; },
  };
})();
