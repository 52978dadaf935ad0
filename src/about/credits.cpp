#include "about/credits.h"

namespace zark {

namespace {

constexpr wchar_t programmer[] = L"Adrian \"Kestrel\" Moreau";
constexpr wchar_t artist[] = L"Ilse \"Ochre\" Lindqvist";
constexpr wchar_t modAuthor[] = L"Viktor \"Zarkon\" Haldane";

// Explicit line breaks rather than runs of spaces that wrap at the label's edge: where a run
// breaks depends on the font's metrics and on the system's line breaking, and the spaces left
// over from a run would indent the next credit.
constexpr wchar_t lineBreak[] = L"\r\n";

}  // namespace

std::wstring credits() {
    return std::wstring(L"Launcher Authors:") + lineBreak + programmer + L" (launcher coding)" + lineBreak + artist +
           L" (Launcher Graphics)" + lineBreak + L"Mod Author: " + modAuthor;
}

}  // namespace zark
