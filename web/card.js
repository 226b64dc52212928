// The page's host: runs the card's scene (WebAssembly, the same C++ as the
// card program) against a virtual clock, recording what it draws, then
// replays the record in real time over the night backdrop, with the tune and
// the chimes. It comes in the page's pack and runs behind the closed card
// (closed.js), which it takes over once its scene, pictures and record are
// ready. The star's twinkle and the snow come from the scene's own ambient
// ticks, called on the card's timer intervals.
//
// The scene is laid out, as the card program does for a monitor, on a screen
// the shape of the window: scaled so that the 800 x 600 the tree and the
// words need fits, and widened or heightened to the window. A new shape lays
// it out again and goes on from the same moment.
const Card = (() => {
  const root = document.documentElement;
  const finished = document.getElementById("finished");
  const stop = document.getElementById("stop");
  const again = document.getElementById("again");
  const canvas = document.getElementById("show");
  const ctx = canvas.getContext("2d");
  const fromLink = Closed.fromLink;
  let names = Closed.names;

  const FONT = '"Comic Sans MS", "Comic Neue", "Chalkboard SE", "Comic Relief", cursive, sans-serif';
  const LABEL_FONT = '12px Arial, "Liberation Sans", Helvetica, sans-serif';
  // Star and snow on the card window's intervals, which the scene gives as it
  // enables them; where the person asks for less motion, the snow (timer 2)
  // comes five times more gently.
  const GENTLE = matchMedia("(prefers-reduced-motion: reduce)").matches;
  const TIMERS = {};
  let STAR_BRIGHT = -1, FLAKE = -1;  // picture numbers, from the pictures' names
  let LOOK = null;                   // the letters' and credit line's colours, from the scene
  const SMALLEST_LETTERS = 12;  // CSS pixels: the words read on a phone
  const CHIME_AHEAD = 150;      // ms: chimes go to the audio clock before their time

  let pictures = [];   // by CardPicture number
  let record = [];     // [ms, draw or sound] on the current screen
  let scene = null;    // the module's exports
  let memory = null;
  let now = 0;         // the virtual clock while recording
  let sink = null;     // where paints go: the record, or the screen
  let reference = {width: 800, height: 600};
  let screen = {width: 800, height: 600, scale: 1, left: 0, top: 0};
  let star = [0, 0];   // where the star twinkles on the current screen
  let show = null;
  let ready = false;   // the record made and the canvas fitted: a tap opens the card

  const pixels = (points) => Math.round(points * 4 / 3);
  const textOf = (ptr, length) => WasmMemory.readText(memory, ptr, length);
  const fontOf = (points) => "bold " + pixels(points) + "px " + FONT;
  const drawable = (op) => op[0] === "paint" || op[0] === "text" || op[0] === "label";
  // The card's rounding, halves to the even neighbour.
  const even = (v) => { const r = Math.round(v); return r - v === 0.5 && r % 2 ? r - 1 : r; };

  // Outlined letters: the outline under the fill and as thick as the letters
  // are large, so thin scripts stay red; names the scene could not shrink
  // readably come broken at a space, each line centred.
  function drawText(text, x, y, points, breakAt) {
    const size = pixels(points);
    ctx.font = fontOf(points);
    ctx.textBaseline = "top";
    ctx.lineWidth = size / 16;
    ctx.lineJoin = "round";
    ctx.strokeStyle = "#000";
    const chars = Array.from(text);
    const lines = breakAt ? [chars.slice(0, breakAt).join(""), chars.slice(breakAt + 1).join("")] : [text];
    const widths = lines.map((line) => ctx.measureText(line).width);
    const block = Math.max(...widths);
    lines.forEach((line, i) => {
      const left = x + (block - widths[i]) / 2, top = y + i * Math.round(size * 1.15);
      for (const [fill, offset] of [[LOOK.shadow, LOOK.offset], [LOOK.fill, 0]]) {
        ctx.fillStyle = fill;
        ctx.strokeText(line, left + offset, top + offset);
        ctx.fillText(line, left + offset, top + offset);
      }
    });
  }

  function draw(op) {
    const [kind, a, b, c, d, e] = op;
    if (kind === "paint") {
      const picture = pictures[a];
      if (picture) ctx.drawImage(picture, Math.round(b), Math.round(c));
    } else if (kind === "text") {
      drawText(a, b, c, d, e);
    } else if (kind === "label") {
      ctx.fillStyle = LOOK.band;
      ctx.fillRect(b, c, d, 17);
      ctx.font = LABEL_FONT;
      ctx.textBaseline = "top";
      ctx.textAlign = "center";
      ctx.fillStyle = LOOK.credit;
      ctx.fillText(a.replace(/&&/g, "&"), b + d / 2, c + 2, d);
      ctx.textAlign = "start";
    }
  }

  function put(op) {
    if (sink) sink(op);
  }

  const imports = {
    card: {
      paint: (which, x, y) => put(["paint", which, x, y]),
      text: (ptr, length, x, y, points, breakAt) => put(["text", textOf(ptr, length), x, y, points, breakAt]),
      measure: (ptr, length, points) => {
        ctx.font = fontOf(points);
        return ctx.measureText(textOf(ptr, length)).width;
      },
      label: (ptr, length, left, top, w) => put(["label", textOf(ptr, length), left, top, w]),
      timer: (which, ms) => {
        TIMERS[which] = GENTLE && which === 2 ? ms * 5 : ms;
        put(["timer", which]);
      },
      sleep: (ms) => { now += ms; },
      chime: () => put(["chime"]),
      end: () => put(["end"]),
      steady_ms: () => now,
      local_ms: () => Date.now() - new Date().getTimezoneOffset() * 60000,
    },
  };

  // The scene, played to its end in no time on the current screen; what it
  // did, and when. Every screen gives the same steps at the same times.
  function recordShow() {
    const showing = sink;
    record = [];
    now = 0;
    sink = (op) => record.push([now, op]);
    scene.play(screen.width, screen.height, (SMALLEST_LETTERS / screen.scale) * 3 / 4);
    sink = showing;
    const placed = record.find(([, op]) => op[0] === "paint" && op[1] === STAR_BRIGHT);
    if (placed) star = [even(placed[1][2]), even(placed[1][3])];
  }

  async function loadScene(wasm) {
    const module = await WebAssembly.instantiate(wasm, imports);
    scene = module.instance.exports;
    memory = scene.memory;
    reference = {width: scene.reference_width(), height: scene.reference_height()};
    const colour = (rgb) => "#" + rgb.toString(16).padStart(6, "0");
    LOOK = {fill: colour(scene.letter_fill()), shadow: colour(scene.letter_shadow()), offset: scene.shadow_offset(),
      band: colour(scene.credit_band()), credit: colour(scene.credit_letters())};
    const at = scene.senders_buffer(WasmMemory.points(names));
    WasmMemory.writeText(memory, at, names);
    if (fromLink) names = textOf(at, scene.keep_whole_senders()).trim();
  }

  async function loadPictures() {
    const symbols = document.querySelectorAll("#finished symbol");
    const number = (name) => Array.from(symbols).findIndex((s) => s.dataset.name === name);
    STAR_BRIGHT = number("imgStar0");
    FLAKE = number("imgNeve");
    pictures = await Promise.all(Array.from(symbols, (s) => {
      const href = s.querySelector("image").getAttribute("href");
      const blob = new Blob([bytesOf(href.slice(href.indexOf(",") + 1))], {type: "image/png"});
      return createImageBitmap(blob);
    }));
  }

  // The screen for this window: the reference fits, the rest is the
  // window's shape; the tree stands at the bottom, centred.
  function screenFor(w, h) {
    const scale = Math.min(w / reference.width, h / reference.height);
    const width = Math.max(reference.width, Math.round(w / scale));
    const height = Math.max(reference.height, Math.round(h / scale));
    return {width, height, scale, left: (w - width * scale) / 2, top: h - height * scale};
  }

  // What this showing has drawn so far, on the current screen.
  function drawn() {
    if (!show) return [];
    const ops = [];
    for (let i = 0; i < show.next; i++) if (drawable(record[i][1])) ops.push(record[i][1]);
    return ops.concat(show.ambient);
  }

  // The canvas covers the window at the screen's own pixel density. A new
  // shape records the scene again for it; the flakes keep their places
  // relative to the sky, the star twinkles where the new tree has it.
  function fit() {
    const w = Math.max(1, window.innerWidth), h = Math.max(1, window.innerHeight);
    const ratio = window.devicePixelRatio || 1;
    const next = screenFor(w, h);
    canvas.width = Math.max(1, Math.round(w * ratio));
    canvas.height = Math.max(1, Math.round(h * ratio));
    ctx.setTransform(ratio * next.scale, 0, 0, ratio * next.scale, ratio * next.left, ratio * next.top);
    ctx.imageSmoothingQuality = "high";
    const reshaped = next.width !== screen.width || next.height !== screen.height || next.scale !== screen.scale;
    const old = screen;
    screen = next;
    if (reshaped && scene) {
      recordShow();
      if (show) {
        show.ambient = show.ambient.map(([kind, which, x, y]) => which === FLAKE
          ? [kind, which, x * next.width / old.width, y * next.height / old.height]
          : [kind, which, star[0], star[1]]);
      }
    }
    drawn().forEach(draw);
  }

  // One showing of the record: a function of the show's time.
  function begin() {
    // The last showing's picture goes; before the first there is none, and
    // clearing the whole canvas would slow the tap's first frame.
    if (show) {
      ctx.save();
      ctx.setTransform(1, 0, 0, 1, 0, 0);
      ctx.clearRect(0, 0, canvas.width, canvas.height);
      ctx.restore();
    }
    const focused = document.activeElement;
    root.classList.remove("closed", "ended");
    root.classList.add("playing");
    // The text copy of the card speaks for the canvas from now on.
    finished.removeAttribute("aria-hidden");
    if (focused && focused !== document.body) stop.focus();
    show = {at: 0, next: 0, heard: 0, timers: {}, ambient: [], ended: false, frozen: false, clock: ShowClock()};
    Sound.attach(show.clock);
    sink = (op) => { show.ambient.push(op); draw(op); };
    if (document.hidden || Sound.interrupted) show.clock.pause();
    else advance(0);  // the first picture with the tap, whatever the sound does
    requestAnimationFrame(frame);
  }

  function advance(ms) {
    const s = show;
    s.at = ms;
    for (; !s.frozen && !s.ended && s.heard < record.length && record[s.heard][0] <= ms + CHIME_AHEAD; s.heard++) {
      const [at, op] = record[s.heard];
      if (op[0] === "chime") Sound.chime(at);
    }
    while (!s.ended && s.next < record.length && record[s.next][0] <= ms) {
      const [at, op] = record[s.next++];
      if (op[0] === "timer") s.timers[op[1]] = at + TIMERS[op[1]];
      else if (op[0] === "end") end();
      else if (drawable(op)) draw(op);
    }
    for (const which of Object.keys(s.timers)) {
      for (; !s.ended && s.timers[which] <= ms; s.timers[which] += TIMERS[which]) {
        if (which === "1") scene.tick_star(); else scene.tick_snow();
      }
    }
  }

  // The card's ending, from the scene or a key: the tune stops and the
  // picture settles on the finished card, which stays to be looked at.
  function end() {
    const s = show;
    if (!s || s.ended) return;
    s.ended = true;
    s.timers = {};
    Sound.attach(null);
    for (; s.next < record.length; s.next++) if (drawable(record[s.next][1])) draw(record[s.next][1]);
    put(["paint", STAR_BRIGHT, star[0], star[1]]);
    const focused = document.activeElement === stop;
    root.classList.remove("playing");
    root.classList.add("ended");
    if (focused) again.focus();
  }

  function frame() {
    const s = show;
    if (!s || s.frozen || s.ended || s.clock.paused) return;
    Sound.poll();
    advance(s.clock.ms());
    requestAnimationFrame(frame);
  }

  // A hidden or frozen page, or sound interrupted by the phone, holds the
  // show, tune and chimes included, and goes on from the same moment.
  function hold() {
    if (show && !show.ended && !show.clock.paused) show.clock.pause();
  }
  function pause() {
    hold();
    Sound.suspend();
  }
  function resume() {
    if (document.hidden) return;
    Sound.resume();
    if (Sound.interrupted || !show || show.ended || !show.clock.paused) return;
    show.clock.resume();
    requestAnimationFrame(frame);
  }

  // From the closed card, or again from the end; once, however many taps.
  // The first picture comes with the tap; the sound wakes after it.
  function open(from) {
    if (!root.classList.contains(from)) return;
    begin();
    Sound.wake();
  }

  // Behind the closed card: the scene and its pictures, the record and the
  // canvas for this window; then the taps are the show's.
  async function start() {
    const {wasm, tune, chime} = await Closed.parts;
    Sound.load(tune, chime);
    await Promise.all([loadScene(wasm), loadPictures()]);
    if (fromLink) Closed.sayWho(names);
    screen = screenFor(Math.max(1, window.innerWidth), Math.max(1, window.innerHeight));
    recordShow();
    // Each step a task of its own, so that a page around this one (the
    // generator's preview) takes typing in between.
    await new Promise((resolve) => setTimeout(resolve));
    fit();
    // A click during the show wakes sound that was lost, where it can.
    document.addEventListener("click", () => {
      if (show && !show.ended) Sound.wake();
      open("closed");
    });
    again.addEventListener("click", () => open("ended"));
    // Motion and music stop at a finger's touch, not only at a key.
    stop.addEventListener("click", () => { if (show && !show.frozen) end(); });
    // Enter or Space opens the closed card; then keys that type something
    // end the show, as on the card's window; a Shift or an arrow alone does
    // not.
    window.addEventListener("keydown", (e) => {
      if ((e.key === "Enter" || e.key === " ") && root.classList.contains("closed")) {
        e.preventDefault();
        open("closed");
        return;
      }
      const typing = e.key.length === 1 || ["Enter", "Escape", "Backspace"].includes(e.key);
      if (typing && show && !show.frozen) end();
    });
    window.addEventListener("resize", fit);
    Sound.listen(hold, resume);
    document.addEventListener("visibilitychange", () => (document.hidden ? pause() : resume()));
    document.addEventListener("freeze", pause);
    document.addEventListener("resume", resume);
    ready = true;
    if (Closed.handOver()) open("closed");
  }

  start().catch(Closed.fail);
  // For the tests: whether a tap opens the show at once, the showing stopped
  // at a chosen moment, what it did, and the parts it came with.
  return {
    get ready() { return ready; },
    freezeAt(ms) { show.frozen = true; advance(ms); },
    get record() { return record; },
    get drawn() { return drawn(); },
    get screen() { return screen; },
    get showing() { return show && {ms: show.at, ended: show.ended, paused: show.clock.paused}; },
    get playing() { return Sound.playing; },
    get sound() { return Sound.state; },
    get audioStart() { return Sound.start; },
    get parts() { return Closed.parts; },
  };
})();
