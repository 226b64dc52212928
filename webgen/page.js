// The generator's page: the form, the preview, the download and the share.
// Every byte of a card, its final name and the question about the names
// come from the program's own writing code, here as WebAssembly, packed with
// the player image and the web card's template (PAGE_DATA).
const Page = (() => {
  const $ = (id) => document.getElementById(id);
  const TYPES = ["application/vnd.microsoft.portable-executable", "application/zip", "text/html"];
  const PREVIEW_NAME = "Anteprima.html";
  const CARD_PAGE = "biglietto.html";  // the site's card page, beside this one
  // The link needs the site's card page beside this one, on a web server.
  const linkOffered = document.documentElement.hasAttribute("data-site") && /^https?:$/.test(location.protocol);
  // now: the clock a zipped card is dated by (tests fix it); previewing:
  // while the preview waits for the names or loads; readyAt: when the form
  // took typing, in ms from the page's start (for the benchmark).
  const page = {now: () => new Date(), ready: false, previewing: false};
  let w = null;  // the module's exports
  let previewUrl = null;
  let previewTimer = 0;

  // Each call's texts and results live in the module until it is released.
  function call(work) {
    const mark = w.mark();
    try {
      return work();
    } finally {
      w.release(mark);
    }
  }
  function put(text) {
    const length = WasmMemory.points(text);
    const at = w.reserve(length * 4 + 4);
    WasmMemory.writeText(w.memory, at, text);
    return [at, length];
  }
  const text = () => WasmMemory.readText(w.memory, w.textData(), w.textLength());

  function kindIndex() {
    return Number(document.querySelector("#kinds input:checked").value);
  }
  const linkChosen = () => kindIndex() === 0;
  const greeting = (names) => (names ? "Un biglietto di auguri da " + names : "Un biglietto di auguri");

  // The card's link: the site's card page, the names in its fragment as
  // percent-encoded UTF-8 (as a card written as a file links to it), which
  // the browser never sends in a request.
  function cardLink() {
    const names = $("names").value.trim();
    const fragment = encodeURIComponent(names).replace(/[!'()*]/g, (c) => "%" + c.charCodeAt(0).toString(16).toUpperCase());
    return new URL(CARD_PAGE, location.href).href + (names ? "#" + fragment : "");
  }
  async function copyLink() {
    const field = $("link");
    field.value = cardLink();
    try {
      await navigator.clipboard.writeText(field.value);
    } catch (e) {
      // Where the clipboard is not offered (a page not served securely).
      field.select();
      if (!document.execCommand("copy")) {
        $("status").textContent = "Seleziona il link e copialo.";
        return;
      }
    }
    say("Link copiato: incollalo in un messaggio.");
  }
  // The typed name and the chosen type, by the program's rule.
  function destination() {
    return call(() => {
      const kind = w.finalName(...put($("file").value), kindIndex());
      return {name: text(), kind};
    });
  }
  function question(name, names) {
    return call(() => {
      w.question(...put(name), ...put(names));
      return text();
    });
  }
  function makeCard(name, names) {
    const t = page.now();
    return call(() => {
      const failed = w.makeCard(...put(name), ...put(names), t.getFullYear(), t.getMonth() + 1, t.getDate(),
                                t.getHours(), t.getMinutes(), t.getSeconds());
      if (failed) throw new Error("card not made: " + failed);
      return WasmMemory.readBytes(w.memory, w.cardData(), w.cardLength());
    });
  }

  function ask(message) {
    const dialog = $("question");
    $("question-text").textContent = message;
    return new Promise((resolve) => {
      dialog.addEventListener("close", () => resolve(dialog.returnValue === "yes"), {once: true});
      dialog.returnValue = "";
      dialog.showModal();
      $("no").focus();  // the program's default answer
    });
  }

  // The card for the form as it stands, after the program's question; null
  // when the answer is No.
  async function prepare() {
    const {name, kind} = destination();
    const names = $("names").value;
    const asked = question(name, names);
    if (asked && !(await ask(asked))) return null;
    return new File([makeCard(name, names)], name, {type: TYPES[kind]});
  }

  function say(text) {
    $("status").textContent = "";
    requestAnimationFrame(() => { $("status").textContent = text; });
  }

  // One card per press: the buttons wait while one is being made.
  async function once(work) {
    if (page.busy) return;
    page.busy = true;
    $("crea").disabled = true;
    $("share").disabled = true;
    try {
      await work();
    } finally {
      page.busy = false;
      $("crea").disabled = false;
      $("share").disabled = false;
    }
  }

  async function create(event) {
    event.preventDefault();
    if (linkChosen()) return copyLink();
    await once(async () => {
      const file = await prepare();
      if (!file) return;
      const link = document.createElement("a");
      link.href = URL.createObjectURL(file);
      link.download = file.name;
      document.body.append(link);
      link.click();
      link.remove();
      setTimeout(() => URL.revokeObjectURL(link.href), 60000);
      // What the page can vouch for: the card made and handed to the
      // browser, under the name shown (made safe, so the browser keeps it).
      say(call(() => (w.handedMessage(...put(file.name)), text())));
    });
  }

  function shareable(name, kind) {
    try {
      return Boolean(navigator.canShare && navigator.canShare({files: [new File([""], name, {type: TYPES[kind]})]}));
    } catch (e) {
      return false;
    }
  }
  async function share() {
    if (linkChosen()) {
      const names = $("names").value.trim();
      try {
        await navigator.share({url: cardLink(), text: greeting(names)});
      } catch (e) {
        // Closed without sharing.
      }
      return;
    }
    await once(async () => {
      const file = await prepare();
      if (!file) return;
      try {
        await navigator.share({files: [file], title: "Carolux"});
        say(call(() => (w.sharedMessage(), text())));
      } catch (e) {
        // The person closed the share sheet: nothing to say.
      }
    });
  }

  function showDestination() {
    $("status").textContent = "";
    const link = linkChosen();
    $("link-part").hidden = !link;
    $("file-part").hidden = link;
    $("file-name").hidden = link;
    if (link) {
      $("link").value = cardLink();
      $("share").hidden = !navigator.share;
      return;
    }
    const {name, kind} = destination();
    $("final").textContent = name;
    $("share").hidden = !shareable(name, kind);
  }
  // The very page "Crea" would write for these names.
  function refreshPreview() {
    previewTimer = 0;
    page.previewing = true;
    const card = new Blob([makeCard(PREVIEW_NAME, $("names").value)], {type: "text/html"});
    const url = URL.createObjectURL(card);
    $("preview-frame").src = url;
    if (previewUrl) URL.revokeObjectURL(previewUrl);
    previewUrl = url;
  }
  // The field keeps whole characters, as the program's does, whatever a
  // paste or the browser's own limit left.
  function keepWhole() {
    const field = $("names");
    const kept = call(() => {
      w.wholeNames(...put(field.value));
      return text();
    });
    if (kept !== field.value) field.value = kept;
  }
  function previewSoon() {
    $("status").textContent = "";
    keepWhole();
    if (linkChosen()) $("link").value = cardLink();
    page.previewing = true;
    clearTimeout(previewTimer);
    previewTimer = setTimeout(refreshPreview, 250);
  }

  function openAbout() {
    $("about").showModal();
    $("about-close").focus();
  }

  // The page's icon, carried once, in its header.
  function showIcon() {
    const icon = document.createElement("link");
    icon.rel = "icon";
    icon.href = $("logo").src;
    document.head.append(icon);
  }

  async function start() {
    showIcon();
    // The material travels deflated, for the browser to unpack.
    if (!window.DecompressionStream) {
      $("newer").hidden = false;
      return;
    }
    const [wasm, image, template] = parted(await unpacked(PAGE_DATA.pack), PAGE_DATA.parts);
    const {instance} = await WebAssembly.instantiate(wasm, {});
    w = instance.exports;
    const at = w.reserve(image.length + template.length);
    WasmMemory.writeBytes(w.memory, at, image);
    WasmMemory.writeBytes(w.memory, at + image.length, template);
    w.setMaterial(at, image.length, at + image.length, template.length);

    // The site's copy offers the link first; opened from disk it cannot.
    if (!linkOffered && !$("link-kind").hidden) {
      $("link-kind").hidden = true;
      $("kinds").querySelector("input[value='3']").checked = true;
    }
    $("no-link").hidden = location.protocol !== "file:";
    $("copy").addEventListener("click", copyLink);
    $("form").addEventListener("submit", create);
    $("share").addEventListener("click", share);
    $("names").addEventListener("input", previewSoon);
    $("preview-frame").addEventListener("load", () => { page.previewing = previewTimer !== 0; });
    $("file").addEventListener("input", showDestination);
    $("kinds").addEventListener("change", showDestination);
    $("yes").addEventListener("click", () => $("question").close("yes"));
    $("no").addEventListener("click", () => $("question").close("no"));
    $("about-open").addEventListener("click", openAbout);
    $("about-close").addEventListener("click", () => $("about").close());
    for (const link of document.querySelectorAll("#about a")) link.addEventListener("click", () => $("about").close());
    showDestination();
    refreshPreview();
    $("crea").disabled = false;
    page.readyAt = performance.now();
    page.ready = true;
    document.documentElement.classList.add("ready");
  }

  start();
  return page;
})();
