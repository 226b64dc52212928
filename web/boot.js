// The show's parts travel deflated, and the browser unpacks them: one that
// cannot stays the card without scripts, and says why.
document.documentElement.className = window.DecompressionStream ? "js" : "old";
