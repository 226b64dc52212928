// The page's embedded bytes. A plain loop decodes base64 text quicker than
// Uint8Array.from with a mapping function.
const bytesOf = (base64) => {
  const text = atob(base64), out = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i++) out[i] = text.charCodeAt(i);
  return out;
};
// Bytes the build deflated (raw deflate, by zopfli), unpacked by the
// browser's own DecompressionStream.
const unpacked = async (base64) => new Uint8Array(await new Response(
  new Blob([bytesOf(base64)]).stream().pipeThrough(new DecompressionStream("deflate-raw"))).arrayBuffer());
// Parts packed one after another, by their lengths.
const parted = (bytes, lengths) => {
  let at = 0;
  return lengths.map((n) => bytes.subarray(at, (at += n)));
};
