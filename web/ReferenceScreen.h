#pragma once
// The screen the web card's scene needs whole: the page without scripts shows
// it as it is, the page with scripts scales it to fit its window and widens
// or heightens it to the window's shape.

constexpr int kReferenceWidth = 800;
constexpr int kReferenceHeight = 600;
