#pragma once
// Resource numbers of the card, shared by the code and the resource script.

#define IDI_CARD_WINDOW 1
#define IDI_NEVE 101
#define IDI_GREEN 102
#define IDI_STAR_BRIGHT 103
#define IDI_STAR_DARK 104
#define IDI_SNOWMAN 105
#define IDI_CANDLE 106
#define IDI_BAUBLE 107

#define IDR_MUSIC 100
#define IDR_CHIME 200
#define IDR_PICTURES 300  // the pictures above, packed
