#pragma once
// The screen the web card's scene is laid out for; the page scales it to
// fit the browser's window whole.

constexpr int kReferenceWidth = 800;
constexpr int kReferenceHeight = 600;
