// The page's host: runs the card's scene (WebAssembly, the same C++ as the
// card program) against a virtual clock, recording what it draws, then
// replays the record in real time over the night backdrop, with the tune and
// the chimes. The star's twinkle and the snow come from the scene's own
// ambient ticks, called on the card's timer intervals.
const Card = (() => {
  const root = document.documentElement;
  const canvas = document.getElementById("show");
  const ctx = canvas.getContext("2d");
  const names = document.getElementById("names").textContent;
  const bytes = (base64) => Uint8Array.from(atob(base64), (c) => c.charCodeAt(0));

  const FONT = '"Comic Sans MS", "Comic Neue", "Chalkboard SE", "Comic Relief", cursive, sans-serif';
  const LABEL_FONT = '12px Arial, "Liberation Sans", Helvetica, sans-serif';
  const TIMERS = {1: 1000, 2: 200};  // star and snow, as on the card's window
  const FADE_MS = 2000;
  // Shown from the start: the window's two pictures that are visible by design.
  const DESIGN_PICTURES = [[6, 32, 104], [0, 120, 72]];

  let pictures = [];   // by CardPicture number
  let record = [];     // [ms, draw or sound]
  let width = 800, height = 600;
  let scene = null;    // the module's exports
  let memory = null;
  let now = 0;         // the virtual clock while recording
  let sink = null;     // where paints go: the record, or the screen

  // Everything drawn so far in this showing, to draw again on a resize.
  let drawn = [];
  let show = null;

  const pixels = (points) => Math.round(points * 4 / 3);
  const textOf = (ptr, length) => String.fromCodePoint(...new Uint32Array(memory.buffer, ptr, length));
  const fontOf = (points) => "bold " + pixels(points) + "px " + FONT;

  function draw(op) {
    const [kind, a, b, c, d] = op;
    if (kind === "paint") {
      const picture = pictures[a];
      if (picture) ctx.drawImage(picture, Math.round(b), Math.round(c));
    } else if (kind === "text") {
      ctx.font = fontOf(d);
      ctx.textBaseline = "top";
      ctx.lineWidth = 1;
      ctx.strokeStyle = "#000";
      for (const [fill, offset] of [["#e8e8e8", 3], ["#f00", 0]]) {
        ctx.fillStyle = fill;
        ctx.fillText(a, b + offset, c + offset);
        ctx.strokeText(a, b + offset, c + offset);
      }
    } else if (kind === "label") {
      ctx.fillStyle = "#f00";
      ctx.fillRect(b, c, d, 17);
      ctx.font = LABEL_FONT;
      ctx.textBaseline = "top";
      ctx.textAlign = "center";
      ctx.fillStyle = "#fff";
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
      text: (ptr, length, x, y, points) => put(["text", textOf(ptr, length), x, y, points]),
      measure: (ptr, length, points) => {
        ctx.font = fontOf(points);
        return ctx.measureText(textOf(ptr, length)).width;
      },
      label: (ptr, length, left, top, w) => put(["label", textOf(ptr, length), left, top, w]),
      timer: (which) => put(["timer", which]),
      sleep: (ms) => { now += ms; },
      chime: () => put(["chime"]),
      end: () => put(["end"]),
      steady_ms: () => now,
      local_ms: () => Date.now() - new Date().getTimezoneOffset() * 60000,
    },
  };

  // The scene, played to its end in no time; what it did, and when.
  async function recordShow() {
    const module = await WebAssembly.instantiate(bytes(CARD_DATA.wasm), imports);
    scene = module.instance.exports;
    memory = scene.memory;
    width = scene.reference_width();
    height = scene.reference_height();
    const chars = Array.from(names);
    const buffer = new Uint32Array(memory.buffer, scene.senders_buffer(chars.length), chars.length);
    chars.forEach((ch, i) => { buffer[i] = ch.codePointAt(0); });
    now = 0;
    sink = (op) => record.push([now, op]);
    scene.play();
    sink = null;
  }

  async function loadPictures() {
    const symbols = document.querySelectorAll("#finished symbol");
    pictures = await Promise.all(Array.from(symbols, (s) => {
      const href = s.querySelector("image").getAttribute("href");
      const blob = new Blob([bytes(href.slice(href.indexOf(",") + 1))], {type: "image/png"});
      return createImageBitmap(blob);
    }));
  }

  // The canvas covers the window at the screen's own pixel density, so snow
  // near the stage's edges shows whole; the scene is drawn on the stage.
  function fit() {
    const ratio = window.devicePixelRatio || 1;
    const stage = document.getElementById("stage").getBoundingClientRect();
    canvas.width = Math.max(1, Math.round(window.innerWidth * ratio));
    canvas.height = Math.max(1, Math.round(window.innerHeight * ratio));
    const scale = (ratio * stage.width) / width;
    ctx.setTransform(scale, 0, 0, scale, ratio * stage.left, ratio * stage.top);
    ctx.imageSmoothingQuality = "high";
    drawn.forEach(draw);
  }

  // Sound, where the browser allows it; the show plays without.
  const audio = {context: null, chime: null, tune: null, music: null};
  async function startSound() {
    try {
      const Context = window.AudioContext || window.webkitAudioContext;
      if (!audio.context) {
        audio.context = new Context();
        audio.tune = Synth.parse(bytes(CARD_DATA.tune));
      }
      if (audio.context.state !== "running") await audio.context.resume();
    } catch (e) {
      audio.context = null;
      return;
    }
    try {
      if (!audio.chime) audio.chime = await audio.context.decodeAudioData(bytes(CARD_DATA.chime).buffer);
    } catch (e) {
      audio.chime = null;  // the tune without the chimes
    }
  }

  function playChime(at) {
    if (!audio.context || !audio.chime) return;
    const source = audio.context.createBufferSource();
    source.buffer = audio.chime;
    source.connect(audio.context.destination);
    source.start(Math.max(at, audio.context.currentTime));
  }

  // One showing of the record: a function of the time since it started.
  function begin() {
    drawn = [];
    ctx.save();
    ctx.setTransform(1, 0, 0, 1, 0, 0);
    ctx.clearRect(0, 0, canvas.width, canvas.height);
    ctx.restore();
    canvas.style.opacity = 1;
    root.classList.remove("closed", "ended");
    if (audio.music) audio.music.stop();
    const audioStart = audio.context ? audio.context.currentTime + 0.05 : 0;
    if (audio.context && audio.tune) audio.music = Synth.play(audio.context, audio.tune, audioStart);
    show = {next: 0, timers: {}, ending: null, finished: false, audioStart, start: performance.now(), frozen: false};
    sink = (op) => { drawn.push(op); draw(op); };
    DESIGN_PICTURES.forEach(([which, x, y]) => put(["paint", which, x, y]));
    requestAnimationFrame(frame);
  }

  function advance(ms) {
    const s = show;
    while (s.ending === null && s.next < record.length && record[s.next][0] <= ms) {
      const [at, op] = record[s.next++];
      if (op[0] === "timer") s.timers[op[1]] = at + TIMERS[op[1]];
      else if (op[0] === "chime") { if (!s.frozen) playChime(s.audioStart + at / 1000); }
      else if (op[0] === "end") end(at);
      else put(op);
    }
    for (const which of Object.keys(s.timers)) {
      for (; s.ending === null && s.timers[which] <= ms; s.timers[which] += TIMERS[which]) {
        if (which === "1") scene.tick_star(); else scene.tick_snow();
      }
    }
    if (s.ending !== null) {
      const left = 1 - (ms - s.ending) / FADE_MS;
      canvas.style.opacity = Math.max(0, left);
      if (left <= 0 && !s.finished) {
        s.finished = true;
        root.classList.add("ended");
      }
    }
  }

  // The card's ending, from the scene or a key: the tune stops, the show fades.
  function end(at) {
    if (!show || show.ending !== null) return;
    show.ending = at;
    show.timers = {};
    if (audio.music) { audio.music.stop(); audio.music = null; }
  }

  function frame() {
    if (!show || show.frozen) return;
    advance(performance.now() - show.start);
    if (!show.finished) requestAnimationFrame(frame);
  }

  // From the closed card, or again from the end; once, however many taps.
  function open(from) {
    if (!root.classList.contains(from)) return;
    root.classList.remove(from);
    startSound().finally(begin);
  }

  async function start() {
    // A card written without names says only what it is.
    if (!names.trim()) {
      document.title = "Un biglietto di auguri";
      document.querySelector("#closed p").textContent = "Un biglietto di auguri";
    }
    try {
      await Promise.all([recordShow(), loadPictures()]);
    } catch (e) {
      root.className = "";  // the static card, as without scripts
      return;
    }
    root.classList.add("closed");
    fit();
    document.addEventListener("click", () => open("closed"));
    document.getElementById("again").addEventListener("click", () => open("ended"));
    // Keys that type something end the show, as on the card's window; a
    // Shift or an arrow alone does not.
    window.addEventListener("keydown", (e) => {
      if (e.key === "Enter" || e.key === " ") open("closed");
      const typing = e.key.length === 1 || ["Enter", "Escape", "Backspace"].includes(e.key);
      if (typing && show && !show.frozen) end(performance.now() - show.start);
    });
    window.addEventListener("resize", fit);
  }

  start();
  // For the tests: the showing stopped at a chosen moment, and what it did.
  return {
    freezeAt(ms) { show.frozen = true; advance(ms); },
    get record() { return record; },
    get drawn() { return drawn; },
    get showing() { return show && {ending: show.ending, finished: show.finished}; },
    get playing() { return audio.music !== null; },
    get sound() { return {state: audio.context && audio.context.state, chime: !!audio.chime, tune: !!audio.tune}; },
  };
})();
