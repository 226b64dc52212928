// Runs then once the page has drawn its next frame, or after limit ms where
// it draws none (a hidden page, a frame out of sight). On timers: Safari
// lets a timer that a tap started, within a second of it, start sound.
const afterFrame = (then, limit = 250) => {
  const since = performance.now();
  let drawn = false;
  requestAnimationFrame(() => { drawn = true; });
  const check = () => (drawn || performance.now() - since >= limit ? then() : setTimeout(check, 4));
  setTimeout(check, 4);
};
