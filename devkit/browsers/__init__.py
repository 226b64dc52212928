"""Headless Chromium, Firefox and WebKit driven as a page's reader would
use them, for the browser tests and the page benchmarks."""
