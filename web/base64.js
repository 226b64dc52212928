// The page's embedded bytes: a plain loop decodes base64 text quicker than
// Uint8Array.from with a mapping function.
const bytesOf = (base64) => {
  const text = atob(base64), out = new Uint8Array(text.length);
  for (let i = 0; i < text.length; i++) out[i] = text.charCodeAt(i);
  return out;
};
