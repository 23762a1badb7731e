#pragma once
// The 66 characters 128..193 that follow ASCII in every glyph font: the
// accented letters and signs Western and Central European users need, then a
// few pictograms. Letters with an accent are composed from their base letter
// and a mark of the sheet unless a sheet draws them whole; `base` 0 means the
// character is always drawn whole. The editors insert these by number, and on
// 7 rows animations 32..64 show characters 128..160.

#include <array>

namespace lumitag::assets {

struct SymbolDesign {
    char32_t character;
    char32_t base;
    const char* mark;
};

inline constexpr int kFirstSymbol = 128;

inline constexpr std::array<SymbolDesign, 66> kSymbols = {{
    {U'Ä', U'A', "diaeresis"},  {U'Ö', U'O', "diaeresis"},  {U'Ü', U'U', "diaeresis"},
    {U'ä', U'a', "diaeresis"},  {U'ö', U'o', "diaeresis"},  {U'ü', U'u', "diaeresis"},
    {U'ß', 0, nullptr},         {U'à', U'a', "grave"},      {U'á', U'a', "acute"},
    {U'â', U'a', "circumflex"}, {U'è', U'e', "grave"},      {U'é', U'e', "acute"},
    {U'ê', U'e', "circumflex"}, {U'ë', U'e', "diaeresis"},  {U'ì', U'ı', "grave"},
    {U'í', U'ı', "acute"},      {U'î', U'ı', "circumflex"}, {U'ï', U'ı', "diaeresis"},
    {U'ò', U'o', "grave"},      {U'ó', U'o', "acute"},      {U'ô', U'o', "circumflex"},
    {U'ù', U'u', "grave"},      {U'ú', U'u', "acute"},      {U'û', U'u', "circumflex"},
    {U'ç', 0, nullptr},         {U'ñ', U'n', "tilde"},      {U'É', U'E', "acute"},
    {U'Ç', 0, nullptr},         {U'Ñ', U'N', "tilde"},      {U'Č', U'C', "caron"},
    {U'Š', U'S', "caron"},      {U'Ž', U'Z', "caron"},      {U'č', U'c', "caron"},
    {U'š', U's', "caron"},      {U'ž', U'z', "caron"},      {U'ą', 0, nullptr},
    {U'ę', 0, nullptr},         {U'ł', 0, nullptr},         {U'ń', U'n', "acute"},
    {U'ś', U's', "acute"},      {U'ź', U'z', "acute"},      {U'ż', U'z', "dot"},
    {U'ő', U'o', "doubleacute"}, {U'ű', U'u', "doubleacute"}, {U'Ł', 0, nullptr},
    {U'Ś', U'S', "acute"},      {U'Ż', U'Z', "dot"},        {U'å', U'a', "ring"},
    {U'Å', U'A', "ring"},       {U'ø', 0, nullptr},         {U'Ø', 0, nullptr},
    {U'ã', U'a', "tilde"},      {U'õ', U'o', "tilde"},      {U'€', 0, nullptr},
    {U'£', 0, nullptr},         {U'¥', 0, nullptr},         {U'°', 0, nullptr},
    {U'±', 0, nullptr},         {U'¿', 0, nullptr},         {U'¡', 0, nullptr},
    {U'♥', 0, nullptr},         {U'☺', 0, nullptr},         {U'★', 0, nullptr},
    {U'♪', 0, nullptr},         {U'→', 0, nullptr},         {U'←', 0, nullptr},
}};

}  // namespace lumitag::assets
