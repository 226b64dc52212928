#pragma once
// Who made Carolux and where to reach them, as the About window shows it.

constexpr const wchar_t* kFirstAuthor = L"Elena Pinetti";
constexpr const wchar_t* kSecondAuthor = L"Luca Abetini";
constexpr const wchar_t* kCreditLine = L"Un programma di";
// Address A, the first author's; address B, the makers' contact. Short enough for
// their labels in the designed font.
constexpr const wchar_t* kEmailA = L"ep@carolux.example";
constexpr const wchar_t* kEmailB = L"info@carolux.example";
constexpr const wchar_t* kWebAddress = L"http://www.carolux.example/";
