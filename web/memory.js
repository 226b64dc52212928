// A WebAssembly module's memory, as the web card's and the generator page's
// scripts use it. Texts cross as one 32-bit code point each (wchar_t is
// UTF-32 there).
const WasmMemory = {
  points: (text) => Array.from(text).length,
  writeText(memory, at, text) {
    const points = Array.from(text, (c) => c.codePointAt(0));
    new Uint32Array(memory.buffer, at, points.length).set(points);
  },
  readText: (memory, at, length) => String.fromCodePoint(...new Uint32Array(memory.buffer, at, length)),
  writeBytes: (memory, at, bytes) => new Uint8Array(memory.buffer, at, bytes.length).set(bytes),
  // A copy, which stays when the module releases or grows its memory.
  readBytes: (memory, at, length) => new Uint8Array(memory.buffer, at, length).slice(),
};
