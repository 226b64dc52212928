document.documentElement.className = "js";
