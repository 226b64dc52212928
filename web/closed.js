// The closed card, shown at once: who the card is from, and the tap that
// opens it. The show (card.js, with the synthesizer, its clock and its
// sound) travels in the page's pack with the scene, the tune and the chime;
// once the closed card is drawn it is unpacked and run, allowed by the
// page's policy by its hash, and takes over the taps. One that came before
// opens the show as soon as it is ready.
const Closed = (() => {
  const root = document.documentElement;
  const finished = document.getElementById("finished");
  // The site's card takes its names from its link; a card written as a file
  // has them in its page.
  const fromLink = document.body.hasAttribute("data-link");
  let asked = false;

  // The fragment of the card's link: the names as percent-encoded UTF-8,
  // read once. One that does not decode brings no names, and neither do
  // control characters.
  function linkNames() {
    try {
      return decodeURIComponent(location.hash.slice(1)).replace(/[\u0000-\u001f\u007f-\u009f]/g, "");
    } catch (e) {
      return "";
    }
  }

  // Who the card is from, where the page says it: the names a link brought
  // go where a written card has them, as text only; a card without names
  // says only what it is.
  function sayWho(names) {
    if (fromLink) {
      document.getElementById("names").textContent = names;
      document.querySelector("#closed .from").textContent = names;
      document.title = "Un biglietto di auguri da " + names;
    }
    if (!names.trim()) {
      document.title = "Un biglietto di auguri";
      document.querySelector("#closed .card p").textContent = "Un biglietto di auguri";
    }
  }

  // The card without scripts after all, and why.
  function fail() {
    root.className = "old";
    finished.removeAttribute("aria-hidden");
  }

  function ask(e) {
    if (e.type === "keydown" && e.key !== "Enter" && e.key !== " ") return;
    if (e.type === "keydown") e.preventDefault();
    asked = true;
  }

  // A script that came in the pack.
  function run(bytes) {
    const script = document.createElement("script");
    script.textContent = new TextDecoder().decode(bytes);
    document.head.append(script);
  }

  const names = fromLink ? linkNames() : document.getElementById("names").textContent;
  sayWho(names);
  // A browser that cannot unpack the show keeps the card without scripts.
  const parts = root.classList.contains("js") && unpacked(CARD_DATA.pack).then((all) => {
    const [wasm, tune, chime, show] = parted(all, CARD_DATA.parts);
    return {wasm, tune, chime, show};
  });
  if (parts) {
    document.querySelector("#closed .tap").textContent =
      matchMedia("(pointer: fine)").matches ? "Fai clic per aprire" : "Tocca per aprire";
    root.classList.add("closed");
    finished.setAttribute("aria-hidden", "true");  // the closed card says who it is from
    document.addEventListener("click", ask);
    window.addEventListener("keydown", ask);
    afterFrame(() => parts.then((p) => run(p.show)).catch(fail));
  }

  return {
    names,
    fromLink,
    parts,
    sayWho,
    fail,
    // The show takes the taps from here on: whether one came before.
    handOver() {
      document.removeEventListener("click", ask);
      window.removeEventListener("keydown", ask);
      return asked;
    },
  };
})();
