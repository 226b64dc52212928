// The card's tune on Web Audio: reads the Standard MIDI File and plays its
// notes with a few oscillator voices, scheduled ahead on the audio clock.
const Synth = (() => {
  // Standard MIDI File to [{time, duration, note, velocity, program}] in seconds.
  function parse(bytes) {
    const text = (at, n) => String.fromCharCode(...bytes.subarray(at, at + n));
    const u32 = (at) => ((bytes[at] << 24) | (bytes[at + 1] << 16) | (bytes[at + 2] << 8) | bytes[at + 3]) >>> 0;
    if (text(0, 4) !== "MThd") throw new Error("not a MIDI file");
    const tracks = (bytes[10] << 8) | bytes[11];
    const division = (bytes[12] << 8) | bytes[13];
    const events = [];  // [tick, order, kind, channel, a, b]
    let at = 8 + u32(4), order = 0;
    for (let t = 0; t < tracks && at + 8 <= bytes.length; t++) {
      const end = at + 8 + u32(at + 4);
      let pos = at + 8, tick = 0, status = 0;
      const vlq = () => { let v = 0, b; do { b = bytes[pos++]; v = (v << 7) | (b & 0x7f); } while (b & 0x80); return v; };
      while (pos < end) {
        tick += vlq();
        if (bytes[pos] & 0x80) status = bytes[pos++];
        if (status === 0xff) {
          const type = bytes[pos++], n = vlq();
          if (type === 0x51) events.push([tick, order++, "tempo", 0, (bytes[pos] << 16) | (bytes[pos + 1] << 8) | bytes[pos + 2]]);
          events.push([tick, order++, "mark"]);
          pos += n;
          status = 0;
        } else if (status === 0xf0 || status === 0xf7) {
          pos += vlq();
          status = 0;
        } else {
          const kind = status >> 4, channel = status & 15;
          const a = bytes[pos++], b = kind === 0xc || kind === 0xd ? 0 : bytes[pos++];
          events.push([tick, order++, kind, channel, a, b]);
        }
      }
      at = end;
    }
    events.sort((x, y) => x[0] - y[0] || x[1] - y[1]);
    const notes = [], sounding = new Map(), programs = new Array(16).fill(0);
    let tempo = 500000, lastTick = 0, seconds = 0;
    for (const [tick, , kind, channel, a, b] of events) {
      seconds += ((tick - lastTick) * tempo) / division / 1e6;
      lastTick = tick;
      if (kind === "tempo") tempo = a;
      else if (kind === 0xc) programs[channel] = a;
      else if (kind === 0x9 && b > 0) {
        const note = {time: seconds, duration: 0, note: a, velocity: b / 127, program: programs[channel]};
        notes.push(note);
        sounding.set(channel * 128 + a, note);
      } else if (kind === 0x8 || kind === 0x9) {
        const note = sounding.get(channel * 128 + a);
        if (note) note.duration = seconds - note.time;
        sounding.delete(channel * 128 + a);
      }
    }
    return {notes, length: seconds};
  }

  const hertz = (note) => 440 * Math.pow(2, (note - 69) / 12);

  // Struck bells: inharmonic partials dying away; held voices: two detuned
  // saws, softened, with a slow swell.
  function voice(ctx, out, n, when) {
    const f = hertz(n.note);
    const gain = ctx.createGain();
    gain.connect(out);
    const g = gain.gain;
    const oscillators = [];
    const add = (type, frequency, level, into) => {
      const o = ctx.createOscillator();
      o.type = type;
      o.frequency.value = frequency;
      const v = ctx.createGain();
      v.gain.value = level;
      o.connect(v).connect(into);
      oscillators.push(o);
    };
    let stop;
    if (n.program >= 48 && n.program <= 55) {
      const filter = ctx.createBiquadFilter();
      filter.frequency.value = 1400;
      filter.connect(gain);
      add("sawtooth", f * 0.997, 0.5, filter);
      add("sawtooth", f * 1.003, 0.5, filter);
      const level = 0.06 * n.velocity;
      g.setValueAtTime(0, when);
      g.linearRampToValueAtTime(level, when + 0.15);
      g.setValueAtTime(level, when + Math.max(n.duration, 0.15));
      stop = when + Math.max(n.duration, 0.15) + 0.35;
      g.linearRampToValueAtTime(0, stop);
    } else {
      [[1, 0.6], [2.76, 0.25], [5.4, 0.12], [8.93, 0.05]].forEach(([ratio, level]) => add("sine", f * ratio, level, gain));
      const level = 0.35 * n.velocity;
      g.setValueAtTime(0, when);
      g.linearRampToValueAtTime(level, when + 0.004);
      g.setTargetAtTime(0, when + 0.004, 0.45);
      stop = when + Math.max(n.duration, 0.3) + 2;
    }
    for (const o of oscillators) { o.start(when); o.stop(stop); }
  }

  // Notes starting in [from, to) seconds of the tune, the tune starting at
  // the audio clock's start. A note due before the clock began (sound that
  // joins a show already under way) plays at once.
  function schedule(ctx, out, tune, start, from, to) {
    for (const n of tune.notes) if (n.time >= from && n.time < to) voice(ctx, out, n, Math.max(0, start + n.time));
  }

  // Plays the tune, begun at the audio clock's start, from its second from
  // on (sound that joins a show late); stop() fades it out.
  function play(ctx, tune, start, from = 0) {
    const master = ctx.createGain();
    master.connect(ctx.destination);
    let scheduled = from;
    const ahead = () => {
      const until = ctx.currentTime - start + 0.5;
      if (until > scheduled) { schedule(ctx, master, tune, start, scheduled, until); scheduled = until; }
    };
    ahead();
    const timer = setInterval(ahead, 100);
    return {
      stop() {
        clearInterval(timer);
        master.gain.setTargetAtTime(0, ctx.currentTime, 0.1);
        setTimeout(() => master.disconnect(), 1000);
      },
    };
  }

  return {parse, schedule, play};
})();
